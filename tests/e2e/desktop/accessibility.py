#!/usr/bin/env python3
"""Drives Kalvio's window as a screen reader does, through AT-SPI on the session's bus.

  accessibility.py tree                  prints "role<TAB>name" for every object of the window
  accessibility.py press <name>          runs the named object's first action (click, toggle)
  accessibility.py select <list> <row>   selects a row of the named list
  accessibility.py set-value <name> <v>  sets the named object's value
"""
import sys
import time

import pyatspi


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for app in desktop:
            if app is not None and app.name == "kalvio":
                return app
        time.sleep(0.1)
    sys.exit("no application 'kalvio' on the accessibility bus")


def walk(node, depth=0):
    yield node, depth
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def window():
    frames = [child for child in application() if child is not None and child.name == "Kalvio"]
    if not frames:
        sys.exit("no window 'Kalvio'")
    return frames[0]


def find(name):
    for node, _ in walk(window()):
        if node.name == name:
            return node
    sys.exit(f"nothing named '{name}'")


def main(command, *arguments):
    if command == "tree":
        for node, depth in walk(window()):
            print(f"{'  ' * depth}{node.getRoleName()}\t{node.name}")
    elif command == "press":
        action = find(arguments[0]).queryAction()
        action.doAction(0)
    elif command == "select":
        selection = find(arguments[0]).querySelection()
        if not selection.selectChild(int(arguments[1])):
            sys.exit("selection refused")
    elif command == "set-value":
        find(arguments[0]).queryValue().currentValue = float(arguments[1])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(*sys.argv[1:])

#!/usr/bin/env python3
"""Drives Kalvio's window as a screen reader does, through AT-SPI on the session's bus.

  accessibility.py tree                   prints "role<TAB>name" for every object of the window,
                                          indented by depth; fails when one has no name
  accessibility.py do <name> <action>     runs the named object's action (Press, Toggle)
  accessibility.py toggle-row <list> <r>  toggles row r of the named list, as its item offers
  accessibility.py select-row <list> <r>  selects row r through the named list's table
  accessibility.py set-value <name> <v>   sets the named slider's value
  accessibility.py checked <name>         prints true or false
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
    for child in application():
        if child is not None and child.name == "Kalvio":
            return child
    sys.exit("no window named 'Kalvio'")


def find(name, role=None):
    for node, _ in walk(window()):
        if node.name == name and role in (None, node.getRole()):
            return node
    sys.exit(f"nothing named '{name}'")


def do_action(node, action_name):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if action_name not in names:
        sys.exit(f"'{node.name}' offers {names}, not {action_name}")
    action.doAction(names.index(action_name))


def main(command, *arguments):
    if command == "tree":
        unnamed = 0
        for node, depth in walk(window()):
            print(f"{'  ' * depth}{node.getRoleName()}\t{node.name}")
            unnamed += not node.name
        if unnamed:
            sys.exit(f"{unnamed} objects without a name")
    elif command == "do":
        do_action(find(arguments[0]), arguments[1])
    elif command == "toggle-row":
        do_action(find(arguments[0])[int(arguments[1])], "Toggle")
    elif command == "select-row":
        if not find(arguments[0]).queryTable().addRowSelection(int(arguments[1])):
            sys.exit("row selection refused")
    elif command == "set-value":
        find(arguments[0], pyatspi.ROLE_SLIDER).queryValue().currentValue = float(arguments[1])
    elif command == "checked":
        checked = find(arguments[0]).getState().contains(pyatspi.STATE_CHECKED)
        print("true" if checked else "false")
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(*sys.argv[1:])

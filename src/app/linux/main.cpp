#include <QGuiApplication>

#include "app/Startup.h"

int main() {
  // Ties the windows to kalvio.desktop: its name and icon in the task switcher.
  QGuiApplication::setDesktopFileName("kalvio");
  return RunKalvio();
}

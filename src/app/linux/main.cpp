#include <QGuiApplication>
#include <cstdlib>

#include "app/Startup.h"

int main() {
  // The window's stored position only holds where the display server lets a program place its
  // windows: X11, XWayland included. Native Wayland is the fallback; the user's choice stands.
  setenv("QT_QPA_PLATFORM", "xcb;wayland", 0);
  // Ties the windows to kalvio.desktop: its name and icon in the task switcher.
  QGuiApplication::setDesktopFileName("kalvio");
  return RunKalvio();
}

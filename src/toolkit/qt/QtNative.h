#pragma once

#include <QMenu>
#include <QWidget>

#include "toolkit/Control.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"

namespace toolkit::qt {

// Implemented by every Qt peer that is a widget: gives the native widget behind it.
class QtNative {
 public:
  virtual ~QtNative() = default;
  virtual QWidget* Widget() const = 0;
};

QWidget* NativeWidget(const WidgetPeer& peer);
QMenu* NativeMenu(const PopupMenuPeer& peer);

// The Qt widgets behind toolkit objects, for the backend and for tests that drive them.
QWidget* WidgetOf(const TControl& control);
QWidget* WidgetOf(const TForm& form);
QMenu* MenuOf(const TPopupMenu& menu);

}  // namespace toolkit::qt

#pragma once

#include <windows.h>

#include "toolkit/Control.h"
#include "toolkit/Form.h"
#include "toolkit/Peers.h"
#include "toolkit/PopupMenu.h"

namespace toolkit::win32 {

// The native window behind a peer of this backend; a form's is created on first use.
HWND NativeHandle(WidgetPeer& peer);

// The native objects behind toolkit objects, for tests that drive them.
HWND WindowOf(const TControl& control);
HWND WindowOf(const TForm& form);
HMENU MenuOf(const TPopupMenu& menu);

}  // namespace toolkit::win32

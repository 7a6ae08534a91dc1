#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestApplication.h"
#include "support/ToolkitTestForm.h"
#include "toolkit/Application.h"
#include "toolkit/win32/WinNative.h"

using support::TestForm;

// A shown, active TestForm for each test. Input is posted to the windows as the system would
// deliver it and handled by the application's message loop.
class ToolkitTest : public ::testing::Test {
 public:
  ToolkitTest();
  ~ToolkitTest() override;

  static HWND Window(const toolkit::TControl& control) { return toolkit::win32::WindowOf(control); }
  HWND FormWindow() const { return toolkit::win32::WindowOf(Form); }
  // Handles what is queued, the way the message loop does.
  void Pump() { App.ProcessMessages(); }
  // A key pressed and released on the focused window.
  void PressKey(WORD key);
  void ReleaseKey(WORD key);
  // A mouse button released over a control, at a point of its client area.
  void ReleaseButton(const toolkit::TControl& control, UINT message, POINT at);

 protected:
  toolkit::TApplication& App;
  TestForm& Form;
};

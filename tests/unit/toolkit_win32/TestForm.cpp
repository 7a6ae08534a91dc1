#include "TestForm.h"

ToolkitTest::ToolkitTest() : App(support::TestApplication()), Form(App.CreateForm<TestForm>()) {
  Form.Show();
  SetForegroundWindow(FormWindow());
  Pump();
}

ToolkitTest::~ToolkitTest() {
  App.DestroyForm(Form);
  Pump();
}

void ToolkitTest::PressKey(WORD key) {
  PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
  Pump();
}

void ToolkitTest::ReleaseKey(WORD key) {
  PostMessageW(GetFocus(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
  Pump();
}

void ToolkitTest::ReleaseButton(const toolkit::TControl& control, UINT message, POINT at) {
  PostMessageW(Window(control), message, 0, MAKELPARAM(at.x, at.y));
  Pump();
}

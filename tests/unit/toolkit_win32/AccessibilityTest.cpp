#include <windows.h>

#include <oleacc.h>

#include <string>

#include "TestForm.h"

namespace {

// What a screen reader reads through MSAA: the client object of a control's window.
class AccessibilityTest : public ToolkitTest {
 protected:
  AccessibilityTest() { CoInitialize(nullptr); }
  ~AccessibilityTest() override { CoUninitialize(); }

  static std::u16string NameOf(HWND window) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void**>(&accessible)))) {
      return u"(no accessible object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::u16string text;
    if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
      text.assign(reinterpret_cast<const char16_t*>(name), SysStringLen(name));
      SysFreeString(name);
    }
    accessible->Release();
    return text;
  }
};

TEST_F(AccessibilityTest, EveryControlIsNamedByItsCaptionHintOrGroup) {
  Form.Button.SetHint(u"Next Music");
  Form.List.SetHint(u"list hint");

  EXPECT_EQ(NameOf(Window(Form.Button)), u"Next Music");
  EXPECT_EQ(NameOf(Window(Form.Check)), u"check");
  EXPECT_EQ(NameOf(Window(Form.List)), u"list hint");
  EXPECT_EQ(NameOf(Window(Form.Slider)), u"group");
  EXPECT_EQ(NameOf(FormWindow()), u"Test");
}

TEST_F(AccessibilityTest, NamesFollowHintsAndCaptions) {
  Form.Button.SetHint(u"一時停止");
  Form.Button.SetHint(u"再開");
  Form.Group.SetCaption(u"音量");

  EXPECT_EQ(NameOf(Window(Form.Button)), u"再開");
  EXPECT_EQ(NameOf(Window(Form.Slider)), u"音量");
}

}  // namespace

#pragma once

#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/ImageButton.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/TrackBar.h"

namespace support {

// One control of every kind, a group box holding a label and a slider, and a popup menu.
class TestForm : public toolkit::TForm {
 public:
  TestForm() {
    SetClientSize(300, 200);
    SetCaption(u"Test");
    SetHint(u"form hint");
    Group.SetBounds(0, 120, 300, 80);
    Group.SetCaption(u"group");
    Group.SetTabOrder(3);
    GroupLabel.SetBounds(10, 20, 30, 13);
    GroupLabel.SetCaption(u"label");
    Slider.SetBounds(10, 40, 200, 34);
    Slider.SetRange(0, 100);
    Slider.SetHint(u"slider hint");
    Check.SetBounds(10, 10, 80, 17);
    Check.SetCaption(u"check");
    Check.SetTabOrder(0);
    List.SetBounds(10, 40, 200, 60);
    List.SetItems({u"one", u"two", u"three", u"four", u"five"});
    List.SetTabOrder(2);
    Button.SetBounds(220, 10, 55, 60);
    Button.SetTabOrder(1);
    MenuEntry.SetCaption(u"Entry(&E)");
    SetPopupMenu(&Menu);
  }

  toolkit::TGroupBox Group{*this};
  toolkit::TLabel GroupLabel{Group};
  toolkit::TTrackBar Slider{Group};
  toolkit::TCheckBox Check{*this};
  toolkit::TListBox List{*this};
  toolkit::TImageButton Button{*this};
  toolkit::TPopupMenu Menu;
  toolkit::TMenuItem MenuEntry{Menu};
};

}  // namespace support

#include "toolkit/Dialogs.h"

#include "toolkit/Application.h"

namespace toolkit {

int MessageDlg(const std::u16string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  TMessageBoxRequest box{text, {}, TMessageBoxIcon::None, {}, mrCancel};
  switch (type) {
    case TMsgDlgType::mtWarning:
      box.Caption = u"警告";
      box.Icon = TMessageBoxIcon::Warning;
      break;
  }
  if ((buttons & mbYes) != 0) {
    box.Buttons.push_back({u"はい(&Y)", mrYes});
  }
  if ((buttons & mbNo) != 0) {
    box.Buttons.push_back({u"いいえ(&N)", mrNo});
    box.EscapeResult = mrNo;
  }
  return Application().ShowMessageBox(box);
}

}  // namespace toolkit

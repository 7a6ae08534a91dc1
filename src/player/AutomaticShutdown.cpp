#include "player/Unit1.h"
#include "toolkit/Dialogs.h"

// Turning the automatic shutdown on asks first, and turns the fade-out on with it.
void TForm1::AutoDownCheckBoxClick(toolkit::TObject& /*Sender*/) {
  if (!AutoDownCheckBox.Checked()) {
    return;
  }
  if (toolkit::MessageDlg(u"本当に自動シャットダウン設定しますか？",
                          toolkit::TMsgDlgType::mtWarning,
                          toolkit::mbYes | toolkit::mbNo) == toolkit::mrYes) {
    AutoDownCheckBox.SetChecked(true);
    AutFaseOutCheckBox.SetChecked(true);
  } else {
    // Raises this handler again, which then finds the box unchecked.
    AutoDownCheckBox.SetChecked(false);
  }
}

// At every handled notification: once the volume slider stands at 0, the system is asked to
// shut down. The outcome is not examined; if the system declines, the next notification asks
// again.
void TForm1::ShutdownCheck() {
  if (AutoDownCheckBox.Checked() && TrackBarVolume.Position() == 0) {
    FShutdown.RequestShutdown();
  }
}

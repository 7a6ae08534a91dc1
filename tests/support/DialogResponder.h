#pragma once

#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

namespace support {

// Answers the modal message boxes that the code under test opens, while it waits in them, and
// records what each box showed. Lives on the UI thread for the duration of a test.
class DialogResponder {
 public:
  struct Box {
    std::u16string Caption;
    std::u16string Text;
    QMessageBox::Icon Icon;
    std::vector<std::u16string> Buttons;  // captions in the order shown
    std::u16string DefaultButton;
  };

  // Clicks the button with this caption ("OK", "はい(&Y)"); an empty answer presses Escape.
  explicit DialogResponder(std::u16string answer = u"OK");
  DialogResponder(const DialogResponder&) = delete;
  DialogResponder& operator=(const DialogResponder&) = delete;

  const std::vector<Box>& Boxes() const { return FBoxes; }

 private:
  void AnswerOpenBox();

  std::u16string FAnswer;
  std::vector<Box> FBoxes;
  QTimer FTimer;
};

}  // namespace support

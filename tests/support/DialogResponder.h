#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/MessageBoxRequest.h"

namespace support {

// Answers the modal message boxes that the code under test opens, while it waits in them, and
// records what each box showed. Lives on the UI thread for the duration of a test. Each backend
// (qt/, win32/) finds the open box its own way.
class DialogResponder {
 public:
  struct Box {
    std::u16string Caption;
    std::u16string Text;
    toolkit::TMessageBoxIcon Icon = toolkit::TMessageBoxIcon::None;
    std::vector<std::u16string> Buttons;  // captions in the order shown
    std::u16string DefaultButton;
  };
  enum class Key { Return, Escape };

  // Clicks the button with this caption ("OK", "はい(&Y)"); an empty answer presses Escape.
  explicit DialogResponder(std::u16string answer = u"OK");
  // Presses the key on the box.
  explicit DialogResponder(Key key);
  ~DialogResponder();
  DialogResponder(const DialogResponder&) = delete;
  DialogResponder& operator=(const DialogResponder&) = delete;

  const std::vector<Box>& Boxes() const { return FBoxes; }

 private:
  class Watch;

  std::u16string FAnswer;
  Key FKey = Key::Escape;  // when the answer is empty
  std::vector<Box> FBoxes;
  std::unique_ptr<Watch> FWatch;
};

}  // namespace support

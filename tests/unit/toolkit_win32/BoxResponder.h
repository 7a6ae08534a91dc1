#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Answers the modal message boxes that the code under test opens, while it waits in them, and
// records what each box showed: a thread timer runs inside the box's own message loop.
class BoxResponder {
 public:
  enum class Icon { None, Error, Warning, Other };
  struct Box {
    std::u16string Caption;
    std::u16string Text;
    Icon Shown = Icon::None;
    std::vector<std::u16string> Buttons;  // captions in the order shown
    std::u16string DefaultButton;
  };

  // Clicks the button with this caption ("OK", "はい(&Y)"), or presses a key on the box: VK_RETURN
  // or VK_ESCAPE.
  explicit BoxResponder(std::u16string answer = u"OK");
  explicit BoxResponder(WORD key);
  ~BoxResponder();
  BoxResponder(const BoxResponder&) = delete;
  BoxResponder& operator=(const BoxResponder&) = delete;

  const std::vector<Box>& Boxes() const { return FBoxes; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void Answer(HWND box);

  std::u16string FAnswer;
  WORD FKey = 0;
  std::vector<Box> FBoxes;
  HWND FAnswered = nullptr;  // a box closes a moment after its answer
  UINT_PTR FTimer;
};

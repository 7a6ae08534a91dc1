#pragma once

#include <string>
#include <vector>

namespace toolkit {

// Results of the buttons that close a modal box, the values the Windows dialogs return.
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;

enum class TMessageBoxIcon { None, Error, Warning };

struct TMessageBoxButton {
  std::u16string Caption;  // "&" marks the access key
  int Result;
};

// Everything a modal message box shows.
struct TMessageBoxRequest {
  std::u16string Text;
  std::u16string Caption;
  TMessageBoxIcon Icon = TMessageBoxIcon::None;
  std::vector<TMessageBoxButton> Buttons;  // the first is the default button
  int EscapeResult = mrCancel;             // Escape or the title bar's close button
};

}  // namespace toolkit

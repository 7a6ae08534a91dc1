#pragma once

#include <string>

#include "toolkit/MessageBoxRequest.h"

namespace toolkit {

enum class TMsgDlgType { mtWarning };

enum TMsgDlgBtn : unsigned {
  mbYes = 1,
  mbNo = 2,
};
using TMsgDlgButtons = unsigned;

// A modal message dialog with the type's caption and icon ("警告" and a warning sign) and the
// buttons asked for ("はい(&Y)", "いいえ(&N)"), the first of them the default; Escape answers No.
// Returns the result of the button that closed it: mrYes (6) or mrNo (7).
int MessageDlg(const std::u16string& text, TMsgDlgType type, TMsgDlgButtons buttons);

}  // namespace toolkit

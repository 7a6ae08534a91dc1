#include "rtl/MessageBoxText.h"

std::u16string MessageBoxText(std::u16string text) {
  if (!text.empty() && text.back() > u'.') {
    text += u'.';
  }
  return text;
}

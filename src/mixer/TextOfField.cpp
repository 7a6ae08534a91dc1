#include "mixer/TextOfField.h"

#include <algorithm>

std::u16string TextUpToNull(const mm::WCHAR* field, std::size_t length) {
  return std::u16string(field, std::find(field, field + length, mm::WCHAR{0}));
}

std::u16string TextOfField(const mm::WCHAR* field, std::size_t length) {
  std::u16string text = TextUpToNull(field, length);
  if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) {
    text.pop_back();
  }
  return text;
}

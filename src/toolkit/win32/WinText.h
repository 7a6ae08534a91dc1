#pragma once

#include <string>

namespace toolkit::win32 {

// Our UTF-16 text as the wide strings of the Win32 API (wchar_t is UTF-16 on Windows).
inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace toolkit::win32

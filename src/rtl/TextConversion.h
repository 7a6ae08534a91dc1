#pragma once

#include <string>
#include <string_view>

// Ill-formed input (bad UTF-8 sequences, lone surrogates) becomes U+FFFD rather than failing:
// texts come from files and the system, and a replacement character is better than no text.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

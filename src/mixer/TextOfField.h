#pragma once

#include <cstddef>
#include <string>

#include "multimedia/mmtypes.h"

// The text of a fixed character field as the system fills it: the units before the first 0, or
// all of them. A trailing high surrogate, half of a character the field cut, is dropped.
std::u16string TextOfField(const mm::WCHAR* field, std::size_t length);

template <std::size_t N>
std::u16string TextOfField(const mm::WCHAR (&field)[N]) {
  return TextOfField(field, N);
}

// The units before the first 0, or all of them; no surrogate repair.
std::u16string TextUpToNull(const mm::WCHAR* field, std::size_t length);

#pragma once

#include <string>

// The text an error box shows: a final "." is added when the last character's code is above
// that of ".", so sentences end with a full stop while texts ending in punctuation stay as they
// are.
std::u16string MessageBoxText(std::u16string text);

#pragma once

#include <string_view>

// Equality without regard to letter case, for the scripts mixer names are written in: Latin
// (with Latin-1 and Latin Extended-A), Greek, Cyrillic and full-width Latin. Other characters
// compare as they stand.
bool SameTextIgnoringCase(std::u16string_view left, std::u16string_view right);

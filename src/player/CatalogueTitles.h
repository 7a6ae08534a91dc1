#pragma once

#include <string>
#include <vector>

// The titles of the 120 pieces in catalogue order: entry r names piece r + 1.
std::vector<std::u16string> CatalogueTitles();

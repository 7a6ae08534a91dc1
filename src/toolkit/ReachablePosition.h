#pragma once

#include <span>

#include "toolkit/Peers.h"

namespace toolkit {

// Where a window can be reached: `window` (its outer bounds) stays where it is while at least its
// title bar's height and 100 px of its width (all of it, if narrower) show on one of
// `workAreas`; otherwise it moves into the nearest work area, its top-left corner first where it
// is larger than that area. With no work area known the window stays.
TRect ReachablePosition(const TRect& window, int titleBarHeight, std::span<const TRect> workAreas);

}  // namespace toolkit

#include "toolkit/ReachablePosition.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace toolkit {
namespace {

constexpr int kReachableWidth = 100;

int Right(const TRect& rect) {
  return rect.Left + rect.Width;
}

int Bottom(const TRect& rect) {
  return rect.Top + rect.Height;
}

int Overlap(int start, int end, int areaStart, int areaEnd) {
  return std::max(0, std::min(end, areaEnd) - std::max(start, areaStart));
}

int Gap(int start, int end, int areaStart, int areaEnd) {
  return std::max({0, areaStart - end, start - areaEnd});
}

bool TitleBarShows(const TRect& window, int titleBarHeight, const TRect& area) {
  const int width = Overlap(window.Left, Right(window), area.Left, Right(area));
  const int height = Overlap(window.Top, window.Top + titleBarHeight, area.Top, Bottom(area));
  return width >= std::min(kReachableWidth, window.Width) && height >= titleBarHeight;
}

// Nearest by the gap between the rectangles; among those the window overlaps, by the overlap.
const TRect& NearestArea(const TRect& window, std::span<const TRect> workAreas) {
  const TRect* nearest = &workAreas.front();
  std::int64_t nearestGap = std::numeric_limits<std::int64_t>::max();
  std::int64_t nearestOverlap = -1;
  for (const TRect& area : workAreas) {
    const std::int64_t dx = Gap(window.Left, Right(window), area.Left, Right(area));
    const std::int64_t dy = Gap(window.Top, Bottom(window), area.Top, Bottom(area));
    const std::int64_t gap = dx * dx + dy * dy;
    const std::int64_t overlap =
        std::int64_t{Overlap(window.Left, Right(window), area.Left, Right(area))} *
        Overlap(window.Top, Bottom(window), area.Top, Bottom(area));
    if (gap < nearestGap || (gap == nearestGap && overlap > nearestOverlap)) {
      nearest = &area;
      nearestGap = gap;
      nearestOverlap = overlap;
    }
  }
  return *nearest;
}

int Inside(int start, int length, int areaStart, int areaLength) {
  return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

TRect ReachablePosition(const TRect& window, int titleBarHeight, std::span<const TRect> workAreas) {
  if (workAreas.empty() || std::ranges::any_of(workAreas, [&](const TRect& area) {
        return TitleBarShows(window, titleBarHeight, area);
      })) {
    return window;
  }
  const TRect& area = NearestArea(window, workAreas);
  TRect moved = window;
  moved.Left = Inside(window.Left, window.Width, area.Left, area.Width);
  moved.Top = Inside(window.Top, window.Height, area.Top, area.Height);
  return moved;
}

}  // namespace toolkit

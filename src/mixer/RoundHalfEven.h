#pragma once

#include <cmath>

// The nearest integer, an exact half going to the even neighbour, whatever the floating-point
// environment's rounding mode.
inline double RoundHalfEven(double value) {
  if (std::abs(value - std::trunc(value)) == 0.5) {
    return 2.0 * std::round(value / 2.0);
  }
  return std::round(value);
}

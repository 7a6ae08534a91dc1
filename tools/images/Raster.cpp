#include "Raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

double Cross(Point o, Point a, Point b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

}  // namespace

Shape Triangle(Point a, Point b, Point c) {
  return [=](double x, double y) {
    const Point p{x, y};
    const double d1 = Cross(a, b, p);
    const double d2 = Cross(b, c, p);
    const double d3 = Cross(c, a, p);
    const bool hasNegative = d1 < 0 || d2 < 0 || d3 < 0;
    const bool hasPositive = d1 > 0 || d2 > 0 || d3 > 0;
    return !(hasNegative && hasPositive);
  };
}

Shape Rectangle(double left, double top, double right, double bottom) {
  return [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; };
}

Shape RotatedEllipse(Point centre, double radiusX, double radiusY, double degrees) {
  const double angle = degrees * std::numbers::pi / 180.0;
  const double cosine = std::cos(angle);
  const double sine = std::sin(angle);
  return [=](double x, double y) {
    const double dx = x - centre.x;
    const double dy = y - centre.y;
    const double u = (dx * cosine + dy * sine) / radiusX;
    const double v = (-dx * sine + dy * cosine) / radiusY;
    return u * u + v * v <= 1.0;
  };
}

Shape RoundedRectangle(double left, double top, double right, double bottom, double radius) {
  return [=](double x, double y) {
    if (x < left || x >= right || y < top || y >= bottom) {
      return false;
    }
    const double cx = std::clamp(x, left + radius, right - radius);
    const double cy = std::clamp(y, top + radius, bottom - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
  };
}

Shape Union(std::vector<Shape> shapes) {
  return [parts = std::move(shapes)](double x, double y) {
    for (const Shape& part : parts) {
      if (part(x, y)) {
        return true;
      }
    }
    return false;
  };
}

double Coverage(const Shape& shape, int x, int y, int samplesPerAxis) {
  int inside = 0;
  for (int i = 0; i < samplesPerAxis; ++i) {
    for (int j = 0; j < samplesPerAxis; ++j) {
      const double sx = x + (i + 0.5) / samplesPerAxis;
      const double sy = y + (j + 0.5) / samplesPerAxis;
      inside += shape(sx, sy) ? 1 : 0;
    }
  }
  return static_cast<double>(inside) / (samplesPerAxis * samplesPerAxis);
}

Rgb Mix(Rgb from, Rgb to, double t) {
  const auto channel = [t](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
  };
  return {channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
}

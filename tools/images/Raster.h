#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Rgb {
  std::uint8_t r, g, b;
};

struct Rgba {
  std::uint8_t r, g, b, a;
};

// A region of the plane, in pixel units with y growing downwards; pixel (x, y) covers
// [x, x + 1) x [y, y + 1).
using Shape = std::function<bool(double x, double y)>;

struct Point {
  double x, y;
};

Shape Triangle(Point a, Point b, Point c);
Shape Rectangle(double left, double top, double right, double bottom);
Shape RotatedEllipse(Point centre, double radiusX, double radiusY, double degrees);
Shape RoundedRectangle(double left, double top, double right, double bottom, double radius);
Shape Union(std::vector<Shape> shapes);

// Fraction of the pixel inside the shape, from a regular grid of samples per axis.
double Coverage(const Shape& shape, int x, int y, int samplesPerAxis);

// Linear blend, t = 0 gives `from`, t = 1 gives `to`.
Rgb Mix(Rgb from, Rgb to, double t);

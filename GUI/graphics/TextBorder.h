#pragma once

#include <vector>

// An outline stamp for captions (GSurface::CreateFromText): the offsets
// (dx, dy) around a glyph pixel that the outline covers, and its radius.
// Empty after construction and Clear().
class TextBorder {
 public:
  struct Point {
    int dx = 0;
    int dy = 0;
  };

  // The largest radius whose disc fits the stamp's buffer of 1000 points.
  static constexpr int kMaxRadius = 17;
  static constexpr int kMaxPoints = 1000;

  // A filled disc: every offset whose distance from the centre, rounded half
  // down, is at most radius. False (and an empty stamp) for a radius below 0
  // or above kMaxRadius.
  bool CreateCircle(int radius);
  void Clear();

  int GetCount() const { return static_cast<int>(points.size()); }
  const Point& GetPoint(int i) const { return points[i]; }
  const std::vector<Point>& GetPoints() const { return points; }
  int GetRadius() const { return radius; }

 private:
  std::vector<Point> points;
  int radius = 0;
};

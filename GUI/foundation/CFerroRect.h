#pragma once

#include <cstddef>
#include <vector>

// Plain geometry values of the framework. A rectangle's right and bottom edges
// are exclusive, so its width is right - left.

struct CFerroPoint {
  int x = 0;
  int y = 0;

  CFerroPoint() = default;
  CFerroPoint(int px, int py) : x(px), y(py) {}
  bool operator==(const CFerroPoint&) const = default;
};

struct CFerroSize {
  int width = 0;
  int height = 0;

  CFerroSize() = default;
  CFerroSize(int w, int h) : width(w), height(h) {}
  bool operator==(const CFerroSize&) const = default;
};

struct CFerroRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  CFerroRect() = default;
  CFerroRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
  bool operator==(const CFerroRect&) const = default;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool Contains(const CFerroPoint& p) const { return Contains(p.x, p.y); }
  void Offset(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  // Whether the two share at least one pixel.
  bool Intersects(const CFerroRect& o) const {
    return !IsEmpty() && !o.IsEmpty() && o.left < right && o.right > left && o.top < bottom &&
           top < o.bottom;
  }
  // The common part; empty (possibly inverted) when they do not meet.
  CFerroRect Intersection(const CFerroRect& o) const {
    return CFerroRect(left > o.left ? left : o.left, top > o.top ? top : o.top,
                      right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom);
  }
  // The bounding box of both.
  CFerroRect Union(const CFerroRect& o) const {
    return CFerroRect(left < o.left ? left : o.left, top < o.top ? top : o.top,
                      right > o.right ? right : o.right, bottom > o.bottom ? bottom : o.bottom);
  }
  bool ContainsRect(const CFerroRect& o) const {
    return o.left >= left && o.top >= top && o.right <= right && o.bottom <= bottom;
  }
};

// Adds a rectangle to a short list of changed areas, joining it with every
// rectangle it overlaps, so that no pixel is drawn or uploaded twice. An empty
// rectangle adds nothing.
inline void AddJoined(std::vector<CFerroRect>& rects, CFerroRect rect) {
  if (rect.IsEmpty()) return;
  for (size_t i = 0; i < rects.size();) {
    if (!rects[i].Intersects(rect)) {
      ++i;
      continue;
    }
    rect = rects[i].Union(rect);
    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(i));
    i = 0;
  }
  rects.push_back(rect);
}

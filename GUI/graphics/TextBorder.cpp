#include "GUI/graphics/TextBorder.h"

bool TextBorder::CreateCircle(int newRadius) {
  Clear();
  if (newRadius < 0 || newRadius > kMaxRadius) return false;
  // sqrt(d2) rounded half down is at most r exactly when sqrt(d2) < r + 0.5,
  // that is d2 < r^2 + r + 0.25, that is d2 <= r^2 + r for integers.
  const int limit = newRadius * newRadius + newRadius;
  for (int dx = -newRadius; dx <= newRadius; ++dx)
    for (int dy = -newRadius; dy <= newRadius; ++dy)
      if (dx * dx + dy * dy <= limit) points.push_back(Point{dx, dy});
  radius = newRadius;
  return true;
}

void TextBorder::Clear() {
  points.clear();
  points.shrink_to_fit();
  radius = 0;
}

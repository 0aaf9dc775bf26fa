#include "GUI/graphics/GPointList.h"

#include <algorithm>
#include <utility>

GPointList::GPointList() : points(new Point[10]) {}

void GPointList::Add(int x, int y) {
  if (count == capacity) {
    const int grown = capacity + std::max(capacity / 4, 4);
    std::unique_ptr<Point[]> bigger(new Point[grown]);
    std::copy(points.get(), points.get() + count, bigger.get());
    points = std::move(bigger);
    capacity = grown;
  }
  points[count++] = Point{x, y};
}

void GPointList::Swap(GPointList& other) {
  std::swap(count, other.count);
  std::swap(capacity, other.capacity);
  std::swap(points, other.points);
}

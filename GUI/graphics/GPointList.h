#pragma once

#include <memory>

// A growable list of (x, y) points, the work queue of FloodFill. Emptying keeps
// the storage, so one list serves many fills without reallocating.
class GPointList {
 public:
  struct Point {
    int x;
    int y;
  };

  GPointList();

  // Appends a point; when full the capacity grows by a quarter, at least 4.
  void Add(int x, int y);
  void Empty() { count = 0; }
  int GetCount() const { return count; }
  int GetCapacity() const { return capacity; }
  const Point& operator[](int i) const { return points[i]; }
  void Swap(GPointList& other);

 private:
  int count = 0;
  int capacity = 10;
  std::unique_ptr<Point[]> points;
};

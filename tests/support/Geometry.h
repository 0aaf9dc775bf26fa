#pragma once

#include <ostream>

#include "GUI/foundation/CFerroRect.h"

// Lets GoogleTest print rectangles, points and sizes readably in failure
// messages.
inline void PrintTo(const CFerroRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const CFerroPoint& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.y << ")";
}
inline void PrintTo(const CFerroSize& s, std::ostream* os) {
  *os << s.width << " x " << s.height;
}

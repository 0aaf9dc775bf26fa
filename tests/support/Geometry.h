#pragma once

#include <ostream>

#include "GUI/foundation/CFerroRect.h"

// Lets GoogleTest print rectangles readably in failure messages.
inline void PrintTo(const CFerroRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

#pragma once

#include <vector>

#include "tools/art/Canvas.h"

// The mouse cursors of the interface theme. The file name carries the hot
// spot: NAME__XXYY.png.
namespace art {

struct Cursor {
  const char* name;
  int hotX, hotY;
  Canvas image;
};

std::vector<Cursor> DrawCursors();

}  // namespace art

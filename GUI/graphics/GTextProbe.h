#pragma once

#include "GUI/foundation/CFerroRect.h"

// Told of every text a device's surfaces draw, for the checks that every
// text stays inside its box and for a record of what the screen says. A
// probe is the caller's; a device without one tells nobody.
class GTextProbe {
 public:
  virtual ~GTextProbe() = default;
  // Called by GSurface::TextOut for every text drawn: drawn is where its
  // glyphs stand in full, box the rectangle it has to stay inside (the one
  // the drawing code gave, else the surface's clip), both in the drawing's
  // coordinates.
  virtual void OnText(const char* text, const CFerroRect& drawn, const CFerroRect& box) = 0;
};

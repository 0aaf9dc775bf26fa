#pragma once

#include <cstdint>
#include <vector>

#include "GUI/foundation/CFerroRect.h"

class GSurface;

// A copy of the picture as the screen shows it, so that a frame sends on
// only the pixels that really changed. Scenes often redraw whole areas whose
// pixels mostly stay as they were (a scene drawn whole again after a dialog
// over it closed, a status text drawn again with one digit changed), and
// every pixel sent on costs the present path its upload and, scaled, many
// times its size in drawing.
class CShownPicture {
 public:
  // Forgets what is shown: the next Changed gives its whole area.
  void Reset() { complete = false; }
  // The bounding rectangle of the pixels of area (cut to the picture) that
  // differ from what is shown; empty when none does. All of the area until
  // the whole of a picture of this size and format was shown.
  CFerroRect Changed(GSurface& picture, const CFerroRect& area) const;
  // Takes rect of the picture as shown now.
  void Shown(GSurface& picture, const CFerroRect& rect);

 private:
  bool Matches(GSurface& picture) const;
  bool Knows(GSurface& picture) const;

  std::vector<uint8_t> bytes;
  bool complete = false;
  int width = 0;
  int height = 0;
  int pixelBytes = 0;
};

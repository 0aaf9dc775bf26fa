#pragma once

#include "GUI/foundation/CFerroRect.h"
#include "GUI/graphics/CShownPicture.h"

class GDevice;
class GImage;
class GSurface;

// Brings finished frames of the back surface to the screen: it uploads into
// the device's back buffer (the texture) only the rectangles whose pixels
// changed since the last present, draws the cursor into the texture only (so
// the back surface keeps no trace of it for the next frame), restores the
// place the cursor left, and presents. A frame in which nothing changed, the
// cursor included, touches nothing and presents nothing.
class GPresenter {
 public:
  // The cursor over the picture: its image (none for no cursor) with its hot
  // spot at (x, y), in scene pixels.
  struct Cursor {
    const GImage* image = nullptr;
    int x = 0;
    int y = 0;
  };

  // Presents back through device with the cursor over it when something
  // changed since the last present (or the device asked for a full one);
  // false when nothing was presented. A back buffer the device cannot lock
  // skips the frame, and the next one uploads everything.
  bool Present(GDevice& device, GSurface& back, const Cursor& cursor);

 private:
  // The cursor as the texture shows it: which picture, and where (scene
  // pixels, cut to the picture; empty when none is drawn).
  struct Drawn {
    const GImage* image = nullptr;
    const GSurface* surface = nullptr;
    CFerroRect rect;
    CFerroPoint at;

    bool operator==(const Drawn&) const = default;
  };

  static Drawn Place(GDevice& device, const Cursor& cursor, const CFerroRect& bounds);
  // Copies one rectangle of the back surface into the texture with the cursor
  // drawn over it; false when the device could not lock it.
  bool Upload(GDevice& device, GSurface& back, const CFerroRect& rect, const Drawn& cursor);

  // What the texture shows of the cursor since the last present.
  Drawn presented;
  // What the texture shows of the back surface.
  CShownPicture shown;
  // Where a rectangle and the cursor are put together for a texture of
  // another format; owned by the device.
  GSurface* scratch = nullptr;
  const GDevice* scratchDevice = nullptr;
};

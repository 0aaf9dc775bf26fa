#pragma once

#include "GUI/foundation/CFerroRect.h"

// How the finished picture is scaled into the window.
enum class ScaleMode {
  // The largest size of the picture's shape that fits: scaled up by the next
  // whole factor with nearest-neighbour, then down to that size with linear
  // filtering, so pixels stay crisp and evenly wide at any size.
  Sharp,
  // The largest whole factor that fits, nearest-neighbour.
  Integer,
  // One window pixel per picture pixel.
  Off,
};

// "sharp", "integer", "off".
const char* ScaleModeName(ScaleMode mode);
// The mode of a name as ScaleModeName gives it; false (mode unchanged) for
// any other text.
bool ParseScaleMode(const char* name, ScaleMode& mode);

// Where and how the picture is drawn in a window: the destination rectangle
// centred in the drawable (black around it), the whole factor of the
// nearest-neighbour stage and the size it produces, and the mapping of window
// points to picture points and back. The drawable (the renderer's pixels)
// may be larger than the window (the pointer's points) on high-density
// displays. A window smaller than the picture, in any mode, gets the picture
// scaled down to fit, never cropped.
class CPictureTransform {
 public:
  CPictureTransform() = default;
  // All sizes are at least 1 x 1 in use; an empty picture or window gives an
  // empty destination, and then every point maps to (0, 0).
  CPictureTransform(CFerroSize picture, CFerroSize window, CFerroSize drawable, ScaleMode mode);

  bool operator==(const CPictureTransform&) const = default;

  ScaleMode GetMode() const { return mode; }
  const CFerroSize& GetPicture() const { return picture; }
  const CFerroSize& GetWindow() const { return window; }
  const CFerroSize& GetDrawable() const { return drawable; }
  // The picture's place in drawable pixels (right and bottom exclusive).
  const CFerroRect& GetDestination() const { return destination; }
  // The whole factor of the nearest-neighbour stage (1 when the picture is
  // shown at its size or smaller).
  int GetFactor() const { return factor; }
  // The picture times the factor: what the nearest-neighbour stage makes.
  CFerroSize GetIntermediate() const {
    return CFerroSize(picture.width * factor, picture.height * factor);
  }
  // Whether the last stage filters linearly: the destination differs from
  // the intermediate size. Otherwise each destination pixel is exactly one
  // picture pixel.
  bool IsSmooth() const;
  // Whether the picture goes through an intermediate of its own: it is scaled
  // up by a factor above 1 and then filtered to a size that is not a whole
  // multiple.
  bool HasIntermediate() const { return factor > 1 && IsSmooth(); }

  // The picture pixel under a window point (pointer coordinates); a point in
  // the border, or outside the window, gives the nearest edge pixel.
  CFerroPoint WindowToPicture(int x, int y) const;
  // The window point (pointer coordinates) over the middle of a picture
  // pixel; picture points outside the picture are clamped to it first. For
  // every picture that is drawn at least as large as the window's points,
  // WindowToPicture gives the same pixel back.
  CFerroPoint PictureToWindow(int x, int y) const;

 private:
  CFerroSize picture;
  CFerroSize window;
  CFerroSize drawable;
  ScaleMode mode = ScaleMode::Off;
  CFerroRect destination;
  int factor = 1;
};

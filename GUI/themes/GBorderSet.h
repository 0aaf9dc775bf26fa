#pragma once

#include <memory>

class GDevice;
class GSurface;

// A soft translucent frame of one colour, made once and then only blended:
// a top and a bottom strip (kStripLength x kDepth), a left and a right strip
// (kDepth x kStripLength) and four kDepth x kDepth corners, all of the frame
// colour with an alpha channel that fades from the window's edge inwards.
// The surfaces belong to the device; the set only points at them.
class GBorderSet {
 public:
  static constexpr int kStripLength = 200;
  static constexpr int kDepth = 6;
  // The alpha of the pixel rows (columns) from the outer edge inwards; the
  // rows beyond them are fully transparent.
  static constexpr float kRamp[] = {0.05f, 0.15f, 0.25f, 0.35f};
  // The alpha of the two corner pixels that mark the bend.
  static constexpr float kCornerAccent = 0.7f;

  // The corners, clockwise from the top left.
  enum Corner { TOP_LEFT = 0, TOP_RIGHT = 1, BOTTOM_RIGHT = 2, BOTTOM_LEFT = 3 };

  GBorderSet(const GBorderSet&) = delete;
  GBorderSet& operator=(const GBorderSet&) = delete;

  // Makes the eight surfaces on the device; null when the device cannot.
  static std::unique_ptr<GBorderSet> Build(GDevice* device, unsigned color);

  // Blends the frame along the edges of a w x h window whose top-left corner
  // is at target's origin: the corners, then the strips between them in
  // pieces of kStripLength. A window smaller than two corners gets each
  // corner cut to its quarter of the window.
  void Render(GSurface* target, int w, int h) const;

  unsigned GetColor() const { return color; }
  int GetCornerWidth() const;
  GSurface* GetTop() const { return top; }
  GSurface* GetBottom() const { return bottom; }
  GSurface* GetLeft() const { return left; }
  GSurface* GetRight() const { return right; }
  GSurface* GetCorner(Corner which) const { return corners[which]; }

 private:
  explicit GBorderSet(unsigned frameColor) : color(frameColor) {}

  unsigned color;
  GSurface* top = nullptr;
  GSurface* bottom = nullptr;
  GSurface* left = nullptr;
  GSurface* right = nullptr;
  GSurface* corners[4] = {};
};

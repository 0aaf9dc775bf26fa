#include "GUI/themes/GBorderSet.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"

namespace {

constexpr int kRampRows = static_cast<int>(std::size(GBorderSet::kRamp));

// The ramp's alpha at a distance (in whole pixels) from the outer edge.
float RampAlpha(int distance) {
  return distance >= 0 && distance < kRampRows ? GBorderSet::kRamp[distance] : 0.0f;
}

// A device surface of the colour with an alpha channel that is fully
// transparent everywhere; null when the device cannot make one.
GSurface* NewFrameSurface(GDevice* device, int w, int h, unsigned color) {
  GSurface* surface = device->AddSurface();
  if (!surface) return nullptr;
  if (!surface->Create(w, h)) {
    device->DeleteSurface(surface);
    return nullptr;
  }
  surface->Clear(color);
  // The channel ChangeAlpha creates starts opaque on an opaque surface.
  surface->ChangeAlpha(-1.0f);
  if (!surface->GetAlpha()) {
    device->DeleteSurface(surface);
    return nullptr;
  }
  return surface;
}

// The top-left corner's alpha. The frame bends around a quarter circle of
// radius kDepth centred on the corner's inner point, and a pixel takes the
// ramp's value for its distance from that circle, so each row and column of
// the strips continues round the bend. Two pixels of the brightest ring, on
// either side of the diagonal, mark the bend.
float CornerAlpha(int x, int y) {
  constexpr int d = GBorderSet::kDepth;
  if ((x == d / 2 && y == d / 2 + 1) || (x == d / 2 + 1 && y == d / 2))
    return GBorderSet::kCornerAccent;
  const double fromCentre = std::hypot(d - (x + 0.5), d - (y + 0.5));
  const double inward = d - fromCentre;
  return inward < 0.0 ? 0.0f : RampAlpha(static_cast<int>(inward));
}

}  // namespace

std::unique_ptr<GBorderSet> GBorderSet::Build(GDevice* device, unsigned color) {
  if (!device) return nullptr;
  std::unique_ptr<GBorderSet> set(new GBorderSet(color));
  constexpr int d = kDepth, n = kStripLength;
  set->top = NewFrameSurface(device, n, d, color);
  set->bottom = NewFrameSurface(device, n, d, color);
  set->left = NewFrameSurface(device, d, n, color);
  set->right = NewFrameSurface(device, d, n, color);
  for (GSurface*& corner : set->corners) corner = NewFrameSurface(device, d, d, color);
  const bool complete = set->top && set->bottom && set->left && set->right &&
                        std::all_of(std::begin(set->corners), std::end(set->corners),
                                    [](GSurface* s) { return s != nullptr; });
  if (!complete) {
    for (GSurface* s : {set->top, set->bottom, set->left, set->right, set->corners[0],
                        set->corners[1], set->corners[2], set->corners[3]})
      if (s) device->DeleteSurface(s);
    return nullptr;
  }

  for (GSurface* strip : {set->top, set->bottom}) {
    float* alpha = strip->GetAlpha();
    for (int y = 0; y < d; ++y) std::fill_n(alpha + y * n, n, RampAlpha(y));
  }
  set->bottom->FlipVertical();
  for (GSurface* strip : {set->left, set->right}) {
    float* alpha = strip->GetAlpha();
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < d; ++x) alpha[y * d + x] = RampAlpha(x);
  }
  set->right->FlipHorizontal();
  for (GSurface* corner : set->corners) {
    float* alpha = corner->GetAlpha();
    for (int y = 0; y < d; ++y)
      for (int x = 0; x < d; ++x) alpha[y * d + x] = CornerAlpha(x, y);
  }
  set->corners[TOP_RIGHT]->FlipHorizontal();
  set->corners[BOTTOM_RIGHT]->FlipHorizontal();
  set->corners[BOTTOM_RIGHT]->FlipVertical();
  set->corners[BOTTOM_LEFT]->FlipVertical();
  return set;
}

int GBorderSet::GetCornerWidth() const {
  return corners[TOP_LEFT] ? corners[TOP_LEFT]->GetWidth() : kDepth;
}

void GBorderSet::Render(GSurface* target, int w, int h) const {
  if (!target || w < 1 || h < 1) return;
  constexpr int d = kDepth;
  // The left and top pieces take the larger half of an odd size.
  const int leftWidth = std::min(d, w - w / 2), rightWidth = std::min(d, w / 2);
  const int topHeight = std::min(d, h - h / 2), bottomHeight = std::min(d, h / 2);
  // A blit of width or height 0 would mean the whole source, so empty pieces
  // are skipped here.
  auto piece = [target](GSurface* source, int x, int y, int sx, int sy, int pw, int ph) {
    if (source && pw > 0 && ph > 0) target->Blt(source, x, y, sx, sy, pw, ph, true);
  };
  piece(corners[TOP_LEFT], 0, 0, 0, 0, leftWidth, topHeight);
  piece(corners[TOP_RIGHT], w - rightWidth, 0, d - rightWidth, 0, rightWidth, topHeight);
  piece(corners[BOTTOM_RIGHT], w - rightWidth, h - bottomHeight, d - rightWidth, d - bottomHeight,
        rightWidth, bottomHeight);
  piece(corners[BOTTOM_LEFT], 0, h - bottomHeight, 0, d - bottomHeight, leftWidth, bottomHeight);
  for (int x = d; x < w - d; x += kStripLength) {
    const int length = std::min(kStripLength, w - d - x);
    piece(top, x, 0, 0, 0, length, topHeight);
    piece(bottom, x, h - bottomHeight, 0, d - bottomHeight, length, bottomHeight);
  }
  for (int y = d; y < h - d; y += kStripLength) {
    const int length = std::min(kStripLength, h - d - y);
    piece(left, 0, y, 0, 0, leftWidth, length);
    piece(right, w - rightWidth, y, d - rightWidth, 0, rightWidth, length);
  }
}

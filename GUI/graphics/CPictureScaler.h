#pragma once

#include <cstdint>
#include <vector>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/graphics/CPictureTransform.h"

// Scales the picture into the drawable on the processor, with the look of
// the renderer's present: each picture pixel repeated by the transform's
// whole factor, then, where the destination is not that size, filtered
// linearly down to it. The filter samples the repeated picture at each
// destination pixel's centre, in 16.16 fixed point, weighs the two nearest
// pixels of each axis in 1/128 steps and rounds down once, with the edge
// pixels repeated beyond the picture: the arithmetic of SDL's software
// renderer, so a window drawn here matches one that renderer draws pixel for
// pixel (and one a GL renderer draws, which weighs with finer fractions, to
// within a few levels of each channel).
//
// Because each destination pixel reads at most two picture pixels along
// each axis, a changed picture rectangle changes only the destination pixels
// whose samples reach into it (Affected), and those can be made again alone
// from the whole picture (Scale) with the same result as a full scaling.
//
// Pixels are 32-bit words 0x00RRGGBB; the scaled ones are written opaque,
// 0xFFRRGGBB.
class CPictureScaler {
 public:
  CPictureScaler() = default;
  explicit CPictureScaler(const CPictureTransform& transform);

  const CPictureTransform& GetTransform() const { return transform; }
  // The drawable pixels whose colour depends on some pixel of the picture
  // rectangle; empty for a rectangle that no destination pixel samples (a
  // picture shrunk to less than half its size skips pixels).
  CFerroRect Affected(const CFerroRect& pictureRect) const;
  // Makes the destination pixels of area (drawable pixels, within the
  // destination) from the whole picture, into target from its top-left pixel
  // on. Pitches are in pixels.
  void Scale(const uint32_t* picture, int picturePitch, const CFerroRect& area, uint32_t* target,
             int targetPitch) const;

 private:
  // How one destination column (or row) is made: from picture pixel first
  // alone (weight 0), or from first and first + 1 with weight / 128 of the
  // second.
  struct Sample {
    int first = 0;
    int weight = 0;
  };
  // One axis: a sample per destination pixel, and for each picture pixel p
  // the first destination pixel that reads p or a later one (reach) and the
  // first that reads only later ones (past); a picture range [a, b) thus
  // affects the destination pixels [reach[a], past[b - 1]).
  struct Axis {
    std::vector<Sample> samples;
    std::vector<int> reach;
    std::vector<int> past;

    void Build(int pictureLength, int factor, int destinationLength);
  };

  CPictureTransform transform;
  Axis across;
  Axis down;
};

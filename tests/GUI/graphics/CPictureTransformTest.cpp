#include "GUI/graphics/CPictureTransform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

const CFerroSize kPicture(1024, 768);

struct FitCase {
  CFerroSize window, drawable;
  ScaleMode mode;
  CFerroRect destination;
  int factor;
  bool smooth;
};

std::string Describe(const FitCase& c) {
  return std::to_string(c.window.width) + "x" + std::to_string(c.window.height) + " drawn " +
         std::to_string(c.drawable.width) + "x" + std::to_string(c.drawable.height) + " " +
         ScaleModeName(c.mode);
}

// Window sizes of today's screens, odd ones, ones smaller than the picture
// and a high-density display whose drawable is twice the window, in every
// mode. The e2e scale and frame scripts measure 1280 x 1024, 1920 x 1080 and
// 3840 x 2160 sharp on a real screen.
const FitCase kFits[] = {
    {{1280, 1024}, {1280, 1024}, ScaleMode::Sharp, {0, 32, 1280, 992}, 2, true},
    {{1280, 1024}, {1280, 1024}, ScaleMode::Integer, {128, 128, 1152, 896}, 1, false},
    {{3840, 2160}, {3840, 2160}, ScaleMode::Integer, {896, 312, 2944, 1848}, 2, false},
    {{3840, 2160}, {3840, 2160}, ScaleMode::Off, {1408, 696, 2432, 1464}, 1, false},
    {{2048, 1536}, {2048, 1536}, ScaleMode::Sharp, {0, 0, 2048, 1536}, 2, false},
    {{1366, 768}, {1366, 768}, ScaleMode::Sharp, {171, 0, 1195, 768}, 1, false},
    // Smaller than the picture: scaled down in every mode, never cropped.
    {{800, 600}, {800, 600}, ScaleMode::Sharp, {0, 0, 800, 600}, 1, true},
    {{333, 251}, {333, 251}, ScaleMode::Integer, {0, 1, 333, 250}, 1, true},
    // One pixel beyond the picture: sharp takes the next factor, integer stays 1:1.
    {{1025, 769}, {1025, 769}, ScaleMode::Sharp, {0, 0, 1025, 768}, 2, true},
    {{1025, 769}, {1025, 769}, ScaleMode::Integer, {0, 0, 1024, 768}, 1, false},
    // High density: fitted to the drawable's pixels as to a window that size.
    {{1280, 720}, {2560, 1440}, ScaleMode::Sharp, {320, 0, 2240, 1440}, 2, true},
};

TEST(CPictureTransform, FitsThePictureByModeIntoEveryWindow) {
  for (const FitCase& c : kFits) {
    SCOPED_TRACE(Describe(c));
    const CPictureTransform fit(kPicture, c.window, c.drawable, c.mode);
    EXPECT_EQ(fit.GetDestination(), c.destination);
    EXPECT_EQ(fit.GetFactor(), c.factor);
    EXPECT_EQ(fit.IsSmooth(), c.smooth);
  }
  for (const CPictureTransform& empty :
       {CPictureTransform(), CPictureTransform(kPicture, {0, 0}, {0, 0}, ScaleMode::Sharp),
        CPictureTransform({0, 0}, {800, 600}, {800, 600}, ScaleMode::Sharp)}) {
    EXPECT_TRUE(empty.GetDestination().IsEmpty());
    EXPECT_EQ(empty.WindowToPicture(10, 10), CFerroPoint(0, 0));
  }
}

TEST(CPictureTransform, WindowPointsMapToPicturePixelsAndBack) {
  for (const FitCase& c : kFits) {
    SCOPED_TRACE(Describe(c));
    const CPictureTransform fit(kPicture, c.window, c.drawable, c.mode);
    const int w = c.window.width, h = c.window.height;
    // A picture pixel is at least a window point wide, or a window point
    // covers this many picture pixels at most.
    const CFerroRect& d = fit.GetDestination();
    const bool whole =
        d.Width() * w >= 1024 * c.drawable.width && d.Height() * h >= 768 * c.drawable.height;
    const int covered = whole ? 0 : (1024 * c.drawable.width + d.Width() * w - 1) / (d.Width() * w);
    const auto near = [covered](CFerroPoint got, CFerroPoint want) {
      return std::abs(got.x - want.x) <= covered && std::abs(got.y - want.y) <= covered;
    };
    // The window's corners and points beyond the window give the picture's
    // corners, exactly where the picture is drawn at least 1:1.
    EXPECT_PRED2(near, fit.WindowToPicture(0, 0), CFerroPoint(0, 0));
    EXPECT_PRED2(near, fit.WindowToPicture(w - 1, h - 1), CFerroPoint(1023, 767));
    EXPECT_EQ(fit.WindowToPicture(-50, -1), CFerroPoint(0, 0));
    EXPECT_EQ(fit.WindowToPicture(w + 50, h), CFerroPoint(1023, 767));
    EXPECT_EQ(fit.PictureToWindow(-5, 5000), fit.PictureToWindow(0, 767));

    // Every picture pixel comes back from the point it maps to; one smaller
    // than a window point lands no further off than the pixels that covers.
    int worst = 0;
    for (int p = 0; p < 1024; ++p) {
      const CFerroPoint there = fit.PictureToWindow(p, p * 3 / 4);
      const CFerroPoint back = fit.WindowToPicture(there.x, there.y);
      worst = std::max({worst, std::abs(back.x - p), std::abs(back.y - p * 3 / 4)});
    }
    EXPECT_LE(worst, covered);
  }
}

}  // namespace

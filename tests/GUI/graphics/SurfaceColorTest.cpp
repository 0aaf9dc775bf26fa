#include "GUI/graphics/SurfaceColor.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using namespace surface_color;

TEST(SurfaceColor, ConversionsRoundToTheNearestFiveBitStepAndClamp) {
  const std::pair<float, unsigned> cases[] = {
      {0.0f, 0},      {1.0f, 31}, {1.5f, 31},        {-0.25f, 0},        {0.6f / 31, 1},
      {0.4f / 31, 0}, {0.5f, 16}, {15.49f / 31, 15}, {128 / 255.0f, 16}, {127 / 255.0f, 15}};
  for (const auto& [c, five] : cases) EXPECT_EQ(UnitToFive(c), five) << c;

  EXPECT_EQ(Color32ToPixel16(0x808080), (16 << 10) | (16 << 5) | 16);
  EXPECT_EQ(Color32ToPixel16(0xFFFFFFFF), 0x7FFF) << "the top byte is ignored, bit 15 stays clear";
  SURFACE_RGB rgb;
  Pixel16ToRgb(16 << 10, &rgb);
  EXPECT_EQ(rgb.RgbToColor32(), 131u << 16) << "255 x 16 / 31, truncated";
  for (unsigned p = 0; p < 32768; ++p)  // every 15-bit colour survives the trip through 32 bits
    ASSERT_EQ(Color32ToPixel16(kPixelToColor32[p]), p) << p;
}

TEST(SurfaceColor, BlendRoundsLikeTheFloatColourPath) {
  // The blitters' table-free blend must round exactly like the float colour path.
  for (int step = 0; step <= 255; step += 3) {
    const float a = step * 0.003921569f;
    for (unsigned d = 0; d < 32; ++d) {
      for (unsigned s = 0; s < 32; ++s) {
        const uint16_t dp = static_cast<uint16_t>(d << 10 | (31 - d) << 5 | (d ^ 9));
        const uint16_t sp = static_cast<uint16_t>(s << 10 | s << 5 | (31 - s));
        SURFACE_RGB dc, sc;
        Pixel16ToRgb(dp, &dc);
        Pixel16ToRgb(sp, &sc);
        dc.BlendNormal(&sc, a);
        ASSERT_EQ(BlendPixel16(dp, sp, a), RgbToPixel16(dc)) << d << " " << s << " " << a;
      }
    }
  }
}

}  // namespace

#include "GUI/graphics/SurfaceColor.h"

#include <gtest/gtest.h>

namespace {

using namespace surface_color;

TEST(SurfaceColor, ComponentToFiveBitsRoundsToNearestAndClamps) {
  struct Case {
    float c;
    unsigned five;
  } cases[] = {{0.0f, 0},          {1.0f, 31},        {1.5f, 31}, {-0.25f, 0},
               {0.6f / 31, 1},     {0.4f / 31, 0},    {0.5f, 16}, {15.49f / 31, 15},
               {128 / 255.0f, 16}, {127 / 255.0f, 15}};
  for (const Case& c : cases) EXPECT_EQ(UnitToFive(c.c), c.five) << c.c;
}

TEST(SurfaceColor, Color32ToPixelAndBack) {
  EXPECT_EQ(Color32ToPixel16(0xFF0000), 0x7C00);
  EXPECT_EQ(Color32ToPixel16(0x00FF00), 0x03E0);
  EXPECT_EQ(Color32ToPixel16(0x0000FF), 0x001F);
  EXPECT_EQ(Color32ToPixel16(0x808080), (16 << 10) | (16 << 5) | 16);
  EXPECT_EQ(Color32ToPixel16(0xFFFFFFFF), 0x7FFF) << "the top byte is ignored, bit 15 stays clear";

  SURFACE_RGB c;
  Pixel16ToRgb(0x7FFF, &c);
  EXPECT_EQ(c.RgbToColor32(), 0xFFFFFFu);
  Pixel16ToRgb(16 << 10, &c);
  EXPECT_EQ(c.RgbToColor32(), 131u << 16) << "255 x 16 / 31, truncated";
}

TEST(SurfaceColor, TablesAgreeWithTheirFormulas) {
  EXPECT_EQ(kByteToFive[255], 31);
  EXPECT_EQ(kByteToFive[8], 0);
  EXPECT_EQ(kByteToFive[9], 1);
  EXPECT_FLOAT_EQ(kByteToUnit[51], 0.2f);
  EXPECT_FLOAT_EQ(kFiveToUnit[31], 1.0f);
  for (unsigned p = 0; p < 32768; ++p) {
    SURFACE_RGB c;
    Pixel16ToRgb(static_cast<uint16_t>(p), &c);
    ASSERT_EQ(kPixelToColor32[p], c.RgbToColor32()) << p;
    // Every 15-bit colour survives the trip through 32 bits.
    ASSERT_EQ(Color32ToPixel16(kPixelToColor32[p]), p) << p;
  }
}

TEST(SurfaceColor, BlendRoundsToTheNearestStep) {
  // Black under white at one half rounds up to 16 of 31.
  EXPECT_EQ(BlendPixel16(0, 0x7FFF, 0.5f), (16 << 10) | (16 << 5) | 16);
  EXPECT_EQ(BlendPixel16(0x7C00, 0x001F, 0.0f), 0x7C00);
  EXPECT_EQ(BlendPixel16(0x1234, 0x4321, 1.0f), 0x4321);

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

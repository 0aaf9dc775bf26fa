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
  for (unsigned p = 0; p < 32768; ++p)  // every 15-bit colour survives the trip through 32 bits
    ASSERT_EQ(Color32ToPixel16(kPixelToColor32[p]), p) << p;
}

}  // namespace

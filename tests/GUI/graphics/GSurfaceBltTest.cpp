#include <gtest/gtest.h>

#include <vector>

#include "GUI/graphics/GSurface16.h"
#include "tests/support/Surfaces.h"

namespace {

using namespace surface_test;

// A blue target, a red, white, transparent source and a white source whose
// alpha channel holds 0, 128/255 and 1; each 3 x 1.
struct BltFixture : ::testing::Test {
  void SetUp() override {
    dst.Clear(0x0000FF);
    Put(src, 0, 0, kRed);
    Put(src, 1, 0, kWhite);
    src.MaskTransparentPixel(2);
    alpha.Clear(0xFFFFFF);
    alpha.ChangeAlpha(0.0f);
    alpha.GetAlpha()[0] = 0.0f;
    alpha.GetAlpha()[1] = 128 / 255.0f;
  }
  std::vector<uint16_t> Row(GSurface16& s) {
    return {s.GetPixel16(0, 0), s.GetPixel16(1, 0), s.GetPixel16(2, 0)};
  }
  Surf dst{3, 1}, src{3, 1}, alpha{3, 1};
};

TEST_F(BltFixture, KeyAndOpacityDecideEachPixel) {
  struct Case {
    bool alphaSource;
    float surfaceAlpha;
    bool key;
    unsigned background;
    std::vector<uint16_t> row;
    const char* why;
  } cases[] = {
      {false, 1.0f, true, 0x0000FF, {kRed, kWhite, kBlue}, "keyed skips marked pixels"},
      {false, 0.0f, false, 0x0000FF, {kRed, kWhite, 0x8000}, "unkeyed copies raw, no opacity"},
      {false, 0.0f, true, 0x0000FF, {kBlue, kBlue, kBlue}, "opacity 0 draws nothing"},
      {true, 1.0f, true, 0, {0, kGrey, kWhite}, "the alpha channel decides"},
      {true, 0.5f, true, 0, {0, (8 << 10) | (8 << 5) | 8, kGrey}, "alpha x opacity"},
  };
  for (const Case& c : cases) {
    GSurface16& from = c.alphaSource ? static_cast<GSurface16&>(alpha) : src;
    dst.Clear(c.background);
    from.SetSurfaceAlpha(c.surfaceAlpha);
    dst.Blt(&from, 0, 0, 0, 0, 0, 0, c.key);
    EXPECT_EQ(Row(dst), c.row) << c.why;
  }
}

TEST_F(BltFixture, ClipAndSourceRectangleLimitTheCopy) {
  dst.SetModified(false);
  dst.SetClip(0, 0, 1, 1);
  dst.Blt(&src, 1, 0, 0, 0, 0, 0, false);
  dst.Blt(&src, -3, 0, 0, 0, 0, 0, false);
  dst.Blt(&src, 0, 1, 0, 0, 0, 0, false);
  EXPECT_FALSE(dst.IsModified());
  dst.Blt(&src, -1, 0, 0, 0, 0, 0, false);
  EXPECT_TRUE(dst.IsModified());
  EXPECT_EQ(Row(dst), (std::vector<uint16_t>{kWhite, kBlue, kBlue}))
      << "the source offset moves with the clipped edge";

  Surf big(6, 3);
  big.Blt(&src, 0, 0, -1, -1, 10, 10, false);
  EXPECT_EQ(Picture(big), Rows("......", ".##T..", "......"));
  big.Blt(&src, 0, 0, 3, 0, 5, 1, false);  // starts past the source's right edge
  EXPECT_EQ(big.GetPixel16(0, 0), 0);
}

// Self-blits in every direction must give what a blit from a separate copy gives.
TEST(GSurfaceBlt, OverlappingSelfBlitReadsOnlyOriginalPixels) {
  const int shifts[][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0},  {0, -1, 0},
                           {1, 1, 1}, {-1, 0, 1}, {0, -1, 1}, {-1, -1, 1}};
  for (const auto& [dx, dy, keyed] : shifts) {
    SCOPED_TRACE(::testing::Message() << dx << "," << dy << (keyed ? " keyed" : ""));
    Surf surface(7, 7), original(7, 7), expected(7, 7);
    for (int i = 0; i < 49; ++i) Put(surface, i % 7, i / 7, static_cast<uint16_t>(i + 1));
    surface.MaskTransparentPixel(3 * 7 + 3);  // one hole in the middle of the block
    original.Blt(&surface, 0, 0, 0, 0, 0, 0, false);
    original.SetOpaque(false);
    expected.Blt(&surface, 0, 0, 0, 0, 0, 0, false);
    expected.Blt(&original, 2 + dx, 2 + dy, 2, 2, 3, 3, keyed);
    surface.Blt(&surface, 2 + dx, 2 + dy, 2, 2, 3, 3, keyed);
    for (int i = 0; i < 49; ++i)
      ASSERT_EQ(surface.GetPixel16(i % 7, i / 7), expected.GetPixel16(i % 7, i / 7)) << i;
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "GUI/graphics/GSurface16.h"
#include "tests/GUI/graphics/SurfaceTestUtil.h"

namespace {

using namespace surface_test;

constexpr uint16_t kGrey16 = (16 << 10) | (16 << 5) | 16;

struct BltFixture : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(dst.Create(3, 1));
    dst.Clear(0x0000FF);
    ASSERT_TRUE(src.Create(3, 1));
    Put(src, 0, 0, kRed);
    Put(src, 1, 0, kWhite);
    src.MaskTransparentPixel(2);
  }
  GSurface16 dst, src;
};

TEST_F(BltFixture, KeyedSkipsMarkedPixelsUnkeyedCopiesThemRaw) {
  dst.Blt(&src, 0, 0, 0, 0, 0, 0, true);
  EXPECT_EQ(dst.GetPixel16(0, 0), kRed);
  EXPECT_EQ(dst.GetPixel16(2, 0), kBlue);

  src.SetSurfaceAlpha(0.0f);  // ignored without the key
  dst.Blt(&src, 0, 0, 0, 0, 0, 0, false);
  EXPECT_EQ(dst.GetPixel16(1, 0), kWhite);
  EXPECT_EQ(dst.GetPixel16(2, 0), 0x8000) << "the raw transparent pixel arrives";
}

TEST_F(BltFixture, SurfaceAlphaBlendsAndZeroDrawsNothing) {
  dst.Clear(0);
  src.SetSurfaceAlpha(0.5f);
  dst.Blt(&src, 0, 0, 0, 0, 0, 0, true);
  EXPECT_EQ(dst.GetPixel16(0, 0), 16 << 10) << "31 x 0.5 rounds up";
  EXPECT_EQ(dst.GetPixel16(1, 0), kGrey16);
  EXPECT_EQ(dst.GetPixel16(2, 0), 0);

  dst.Clear(0x0000FF);
  src.SetSurfaceAlpha(0.0f);
  dst.Blt(&src, 0, 0, 0, 0, 0, 0, true);
  EXPECT_EQ(Picture(dst), Rows("###"));
  EXPECT_EQ(dst.GetPixel16(0, 0), kBlue);

  src.SetSurfaceAlpha(1.5f);  // above 1 means "no global opacity"
  dst.Blt(&src, 0, 0, 0, 0, 0, 0, true);
  EXPECT_EQ(dst.GetPixel16(1, 0), kWhite);
}

TEST_F(BltFixture, AlphaChannelDecidesEachPixel) {
  GSurface16 a;
  ASSERT_TRUE(a.Create(3, 1));
  a.Clear(0xFFFFFF);
  a.ChangeAlpha(0.0f);
  a.GetAlpha()[0] = 0.0f;
  a.GetAlpha()[1] = 128 / 255.0f;
  a.GetAlpha()[2] = 1.0f;
  dst.Clear(0);
  dst.Blt(&a, 0, 0, 0, 0, 0, 0, true);
  EXPECT_EQ(dst.GetPixel16(0, 0), 0);
  EXPECT_EQ(dst.GetPixel16(1, 0), kGrey16);
  EXPECT_EQ(dst.GetPixel16(2, 0), kWhite);

  a.SetSurfaceAlpha(0.5f);
  dst.Clear(0);
  dst.Blt(&a, 0, 0, 0, 0, 0, 0, true);
  EXPECT_EQ(dst.GetPixel16(2, 0), kGrey16) << "alpha 1 x multiplier 0.5";
  EXPECT_EQ(dst.GetPixel16(1, 0), (8 << 10) | (8 << 5) | 8);
}

TEST_F(BltFixture, OutsideTheClipTouchesNothing) {
  dst.SetModified(false);
  dst.SetClip(0, 0, 1, 1);
  dst.Blt(&src, 1, 0, 0, 0, 0, 0, false);
  dst.Blt(&src, -3, 0, 0, 0, 0, 0, false);
  dst.Blt(&src, 0, 1, 0, 0, 0, 0, false);
  EXPECT_FALSE(dst.IsModified());
  EXPECT_EQ(dst.GetPixel16(1, 0), kBlue);

  dst.Blt(&src, -1, 0, 0, 0, 0, 0, false);
  EXPECT_TRUE(dst.IsModified());
  EXPECT_EQ(dst.GetPixel16(0, 0), kWhite) << "the source offset moves with the clipped edge";
  EXPECT_EQ(dst.GetPixel16(1, 0), kBlue);
}

TEST_F(BltFixture, SourceRectangleIsKeptInsideTheSource) {
  GSurface16 big;
  ASSERT_TRUE(big.Create(6, 3));
  big.Blt(&src, 0, 0, -1, -1, 10, 10, false);
  EXPECT_EQ(Picture(big), Rows("......", ".##T..", "......"));
  big.Blt(&src, 0, 0, 3, 0, 5, 1, false);  // starts past the source's right edge
  EXPECT_EQ(big.GetPixel16(0, 0), 0);
}

TEST_F(BltFixture, FullSurfaceFastPathAndForeignTarget) {
  GSurface16 copy;
  ASSERT_TRUE(copy.Create(3, 1));
  copy.Blt(&src, 0, 0, 0, 0, 0, 0, false);
  EXPECT_EQ(copy.GetPixel16(2, 0), 0x8000);

  // Drawing goes to borrowed memory until Unlock; the pitch may be wider.
  std::vector<uint16_t> texture(5, 0x1234);
  dst.SetPtrAndPitch(texture.data(), 10);
  dst.Blt(&src, 1, 0, 0, 0, 2, 1, true);
  dst.FillRect(0, 0, 1, 1, 0x00FF00);
  EXPECT_EQ(texture, (std::vector<uint16_t>{kGreen, kRed, kWhite, 0x1234, 0x1234}));
  EXPECT_EQ(dst.GetPixel16(1, 0), kBlue) << "the surface's own pixels stay as they were";
  dst.Unlock();
  dst.FillRect(0, 0, 1, 1, 0xFF0000);
  EXPECT_EQ(dst.GetPixel16(0, 0), kRed);
  EXPECT_EQ(texture[0], kGreen);
}

// Self-blits in every direction must give what a blit from a separate copy gives.
struct Shift {
  int dx, dy;
  bool keyed;
};

class SelfBlt : public ::testing::TestWithParam<Shift> {};

TEST_P(SelfBlt, OverlappingBlitReadsOnlyOriginalPixels) {
  const Shift s = GetParam();
  GSurface16 surface;
  ASSERT_TRUE(surface.Create(7, 7));
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) Put(surface, x, y, static_cast<uint16_t>(y * 7 + x + 1));
  surface.MaskTransparentPixel(3 * 7 + 3);  // one hole in the middle of the block
  GSurface16 original;
  ASSERT_TRUE(original.Create(7, 7));
  original.Blt(&surface, 0, 0, 0, 0, 0, 0, false);
  original.SetOpaque(false);
  GSurface16 expected;
  ASSERT_TRUE(expected.Create(7, 7));
  expected.Blt(&surface, 0, 0, 0, 0, 0, 0, false);
  expected.Blt(&original, 2 + s.dx, 2 + s.dy, 2, 2, 3, 3, s.keyed);

  surface.Blt(&surface, 2 + s.dx, 2 + s.dy, 2, 2, 3, 3, s.keyed);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x)
      ASSERT_EQ(surface.GetPixel16(x, y), expected.GetPixel16(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(AllDirections, SelfBlt,
                         ::testing::Values(Shift{1, 0, false}, Shift{-1, 0, false},
                                           Shift{0, 1, false}, Shift{0, -1, false},
                                           Shift{1, 0, true}, Shift{-1, 0, true}, Shift{0, 1, true},
                                           Shift{0, -1, true}, Shift{1, 1, true},
                                           Shift{-1, -1, true}));

TEST(GSurfaceCopy, FieldDependsOnTheSourcesTransparency) {
  GSurface16 opaque, keyed, alpha, cell;
  ASSERT_TRUE(opaque.Create(2, 2));
  opaque.Clear(0xFFFFFF);
  ASSERT_TRUE(keyed.Create(2, 2));
  keyed.Clear(0xFFFFFF);
  keyed.MaskTransparentPixel(0);
  ASSERT_TRUE(alpha.Create(2, 2));
  alpha.Clear(0xFFFFFF);
  alpha.ChangeAlpha(-0.5f);

  ASSERT_TRUE(cell.Create(4, 3));
  cell.Copy(&keyed, 1, 1);
  EXPECT_FALSE(cell.IsOpaque());
  EXPECT_EQ(Picture(cell), Rows("TTTT", "TT#T", "T##T"));

  cell.Copy(&alpha, 1, 1);
  EXPECT_TRUE(cell.HasAlpha());
  EXPECT_FLOAT_EQ(cell.GetPixelAlpha(0, 0), 0.0f);
  EXPECT_FLOAT_EQ(cell.GetPixelAlpha(2, 2), 0.5f);

  cell.Copy(&keyed, 0, 0);
  EXPECT_FALSE(cell.HasAlpha()) << "the transparent marks decide again";
  EXPECT_FLOAT_EQ(cell.GetPixelAlpha(3, 2), 0.0f);

  cell.Copy(&opaque, -1, 2);  // clipped on two sides
  EXPECT_TRUE(cell.IsOpaque());
  EXPECT_FALSE(cell.HasAlpha());
  EXPECT_EQ(Picture(cell), Rows("....", "....", "#..."));
}

}  // namespace

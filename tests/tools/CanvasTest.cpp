// The raster helpers every picture of the game is drawn with: sampling,
// outlines, blending, and the bytes they write.

#include "tools/art/Canvas.h"

#include <gtest/gtest.h>

#include <string>

#include <stb/stb_image.h>

#include "tests/support/Files.h"

namespace {

using art::Canvas;
using art::Rgb;
using art::Rgba;

int Count(const Canvas& c) {
  int n = 0;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) n += c.IsOpaque(x, y);
  return n;
}

TEST(Canvas, ShapesCoverExactlyThePixelCentresInside) {
  Canvas c(8, 8);
  c.Circle(3.5, 3.5, 0.5, Rgb(0xFFFFFF));
  EXPECT_EQ(Count(c), 1);
  EXPECT_TRUE(c.IsOpaque(3, 3));
  Canvas r(8, 8);
  r.Polygon({1, 1, 5, 1, 5, 4, 1, 4}, Rgb(0xFFFFFF));
  EXPECT_EQ(Count(r), 4 * 3);
  Canvas k(8, 8);
  k.Capsule(1.5, 2.5, 5.5, 2.5, 0.5, Rgb(0xFFFFFF));
  EXPECT_EQ(Count(k), 5);
}

TEST(Canvas, OutlineSurroundsWithFourOrEightNeighbours) {
  for (bool diagonal : {false, true}) {
    Canvas c(5, 5);
    c.Set(2, 2, Rgb(0xFFFFFF));
    c.Outline(Rgb(0x000001), diagonal);
    EXPECT_EQ(Count(c), diagonal ? 9 : 5);
    EXPECT_EQ(c.Get(2, 2), Rgb(0xFFFFFF)) << "the shape itself is kept";
  }
}

TEST(Canvas, BlendOverTransparentKeepsTheColourAndTakesCoverageAsAlpha) {
  Canvas c(2, 1);
  c.Blend(0, 0, Rgb(0x204060), 128);
  EXPECT_EQ(c.Get(0, 0), (Rgba{0x20, 0x40, 0x60, 128}));
  c.Set(1, 0, Rgb(0x000000));
  c.Blend(1, 0, Rgb(0xFFFFFF), 255);
  EXPECT_EQ(c.Get(1, 0), Rgb(0xFFFFFF));
  EXPECT_EQ(c.MirrorX().Get(1, 0).a, 128);
}

struct Decoded {
  int w = 0, h = 0, channels = 0;
  std::vector<uint8_t> rgba;
};

Decoded Decode(const std::string& path) {
  Decoded d;
  stbi_uc* p = stbi_load(path.c_str(), &d.w, &d.h, &d.channels, 4);
  if (p) d.rgba.assign(p, p + size_t(d.w) * size_t(d.h) * 4);
  stbi_image_free(p);
  return d;
}

TEST(Canvas, WrittenFilesDecodeToTheSamePixelsTopRowFirst) {
  TempDir dir;
  Canvas c(3, 2);
  c.Fill(Rgb(0x112233));
  c.Set(0, 0, Rgb(0xFF0000));
  ASSERT_TRUE(c.WritePng(dir / "opaque.png"));
  Decoded d = Decode(dir / "opaque.png");
  EXPECT_EQ(d.channels, 3) << "an opaque picture is stored without alpha";
  ASSERT_EQ(d.rgba.size(), 24u);
  EXPECT_EQ(d.rgba[0], 0xFF);
  EXPECT_EQ(d.rgba[4], 0x11);

  // A transparent pixel is stored as transparent black whatever its colour.
  c.Set(2, 1, Rgba{0xAA, 0xBB, 0xCC, 0});
  ASSERT_TRUE(c.WritePng(dir / "keyed.png"));
  d = Decode(dir / "keyed.png");
  EXPECT_EQ(d.channels, 4);
  ASSERT_EQ(d.rgba.size(), 24u);
  EXPECT_EQ(d.rgba[20], 0);
  EXPECT_EQ(d.rgba[23], 0);

  // Font images are TGA; the decoder must see the first row on top.
  ASSERT_TRUE(c.WriteTga(dir / "glyphs.tga"));
  d = Decode(dir / "glyphs.tga");
  ASSERT_EQ(d.rgba.size(), 24u);
  EXPECT_EQ(d.rgba[0], 0xFF);
  EXPECT_EQ(d.rgba[3], 0xFF);
}

}  // namespace

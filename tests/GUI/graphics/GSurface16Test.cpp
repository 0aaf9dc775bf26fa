#include "GUI/graphics/GSurface16.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "tests/support/Files.h"
#include "tests/support/Geometry.h"
#include "tests/support/Surfaces.h"

namespace {

using namespace surface_test;

// Lines of every direction and length draw the notched message box buttons,
// which are a golden picture.
TEST(GSurface16, RectanglesAndClippingAtEveryEdge) {
  Surf r(6, 4);
  r.DrawRect(0, 0, 1, 1, 0xFF0000);
  r.DrawRect(2, 0, 4, 4, 0xFF0000);
  r.DrawRect(0, 3, 0, 5, 0xFF0000);  // empty: must not paint a stray column
  r.DrawRect(1, 3, 3, -1, 0xFF0000);
  EXPECT_EQ(Picture(r), Rows("#.####", "..#..#", "..#..#", "..####"));

  // Under the clip (1, 1, 3, 3) each rectangle reaches past one edge and
  // leaves one pixel; the last one lies wholly outside.
  Surf clipped(5, 5);
  ASSERT_TRUE(clipped.SetClip(1, 1, 3, 3));
  clipped.FillRect(-3, 2, 5, 1, 0xFFFFFF);
  clipped.FillRect(3, 2, 9, 1, 0xFFFFFF);
  clipped.FillRect(2, -4, 1, 6, 0xFFFFFF);
  clipped.FillRect(2, 3, 1, 9, 0xFFFFFF);
  clipped.FillRect(4, 4, 3, 3, 0xFFFFFF);
  EXPECT_EQ(Picture(clipped), Rows(".....", "..#..", ".#.#.", "..#..", "....."));
}

TEST(GSurface16, ClipAndOrigin) {
  Surf s(4, 4);
  int x, y, w, h;
  EXPECT_TRUE(s.SetClip(-2, 3, 10, 10));
  s.GetClip(x, y, w, h);
  EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{0, 3, 4, 1}));
  EXPECT_FALSE(s.SetClip(4, 0, 2, 2));

  s.SetOrigin(2, 1);
  s.FillRect(0, 0, 1, 1, 0xFFFFFF);
  s.DrawLine(-2, 2, -1, 2, 0xFFFFFF);
  EXPECT_EQ(Picture(s), Rows("....", "..#.", "....", "##.."));

  // Hostile sizes and coordinates near the int limits fail or clip without overflowing.
  int sx = 0, sy = 0, bx = 2147483600, by = 0, bw = 1000, bh = 1;
  EXPECT_FALSE(s.IntersectRect(bx, by, sx, sy, bw, bh));
  bx = -2147483600, bw = 2147483647;
  EXPECT_TRUE(s.IntersectRect(bx, by, sx, sy, bw, bh));
  EXPECT_FALSE(s.Create(-1, 4));
  EXPECT_EQ(s.GetWidth(), 0);
  EXPECT_TRUE(s.Create(0, 0)) << "an empty surface is a valid surface";
}

TEST(GSurface16, TransparencyHitsAndAlphaChanges) {
  Surf s(2, 1);
  SURFACE_RGB c;
  Put(s, 0, 0, kWhite);
  s.MaskTransparentPixel(1);
  Put(s, 1, 0, 0x8000 | kWhite);
  s.GetPixelRGB(1, 0, &c);
  EXPECT_FLOAT_EQ(c.g, 0.0f) << "a transparent pixel reads black";
  for (int x : {1, -1, 2}) EXPECT_FALSE(s.IsOver(x, 0)) << x;

  // Soft frames fade by ChangeAlpha; only alpha above 0.1 is hit.
  s.ChangeAlpha(-0.85f);
  EXPECT_TRUE(s.IsOver(0, 0));
  s.ChangeAlpha(-0.1f);
  EXPECT_FALSE(s.IsOver(0, 0));
}

TEST(GSurface16, MixKeepsTransparentMarks) {
  Surf m(2, 1);
  m.MaskTransparentPixel(1);
  m.MixColor(0xFFFFFF, 0.5f);
  EXPECT_EQ(m.GetPixel16(0, 0), kGrey);
  EXPECT_TRUE(m.GetPixel16(1, 0) & 0x8000) << "a transparent pixel must stay transparent";
}

TEST(GSurface16, TgaFileAndTextureRectangleCopies) {
  Surf s(2, 2);
  Put(s, 0, 0, kRed);
  Put(s, 1, 0, kGreen);
  Put(s, 0, 1, kBlue);
  s.MaskTransparentPixel(3);

  TempDir dir;
  ASSERT_TRUE(s.SaveTGA((dir / "2x2.tga").c_str()));
  const std::vector<unsigned char> expected = {
      0,    0, 2,    0,    0, 0,    0, 0,   0, 0, 0, 0, 2, 0, 2, 0, 32, 8,  // header
      0xFF, 0, 0,    0xFF, 0, 0,    0, 0,      // bottom row: blue, hidden
      0,    0, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF};  // top row: red, green
  EXPECT_EQ(ReadBytes(dir / "2x2.tga"), expected);
  EXPECT_FALSE(s.SaveTGA("/nonexistent-folder/x.tga"));

  // One rectangle into memory that starts at its top-left pixel: every pixel
  // of it written, modified or not, and nothing beyond its width.
  Surf wide(3, 2);
  Put(wide, 1, 0, kRed);
  Put(wide, 2, 0, kGreen);
  Put(wide, 1, 1, kBlue);
  Put(wide, 2, 1, 0x8000 | kWhite);
  wide.SetModified(false);
  const CFerroRect right(1, 0, 3, 2);
  const uint32_t kUntouched = 0xAAAAAAAA;
  std::vector<uint32_t> tex(6, kUntouched);  // pitch of 3 pixels
  ASSERT_TRUE(wide.CopyRectToTexture(tex.data(), 12, 32, right));
  EXPECT_EQ(tex, (std::vector<uint32_t>{0xFFFF0000u, 0xFF00FF00u, kUntouched, 0xFF0000FFu,
                                        0xFFFFFFFFu, kUntouched}));
  for (const CFerroRect& outside : {CFerroRect(2, 0, 4, 2), CFerroRect(-1, 0, 1, 1), CFerroRect()})
    EXPECT_FALSE(wide.CopyRectToTexture(tex.data(), 12, 32, outside));
  EXPECT_FALSE(wide.CopyRectToTexture(tex.data(), 4, 32, right)) << "pitch below the width";
  EXPECT_FALSE(wide.CopyRectToTexture(tex.data(), 12, 24, right)) << "no such texture format";
}

// Subclasses and drawing code that set the flag without an area.
struct FlagOnly : Surf {
  FlagOnly() : Surf(6, 4) {}
  void Touch() { modified = true; }
};

TEST(GSurface16, EveryChangeRecordsTheAreaItChanged) {
  // On a 6 x 4 surface with the clip (1, 1, 4, 2).
  struct Case {
    const char* what;
    std::function<void(GSurface16&)> draw;
    CFerroRect area;  // empty: nothing changed
  };
  Surf sprite(2, 2);
  const Case cases[] = {
      {"a rectangle moved by the origin",
       [](GSurface16& s) {
         s.SetOrigin(1, 1);
         s.FillRect(0, 0, 2, 1, 0xFFFFFF);
       },
       {1, 1, 3, 2}},
      {"a rectangle cut by the clip",
       [](GSurface16& s) { s.FillRect(-5, 0, 7, 9, 0xFFFFFF); },
       {1, 1, 2, 3}},
      {"a rectangle outside the clip", [](GSurface16& s) { s.FillRect(5, 0, 1, 4, 1); }, {}},
      {"a slanted line: its box", [](GSurface16& s) { s.DrawLine(2, 1, 3, 2, 1); }, {2, 1, 4, 3}},
      {"a flood fill: the clip",
       [](GSurface16& s) { s.FloodFill(2, 1, 0xFFFFFF, 0x0000FF); },
       {1, 1, 5, 3}},
      {"a blit cut by the clip",
       [&](GSurface16& s) { s.Blt(&sprite, 4, 2, 0, 0, 0, 0, false); },
       {4, 2, 5, 3}},
      {"the flag set by code that records no area",
       [](GSurface16& s) { static_cast<FlagOnly&>(s).Touch(); },
       {0, 0, 6, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FlagOnly s;
    EXPECT_EQ(s.TakeModifiedArea(), CFerroRect(0, 0, 6, 4)) << "a new surface changed everywhere";
    s.SetClip(1, 1, 4, 2);
    c.draw(s);
    EXPECT_EQ(s.IsModified(), !c.area.IsEmpty());
    EXPECT_EQ(s.TakeModifiedArea(), c.area);
    EXPECT_FALSE(s.IsModified());
    EXPECT_EQ(s.GetModifiedArea(), CFerroRect()) << "taken";
  }
}

// More separate changes than the surface keeps rectangles for: they are
// joined, none overlaps another, and every changed pixel is in one of them.
TEST(GSurface16, TheModifiedRectanglesCoverEveryChange) {
  Surf s(100, 50);
  s.SetModified(false);
  std::vector<CFerroRect> drawn;
  for (int i = 0; i < 2 * GSurface::kModifiedRects; ++i)
    drawn.emplace_back(i % 10 * 10, i / 10 * 10, i % 10 * 10 + 3, i / 10 * 10 + 2);
  for (const CFerroRect& r : drawn) s.FillRect(r.left, r.top, r.Width(), r.Height(), 1);
  const std::vector<CFerroRect> rects = s.GetModifiedRects();
  EXPECT_LE(rects.size(), static_cast<size_t>(GSurface::kModifiedRects));
  for (size_t i = 0; i < rects.size(); ++i)
    for (size_t j = i + 1; j < rects.size(); ++j) EXPECT_FALSE(rects[i].Intersects(rects[j]));
  for (const CFerroRect& r : drawn)
    EXPECT_TRUE(std::any_of(rects.begin(), rects.end(),
                            [&](const CFerroRect& kept) { return kept.ContainsRect(r); }));
  EXPECT_EQ(s.GetModifiedArea(), CFerroRect(0, 0, 93, 32));
}

}  // namespace

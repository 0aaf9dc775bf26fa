#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "GUI/graphics/FONTEX.h"
#include "GUI/graphics/TextBorder.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/Surfaces.h"

namespace {

using namespace surface_test;

// A hand-made font "Mini", 2 pixels high, over a 6 x 2 alpha map:
//   column 0 = (255, 0), 1 = (128, 255): 'A' (x 0, width 2)
//   column 2 = (0, 0),   3 = (0, 255):   'B' (x 2, width 2)
//   column 4 = (255, 255):               '=' (width 1) and 255 (width 2, columns 4, 5)
//   every other character has width 0.
const std::vector<std::vector<unsigned char>> kColumns = {{255, 0}, {128, 255}, {0, 0},
                                                          {0, 255}, {255, 255}, {0, 0}};

std::string MiniDescription(const std::string& header =
                                "Font=Mini\r\nHeight=2\r\n"
                                "Weight=400\r\nItalic=0\r\n",
                            std::map<int, std::string> entries = {}) {
  std::map<int, std::string> glyphs = {
      {'A', "0,0,2"}, {'B', "2,0,2"}, {'=', "4,0,1"}, {255, "4,0,2"}};
  for (const auto& [c, value] : entries) glyphs[c] = value;
  std::string text = header + "x,y,width\r\n";
  for (int c = 32; c < 256; ++c) {
    text += static_cast<char>(c);
    text += (c == '=' ? "==" : "=") + (glyphs.count(c) ? glyphs[c] : std::string("5,0,0")) + "\r\n";
  }
  return text;
}

// The alpha map as an uncompressed 32-bit TGA file, top row first.
std::string MiniImage() {
  const int w = static_cast<int>(kColumns.size()), h = 2;
  std::string tga = {
      0, 0,  2,   0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<char>(w), 0, static_cast<char>(h),
      0, 32, 0x28};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      tga += std::string{'\x10', '\x20', '\x30', static_cast<char>(kColumns[x][y])};
  return tga;
}

const unsigned char* U(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

// A headless device that surfaces draw text with.
struct FontDevice : GDevice {
  FontDevice() : GDevice(true) { GSurface::device = this; }
  GSurface* NewSurface() override { return new GSurface16; }
  int AddMini(const std::string& description = MiniDescription()) {
    const std::string image = MiniImage();
    return AddFontex(U(image), static_cast<int>(image.size()), U(description),
                     static_cast<int>(description.size()));
  }
};

struct FontTest : ::testing::Test {
  void SetUp() override { ASSERT_EQ(device.AddMini(), 0); }
  FontDevice device;
};

// Every raw pixel, row after row.
std::vector<uint16_t> All(const GSurface16& s) {
  std::vector<uint16_t> out;
  for (int y = 0; y < s.GetHeight(); ++y)
    for (int x = 0; x < s.GetWidth(); ++x) out.push_back(s.GetPixel16(x, y));
  return out;
}

// '.' transparent, 't' text colour (white), 'b' border colour (red), 'x' other.
std::string Caption(const GSurface16& s) {
  std::string out;
  for (int y = 0; y < s.GetHeight(); ++y) {
    for (int x = 0; x < s.GetWidth(); ++x) {
      const uint16_t p = s.GetPixel16(x, y);
      out += (p & 0x8000) ? '.' : p == kWhite ? 't' : p == kRed ? 'b' : 'x';
    }
    out += '\n';
  }
  return out;
}

TEST(Fonts, ShippedFontsLoadThroughTheGame) {
  TempDir dir;
  HeadlessGame game(dir.Path());
  ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
  GDevice* device = game.GetDevice();
  const std::string folder = std::string(std::getenv("DIGMAZE_GAME_DIR")) + "/windows/";
  const char* names[] = {"Tahoma16bold", "Tahoma21", "tahoma18bold", "tahoma21bold"};
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(game.CreateFontex((folder + names[i]).c_str()), i) << names[i];
    FONTEX* font = device->GetFontex(i);
    int visible = 0;
    for (const SYMBOL& s : font->symbols) {
      EXPECT_EQ(s.GetHeight(), font->height) << names[i];
      visible += s.GetWidth() > 0;
    }
    EXPECT_EQ(visible, FONTEX::kSymbolCount) << names[i];
  }
  EXPECT_EQ(device->GetFontex(1)->name, "DejaVu Sans");
  EXPECT_EQ(game.CreateFontex((folder + "Tahoma21").c_str()), 1) << "loaded once";
  EXPECT_EQ(game.CreateFontex((folder + "NoSuchFont").c_str()), -1);

  // A bare name falls back to the game's font folder.
  WriteText(dir / "Font/mini.tga", MiniImage());
  WriteText(dir / "Font/mini.txt", MiniDescription());
  EXPECT_EQ(game.CreateFontex("mini"), 4);

  // Vertical captions: one character per line, each overlapping the last by 5.
  GSurface16 caption;
  ASSERT_TRUE(caption.CreateFromText("AW", 1, 0xFFFFFF, nullptr, 0, true));
  const FONTEX* tahoma = device->GetFontex(1);
  EXPECT_EQ(caption.GetWidth(), std::max(tahoma->GetCharWidth('A'), tahoma->GetCharWidth('W')));
  EXPECT_EQ(caption.GetHeight(), 2 * (21 - 5) + 5);
}

// Sizes count glyph widths only; without text or font nothing is measured or drawn.
TEST_F(FontTest, TextSizeAndNothingToDrawWith) {
  struct Case {
    const char* text;
    int font, w, h;
  } cases[] = {
      {"", 0, 0, 2},   {"AB", 0, 4, 2},    {"A\tB\n", 0, 4, 2}, {"\xff", 0, 2, 2},
      {"A=", 0, 3, 2}, {nullptr, 0, 0, 0}, {"AB", 1, 0, 0},     {"AB", -1, 0, 0},
  };
  for (const Case& c : cases) {
    int w = -1, h = -1;
    device.GetTextSize(c.text, c.font, w, h);
    EXPECT_EQ(w * 100 + h, c.w * 100 + c.h) << (c.text ? c.text : "null") << " font " << c.font;
  }

  Surf s(2, 2);
  TextBorder border;
  EXPECT_FALSE(s.TextOut(0, 0, nullptr, 0, 0xFFFFFF, 0));
  EXPECT_FALSE(s.TextOut(0, 0, "A", 7, 0xFFFFFF, 0));
  EXPECT_FALSE(s.CreateFromText("A", 7, 0xFFFFFF, &border, 0, false));
  ASSERT_TRUE(s.CreateFromText("", 0, 0xFFFFFF, &border, 0, false));
  EXPECT_EQ(s.GetWidth() * 10 + s.GetHeight(), 2) << "an empty caption is one empty line";
  GSurface::device = nullptr;
  EXPECT_FALSE(s.TextOut(0, 0, "A", 0, 0xFFFFFF, 0));
}

TEST_F(FontTest, TextWithBackgroundFillsTheGlyphRectangles) {
  Surf s(4, 3);
  s.Clear(0x00FF00);
  s.SetOrigin(1, 0);
  s.SetModified(false);
  ASSERT_TRUE(s.TextOut(3, 1, "A", 0, 0xFFFFFF, 0x0000FF));
  EXPECT_FALSE(s.IsModified()) << "entirely outside the clip";
  ASSERT_TRUE(s.TextOut(0, 1, "A", 0, 0xFFFFFF, 0x0000FF));
  EXPECT_TRUE(s.IsModified());
  const uint16_t g = kGreen, b = kBlue, w = kWhite, mix = (16 << 10) | (16 << 5) | 31;
  EXPECT_EQ(All(s), (std::vector<uint16_t>{g, g, g, g, g, w, mix, g, g, b, w, g}))
      << "coverage 0 takes the background, 128/255 mixes blue and white";
}

TEST_F(FontTest, TextWithoutBackgroundChangesOnlyCoveredPixels) {
  Surf s(6, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) Put(s, x, y, static_cast<uint16_t>((x + 1) * 0x0421 + y * 0x0400));
  s.MaskTransparentPixel(1 * 6 + 1);  // (1, 1): fully covered
  s.MaskTransparentPixel(2 * 6 + 1);  // (1, 2): not covered
  std::vector<uint16_t> expected = All(s);
  ASSERT_TRUE(s.TextOut(1, 1, "A\x01 B", 0, 0xFFFFFF, DEFAULT_COLOR));
  // 'A' at x 1..2, 'B' at x 3..4 (the control character and the blank take no room).
  expected[1 * 6 + 1] = expected[2 * 6 + 2] = expected[2 * 6 + 4] = kWhite;
  expected[1 * 6 + 2] = surface_color::BlendPixel16(expected[1 * 6 + 2], kWhite, 128 / 255.0f);
  EXPECT_EQ(All(s), expected);
}

TEST_F(FontTest, CaptionIsOutlined) {
  TextBorder border;
  ASSERT_TRUE(border.CreateCircle(1));
  Surf s(1, 1);
  s.SetOrigin(5, 5);
  ASSERT_TRUE(s.CreateFromText("AB", 0, 0xFFFFFF, &border, 0xFF0000, false));
  EXPECT_FALSE(s.IsOpaque());
  // The text is 4 x 2; its glyph pixels are (1,1), (2,1) (partly covered, 'x'),
  // (2,2) and (4,2); every transparent pixel next to one is outlined.
  EXPECT_EQ(Caption(s), Rows("bbbb..", "btxbbb", "bbtbtb", ".bbbbb"));

  // Text in the border's colour is outlined all the same.
  ASSERT_TRUE(s.CreateFromText("A", 0, 0xFF0000, &border, 0xFF0000, false));
  EXPECT_EQ(Caption(s), Rows("bbbb", "bbxb", "bbbb", ".bbb"));
  ASSERT_TRUE(s.CreateFromText("  ", 0, 0xFFFFFF, &border, 0xFF0000, false));
  EXPECT_EQ(Caption(s), Rows("..", "..", "..", "..")) << "no glyph pixel, no outline";
}

TEST_F(FontTest, DamagedDescriptionsAreRefused) {
  const std::string header = "Height=2\r\nWeight=400\r\nItalic=0\r\n";
  auto other = [&](std::map<int, std::string> entries = {}) {
    return MiniDescription("Font=Other\r\n" + header, std::move(entries));
  };
  const std::string image = MiniImage(), good = other();
  struct Case {
    const char* why;
    std::string image, description;
  } cases[] = {
      {"missing Font", image, MiniDescription(header)},
      {"empty Height", image, MiniDescription("Font=Other\r\nHeight=\r\nWeight=4\r\nItalic=0\r\n")},
      {"missing table", image, "Font=Other\r\n" + header + "A=0,0,2\r\n"},
      {"missing comma", image, other({{'B', "2,02"}})},
      {"missing entry", image, std::string(good).erase(good.find("B=2,0,2\r\n"), 9)},
      {"right of the image", image, other({{'B', "5,0,2"}})},
      {"below the image", image,
       MiniDescription("Font=Other\r\nHeight=3\r\nWeight=4\r\nItalic=0\r\n")},
      {"negative position or width", image, other({{'B', "-1,0,1"}, {'A', "0,0,-1"}})},
      {"undecodable image", std::string(40, 'x'), good},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(device.AddFontex(U(c.image), static_cast<int>(c.image.size()), U(c.description),
                               static_cast<int>(c.description.size())),
              -1)
        << c.why;
    EXPECT_EQ(device.GetFontCount(), 1) << c.why;
  }
  EXPECT_EQ(device.AddMini(good), 1) << "the undamaged description loads";
  EXPECT_EQ(device.AddMini(), 0) << "an equal font is not loaded again";

  // Lines ending in a bare line feed are read as well.
  std::string unix = MiniDescription("Font=Unix\n" + header);
  for (size_t at; (at = unix.find('\r')) != std::string::npos;) unix.erase(at, 1);
  EXPECT_EQ(device.AddMini(unix), 2);
}

TEST(TextBorderTest, CircleRadiusLimits) {
  TextBorder border;
  ASSERT_TRUE(border.CreateCircle(2));
  EXPECT_EQ(border.GetCount(), 21) << "(2, 1) is 2.24 away, (2, 2) 2.83";
  ASSERT_TRUE(border.CreateCircle(17));
  EXPECT_EQ(border.GetCount(), 973);
  for (int radius : {18, -1}) {
    EXPECT_FALSE(border.CreateCircle(radius)) << radius;
    EXPECT_EQ(border.GetCount() * 100 + border.GetRadius(), 0) << radius;
  }
}

}  // namespace

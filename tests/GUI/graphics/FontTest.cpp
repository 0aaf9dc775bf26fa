#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "GUI/foundation/Utf8Text.h"
#include "GUI/graphics/FONTEX.h"
#include "GUI/graphics/SurfaceColor.h"
#include "GUI/graphics/TextBorder.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/Surfaces.h"

namespace {

using namespace surface_test;

// A hand-made font "Mini", 2 pixels high, over a 6 x 2 alpha map:
//   column 0 = (255, 0), 1 = (128, 255): 'A' (x 0, width 2)
//   column 2 = (0, 0),   3 = (0, 255):   'B' (x 2, width 2)
//   column 4 = (255, 255):               '=' (width 1) and byte 255 of the
//                                        table, 'я' (width 2, columns 4, 5)
//   every other character of the table has width 0; the font has no U+FFFD,
//   so what it lacks draws as a box 3 wide: a bar in its middle column.
const std::vector<std::vector<unsigned char>> kColumns = {{255, 0}, {128, 255}, {0, 0},
                                                          {0, 255}, {255, 255}, {0, 0}};

std::string MiniDescription(const std::string& header =
                                "Font=Mini\r\nHeight=2\r\n"
                                "Weight=400\r\nItalic=0\r\n",
                            std::map<int, std::string> entries = {},
                            const std::string& after = "") {
  std::map<int, std::string> glyphs = {
      {'A', "0,0,2"}, {'B', "2,0,2"}, {'=', "4,0,1"}, {255, "4,0,2"}};
  for (const auto& [c, value] : entries) glyphs[c] = value;
  std::string text = header + "x,y,width\r\n";
  for (int c = 32; c < 256; ++c) {
    text += static_cast<char>(c);
    text += (c == '=' ? "==" : "=") + (glyphs.count(c) ? glyphs[c] : std::string("5,0,0")) + "\r\n";
  }
  return text + after;
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

// Sizes count glyph widths, character by character of the UTF-8 ('я' is byte
// 255 of the table): each character the font lacks (é) and each broken part
// of the UTF-8 is one replacement box, 3 wide. Without text or font nothing is
// measured or drawn.
TEST_F(FontTest, TextSizeAndNothingToDrawWith) {
  struct Case {
    const char* text;
    int font, w, h;
  } cases[] = {
      {"", 0, 0, 2},         {"AB", 0, 4, 2},    {"A\tB\n", 0, 4, 2},    {"\xd1\x8f", 0, 2, 2},
      {"A=", 0, 3, 2},       {nullptr, 0, 0, 0}, {"AB", 1, 0, 0},        {"AB", -1, 0, 0},
      {"\xc3\xa9", 0, 3, 2}, {"\xff", 0, 3, 2},  {"A\xe0\x80", 0, 8, 2}, {"\xf0\x9f\x98", 0, 3, 2},
  };
  for (const Case& c : cases) {
    int w = -1, h = -1;
    device.GetTextSize(c.text, c.font, w, h);
    EXPECT_EQ(w * 100 + h, c.w * 100 + c.h) << (c.text ? c.text : "null") << " font " << c.font;
  }

  Surf s(8, 2);
  s.Clear(0);
  ASSERT_TRUE(s.TextOut(0, 0, (std::string("A\xe2\x82") + "B").c_str(), 0, 0xFFFFFF, 0x000000));
  EXPECT_EQ(Picture(s), Rows("##.#....", ".#.#..#.")) << "A, the box, B";
  EXPECT_FALSE(s.TextOut(0, 0, nullptr, 0, 0xFFFFFF, 0));
  EXPECT_FALSE(s.TextOut(0, 0, "A", 7, 0xFFFFFF, 0));

  // A caption reads its text the same way: 'я' and the box beside each other.
  GSurface16 caption;
  TextBorder border;
  ASSERT_TRUE(border.CreateCircle(1));
  ASSERT_TRUE(caption.CreateFromText("\xd1\x8f\xff", 0, 0xFFFFFF, &border, 0xFF0000, false));
  EXPECT_EQ(caption.GetWidth(), 2 + 3 + 2);
  ASSERT_TRUE(caption.CreateFromText("\xd1\x8f\xff", 0, 0xFFFFFF, nullptr, 0, true));
  EXPECT_EQ(caption.GetWidth(), 3) << "one character a line, as wide as the widest";
  GSurface::device = nullptr;
  EXPECT_FALSE(s.TextOut(0, 0, "A", 0, 0xFFFFFF, 0));
}

// After the table, "U+XXXX=x,y,width" lines add glyphs by code point or
// replace the table's; other lines there are passed over. A U+FFFD of the
// font's own replaces the box.
TEST_F(FontTest, DescriptionsBeyondTheTableAndDamagedOnes) {
  const std::string header = "Height=2\r\nWeight=400\r\nItalic=0\r\n";
  auto other = [&](std::map<int, std::string> entries = {}, const std::string& after = "") {
    return MiniDescription("Font=Other\r\n" + header, std::move(entries), after);
  };
  const std::string image = MiniImage();
  const std::string good =
      other({}, "U+00E9=0,0,2\r\n; a note\r\nU+0041=4,0,1\nu+00EA=0,0,1\r\n\r\nU+fffd=2,0,2");
  struct Case {
    const char* why;
    std::string image, description;
  } cases[] = {
      {"missing Font", image, MiniDescription(header)},
      {"missing entry", image, std::string(other()).erase(other().find("B=2,0,2\r\n"), 9)},
      {"right of the image", image, other({{'B', "5,0,2"}})},
      {"below the image", image,
       MiniDescription("Font=Other\r\nHeight=3\r\nWeight=4\r\nItalic=0\r\n")},
      {"negative position or width", image, other({{'B', "-1,0,1"}, {'A', "0,0,-1"}})},
      {"undecodable image", std::string(40, 'x'), good},
      {"not hexadecimal", image, other({}, "U+00G9=0,0,1\r\n")},
      {"a control character", image, other({}, "U+001F=0,0,1\r\n")},
      {"a surrogate", image, other({}, "U+D800=0,0,1\r\n")},
      {"beyond the plane", image, other({}, "U+10000=0,0,1\r\n")},
      {"seven digits", image, other({}, "U+00000E9=0,0,1\r\n")},
      {"entry outside the image", image, other({}, "U+00E9=5,0,2\r\n")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(device.AddFontex(U(c.image), static_cast<int>(c.image.size()), U(c.description),
                               static_cast<int>(c.description.size())),
              -1)
        << c.why;
    EXPECT_EQ(device.GetFontCount(), 1) << c.why;
  }
  ASSERT_EQ(device.AddMini(good), 1) << "the undamaged description loads";
  FONTEX* f = device.GetFontex(1);
  EXPECT_EQ(f->GetSymbolCount(), 223 + 2);
  EXPECT_EQ(f->GetReplacement(), f->FindSymbol(kReplacementChar));
  // é, A (replaced), ê (a lower-case "u+" is no entry), broken, я
  for (const auto& [text, w] :
       {std::pair("\xc3\xa9", 2), std::pair("A", 1), std::pair("\xc3\xaa", 2), std::pair("\xff", 2),
        std::pair("\xd1\x8f", 2)}) {
    int tw = 0, th = 0;
    device.GetTextSize(text, 1, tw, th);
    EXPECT_EQ(tw, w) << text;
  }

  // Lines ending in a bare line feed are read as well.
  std::string unix = MiniDescription("Font=Unix\n" + header, {}, "U+00E9=0,0,1\n");
  for (size_t at; (at = unix.find('\r')) != std::string::npos;) unix.erase(at, 1);
  EXPECT_EQ(device.AddMini(unix), 2);
  EXPECT_EQ(device.GetFontex(2)->GetCharWidth(0xE9), 1);
}

// The letters of each language in every shipped font (loaded through a
// headless application), each font's line below the other's, compared with a
// picture (tests/GUI/graphics/golden/strip_LANGUAGE.png): a glyph drawn wrong,
// missing or replaced changes it. The English strip was drawn before the
// fonts grew beyond one code page, so English text keeps its look pixel for
// pixel. The fonts draw their own U+FFFD for what they lack, and load once.
TEST(ShippedFonts, EveryLanguageDrawsItsLetters) {
  TempDir dir;
  HeadlessGame game(dir.Path());
  ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
  GDevice* device = game.GetDevice();
  const std::string folder = std::string(std::getenv("DIGMAZE_GAME_DIR")) + "/windows/";
  const char* names[] = {"Tahoma16bold", "Tahoma21", "tahoma18bold", "tahoma21bold"};
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(game.CreateFontex((folder + names[i]).c_str()), i);
    EXPECT_EQ(device->GetFontex(i)->GetReplacement(),
              device->GetFontex(i)->FindSymbol(kReplacementChar));
  }
  EXPECT_EQ(game.CreateFontex((folder + "Tahoma21").c_str()), 1) << "loaded once";
  EXPECT_EQ(game.CreateFontex((folder + "NoSuchFont").c_str()), -1);

  struct Letters {
    const char* language;
    const char* letters;
  } strips[] = {
      {"en",
       " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
       "abcdefghijklmnopqrstuvwxyz{|}~"},
      {"de", "ÄÖÜäöüß „Schätze“ ‚Äxte‘ »Türöffner« – Größe…"},
      {"fr", "ÀÂÆÇÉÈÊËÎÏÔŒÙÛÜŸàâæçéèêëîïôœùûüÿ « Trésor » ’ — …"},
      {"es", "ÁÉÍÑÓÚÜáéíñóúü ¿Qué? ¡Sí! «Año» ’ “ ” —"},
      {"ru",
       "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
       "абвгдеёжзийклмнопрстуфхцчшщъыьэюя «Сокровище» „“ № —"},
      {"marks", "— – … “ ” „ ‘ ’ ‚ « » · № \u00a0\u202f\u2009\u2011 \ufffd"},
  };
  for (const auto& strip : strips) {
    SCOPED_TRACE(strip.language);
    int w = 0, h = 0;
    for (int i = 0; i < 4; ++i) {
      for (const char* c = strip.letters; *c;) {
        const char* at = c;
        EXPECT_TRUE(device->GetFontex(i)->FindSymbol(NextUtf8Char(c)))
            << names[i] << " lacks " << std::string(at, c);
      }
      int tw = 0, th = 0;
      device->GetTextSize(strip.letters, i, tw, th);
      w = std::max(w, tw);
      h += th;
    }
    Surf s(w, h);
    s.FillRect(0, 0, w, h, 0x000000);
    for (int i = 0, y = 0; i < 4; y += device->GetFontex(i++)->height)
      EXPECT_TRUE(s.TextOut(0, y, strip.letters, i, 0xFFFFFF, 0x000000));
    std::vector<uint32_t> pixels;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        pixels.push_back(surface_color::kPixelToColor32[s.GetPixel16(x, y) & 0x7FFF]);
    ExpectGoldenPicture("tests/GUI/graphics/golden", std::string("strip_") + strip.language, pixels,
                        w, h);
  }
}

}  // namespace

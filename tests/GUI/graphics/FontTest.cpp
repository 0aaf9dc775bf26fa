#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "GUI/foundation/Utf8Text.h"
#include "GUI/graphics/FONTEX.h"
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
  int Width(const char* text, int font = 0) {
    int w = -1, h = -1;
    device.GetTextSize(text, font, w, h);
    return w;
  }
  FontDevice device;
};

// Sizes count glyph widths only; without text or font nothing is measured or drawn.
TEST_F(FontTest, TextSizeAndNothingToDrawWith) {
  struct Case {
    const char* text;
    int font, w, h;
  } cases[] = {
      {"", 0, 0, 2},   {"AB", 0, 4, 2},    {"A\tB\n", 0, 4, 2}, {"\xd1\x8f", 0, 2, 2},
      {"A=", 0, 3, 2}, {nullptr, 0, 0, 0}, {"AB", 1, 0, 0},     {"AB", -1, 0, 0},
  };
  for (const Case& c : cases) {
    int w = -1, h = -1;
    device.GetTextSize(c.text, c.font, w, h);
    EXPECT_EQ(w * 100 + h, c.w * 100 + c.h) << (c.text ? c.text : "null") << " font " << c.font;
  }

  Surf s(2, 2);
  EXPECT_FALSE(s.TextOut(0, 0, nullptr, 0, 0xFFFFFF, 0));
  EXPECT_FALSE(s.TextOut(0, 0, "A", 7, 0xFFFFFF, 0));
  GSurface::device = nullptr;
  EXPECT_FALSE(s.TextOut(0, 0, "A", 0, 0xFFFFFF, 0));
}

// Each broken part of the UTF-8, and each character the font lacks, is one
// replacement box (3 wide); what follows a broken part is read on its own.
TEST_F(FontTest, BrokenTextAndMissingLettersDrawTheReplacement) {
  struct Case {
    const char* text;
    int w;
  } cases[] = {
      {"\xff", 3},
      {"A\xd1", 5},
      {"\xd1"
       "A",
       5},
      {"\xe2\x82", 3},
      {"\xe0\x80\x80", 9},
      {"\xc0\xaf", 6},
      {"\xed\xa0\x80", 9},
      {"\xf4\x90\x80\x80", 12},
      {"\xc3\xa9", 3},
      {"\xf0\x9f\x98\x80", 3},
  };
  for (const Case& c : cases) EXPECT_EQ(Width(c.text), c.w) << c.text;

  Surf s(8, 2);
  s.Clear(0);
  ASSERT_TRUE(s.TextOut(0, 0,
                        "A\xe2\x82"
                        "B",
                        0, 0xFFFFFF, DEFAULT_COLOR));
  EXPECT_EQ(Picture(s), Rows("##.#....", ".#.#..#.")) << "A, the box, B";

  // A caption reads its text the same way: 'я' and the box beside each other.
  GSurface16 caption;
  TextBorder border;
  ASSERT_TRUE(border.CreateCircle(1));
  ASSERT_TRUE(caption.CreateFromText("\xd1\x8f\xff", 0, 0xFFFFFF, &border, 0xFF0000, false));
  EXPECT_EQ(caption.GetWidth(), 2 + 3 + 2);
  ASSERT_TRUE(caption.CreateFromText("\xd1\x8f\xff", 0, 0xFFFFFF, nullptr, 0, true));
  EXPECT_EQ(caption.GetWidth(), 3) << "one character a line, as wide as the widest";
}

// After the table, "U+XXXX=x,y,width" lines add glyphs by code point or
// replace the table's; other lines there are passed over. A U+FFFD of the
// font's own replaces the box.
TEST_F(FontTest, CharactersBeyondTheTableByCodePoint) {
  const int font = device.AddMini(MiniDescription(
      "Font=Wide\r\nHeight=2\r\nWeight=400\r\nItalic=0\r\n", {},
      "U+00E9=0,0,2\r\n; a note\r\nU+0041=4,0,1\nu+00EA=0,0,1\r\n\r\nU+fffd=2,0,2"));
  ASSERT_EQ(font, 1);
  FONTEX* f = device.GetFontex(font);
  EXPECT_EQ(f->GetSymbolCount(), 223 + 2);
  EXPECT_EQ(f->GetReplacement(), f->FindSymbol(kReplacementChar));
  struct Case {
    const char* text;
    int w;
  } cases[] = {{"\xc3\xa9", 2}, {"A", 1}, {"\xc3\xaa", 2}, {"\xff", 2}, {"\xd1\x8f", 2}};
  for (const Case& c : cases) EXPECT_EQ(Width(c.text, font), c.w) << c.text;
}

TEST_F(FontTest, DamagedDescriptionsAreRefused) {
  const std::string header = "Height=2\r\nWeight=400\r\nItalic=0\r\n";
  auto other = [&](std::map<int, std::string> entries = {}, const std::string& after = "") {
    return MiniDescription("Font=Other\r\n" + header, std::move(entries), after);
  };
  const std::string image = MiniImage(), good = other();
  struct Case {
    const char* why;
    std::string image, description;
  } cases[] = {
      {"missing Font", image, MiniDescription(header)},
      {"missing entry", image, std::string(good).erase(good.find("B=2,0,2\r\n"), 9)},
      {"right of the image", image, other({{'B', "5,0,2"}})},
      {"below the image", image,
       MiniDescription("Font=Other\r\nHeight=3\r\nWeight=4\r\nItalic=0\r\n")},
      {"negative position or width", image, other({{'B', "-1,0,1"}, {'A', "0,0,-1"}})},
      {"undecodable image", std::string(40, 'x'), good},
      {"no code point", image, other({}, "U+=0,0,1\r\n")},
      {"not hexadecimal", image, other({}, "U+00G9=0,0,1\r\n")},
      {"a control character", image, other({}, "U+001F=0,0,1\r\n")},
      {"a surrogate", image, other({}, "U+D800=0,0,1\r\n")},
      {"beyond the plane", image, other({}, "U+10000=0,0,1\r\n")},
      {"seven digits", image, other({}, "U+00000E9=0,0,1\r\n")},
      {"entry outside the image", image, other({}, "U+00E9=5,0,2\r\n")},
      {"entry without width", image, other({}, "U+00E9=0,0\r\n")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(device.AddFontex(U(c.image), static_cast<int>(c.image.size()), U(c.description),
                               static_cast<int>(c.description.size())),
              -1)
        << c.why;
    EXPECT_EQ(device.GetFontCount(), 1) << c.why;
  }
  EXPECT_EQ(device.AddMini(good), 1) << "the undamaged description loads";

  // Lines ending in a bare line feed are read as well.
  std::string unix = MiniDescription("Font=Unix\n" + header, {}, "U+00E9=0,0,2\n");
  for (size_t at; (at = unix.find('\r')) != std::string::npos;) unix.erase(at, 1);
  EXPECT_EQ(device.AddMini(unix), 2);
  EXPECT_EQ(Width("\xc3\xa9", 2), 2);
}

// The four fonts of the game folder, loaded through a headless application.
class ShippedFonts : public ::testing::Test {
 protected:
  static constexpr const char* kNames[] = {"Tahoma16bold", "Tahoma21", "tahoma18bold",
                                           "tahoma21bold"};
  void SetUp() override {
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    device = game.GetDevice();
    for (int i = 0; i < 4; ++i) ASSERT_EQ(game.CreateFontex(Path(kNames[i]).c_str()), i);
  }
  static std::string Path(const char* name) {
    return std::string(std::getenv("DIGMAZE_GAME_DIR")) + "/windows/" + name;
  }

  // Each font's line of the text, one below the other, white on black.
  std::vector<uint32_t> Strip(const char* text, int& w, int& h) {
    w = h = 0;
    for (int i = 0; i < 4; ++i) {
      int tw = 0, th = 0;
      device->GetTextSize(text, i, tw, th);
      w = std::max(w, tw);
      h += th;
    }
    Surf s(w, h);
    s.FillRect(0, 0, w, h, 0x000000);
    for (int i = 0, y = 0; i < 4; y += device->GetFontex(i++)->height)
      EXPECT_TRUE(s.TextOut(0, y, text, i, 0xFFFFFF, 0x000000));
    std::vector<uint32_t> pixels;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        SURFACE_RGB rgb;
        s.GetPixelRGB(x, y, &rgb);
        pixels.push_back(rgb.RgbToColor32());
      }
    return pixels;
  }

  TempDir dir;
  HeadlessGame game{dir.Path()};
  GDevice* device = nullptr;
};

TEST_F(ShippedFonts, LoadOnceWithEveryGlyphAtTheFontsHeight) {
  for (int i = 0; i < 4; ++i) {
    FONTEX* font = device->GetFontex(i);
    int count = 0;
    for (char32_t c = FONTEX::kFirstChar; c <= FONTEX::kLastChar; ++c) {
      const SYMBOL* s = font->FindSymbol(c);
      if (!s) continue;
      ++count;
      EXPECT_EQ(s->GetHeight(), font->height) << kNames[i] << " U+" << std::hex << unsigned(c);
      EXPECT_GT(s->GetWidth(), 0) << kNames[i] << " U+" << std::hex << unsigned(c);
    }
    EXPECT_EQ(count, font->GetSymbolCount()) << kNames[i];
    EXPECT_EQ(font->GetReplacement(), font->FindSymbol(kReplacementChar)) << kNames[i];
  }
  EXPECT_EQ(device->GetFontex(0)->GetSymbolCount(), device->GetFontex(3)->GetSymbolCount());
  EXPECT_EQ(game.CreateFontex(Path("Tahoma21").c_str()), 1) << "loaded once";
  EXPECT_EQ(game.CreateFontex(Path("NoSuchFont").c_str()), -1);
}

// The letters of each language in every shipped font, compared with a picture
// (tests/GUI/graphics/golden/strip_LANGUAGE.png): a glyph drawn wrong, missing
// or replaced changes it. The English strip was drawn before the fonts grew
// beyond one code page, so English text keeps its look pixel for pixel.
TEST_F(ShippedFonts, EveryLanguageDrawsItsLetters) {
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
    for (int i = 0; i < 4; ++i)
      for (const char* c = strip.letters; *c;) {
        const char* at = c;
        EXPECT_TRUE(device->GetFontex(i)->FindSymbol(NextUtf8Char(c)))
            << kNames[i] << " lacks " << std::string(at, c);
      }
    int w = 0, h = 0;
    const std::vector<uint32_t> pixels = Strip(strip.letters, w, h);
    ExpectGoldenPicture("tests/GUI/graphics/golden", std::string("strip_") + strip.language, pixels,
                        w, h);
  }
}

}  // namespace

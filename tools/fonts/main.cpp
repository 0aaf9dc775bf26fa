// digmaze-fonts: renders the interface's bitmap fonts from DejaVu Sans with
// FreeType. Each font is a glyph image (32-bit TGA, coverage in the alpha
// channel) and a text description giving every glyph's rectangle: first the
// character codes 32..255 of the Windows-1251 code page (Russian and the
// typographic marks), then, by code point, the rest of the letters the
// game's languages write (German, French and Spanish accents) and the
// replacement character.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GUI/foundation/Utf8Text.h"
#include "tools/art/Canvas.h"

namespace {

constexpr const char* kUsage =
    "usage: digmaze-fonts FONT_DIR OUT_DIR\n"
    "  FONT_DIR holds DejaVuSans.ttf and DejaVuSans-Bold.ttf;\n"
    "  writes OUT_DIR/windows/NAME.tga and NAME.txt for every font of the themes\n";

constexpr int kTableCount = 224;

// The characters of the code page's table, by code 32..255; 0 where it has
// none (DEL and 0x98), which get a blank glyph.
unsigned TableChar(int index) {
  const int code = 32 + index;
  return code == 127 ? 0 : unsigned(Cp1251ToUnicode(static_cast<unsigned char>(code)));
}

// The characters listed after the table: the Latin-1 letters and signs the
// code page lacks (the accented letters of German, French and Spanish, ¿ ¡),
// the French ligatures and Ÿ, the spaces and the hyphen that French and
// Russian typesetting keep from breaking, and the replacement character.
std::vector<unsigned> ExtraChars() {
  std::vector<unsigned> chars;
  for (unsigned u = 0xA0; u <= 0xFF; ++u) {
    bool inTable = false;
    for (int i = 0; i < kTableCount && !inTable; ++i) inTable = TableChar(i) == u;
    if (!inTable) chars.push_back(u);
  }
  for (unsigned u : {0x0152u, 0x0153u, 0x0178u, 0x2009u, 0x2011u, 0x202Fu, 0xFFFDu})
    chars.push_back(u);
  return chars;
}

// The fonts the interface themes ask for: the file name, the face, and the
// glyph height in pixels (the cell every glyph of the font is cut from).
struct FontSpec {
  const char* name;
  bool bold;
  int height;
};
constexpr FontSpec kFonts[] = {
    {"tahoma18bold", true, 18},
    {"tahoma21bold", true, 21},
    {"Tahoma16bold", true, 16},
    {"Tahoma21", false, 21},
};

struct Glyph {
  unsigned code = 0;  // the character, for the entries after the table
  int width = 0;
  std::vector<uint8_t> coverage;  // width x height, row by row
};

// The character's glyph in a cell of height h whose baseline is the given
// row; a blank of blankWidth for a character the face cannot draw. Rows of
// strong ink left outside the cell are counted in clipped.
Glyph RenderGlyph(FT_Face face, unsigned u, int h, int baseline, int blankWidth, int& clipped) {
  Glyph g;
  g.code = u;
  if (u == 0 || FT_Load_Char(face, u, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT)) {
    g.width = blankWidth;
    g.coverage.assign(size_t(g.width * h), 0);
    return g;
  }
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  const int advance = int((slot->advance.x + 32) >> 6);
  // Glyphs are drawn side by side at their advance, so ink that would
  // stick out of the cell widens the cell instead of being cut off.
  const int shift = std::max(0, -slot->bitmap_left);
  g.width = std::max({1, advance + shift, shift + slot->bitmap_left + int(bm.width)});
  g.coverage.assign(size_t(g.width * h), 0);
  // The strongest coverage of a row of the bitmap.
  auto ink = [&](int row) {
    uint8_t most = 0;
    for (unsigned col = 0; col < bm.width; ++col)
      most = std::max(most, bm.buffer[unsigned(row) * unsigned(bm.pitch) + col]);
    return most;
  };
  // An accent that would stick out above the cell is moved down into the
  // blank rows between it and the letter, as far as they reach: the letter
  // stays on the baseline and the accent whole. What still sticks out is cut
  // off when it is faint (the edge of a ring), counted in clipped otherwise.
  const int firstRow = baseline - slot->bitmap_top;
  const int rows = int(bm.rows);
  int gapStart = rows, lift = 0;
  if (firstRow < 0) {
    int row = 0;
    while (row < rows && !ink(row)) ++row;
    while (row < rows && ink(row)) ++row;
    int gap = 0;
    while (row + gap < rows && !ink(row + gap)) ++gap;
    gapStart = row;
    lift = std::min(-firstRow, gap);
  }
  for (int row = 0; row < rows; ++row) {
    if (row >= gapStart && row < gapStart + lift) continue;
    const int y = firstRow + row + (row < gapStart ? lift : 0);
    if (y < 0 || y >= h) {
      clipped += ink(row) >= 128;
      continue;
    }
    for (unsigned col = 0; col < bm.width; ++col)
      g.coverage[size_t(y * g.width + shift + slot->bitmap_left + int(col))] =
          bm.buffer[unsigned(row) * unsigned(bm.pitch) + col];
  }
  return g;
}

bool Render(FT_Library lib, const std::string& fontFile, const FontSpec& spec,
            const std::filesystem::path& outDir) {
  FT_Face face;
  if (FT_New_Face(lib, fontFile.c_str(), 0, &face)) {
    std::fprintf(stderr, "digmaze-fonts: cannot open %s\n", fontFile.c_str());
    return false;
  }
  const int h = spec.height;
  // The largest size at which the ink of every glyph of the table, accents
  // and descenders included, fits the cell height. The characters after the
  // table are drawn at that size too, so the table's glyphs keep their look.
  int em = h, top = 0, bottom = 0;
  for (; em > 4; --em) {
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(em));
    top = 0;
    bottom = 0;
    for (int i = 0; i < kTableCount; ++i) {
      const unsigned u = TableChar(i);
      if (u == 0 || FT_Load_Char(face, u, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT)) continue;
      const FT_GlyphSlot slot = face->glyph;
      if (slot->bitmap.rows == 0) continue;
      top = std::max(top, slot->bitmap_top);
      bottom = std::max(bottom, int(slot->bitmap.rows) - slot->bitmap_top);
    }
    if (top + bottom <= h) break;
  }
  const int baseline = (h - top - bottom) / 2 + top;

  std::vector<Glyph> glyphs;
  int clipped = 0, spaceWidth = 1;
  for (int i = 0; i < kTableCount; ++i) {
    glyphs.push_back(RenderGlyph(face, TableChar(i), h, baseline, spaceWidth, clipped));
    if (i == 0) spaceWidth = glyphs.back().width;
  }
  for (unsigned u : ExtraChars()) {
    if (FT_Get_Char_Index(face, u) == 0) {
      std::fprintf(stderr, "digmaze-fonts: %s has no U+%04X\n", fontFile.c_str(), u);
      FT_Done_Face(face);
      return false;
    }
    glyphs.push_back(RenderGlyph(face, u, h, baseline, spaceWidth, clipped));
  }
  FT_Done_Face(face);
  if (clipped) {
    std::fprintf(stderr, "digmaze-fonts: %s: %d rows of ink outside the %d-pixel cell\n", spec.name,
                 clipped, h);
    return false;
  }

  // Pack the cells in rows of at most 512 pixels with a one-pixel gap.
  const int maxWidth = 512;
  std::vector<int> gx(glyphs.size()), gy(glyphs.size());
  int x = 0, y = 0, width = 0;
  for (size_t i = 0; i < glyphs.size(); ++i) {
    if (x + glyphs[i].width > maxWidth) {
      x = 0;
      y += h + 1;
    }
    gx[i] = x;
    gy[i] = y;
    x += glyphs[i].width + 1;
    width = std::max(width, x);
  }
  art::Canvas image(width, y + h);
  std::string text = std::string("Font=DejaVu Sans") + (spec.bold ? " Bold" : "") + "\r\n" +
                     "Height=" + std::to_string(h) + "\r\n" +
                     "Weight=" + (spec.bold ? "700" : "400") + "\r\n" + "Italic=0\r\n" +
                     "x,y,width\r\n";
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const Glyph& g = glyphs[i];
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < g.width; ++c)
        image.Set(gx[i] + c, gy[i] + r,
                  art::Rgba{255, 255, 255, g.coverage[size_t(r * g.width + c)]});
    // In the table the character itself (a Windows-1251 byte), "=", then
    // x,y,width; the entry of "=" thus starts with two equal signs. After
    // the table "U+" and the code point in hexadecimal stand for the character.
    // Appended piece by piece: GCC 12 at -O3 wrongly reports overlapping
    // copies (-Wrestrict) when a literal is prepended to a temporary string.
    if (i < size_t(kTableCount)) {
      text += char(32 + i);
    } else {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", g.code);
      text += code;
    }
    text += "=";
    text += std::to_string(gx[i]);
    text += ",";
    text += std::to_string(gy[i]);
    text += ",";
    text += std::to_string(g.width);
    text += "\r\n";
  }
  const auto base = outDir / spec.name;
  if (!image.WriteTga(base.string() + ".tga")) {
    std::fprintf(stderr, "digmaze-fonts: cannot write %s.tga\n", base.string().c_str());
    return false;
  }
  std::ofstream out(base.string() + ".txt", std::ios::binary);
  out << text;
  return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::filesystem::path fontDir = argv[1];
  const std::filesystem::path outDir = std::filesystem::path(argv[2]) / "windows";
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  FT_Library lib;
  if (FT_Init_FreeType(&lib)) {
    std::fputs("digmaze-fonts: cannot start FreeType\n", stderr);
    return 1;
  }
  bool ok = true;
  for (const FontSpec& spec : kFonts) {
    const auto file = fontDir / (spec.bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf");
    ok &= Render(lib, file.string(), spec, outDir);
  }
  FT_Done_FreeType(lib);
  return ok ? 0 : 1;
}

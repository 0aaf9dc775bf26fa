// digmaze-fonts: renders the interface's bitmap fonts from DejaVu Sans with
// FreeType. Each font is a glyph image (32-bit TGA, coverage in the alpha
// channel) and a text description giving every glyph's rectangle, for the
// character codes 32..255 of the Windows-1251 code page.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/art/Canvas.h"

namespace {

constexpr const char* kUsage =
    "usage: digmaze-fonts FONT_DIR OUT_DIR\n"
    "  FONT_DIR holds DejaVuSans.ttf and DejaVuSans-Bold.ttf;\n"
    "  writes OUT_DIR/windows/NAME.tga and NAME.txt for every font of the themes\n";

// Unicode of the codes 128..255 of Windows-1251; 0 where the code page has
// no character (0x98), which gets a blank glyph.
constexpr unsigned kUpper[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  //
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  //
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  //
};

unsigned Unicode(int code) {
  if (code < 127) return unsigned(code);
  if (code == 127) return 0;  // DEL has no picture
  return kUpper[code - 128];
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
  int width = 0;
  std::vector<uint8_t> coverage;  // width x height, row by row
};

bool Render(FT_Library lib, const std::string& fontFile, const FontSpec& spec,
            const std::filesystem::path& outDir) {
  FT_Face face;
  if (FT_New_Face(lib, fontFile.c_str(), 0, &face)) {
    std::fprintf(stderr, "digmaze-fonts: cannot open %s\n", fontFile.c_str());
    return false;
  }
  const int h = spec.height;
  // The largest size at which the ink of every glyph, accents and
  // descenders included, fits the cell height.
  int em = h, top = 0, bottom = 0;
  for (; em > 4; --em) {
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(em));
    top = 0;
    bottom = 0;
    for (int code = 32; code < 256; ++code) {
      const unsigned u = Unicode(code);
      if (u == 0 || FT_Load_Char(face, u, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT)) continue;
      const FT_GlyphSlot slot = face->glyph;
      if (slot->bitmap.rows == 0) continue;
      top = std::max(top, slot->bitmap_top);
      bottom = std::max(bottom, int(slot->bitmap.rows) - slot->bitmap_top);
    }
    if (top + bottom <= h) break;
  }
  const int baseline = (h - top - bottom) / 2 + top;

  std::vector<Glyph> glyphs(224);
  int spaceWidth = 1;
  for (int code = 32; code < 256; ++code) {
    Glyph& g = glyphs[size_t(code - 32)];
    const unsigned u = Unicode(code);
    if (u == 0 || FT_Load_Char(face, u, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT)) {
      g.width = spaceWidth;
      g.coverage.assign(size_t(g.width * h), 0);
      continue;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    const int advance = int((slot->advance.x + 32) >> 6);
    // Glyphs are drawn side by side at their advance, so ink that would
    // stick out of the cell widens the cell instead of being cut off.
    const int shift = std::max(0, -slot->bitmap_left);
    g.width = std::max({1, advance + shift, shift + slot->bitmap_left + int(bm.width)});
    g.coverage.assign(size_t(g.width * h), 0);
    for (unsigned row = 0; row < bm.rows; ++row) {
      const int y = baseline - slot->bitmap_top + int(row);
      if (y < 0 || y >= h) continue;
      for (unsigned col = 0; col < bm.width; ++col) {
        const int x = shift + slot->bitmap_left + int(col);
        g.coverage[size_t(y * g.width + x)] = bm.buffer[row * unsigned(bm.pitch) + col];
      }
    }
    if (code == 32) spaceWidth = g.width;
  }
  FT_Done_Face(face);

  // Pack the cells in rows of at most 512 pixels with a one-pixel gap.
  const int maxWidth = 512;
  std::vector<int> gx(224), gy(224);
  int x = 0, y = 0, width = 0;
  for (size_t i = 0; i < 224; ++i) {
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
  for (size_t i = 0; i < 224; ++i) {
    const Glyph& g = glyphs[i];
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < g.width; ++c)
        image.Set(gx[i] + c, gy[i] + r,
                  art::Rgba{255, 255, 255, g.coverage[size_t(r * g.width + c)]});
    // The character itself (a Windows-1251 byte), "=", then x,y,width. The
    // entry of "=" thus starts with two equal signs.
    // Appended piece by piece: GCC 12 at -O3 wrongly reports overlapping
    // copies (-Wrestrict) when a literal is prepended to a temporary string.
    text += char(32 + i);
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

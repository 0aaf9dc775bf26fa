#pragma once

#include <array>
#include <memory>

#include "GUI/foundation/CFerroString.h"

// One glyph of a bitmap font: a coverage map of width columns of height floats
// (0 = not covered, 1 = fully covered), taken from the alpha channel of the
// font's image.
class SYMBOL {
 public:
  SYMBOL() = default;
  SYMBOL(const SYMBOL&) = delete;
  SYMBOL& operator=(const SYMBOL&) = delete;
  virtual ~SYMBOL() = default;

  // Builds the symbol from the rectangle (x, y, w, h) of an alpha map given as
  // columns of bytes (alphaColumns[column][row]), each value / 255. The caller
  // makes sure the rectangle lies inside the map. False (and an empty symbol)
  // for a negative size or a missing map under a rectangle that is not empty.
  bool CreateSymbol(unsigned char* const* alphaColumns, int x, int y, int w, int h);
  void Clear();

  int GetWidth() const { return width; }
  int GetHeight() const { return height; }
  // Column i, height values from the top; none outside 0..width-1.
  const float* GetColumn(int i) const {
    return i >= 0 && i < width ? coverage.get() + static_cast<size_t>(i) * height : nullptr;
  }

 private:
  int width = 0;
  int height = 0;
  // width x height values, column after column.
  std::unique_ptr<float[]> coverage;
};

// One loaded font: the description's header values and its glyphs, each for
// one character (a Unicode code point of the Basic Multilingual Plane).
struct FONTEX {
  static constexpr char32_t kFirstChar = 32;
  // The description's first table lists the bytes 32..255 of Windows-1251.
  static constexpr int kTableCount = 224;
  static constexpr char32_t kLastChar = 0xFFFF;

  FONTEX() = default;
  FONTEX(const FONTEX&) = delete;
  FONTEX& operator=(const FONTEX&) = delete;

  CFerroString name;
  int height = 0;
  int weight = 0;
  bool italic = false;

  // The glyph the character draws with: its own, else the replacement
  // glyph. None below 32: control characters draw nothing and take no room.
  SYMBOL* GetSymbol(char32_t code) const {
    if (code < kFirstChar) return nullptr;
    SYMBOL* own = FindSymbol(code);
    return own ? own : replacement;
  }
  // The width the character advances text by: 0 below 32.
  int GetCharWidth(char32_t code) const {
    const SYMBOL* symbol = GetSymbol(code);
    return symbol ? symbol->GetWidth() : 0;
  }
  // The character's own glyph; none when the font lacks it.
  SYMBOL* FindSymbol(char32_t code) const {
    if (code > kLastChar) return nullptr;
    const Page* page = pages[code >> 8].get();
    return page ? (*page)[code & 0xFF].get() : nullptr;
  }
  // A new empty glyph for the character, replacing one it had; none for a
  // character outside kFirstChar..kLastChar or a surrogate.
  SYMBOL* AddSymbol(char32_t code);
  int GetSymbolCount() const { return count; }
  // Called once the glyphs are read: what characters the font lacks draw
  // with. The font's own U+FFFD when it has one, else a hollow box of the
  // font's height, so that a missing letter shows instead of vanishing.
  void MakeReplacement();
  SYMBOL* GetReplacement() const { return replacement; }

 private:
  using Page = std::array<std::unique_ptr<SYMBOL>, 256>;
  // The glyphs by the high byte of their character, then the low byte.
  std::array<std::unique_ptr<Page>, 256> pages;
  int count = 0;
  SYMBOL box;
  SYMBOL* replacement = nullptr;
};

// The characters of text from position up to a carriage return (or a line
// feed) or the end; empty for a position outside the text.
CFerroString GetFontParam(CFerroString const& text, int position);
// The value after the first occurrence of name followed by "=" in text, or empty.
CFerroString FindFontParam(CFerroString const& text, CFerroString const& name);

// The steps of GDevice::AddFontex. ParseFontHeader reads the four header
// values into the font; false when one is missing. FindFontTable gives the
// position after the glyph table's header "x,y,width", or -1 without one.
// ParseFontGlyphs builds the glyphs from the table starting there and the
// alpha map (columns of bytes) of an image of imageWidth x imageHeight pixels:
// the kTableCount entries of the bytes 32..255 of Windows-1251, then, on the
// lines after them, any number of entries "U+XXXX=x,y,width" for characters
// by their code point (hexadecimal), which add a glyph or replace one; other
// lines there are passed over. False when the table is broken, an entry names
// no character of kFirstChar..kLastChar, or a glyph's rectangle does not lie
// inside the image.
bool ParseFontHeader(CFerroString const& description, FONTEX& font);
int FindFontTable(CFerroString const& description);
bool ParseFontGlyphs(CFerroString const& description, int tablePosition,
                     unsigned char* const* alphaColumns, int imageWidth, int imageHeight,
                     FONTEX& font);

#pragma once

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

// One loaded font: the description's header values and a glyph for every
// character code from 32 to 255.
struct FONTEX {
  static constexpr int kFirstChar = 32;
  static constexpr int kSymbolCount = 224;

  CFerroString name;
  int height = 0;
  int weight = 0;
  bool italic = false;
  SYMBOL symbols[kSymbolCount];

  // The glyph of a character code; none below 32.
  SYMBOL* GetSymbol(unsigned char code) {
    return code >= kFirstChar ? &symbols[code - kFirstChar] : nullptr;
  }
  // The width the character advances text by: 0 below 32.
  int GetCharWidth(unsigned char code) const {
    return code >= kFirstChar ? symbols[code - kFirstChar].GetWidth() : 0;
  }
};

// The characters of text from position up to a carriage return (or a line
// feed) or the end; empty for a position outside the text.
CFerroString GetFontParam(CFerroString const& text, int position);
// The value after the first occurrence of name followed by "=" in text, or empty.
CFerroString FindFontParam(CFerroString const& text, CFerroString const& name);

// The steps of GDevice::AddFontex. ParseFontHeader reads the four header
// values into the font; false when one is missing. FindFontTable gives the
// position after the glyph table's header "x,y,width", or -1 without one.
// ParseFontGlyphs builds the 224 glyphs from the table starting there and the
// alpha map (columns of bytes) of an image of imageWidth x imageHeight pixels;
// false when the table is broken or a glyph's rectangle does not lie inside
// the image.
bool ParseFontHeader(CFerroString const& description, FONTEX& font);
int FindFontTable(CFerroString const& description);
bool ParseFontGlyphs(CFerroString const& description, int tablePosition,
                     unsigned char* const* alphaColumns, int imageWidth, int imageHeight,
                     FONTEX& font);

#include "GUI/graphics/FONTEX.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>
#include <vector>

#include "GUI/foundation/Utf8Text.h"

// [SECTION] Glyphs

bool SYMBOL::CreateSymbol(unsigned char* const* alphaColumns, int x, int y, int w, int h) {
  Clear();
  if (w < 0 || h < 0) return false;
  const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
  if (count > 0) {
    if (!alphaColumns) return false;
    coverage.reset(new (std::nothrow) float[count]);
    if (!coverage) return false;
    float* out = coverage.get();
    for (int i = 0; i < w; ++i) {
      const unsigned char* column = alphaColumns[x + i] + y;
      for (int j = 0; j < h; ++j) *out++ = column[j] / 255.0f;
    }
  }
  width = w;
  height = h;
  return true;
}

void SYMBOL::Clear() {
  coverage.reset();
  width = 0;
  height = 0;
}

// [SECTION] Font

SYMBOL* FONTEX::AddSymbol(char32_t code) {
  if (code < kFirstChar || code > kLastChar || (code >= 0xD800 && code <= 0xDFFF)) return nullptr;
  std::unique_ptr<Page>& page = pages[code >> 8];
  if (!page) page = std::make_unique<Page>();
  std::unique_ptr<SYMBOL>& symbol = (*page)[code & 0xFF];
  if (!symbol) ++count;
  symbol = std::make_unique<SYMBOL>();
  return symbol.get();
}

void FONTEX::MakeReplacement() {
  replacement = FindSymbol(kReplacementChar);
  if (replacement) return;
  // A box half as wide as the font is high, one column clear of each
  // neighbour, from below the accents down to the baseline's region.
  const int h = std::max(height, 1);
  const int w = std::max(3, h / 2);
  const int top = h / 5, bottom = std::max(top, h - 1 - h / 8);
  std::vector<unsigned char> alpha(static_cast<size_t>(w) * h, 0);
  std::vector<unsigned char*> columns(static_cast<size_t>(w));
  for (int x = 0; x < w; ++x) {
    columns[x] = alpha.data() + static_cast<size_t>(x) * h;
    for (int y = top; y <= bottom; ++y)
      if (x >= 1 && x <= w - 2 && (x == 1 || x == w - 2 || y == top || y == bottom))
        columns[x][y] = 255;
  }
  box.CreateSymbol(columns.data(), 0, 0, w, h);
  replacement = &box;
}

// [SECTION] Description

namespace {

// The decimal number at the start of text, as atoi reads it, limited to the
// range of int rather than overflowing.
int ToInt(const CFerroString& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// Splits a glyph entry "x,y,width"; false for a missing comma or an empty width.
bool SplitGlyphEntry(const CFerroString& value, int& x, int& y, int& w) {
  const int first = value.FindChar(',');
  if (first < 0) return false;
  const int second = value.FindChar(',', first + 1);
  if (second < 0) return false;
  const CFerroString width = value.Mid(second + 1, value.GetLength());
  if (width.IsEmpty()) return false;
  x = ToInt(value.Left(first));
  y = ToInt(value.Mid(first + 1, second - first - 1));
  w = ToInt(width);
  return true;
}

// Whether the rectangle (x, y, w, h) lies inside an image of the given size.
bool InsideImage(int x, int y, int w, int h, int imageWidth, int imageHeight) {
  return x >= 0 && y >= 0 && w >= 0 && h >= 0 && static_cast<long long>(x) + w <= imageWidth &&
         static_cast<long long>(y) + h <= imageHeight;
}

}  // namespace

CFerroString GetFontParam(CFerroString const& text, int position) {
  if (position < 0 || position >= text.GetLength()) return CFerroString();
  int end = position;
  while (end < text.GetLength() && text[end] != '\r' && text[end] != '\n') ++end;
  return text.Mid(position, end - position);
}

CFerroString FindFontParam(CFerroString const& text, CFerroString const& name) {
  const CFerroString key = name + '=';
  const int at = text.Find(key);
  if (at < 0) return CFerroString();
  return GetFontParam(text, at + key.GetLength());
}

bool ParseFontHeader(CFerroString const& description, FONTEX& font) {
  const CFerroString name = FindFontParam(description, "Font");
  const CFerroString height = FindFontParam(description, "Height");
  const CFerroString weight = FindFontParam(description, "Weight");
  const CFerroString italic = FindFontParam(description, "Italic");
  if (name.IsEmpty() || height.IsEmpty() || weight.IsEmpty() || italic.IsEmpty()) return false;
  font.name = name;
  font.height = ToInt(height);
  font.weight = ToInt(weight);
  font.italic = ToInt(italic) != 0;
  return true;
}

int FindFontTable(CFerroString const& description) {
  static const char kHeader[] = "x,y,width";
  const int at = description.Find(kHeader);
  return at < 0 ? -1 : at + static_cast<int>(sizeof(kHeader)) - 1;
}

bool ParseFontGlyphs(CFerroString const& description, int tablePosition,
                     unsigned char* const* alphaColumns, int imageWidth, int imageHeight,
                     FONTEX& font) {
  if (!alphaColumns) imageWidth = imageHeight = 0;
  auto glyph = [&](char32_t code, const CFerroString& value) {
    int x = 0, y = 0, w = 0;
    if (!SplitGlyphEntry(value, x, y, w)) return false;
    if (!InsideImage(x, y, w, font.height, imageWidth, imageHeight)) return false;
    // 0x98 of the code page is no character: its entry only holds its place.
    if (code == 0) return true;
    SYMBOL* symbol = font.AddSymbol(code);
    return symbol && symbol->CreateSymbol(alphaColumns, x, y, w, font.height);
  };

  int position = tablePosition;
  for (int i = 0; i < FONTEX::kTableCount; ++i) {
    // The next "=" starts the entry; the entry of "=" itself begins with two.
    const int equals = description.FindChar('=', position);
    if (equals < 0) return false;
    int start = equals + 1;
    if (start < description.GetLength() && description[start] == '=') ++start;
    const CFerroString value = GetFontParam(description, start);
    position = start + value.GetLength();
    if (!glyph(Cp1251ToUnicode(static_cast<unsigned char>(FONTEX::kFirstChar + i)), value))
      return false;
  }

  // The lines after the table: "U+XXXX=x,y,width" for any character.
  const int n = description.GetLength();
  auto isEnd = [&](int i) { return description[i] == '\r' || description[i] == '\n'; };
  for (int at = position; at < n;) {
    while (at < n && !isEnd(at)) ++at;
    while (at < n && isEnd(at)) ++at;
    const CFerroString line = GetFontParam(description, at);
    at += line.GetLength();
    if (line.Left(2) != "U+") continue;
    const int equals = line.FindChar('=');
    if (equals < 3 || equals > 8) return false;
    char32_t code = 0;
    for (int i = 2; i < equals; ++i) {
      const char c = line[i];
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                               : -1;
      if (digit < 0) return false;
      code = code * 16 + static_cast<char32_t>(digit);
    }
    if (code == 0 || !glyph(code, line.Mid(equals + 1, line.GetLength()))) return false;
  }
  return true;
}

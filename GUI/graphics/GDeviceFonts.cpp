// The device's font list: loading fonts from an image and a
// description, and measuring text.
#include <climits>
#include <cstring>
#include <vector>

#include "GUI/foundation/Utf8Text.h"
#include "GUI/graphics/FONTEX.h"
#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/ImageDecoder.h"

int GDevice::AddFontex(const unsigned char* image, int imageSize, const unsigned char* description,
                       int descriptionSize) {
  if (!image || imageSize <= 0 || !description || descriptionSize <= 0) return -1;
  DecodedImage decoded = DecodeImageRgba(image, imageSize);
  if (!decoded.pixels) return -1;
  const int w = decoded.width;
  const int h = decoded.height;

  // The alpha map, column by column: column x holds the alpha of every row.
  // The image is read row by row, in the order it lies in memory: read down
  // its columns, a glyph image of a few hundred kilobytes falls out of the
  // cache at every pixel.
  std::vector<unsigned char> alpha(static_cast<size_t>(w) * h);
  std::vector<unsigned char*> columns(static_cast<size_t>(w));
  for (int x = 0; x < w; ++x) columns[x] = alpha.data() + static_cast<size_t>(x) * h;
  const unsigned char* pixel = decoded.pixels.get() + 3;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x, pixel += 4) columns[x][y] = *pixel;
  decoded.pixels.reset();

  CFerroString text(descriptionSize);
  std::memcpy(text.c_str(), description, static_cast<size_t>(descriptionSize));
  return AddFontex(columns.data(), w, h, text);
}

int GDevice::AddFontex(unsigned char* const* alphaColumns, int imageWidth, int imageHeight,
                       CFerroString const& description) {
  auto font = std::make_unique<FONTEX>();
  if (!ParseFontHeader(description, *font)) return -1;
  const int table = FindFontTable(description);
  if (table < 0) return -1;
  for (size_t i = 0; i < fonts.size(); ++i) {
    const FONTEX& old = *fonts[i];
    if (old.name == font->name && old.height == font->height && old.weight == font->weight &&
        old.italic == font->italic)
      return static_cast<int>(i);
  }
  if (!ParseFontGlyphs(description, table, alphaColumns, imageWidth, imageHeight, *font)) return -1;
  font->MakeReplacement();
  fonts.push_back(std::move(font));
  return static_cast<int>(fonts.size()) - 1;
}

FONTEX* GDevice::GetFontex(int index) {
  if (index < 0 || index >= static_cast<int>(fonts.size())) return nullptr;
  return fonts[index].get();
}

void GDevice::GetTextSize(const char* text, int font, int& w, int& h) {
  w = 0;
  h = 0;
  const FONTEX* f = GetFontex(font);
  if (!text || !f) return;
  h = f->height;
  long long width = 0;
  while (*text) width += f->GetCharWidth(NextUtf8Char(text));
  w = width < INT_MAX ? static_cast<int>(width) : INT_MAX;
}

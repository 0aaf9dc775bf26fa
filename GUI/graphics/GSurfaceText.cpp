// Text drawing of the surfaces: glyph blending, lines of text and
// outlined captions.
#include <algorithm>
#include <climits>
#include <vector>

#include "GUI/foundation/Utf8Text.h"
#include "GUI/graphics/FONTEX.h"
#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/GSurface16.h"
#include "GUI/graphics/TextBorder.h"

namespace {

// Lines of a vertical caption overlap the previous line by this many pixels.
constexpr int kVerticalOverlap = 5;

}  // namespace

// [SECTION] Glyphs

void GSurface16::BltSymbol(SYMBOL* symbol, int x, int y, unsigned color, unsigned background) {
  if (!symbol) return;
  x += originX;
  y += originY;
  int sx = 0, sy = 0;
  int w = symbol->GetWidth();
  int h = symbol->GetHeight();
  if (!IntersectRect(x, y, sx, sy, w, h)) return;
  MarkModified(x, y, w, h);
  SURFACE_LOCKED* lock = Lock();
  if (!lock->bits) return;

  SURFACE_RGB text, back;
  text.Color32ToRgb(color);
  back.Color32ToRgb(background);
  const bool hasBackground = background != DEFAULT_COLOR;
  const uint16_t textPixel = surface_color::RgbToPixel16(text);
  const uint16_t backPixel = surface_color::RgbToPixel16(back);
  for (int j = 0; j < h; ++j) {
    uint16_t* row = Row(lock, y + j) + x;
    for (int i = 0; i < w; ++i) {
      const float a = symbol->GetColumn(sx + i)[sy + j];
      if (a <= 0.0f) {
        if (hasBackground) row[i] = backPixel;
      } else if (a >= 1.0f) {
        row[i] = textPixel;
      } else {
        SURFACE_RGB mix = back;
        if (!hasBackground) surface_color::Pixel16ToRgb(row[i], &mix);
        mix.BlendNormal(&text, a);
        row[i] = surface_color::RgbToPixel16(mix);
      }
    }
  }
}

// [SECTION] Text

bool GSurface::TextOut(int x, int y, const char* text, int font, unsigned color,
                       unsigned background) {
  FONTEX* f = device ? device->GetFontex(font) : nullptr;
  if (!f || !text) return false;
  // Glyph widths are never negative: once past the clip nothing more shows.
  const long long clipRight = static_cast<long long>(clipX) + clipW - originX;
  long long pen = x;
  for (const char* c = text; *c && pen < clipRight;) {
    SYMBOL* symbol = f->GetSymbol(NextUtf8Char(c));
    if (!symbol) continue;
    BltSymbol(symbol, static_cast<int>(pen), y, color, background);
    pen += symbol->GetWidth();
  }
  return true;
}

bool GSurface::CreateFromText(const char* text, int font, unsigned color, TextBorder* border,
                              unsigned borderColor, bool vertical) {
  FONTEX* f = device ? device->GetFontex(font) : nullptr;
  if (!f || !text) return false;

  // 1. Measure, character by character (UTF-8). Characters below 32 have no
  // glyph and take no room.
  const int lineHeight = std::max(f->height, 0);
  const int overlap = std::min(kVerticalOverlap, lineHeight);
  long long textWidth = 0, textHeight = lineHeight;
  int lines = 0;
  for (const char* c = text; *c;) {
    const SYMBOL* symbol = f->GetSymbol(NextUtf8Char(c));
    if (!symbol) continue;
    const int w = symbol->GetWidth();
    textWidth = vertical ? std::max<long long>(textWidth, w) : textWidth + w;
    ++lines;
  }
  if (vertical && lines > 0)
    textHeight = static_cast<long long>(lines - 1) * (lineHeight - overlap) + lineHeight;
  const int r = border ? border->GetRadius() : 0;
  const long long width = textWidth + 2 * r, height = textHeight + 2 * r;
  if (width > INT_MAX || height > INT_MAX) return false;

  // 2. A transparent field of the text's size and the border around it.
  if (!Create(static_cast<int>(width), static_cast<int>(height))) return false;
  for (int i = 0, n = this->width * this->height; i < n; ++i) MaskTransparentPixel(i);
  opaque = false;

  // 3. The glyphs, drawn from (r, r) regardless of the surface's origin.
  const int savedX = originX, savedY = originY;
  originX = originY = 0;
  int penX = r, penY = r;
  for (const char* c = text; *c;) {
    SYMBOL* symbol = f->GetSymbol(NextUtf8Char(c));
    if (!symbol) continue;
    if (vertical) {
      BltSymbol(symbol, r + (static_cast<int>(textWidth) - symbol->GetWidth()) / 2, penY, color,
                DEFAULT_COLOR);
      penY += lineHeight - overlap;
    } else {
      BltSymbol(symbol, penX, r, color, DEFAULT_COLOR);
      penX += symbol->GetWidth();
    }
  }
  originX = savedX;
  originY = savedY;

  // 4. The outline: every glyph pixel stamps the border onto the transparent
  // pixels around it. Only pixels visible before the outline stamp, so the
  // outline grows from the glyphs alone.
  if (!border || border->GetCount() == 0 || !pixels) return true;
  const int w = this->width, h = this->height, bytes = PixelBytes();
  std::vector<bool> glyph(static_cast<size_t>(w) * h);
  bool any = false;
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) {
      const bool visible = IsOver(x, y);
      glyph[static_cast<size_t>(x) * h + y] = visible;
      any = any || visible;
    }
  }
  if (!any) return true;
  uint8_t stored[8] = {};
  Color32ToColor(borderColor, stored);
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) {
      if (!glyph[static_cast<size_t>(x) * h + y]) continue;
      for (const TextBorder::Point& p : border->GetPoints()) {
        const int tx = x + p.dx, ty = y + p.dy;
        if (tx < 0 || ty < 0 || tx >= w || ty >= h || IsOver(tx, ty)) continue;
        CopyPixel(stored, pixels.get() + (static_cast<size_t>(ty) * w + tx) * bytes);
      }
    }
  }
  MarkModifiedAll();
  return true;
}

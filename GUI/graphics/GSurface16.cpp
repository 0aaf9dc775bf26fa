#include "GUI/graphics/GSurface16.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "GUI/graphics/GPointList.h"

using surface_color::BlendPixel16;
using surface_color::Color32ToPixel16;

// Sections: primitives; flood fill; pixel access; conversions and frame copies;
// scan-line blitters.

// [SECTION] Primitives

void GSurface16::Clear(unsigned color) {
  const size_t n = static_cast<size_t>(width) * height;
  uint16_t* p = reinterpret_cast<uint16_t*>(pixels.get());
  if (color == 0 || !p) {
    if (p) std::memset(p, 0, n * 2);
  } else {
    const uint16_t v = Color32ToPixel16(color);
    for (size_t i = 0; i < n; ++i) p[i] = v;
  }
  MarkModifiedAll();
}

void GSurface16::FillRect(int x, int y, int w, int h, unsigned color) {
  x += originX;
  y += originY;
  int sx = 0, sy = 0;
  if (!IntersectRect(x, y, sx, sy, w, h)) return;
  SURFACE_LOCKED* lock = Lock();
  if (!lock->bits) return;
  const uint16_t v = Color32ToPixel16(color);
  for (int r = 0; r < h; ++r) {
    std::fill_n(Row(lock, y + r) + x, w, v);
  }
  MarkModified(x, y, w, h);
}

void GSurface16::DrawHorizontalLine(int x, int y, int length, unsigned color) {
  if (length < 0) {
    x += length + 1;
    length = -length;
  }
  FillRect(x, y, length, 1, color);
}

void GSurface16::DrawVerticalLine(int x, int y, int length, unsigned color) {
  if (length < 0) {
    y += length + 1;
    length = -length;
  }
  FillRect(x, y, 1, length, color);
}

void GSurface16::DrawLine(int x1, int y1, int x2, int y2, unsigned color) {
  if (x1 == x2 && y1 == y2) return;
  const int dx = x2 - x1;
  const int dy = y2 - y1;
  if (dx == 0) {
    DrawVerticalLine(x1, y1, dy > 0 ? dy + 1 : dy - 1, color);
    return;
  }
  if (dy == 0) {
    DrawHorizontalLine(x1, y1, dx > 0 ? dx + 1 : dx - 1, color);
    return;
  }
  x1 += originX;
  y1 += originY;
  x2 += originX;
  y2 += originY;
  int bx = std::min(x1, x2), by = std::min(y1, y2);
  int bw = std::abs(dx) + 1, bh = std::abs(dy) + 1;
  int sx = 0, sy = 0;
  if (!IntersectRect(bx, by, sx, sy, bw, bh)) return;
  SURFACE_LOCKED* lock = Lock();
  if (!lock->bits) return;
  const uint16_t v = Color32ToPixel16(color);
  if (std::abs(dx) <= std::abs(dy)) {
    for (int y = by; y < by + bh; ++y) {
      const int x = x1 + static_cast<int>(static_cast<double>(y - y1) * dx / dy);
      if (x >= bx && x < bx + bw) Row(lock, y)[x] = v;
    }
  } else {
    for (int x = bx; x < bx + bw; ++x) {
      const int y = y1 + static_cast<int>(static_cast<double>(x - x1) * dy / dx);
      if (y >= by && y < by + bh) Row(lock, y)[x] = v;
    }
  }
  MarkModified(bx, by, bw, bh);
}

// [SECTION] Flood fill

void GSurface16::FloodFill(int x, int y, unsigned fillColor, unsigned borderColor) {
  x += originX;
  y += originY;
  if (!InsideClip(x, y)) return;
  SURFACE_LOCKED* lock = Lock();
  if (!lock->bits) return;
  const uint16_t fill = Color32ToPixel16(fillColor);
  const uint16_t border = Color32ToPixel16(borderColor);
  if (Row(lock, y)[x] == border) return;

  // Two lists shared by every fill (drawing runs on the main thread only), so a
  // fill allocates only when it needs a longer wave than any fill before it.
  static GPointList waveA, waveB;
  GPointList& current = waveA;
  GPointList& next = waveB;
  current.Empty();
  next.Empty();

  Row(lock, y)[x] = fill;
  // The fill spreads no further than the clip.
  MarkModified(clipX, clipY, clipW, clipH);
  current.Add(x, y);
  static constexpr int kSteps[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
  while (current.GetCount() > 0) {
    for (int i = 0; i < current.GetCount(); ++i) {
      const GPointList::Point p = current[i];
      for (const auto& step : kSteps) {
        const int nx = p.x + step[0];
        const int ny = p.y + step[1];
        if (!InsideClip(nx, ny)) continue;
        uint16_t& pixel = Row(lock, ny)[nx];
        if (pixel == border || pixel == fill) continue;
        pixel = fill;
        next.Add(nx, ny);
      }
    }
    current.Empty();
    current.Swap(next);
  }
}

// [SECTION] Pixel access

uint16_t GSurface16::GetPixel16(int x, int y) const {
  if (!Inside(x, y)) return 0;
  return reinterpret_cast<const uint16_t*>(pixels.get())[static_cast<size_t>(y) * width + x];
}

bool GSurface16::IsOver(int x, int y) {
  if (!Inside(x, y)) return false;
  if (alpha) return alpha[static_cast<size_t>(y) * width + x] > 0.1f;
  return (GetPixel16(x, y) & kTransparent) == 0;
}

void GSurface16::MaskTransparentPixel(int index) {
  if (index < 0 || index >= width * height) return;
  reinterpret_cast<uint16_t*>(pixels.get())[index] |= kTransparent;
  opaque = false;
}

void GSurface16::GetPixelRGB(int x, int y, SURFACE_RGB* rgb) {
  const uint16_t p = GetPixel16(x, y);
  if (!Inside(x, y) || (p & kTransparent)) {
    *rgb = SURFACE_RGB();
    return;
  }
  surface_color::Pixel16ToRgb(p, rgb);
}

void GSurface16::SetPixelRGB(int x, int y, SURFACE_RGB* rgb) {
  if (!Inside(x, y)) return;
  reinterpret_cast<uint16_t*>(pixels.get())[static_cast<size_t>(y) * width + x] =
      surface_color::RgbToPixel16(*rgb);
  MarkModified(x, y, 1, 1);
}

float GSurface16::GetPixelAlpha(int x, int y) {
  if (!Inside(x, y)) return 0.0f;
  if (alpha) return alpha[static_cast<size_t>(y) * width + x];
  if (!opaque && (GetPixel16(x, y) & kTransparent)) return 0.0f;
  return 1.0f;
}

// [SECTION] Conversions and frame copies

void GSurface16::CopyPixel(const void* from, void* to) {
  std::memcpy(to, from, 2);
}

void GSurface16::PixelToRgb(const void* pixel, SURFACE_RGB* rgb) {
  uint16_t p;
  std::memcpy(&p, pixel, 2);
  surface_color::Pixel16ToRgb(p, rgb);
}

void GSurface16::RgbToPixel(const SURFACE_RGB* rgb, void* pixel) {
  const uint16_t p = surface_color::RgbToPixel16(*rgb);
  std::memcpy(pixel, &p, 2);
}

void GSurface16::StoreRgba(const uint8_t* rgba, size_t count) {
  // Each 8-bit component to 5 bits exactly as RgbToPixel rounds it, looked up
  // instead of computed: a full-screen picture has 786 432 pixels.
  static const std::array<uint8_t, 256> kFive = [] {
    std::array<uint8_t, 256> five{};
    for (int v = 0; v < 256; ++v)
      five[v] = static_cast<uint8_t>(surface_color::UnitToFive(surface_color::kByteToUnit[v]));
    return five;
  }();
  uint8_t* out = pixels.get();
  for (size_t i = 0; i < count; ++i, rgba += 4) {
    const uint16_t p =
        static_cast<uint16_t>(kFive[rgba[0]] << 10 | kFive[rgba[1]] << 5 | kFive[rgba[2]]);
    std::memcpy(out + i * 2, &p, 2);
  }
}

void GSurface16::RgbToPixelKeepMark(const SURFACE_RGB* rgb, void* pixel) {
  uint16_t p;
  std::memcpy(&p, pixel, 2);
  p = static_cast<uint16_t>((p & kTransparent) | surface_color::RgbToPixel16(*rgb));
  std::memcpy(pixel, &p, 2);
}

void GSurface16::BltVideo(const unsigned* frame, int x, int y, int sx, int sy, int w, int h,
                          int framePitch) {
  if (!frame) return;
  if (framePitch == 0) framePitch = w;
  x += originX;
  y += originY;
  if (!IntersectRect(x, y, sx, sy, w, h)) return;
  SURFACE_LOCKED* lock = Lock();
  if (!lock->bits) return;
  const uint8_t* five = surface_color::kByteToFive.data();
  for (int r = 0; r < h; ++r) {
    const unsigned* in = frame + static_cast<size_t>(sy + r) * framePitch + sx;
    uint16_t* out = Row(lock, y + r) + x;
    for (int i = 0; i < w; ++i) {
      const unsigned v = in[i];
      out[i] = static_cast<uint16_t>((five[v & 0xFF] << 10) | (five[(v >> 8) & 0xFF] << 5) |
                                     five[(v >> 16) & 0xFF]);
    }
  }
  MarkModified(x, y, w, h);
}

void GSurface16::CopyToTexture(void* bits, int pitch) {
  if (!modified || !bits || !pixels) return;
  const int row = width * 2;
  if (pitch == row) {
    std::memcpy(bits, pixels.get(), static_cast<size_t>(row) * height);
    return;
  }
  const int n = pitch < row ? pitch : row;
  for (int y = 0; y < height; ++y)
    std::memcpy(static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * pitch,
                pixels.get() + static_cast<size_t>(y) * row, n);
}

bool GSurface16::CopyRectToTexture(void* bits, int pitch, int bpp, const CFerroRect& rect) {
  if (!bits || !pixels || rect.IsEmpty() || rect.left < 0 || rect.top < 0 || rect.right > width ||
      rect.bottom > height)
    return false;
  const uint16_t* in = reinterpret_cast<const uint16_t*>(pixels.get()) +
                       static_cast<size_t>(rect.top) * width + rect.left;
  const int w = rect.Width();
  if (bpp == 16) {
    if (pitch < w * 2) return false;
    for (int y = 0; y < rect.Height(); ++y, in += width)
      std::memcpy(static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * pitch, in,
                  static_cast<size_t>(w) * 2);
    return true;
  }
  if (bpp != 32 || pitch < w * 4) return false;
  const uint32_t* table = surface_color::kPixelToScreen32.data();
  for (int y = 0; y < rect.Height(); ++y, in += width) {
    uint32_t* out =
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * pitch);
    for (int x = 0; x < w; ++x) out[x] = 0xFF000000u | table[in[x] & 0x7FFF];
  }
  return true;
}

void GSurface16::CopyToTexture32(void* bits, int pitch) {
  if (!modified || !bits || !pixels || pitch < width * 4) return;
  const uint32_t* table = surface_color::kPixelToScreen32.data();
  const uint16_t* in = reinterpret_cast<const uint16_t*>(pixels.get());
  for (int y = 0; y < height; ++y) {
    uint32_t* out =
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * pitch);
    for (int x = 0; x < width; ++x) out[x] = 0xFF000000u | table[*in++ & 0x7FFF];
  }
}

// [SECTION] Scan-line blitters

namespace {

// Keyed or alpha blending of n pixels, written with selects rather than
// branches so that the compiler can vectorise it. 'm' is the line's multiplier;
// with an alpha channel a pixel of alpha 0 leaves the target, and one whose
// alpha x m reaches 1 is copied.
inline void BlendSpan(uint16_t* d, const uint16_t* s, const float* alpha, int n, float m) {
  if (alpha) {
    for (int i = 0; i < n; ++i) {
      const float a = alpha[i] * m;
      const uint16_t blended = BlendPixel16(d[i], s[i], a);
      d[i] = alpha[i] <= 0.0f ? d[i] : a >= 1.0f ? s[i] : blended;
    }
  } else {
    for (int i = 0; i < n; ++i) {
      const uint16_t blended = BlendPixel16(d[i], s[i], m);
      d[i] = (s[i] & GSurface16::kTransparent) ? d[i] : blended;
    }
  }
}

// A line drawn without a colour key is a plain copy, moved whole since the
// source and target may overlap; says whether the line was one.
bool CopiedWhole(const BLT_LINE_DATA* line) {
  if (!line->noKey) return false;
  std::memmove(line->dst, line->src, static_cast<size_t>(line->count) * 2);
  return true;
}

}  // namespace

void GSurface16::BltHorizontalLine(BLT_LINE_DATA* line) {
  if (CopiedWhole(line)) return;
  const uint16_t* s = static_cast<const uint16_t*>(line->src);
  uint16_t* d = static_cast<uint16_t*>(line->dst);
  const int n = line->count;
  if (!line->hasAlpha && line->multiplier >= 1.0f) {
    // A select rather than a branch, so the compiler can vectorise the line.
    for (int i = 0; i < n; ++i) d[i] = (s[i] & kTransparent) ? d[i] : s[i];
    return;
  }
  BlendSpan(d, s, line->hasAlpha ? line->srcAlpha : nullptr, n, line->multiplier);
}

void GSurface16::BltHorizontalLineRev(BLT_LINE_DATA* line) {
  if (CopiedWhole(line)) return;
  const uint16_t* s = static_cast<const uint16_t*>(line->src);
  uint16_t* d = static_cast<uint16_t*>(line->dst);
  const int n = line->count;
  const float* alpha = line->hasAlpha ? line->srcAlpha : nullptr;
  for (int i = n - 1; i >= 0; --i)
    BlendSpan(d + i, s + i, alpha ? alpha + i : nullptr, 1, line->multiplier);
}

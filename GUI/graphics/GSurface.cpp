#include "GUI/graphics/GSurface.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/graphics/ImageDecoder.h"

GDevice* GSurface::device = nullptr;

// [SECTION] Construction and buffers

bool GSurface::Create(int w, int h) {
  Destroy();
  MarkModifiedAll();
  if (w < 0 || h < 0) return false;
  const long long bytes = static_cast<long long>(w) * h * PixelBytes();
  if (bytes > std::numeric_limits<int>::max()) return false;
  if (bytes > 0) {
    pixels.reset(new (std::nothrow) uint8_t[bytes]);
    if (!pixels) return false;
  }
  width = w;
  height = h;
  Clear(0);
  ResetClip();
  opaque = true;
  return true;
}

void GSurface::Destroy() {
  pixels.reset();
  alpha.reset();
  width = 0;
  height = 0;
  locked = SURFACE_LOCKED();
  modified = false;
  modifiedCount = 0;
  clipX = clipY = clipW = clipH = 0;
}

bool GSurface::CreateAlpha(float value) {
  const size_t n = static_cast<size_t>(width) * height;
  alpha.reset(new (std::nothrow) float[n ? n : 1]);
  if (!alpha) return false;
  for (size_t i = 0; i < n; ++i) alpha[i] = value;
  Unlock();  // the lock record must learn the new channel
  return true;
}

void GSurface::DropAlpha() {
  alpha.reset();
  Unlock();
}

void GSurface::MarkModified(int x, int y, int w, int h) {
  modified = true;
  const CFerroRect r(std::max(x, 0), std::max(y, 0),
                     static_cast<int>(std::min(static_cast<long long>(x) + w, 0LL + width)),
                     static_cast<int>(std::min(static_cast<long long>(y) + h, 0LL + height)));
  if (r.IsEmpty()) return;
  AddModifiedRect(r);
}

namespace {

long long Area(const CFerroRect& r) {
  return static_cast<long long>(r.Width()) * r.Height();
}

}  // namespace

void GSurface::AddModifiedRect(CFerroRect r) {
  // Most drawing lands inside what the frame already changed.
  for (int i = 0; i < modifiedCount; ++i)
    if (modifiedRects[i].ContainsRect(r)) return;
  // Joins r with every rectangle it overlaps, or that it joins without taking
  // in pixels neither holds (a neighbour of the same height or width); the
  // joined rectangle is tried against the others again.
  for (int i = 0; i < modifiedCount;) {
    const CFerroRect joined = modifiedRects[i].Union(r);
    if (!modifiedRects[i].Intersects(r) && Area(joined) > Area(modifiedRects[i]) + Area(r)) {
      ++i;
      continue;
    }
    r = joined;
    modifiedRects[i] = modifiedRects[--modifiedCount];
    i = 0;
  }
  if (modifiedCount < kModifiedRects) {
    modifiedRects[modifiedCount++] = r;
    return;
  }
  // Full: r joins the rectangle it enlarges least, and that one is added anew
  // so that it takes in whatever it now overlaps.
  int best = 0;
  long long bestGrowth = -1;
  for (int i = 0; i < modifiedCount; ++i) {
    const long long growth = Area(modifiedRects[i].Union(r)) - Area(modifiedRects[i]);
    if (bestGrowth < 0 || growth < bestGrowth) {
      best = i;
      bestGrowth = growth;
    }
  }
  r = modifiedRects[best].Union(r);
  modifiedRects[best] = modifiedRects[--modifiedCount];
  AddModifiedRect(r);
}

void GSurface::SetModified(bool value) {
  modified = false;
  modifiedCount = 0;
  if (value) MarkModifiedAll();
}

CFerroRect GSurface::GetModifiedArea() const {
  if (!modified) return CFerroRect();
  // Set without an area: the change could be anywhere.
  if (modifiedCount == 0) return CFerroRect(0, 0, width, height);
  CFerroRect area = modifiedRects[0];
  for (int i = 1; i < modifiedCount; ++i) area = area.Union(modifiedRects[i]);
  return area;
}

std::vector<CFerroRect> GSurface::GetModifiedRects() const {
  if (!modified) return {};
  if (modifiedCount == 0) {
    if (width <= 0 || height <= 0) return {};
    return {CFerroRect(0, 0, width, height)};
  }
  return {modifiedRects.begin(), modifiedRects.begin() + modifiedCount};
}

CFerroRect GSurface::TakeModifiedArea() {
  const CFerroRect area = GetModifiedArea();
  SetModified(false);
  return area;
}

// [SECTION] Clipping and locking

bool GSurface::SetClip(int x, int y, int w, int h) {
  const long long right = static_cast<long long>(x) + w;
  const long long bottom = static_cast<long long>(y) + h;
  if (w <= 0 || h <= 0 || x >= width || y >= height || right <= 0 || bottom <= 0) {
    ResetClip();
    return false;
  }
  clipX = x < 0 ? 0 : x;
  clipY = y < 0 ? 0 : y;
  clipW = static_cast<int>((right > width ? width : right) - clipX);
  clipH = static_cast<int>((bottom > height ? height : bottom) - clipY);
  return true;
}

void GSurface::GetClip(int& x, int& y, int& w, int& h) const {
  x = clipX;
  y = clipY;
  w = clipW;
  h = clipH;
}

void GSurface::ResetClip() {
  clipX = 0;
  clipY = 0;
  clipW = width;
  clipH = height;
}

bool GSurface::IntersectRect(int& x, int& y, int& sx, int& sy, int& w, int& h) const {
  if (w <= 0 || h <= 0) return false;
  // 64-bit edges, so hostile coordinates near the int limits cannot overflow.
  long long left = x, top = y, right = static_cast<long long>(x) + w,
            bottom = static_cast<long long>(y) + h;
  const long long cl = clipX, ct = clipY, cr = cl + clipW, cb = ct + clipH;
  if (right <= cl || bottom <= ct || left >= cr || top >= cb) return false;
  if (left < cl) {
    sx += static_cast<int>(cl - left);
    left = cl;
  }
  if (top < ct) {
    sy += static_cast<int>(ct - top);
    top = ct;
  }
  if (right > cr) right = cr;
  if (bottom > cb) bottom = cb;
  x = static_cast<int>(left);
  y = static_cast<int>(top);
  w = static_cast<int>(right - left);
  h = static_cast<int>(bottom - top);
  return true;
}

SURFACE_LOCKED* GSurface::Lock() {
  if (!locked.bits) {
    locked.bits = pixels.get();
    locked.pitch = width * PixelBytes();
    locked.alpha = alpha.get();
    locked.alphaPitch = width * static_cast<int>(sizeof(float));
  }
  return &locked;
}

void GSurface::SetPtrAndPitch(void* bits, int pitch) {
  locked.bits = bits;
  locked.pitch = pitch;
  locked.alpha = nullptr;
  locked.alphaPitch = 0;
}

void GSurface::Color32ToColor(unsigned color, void* pixel) {
  SURFACE_RGB rgb;
  rgb.Color32ToRgb(color);
  RgbToPixel(&rgb, pixel);
}

void GSurface::DrawRect(int x, int y, int w, int h, unsigned color) {
  // An empty rectangle has no outline; drawing its four "lines" would paint
  // pixels outside it.
  if (w < 1 || h < 1) return;
  DrawHorizontalLine(x, y, w, color);
  DrawVerticalLine(x + w - 1, y, h, color);
  DrawHorizontalLine(x + w - 2, y + h - 1, 1 - w, color);
  DrawVerticalLine(x, y + h - 2, 1 - h, color);
}

// [SECTION] Blitting and copying

void GSurface::Blt(GSurface* src, int x, int y, int sx, int sy, int w, int h, bool useKey) {
  if (!src) return;
  assert(src->GetBPP() == GetBPP() && "Blits need surfaces of one pixel format");
  x += originX;
  y += originY;
  if (w == 0) w = src->width;
  if (h == 0) h = src->height;
  const bool keyed = useKey && !src->opaque;

  // Keep the source rectangle inside the source, so no caller can make the blit
  // read outside its buffer; the destination moves along.
  if (sx < 0) {
    x -= sx;
    w += sx;
    sx = 0;
  }
  if (sy < 0) {
    y -= sy;
    h += sy;
    sy = 0;
  }
  if (w > src->width - sx) w = src->width - sx;
  if (h > src->height - sy) h = src->height - sy;
  if (!IntersectRect(x, y, sx, sy, w, h)) return;

  MarkModified(x, y, w, h);

  SURFACE_LOCKED* dst = Lock();
  const int bpp = PixelBytes();
  if (!dst->bits) return;

  if (!keyed && x == 0 && y == 0 && sx == 0 && sy == 0 && w == width && h == height &&
      src->width == width && src->height == height && src != this) {
    const size_t row = static_cast<size_t>(width) * bpp;
    if (dst->pitch == static_cast<int>(row)) {
      std::memcpy(dst->bits, src->pixels.get(), row * height);
    } else {
      for (int r = 0; r < height; ++r)
        std::memcpy(static_cast<uint8_t*>(dst->bits) + static_cast<size_t>(r) * dst->pitch,
                    src->pixels.get() + r * row, row);
    }
    return;
  }

  SURFACE_LOCKED* from = src->Lock();
  if (!from->bits) return;

  BLT_LINE_DATA line;
  line.noKey = !keyed;
  line.hasAlpha = src->alpha != nullptr && from->alpha != nullptr;
  line.multiplier = 1.0f;
  if (keyed && src->surfaceAlpha <= 1.0f) {
    line.multiplier = src->surfaceAlpha;
    if (line.multiplier <= 0.0f) return;
  }
  line.count = w;

  // Overlapping blits within one buffer walk away from the pixels still to be read.
  const bool same = from->bits == dst->bits;
  const bool bottomUp = same && y > sy;
  const bool reverse = same && y == sy && x > sx;
  for (int i = 0; i < h; ++i) {
    const int r = bottomUp ? h - 1 - i : i;
    line.src = static_cast<const uint8_t*>(from->bits) + static_cast<size_t>(sy + r) * from->pitch +
               static_cast<size_t>(sx) * bpp;
    line.dst = static_cast<uint8_t*>(dst->bits) + static_cast<size_t>(y + r) * dst->pitch +
               static_cast<size_t>(x) * bpp;
    line.srcAlpha =
        line.hasAlpha
            ? reinterpret_cast<const float*>(reinterpret_cast<const uint8_t*>(from->alpha) +
                                             static_cast<size_t>(sy + r) * from->alphaPitch) +
                  sx
            : nullptr;
    if (reverse)
      BltHorizontalLineRev(&line);
    else
      BltHorizontalLine(&line);
  }
}

void GSurface::Copy(GSurface* src, int x, int y) {
  if (!src || src == this) return;
  assert(src->GetBPP() == GetBPP() && "Copies need surfaces of one pixel format");
  Clear(0);
  if (src->opaque) {
    DropAlpha();
    opaque = true;
  } else {
    opaque = false;
    if (!src->alpha) {
      // A stale alpha channel would decide blending over the transparent marks.
      DropAlpha();
      for (int i = 0; i < width * height; ++i) MaskTransparentPixel(i);
    } else if (!alpha) {
      CreateAlpha(0.0f);
    }
  }
  MarkModifiedAll();

  int sx = 0, sy = 0, w = src->width, h = src->height;
  if (!IntersectRect(x, y, sx, sy, w, h)) return;
  const int bpp = PixelBytes();
  for (int r = 0; r < h; ++r) {
    std::memcpy(pixels.get() + (static_cast<size_t>(y + r) * width + x) * bpp,
                src->pixels.get() + (static_cast<size_t>(sy + r) * src->width + sx) * bpp,
                static_cast<size_t>(w) * bpp);
    if (alpha && src->alpha)
      std::memcpy(alpha.get() + static_cast<size_t>(y + r) * width + x,
                  src->alpha.get() + static_cast<size_t>(sy + r) * src->width + sx,
                  static_cast<size_t>(w) * sizeof(float));
  }
}

// [SECTION] Whole-surface operations

void GSurface::ChangeAlpha(float delta) {
  if (!alpha) {
    // The new channel takes over from the transparent marks, so read them first.
    const size_t n = static_cast<size_t>(width) * height;
    std::unique_ptr<float[]> values(new (std::nothrow) float[n ? n : 1]);
    if (!values) return;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        values[static_cast<size_t>(y) * width + x] = GetPixelAlpha(x, y);
    alpha = std::move(values);
    Unlock();
  }
  opaque = false;
  const size_t n = static_cast<size_t>(width) * height;
  for (size_t i = 0; i < n; ++i) {
    float& a = alpha[i];
    if (a == 0.0f) continue;
    a += delta;
    if (delta > 0.0f && a > 1.0f) a = 1.0f;
    if (delta < 0.0f && a < 0.0f) a = 0.0f;
  }
  MarkModifiedAll();
  Unlock();
}

void GSurface::FlipHorizontal() {
  const int bpp = PixelBytes();
  uint8_t tmp[8];
  for (int y = 0; y < height; ++y) {
    uint8_t* row = pixels.get() + static_cast<size_t>(y) * width * bpp;
    float* arow = alpha ? alpha.get() + static_cast<size_t>(y) * width : nullptr;
    for (int l = 0, r = width - 1; l < r; ++l, --r) {
      std::memcpy(tmp, row + l * bpp, bpp);
      std::memcpy(row + l * bpp, row + r * bpp, bpp);
      std::memcpy(row + r * bpp, tmp, bpp);
      if (arow) std::swap(arow[l], arow[r]);
    }
  }
  MarkModifiedAll();
}

void GSurface::FlipVertical() {
  const size_t row = static_cast<size_t>(width) * PixelBytes();
  for (int t = 0, b = height - 1; t < b; ++t, --b) {
    std::swap_ranges(pixels.get() + t * row, pixels.get() + (t + 1) * row, pixels.get() + b * row);
    if (alpha)
      std::swap_ranges(alpha.get() + static_cast<size_t>(t) * width,
                       alpha.get() + static_cast<size_t>(t + 1) * width,
                       alpha.get() + static_cast<size_t>(b) * width);
  }
  MarkModifiedAll();
}

void GSurface::MixColor(unsigned color, float amount) {
  SURFACE_RGB target;
  target.Color32ToRgb(color);
  const int bpp = PixelBytes();
  const size_t n = static_cast<size_t>(width) * height;
  for (size_t i = 0; i < n; ++i) {
    uint8_t* p = pixels.get() + i * bpp;
    SURFACE_RGB c;
    PixelToRgb(p, &c);
    c.Interpolation(&target, amount);
    RgbToPixelKeepMark(&c, p);
  }
  MarkModifiedAll();
}

std::unique_ptr<uint32_t[]> GSurface::ConvertationToArray32() {
  const size_t n = static_cast<size_t>(width) * height;
  std::unique_ptr<uint32_t[]> out(new (std::nothrow) uint32_t[n ? n : 1]);
  if (!out) return out;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float a = GetPixelAlpha(x, y);
      const unsigned alpha8 = a <= 0.0f ? 0u : a >= 1.0f ? 255u : static_cast<unsigned>(255.0f * a);
      uint32_t value = 0;
      if (alpha8 != 0) {
        SURFACE_RGB c;
        PixelToRgb(pixels.get() + (static_cast<size_t>(y) * width + x) * PixelBytes(), &c);
        value = (alpha8 << 24) | c.RgbToColor32();
      }
      out[static_cast<size_t>(y) * width + x] = value;
    }
  }
  return out;
}

// [SECTION] TGA export

bool GSurface::SaveTGA(const char* path) {
  if (!path || width > 0xFFFF || height > 0xFFFF) return false;
  std::unique_ptr<uint32_t[]> argb = ConvertationToArray32();
  if (!argb) return false;

  const size_t n = static_cast<size_t>(width) * height;
  std::unique_ptr<uint8_t[]> file(new (std::nothrow) uint8_t[18 + n * 4]);
  if (!file) return false;
  uint8_t* h = file.get();
  std::memset(h, 0, 18);
  h[2] = 2;  // uncompressed true colour
  h[12] = static_cast<uint8_t>(width & 0xFF);
  h[13] = static_cast<uint8_t>(width >> 8);
  h[14] = static_cast<uint8_t>(height & 0xFF);
  h[15] = static_cast<uint8_t>(height >> 8);
  h[16] = 32;
  h[17] = 8;  // 8 alpha bits, origin bottom left
  uint8_t* out = h + 18;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t v = argb[static_cast<size_t>(y) * width + x];
      *out++ = static_cast<uint8_t>(v);
      *out++ = static_cast<uint8_t>(v >> 8);
      *out++ = static_cast<uint8_t>(v >> 16);
      *out++ = static_cast<uint8_t>(v >> 24);
    }
  }

  // A file stream opens through the platform's host opener once a platform
  // is up, so its routing applies; headless tools and tests get plain files.
  const size_t size = 18 + n * 4;
  if (size > std::numeric_limits<unsigned int>::max()) return false;
  CFerroStreamFile stream;
  if (!stream.Open(path, CFerroStream::modeWrite)) return false;
  const bool written = stream.Write(file.get(), static_cast<unsigned int>(size)) == size;
  // Buffered bytes that cannot be written show up only when they are flushed.
  const bool flushed = std::fflush(stream.GetFile()) == 0;
  stream.Close();
  return written && flushed;
}

// [SECTION] Loading

void GSurface::StoreRgba(const uint8_t* rgba, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    SURFACE_RGB c;
    c.r = surface_color::kByteToUnit[rgba[i * 4]];
    c.g = surface_color::kByteToUnit[rgba[i * 4 + 1]];
    c.b = surface_color::kByteToUnit[rgba[i * 4 + 2]];
    RgbToPixel(&c, pixels.get() + i * PixelBytes());
  }
}

bool GSurface::Load(const unsigned char* data, int size) {
  return Load(DecodeImageRgba(data, size));
}

bool GSurface::Load(const DecodedImage& image) {
  if (!image.pixels) return false;

  if (!Create(image.width, image.height)) return false;
  const size_t n = static_cast<size_t>(width) * height;
  const uint8_t* rgba = image.pixels.get();
  StoreRgba(rgba, n);
  bool partial = false;
  bool zero = false;
  for (size_t i = 0; i < n; ++i) {
    const uint8_t a = rgba[i * 4 + 3];
    if (a != 0 && a != 255) partial = true;
    if (a == 0) zero = true;
  }
  if (partial) {
    opaque = false;
    if (!CreateAlpha(0.0f)) return false;
    for (size_t i = 0; i < n; ++i) alpha[i] = rgba[i * 4 + 3] * 0.003921569f;
  } else if (zero) {
    opaque = false;
    for (size_t i = 0; i < n; ++i)
      if (rgba[i * 4 + 3] == 0) MaskTransparentPixel(static_cast<int>(i));
  }
  return true;
}

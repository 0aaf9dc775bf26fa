// Pictures through the image loader, and font descriptions.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "GUI/graphics/FONTEX.h"
#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface16.h"
#include "GUI/graphics/SurfaceColor.h"
#include "tests/fuzz/FuzzTargets.h"

namespace {

class FuzzDevice : public GDevice {
 public:
  FuzzDevice(int width, int height) : GDevice(true), width(width), height(height) {}
  GSurface* NewSurface() override { return new GSurface16; }
  bool GetMonitorMode(VIDEO_MODE* mode) override {
    *mode = VIDEO_MODE{width, height, 32};
    return true;
  }

 private:
  int width, height;
};

// Glyph images as large as the shipped fonts' (about 510 x 150), with every
// coverage value present, so the real descriptions find their glyphs.
constexpr int kAlphaWidth = 520;
constexpr int kAlphaHeight = 160;

// Each column is a buffer of its own, so reading past one is a finding.
unsigned char* const* AlphaColumns() {
  static std::vector<std::vector<unsigned char>> alpha;
  static std::vector<unsigned char*> columns;
  for (int x = static_cast<int>(columns.size()); x < kAlphaWidth; ++x) {
    auto& column = alpha.emplace_back(kAlphaHeight);  // a moved column keeps its bytes
    for (int y = 0; y < kAlphaHeight; ++y) column[y] = static_cast<unsigned char>(x * 7 + y);
    columns.push_back(column.data());
  }
  return columns.data();
}

}  // namespace

GDevice* NewFuzzDevice(int width, int height) {
  return new FuzzDevice(width, height);
}

int FuzzFont(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  FuzzDevice device(64, 48);
  device.Create(64, 48);
  const CFerroString description(std::string(reinterpret_cast<const char*>(data), size).c_str());
  const int font = device.AddFontex(AlphaColumns(), kAlphaWidth, kAlphaHeight, description);
  FuzzCheck(font >= -1 && font < device.GetFontCount(), "a font index names a font or nothing");
  if (font < 0) return 0;
  FuzzCheck(device.AddFontex(AlphaColumns(), kAlphaWidth, kAlphaHeight, description) == font,
            "the same font loads to the same index");

  // Every character once, drawn plain and over a background.
  char text[225];
  for (int c = 32; c < 256; ++c) text[c - 32] = static_cast<char>(c);
  text[224] = 0;
  int w = 0, h = 0;
  device.GetTextSize(text, font, w, h);
  FuzzCheck(w >= 0 && h >= 0, "text sizes are not negative");
  GSurface16 target;
  if (target.Create(64, 32)) {
    FuzzCheck(target.TextOut(-5, 3, text, font, 0xFFFFFF, DEFAULT_COLOR), "text draws plain");
    FuzzCheck(target.TextOut(2, -4, text + 100, font, 0xFF0000, 0x000080), "text draws on colour");
  }
  return 0;
}

int FuzzImage(const uint8_t* data, size_t size) {
  if (size > INT_MAX) return 0;
  GSurface16 picture;
  if (!picture.Load(data, static_cast<int>(size))) return 0;
  int w = 0, h = 0;
  picture.GetSize(w, h);
  FuzzCheck(w >= 0 && h >= 0 && w <= 8192 && h <= 8192, "a loaded picture has a sane size");
  // Drawn centred into a cell, as image lists and sprites are, and read back at a corner.
  GSurface16 cell;
  if (cell.Create(40, 40)) {
    cell.Copy(&picture, (40 - w) / 2, (40 - h) / 2);
    cell.Blt(&picture, -3, 5, 0, 0, w, h, true);
  }
  if (w > 0 && h > 0) {
    const float alpha = picture.GetPixelAlpha(w - 1, h - 1);
    FuzzCheck(alpha >= 0.0f && alpha <= 1.0f, "alpha lies in 0..1");
  }
  return 0;
}

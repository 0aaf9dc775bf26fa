#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace art {

// An 8-bit RGBA colour; alpha 0 is fully transparent.
struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

// 0xRRGGBB as an opaque colour.
constexpr Rgba Rgb(uint32_t rgb) {
  return Rgba{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), 255};
}

// Channel-wise mix of two colours, t in 0..256 (256 gives b).
Rgba Mix(Rgba a, Rgba b, int t);

// A test for "is this point inside the shape", in pixel coordinates where the
// centre of pixel (x, y) is (x + 0.5, y + 0.5).
using Shape = std::function<bool(double x, double y)>;

// An RGBA picture with the few drawing operations the art needs. Shapes are
// sampled at pixel centres (crisp, for sprites) or with 4 x 4 samples per pixel
// (smooth edges, for the large pictures). Everything is integer or basic
// floating arithmetic, so the same calls always give the same bytes.
class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgba Get(int x, int y) const;
  void Set(int x, int y, Rgba c);
  bool IsOpaque(int x, int y) const { return Get(x, y).a != 0; }

  void Fill(Rgba c);
  void FillRect(int x, int y, int w, int h, Rgba c);
  void HLine(int x, int y, int length, Rgba c) { FillRect(x, y, length, 1, c); }
  void VLine(int x, int y, int length, Rgba c) { FillRect(x, y, 1, length, c); }
  // Bresenham line between two pixel positions, both ends included.
  void Line(int x0, int y0, int x1, int y1, Rgba c);

  // Paints c where the shape holds, inside the box (x0, y0)-(x1, y1) exclusive.
  // With smooth set, edge pixels are blended by coverage.
  void Paint(const Shape& shape, int x0, int y0, int x1, int y1, Rgba c, bool smooth = false);
  void Circle(double cx, double cy, double r, Rgba c, bool smooth = false);
  void Ellipse(double cx, double cy, double rx, double ry, Rgba c, bool smooth = false);
  // A thick segment with round ends.
  void Capsule(double x0, double y0, double x1, double y1, double r, Rgba c, bool smooth = false);
  void Polygon(const std::vector<double>& xy, Rgba c, bool smooth = false);

  // Pixels of colour `where` (exact match) become c; used to shade parts.
  void Recolor(Rgba where, Rgba c);
  // Every transparent pixel next to an opaque one becomes c: 4 neighbours, or
  // 8 with diagonal set.
  void Outline(Rgba c, bool diagonal);
  // Draws src over this canvas at (x, y), blending by src's alpha.
  void Blit(const Canvas& src, int x, int y);
  // Blends c over the pixel by alpha a (0..255).
  void Blend(int x, int y, Rgba c, int a);

  Canvas MirrorX() const;
  Canvas Scaled(int factor) const;

  // Writes a PNG: RGB when every pixel is opaque, RGBA otherwise.
  bool WritePng(const std::string& path) const;
  // Writes a 32-bit TGA (RLE compressed).
  bool WriteTga(const std::string& path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgba> pixels_;
};

}  // namespace art

#include "tools/art/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <stb/stb_image_write.h>

namespace art {

Rgba Mix(Rgba a, Rgba b, int t) {
  auto ch = [t](int x, int y) { return uint8_t((x * (256 - t) + y * t + 128) >> 8); };
  return Rgba{ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b), ch(a.a, b.a)};
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(size_t(width) * size_t(height)) {}

Rgba Canvas::Get(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return Rgba{};
  return pixels_[size_t(y) * size_t(width_) + size_t(x)];
}

void Canvas::Set(int x, int y, Rgba c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[size_t(y) * size_t(width_) + size_t(x)] = c;
}

void Canvas::Blend(int x, int y, Rgba c, int a) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0) return;
  a = a * c.a / 255;
  Rgba& d = pixels_[size_t(y) * size_t(width_) + size_t(x)];
  if (a >= 255 || d.a == 0) {
    // Over a transparent pixel the colour is taken as it is and only the
    // coverage goes into alpha, so edges do not darken towards black.
    d = Rgba{c.r, c.g, c.b, uint8_t(std::max<int>(a, d.a))};
    return;
  }
  auto ch = [a](int s, int t) { return uint8_t((s * a + t * (255 - a) + 127) / 255); };
  d = Rgba{ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), uint8_t(a + d.a * (255 - a) / 255)};
}

void Canvas::Fill(Rgba c) {
  std::fill(pixels_.begin(), pixels_.end(), c);
}

void Canvas::FillRect(int x, int y, int w, int h, Rgba c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgba c) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Canvas::Paint(const Shape& shape, int x0, int y0, int x1, int y1, Rgba c, bool smooth) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, width_);
  y1 = std::min(y1, height_);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (!smooth) {
        if (shape(x + 0.5, y + 0.5)) Set(x, y, c);
        continue;
      }
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
          if (shape(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
      if (hits) Blend(x, y, c, hits * 255 / 16);
    }
  }
}

void Canvas::Circle(double cx, double cy, double r, Rgba c, bool smooth) {
  Ellipse(cx, cy, r, r, c, smooth);
}

void Canvas::Ellipse(double cx, double cy, double rx, double ry, Rgba c, bool smooth) {
  auto inside = [=](double x, double y) {
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
  };
  Paint(inside, int(std::floor(cx - rx)), int(std::floor(cy - ry)), int(std::ceil(cx + rx)) + 1,
        int(std::ceil(cy + ry)) + 1, c, smooth);
}

void Canvas::Capsule(double x0, double y0, double x1, double y1, double r, Rgba c, bool smooth) {
  const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
  auto inside = [=](double x, double y) {
    double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double px = x0 + t * dx - x, py = y0 + t * dy - y;
    return px * px + py * py <= r * r;
  };
  Paint(inside, int(std::floor(std::min(x0, x1) - r)), int(std::floor(std::min(y0, y1) - r)),
        int(std::ceil(std::max(x0, x1) + r)) + 1, int(std::ceil(std::max(y0, y1) + r)) + 1, c,
        smooth);
}

void Canvas::Polygon(const std::vector<double>& xy, Rgba c, bool smooth) {
  const size_t n = xy.size() / 2;
  if (n < 3) return;
  double minX = xy[0], maxX = xy[0], minY = xy[1], maxY = xy[1];
  for (size_t i = 0; i < n; ++i) {
    minX = std::min(minX, xy[2 * i]);
    maxX = std::max(maxX, xy[2 * i]);
    minY = std::min(minY, xy[2 * i + 1]);
    maxY = std::max(maxY, xy[2 * i + 1]);
  }
  // Even-odd rule by counting edge crossings of a ray to the right.
  auto inside = [&xy, n](double x, double y) {
    bool in = false;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const double xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
  };
  Paint(inside, int(std::floor(minX)), int(std::floor(minY)), int(std::ceil(maxX)) + 1,
        int(std::ceil(maxY)) + 1, c, smooth);
}

void Canvas::Recolor(Rgba where, Rgba c) {
  for (Rgba& p : pixels_)
    if (p == where) p = c;
}

void Canvas::Outline(Rgba c, bool diagonal) {
  const Canvas before = *this;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (before.IsOpaque(x, y)) continue;
      bool touch = before.IsOpaque(x - 1, y) || before.IsOpaque(x + 1, y) ||
                   before.IsOpaque(x, y - 1) || before.IsOpaque(x, y + 1);
      if (diagonal)
        touch = touch || before.IsOpaque(x - 1, y - 1) || before.IsOpaque(x + 1, y - 1) ||
                before.IsOpaque(x - 1, y + 1) || before.IsOpaque(x + 1, y + 1);
      if (touch) Set(x, y, c);
    }
  }
}

void Canvas::Blit(const Canvas& src, int x, int y) {
  for (int j = 0; j < src.height_; ++j)
    for (int i = 0; i < src.width_; ++i) {
      const Rgba s = src.Get(i, j);
      if (s.a) Blend(x + i, y + j, Rgba{s.r, s.g, s.b, 255}, s.a);
    }
}

Canvas Canvas::MirrorX() const {
  Canvas out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(width_ - 1 - x, y, Get(x, y));
  return out;
}

Canvas Canvas::Scaled(int factor) const {
  Canvas out(width_ * factor, height_ * factor);
  for (int y = 0; y < out.height_; ++y)
    for (int x = 0; x < out.width_; ++x) out.Set(x, y, Get(x / factor, y / factor));
  return out;
}

bool Canvas::WritePng(const std::string& path) const {
  const bool opaque =
      std::all_of(pixels_.begin(), pixels_.end(), [](const Rgba& p) { return p.a == 255; });
  std::vector<uint8_t> bytes;
  bytes.reserve(pixels_.size() * 4);
  for (const Rgba& p : pixels_) {
    // Fully transparent pixels are stored as transparent black, so that a
    // loader that ignores alpha sees black and the bytes stay canonical.
    const Rgba q = p.a == 0 ? Rgba{} : p;
    bytes.push_back(q.r);
    bytes.push_back(q.g);
    bytes.push_back(q.b);
    if (!opaque) bytes.push_back(q.a);
  }
  const int channels = opaque ? 3 : 4;
  return stbi_write_png(path.c_str(), width_, height_, channels, bytes.data(), width_ * channels) !=
         0;
}

bool Canvas::WriteTga(const std::string& path) const {
  std::vector<uint8_t> bytes;
  bytes.reserve(pixels_.size() * 4);
  for (const Rgba& p : pixels_) {
    bytes.push_back(p.r);
    bytes.push_back(p.g);
    bytes.push_back(p.b);
    bytes.push_back(p.a);
  }
  return stbi_write_tga(path.c_str(), width_, height_, 4, bytes.data()) != 0;
}

}  // namespace art

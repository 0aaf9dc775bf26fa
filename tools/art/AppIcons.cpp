#include "tools/art/AppIcons.h"

#include "tools/art/MenuArt.h"

namespace art {

namespace {

// Each pixel the average of a factor x factor block, weighted by alpha so
// that transparent pixels lend no colour to the edges.
Canvas Reduced(const Canvas& src, int factor) {
  Canvas out(src.Width() / factor, src.Height() / factor);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      int r = 0, g = 0, b = 0, a = 0;
      for (int dy = 0; dy < factor; ++dy)
        for (int dx = 0; dx < factor; ++dx) {
          const Rgba p = src.Get(x * factor + dx, y * factor + dy);
          r += p.r * p.a;
          g += p.g * p.a;
          b += p.b * p.a;
          a += p.a;
        }
      if (a == 0) continue;
      const int n = factor * factor;
      out.Set(x, y,
              Rgba{uint8_t((r + a / 2) / a), uint8_t((g + a / 2) / a), uint8_t((b + a / 2) / a),
                   uint8_t((a + n / 2) / n)});
    }
  return out;
}

}  // namespace

std::vector<AppIcon> DrawAppIcons(const Sprites& sprites) {
  const Canvas logo = Logo(sprites);
  return {
      {16, Reduced(logo, 8)},
      {32, Reduced(logo, 4)},
      {48, Reduced(logo.Scaled(3), 8)},
      {64, Reduced(logo, 2)},
      {128, logo},
      {256, logo.Scaled(2)},
  };
}

}  // namespace art

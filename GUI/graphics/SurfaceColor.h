#pragma once

#include <array>
#include <cstdint>

// A colour argument that means "no colour set": ask the theme, draw no
// background.
constexpr unsigned DEFAULT_COLOR = 0x230955;

// A colour as three float components in 0..1, the working form of every blend.
struct SURFACE_RGB {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;

  // Sets this from a 0x00RRGGBB value.
  void Color32ToRgb(unsigned color);
  // Returns the 0x00RRGGBB value, each component truncated to 8 bits.
  unsigned RgbToColor32() const;
  // this = src x a + this x (1 - a), per component.
  void BlendNormal(const SURFACE_RGB* src, float a);
  void Mul(float k);
  // this = this + (other - this) x t, per component.
  void Interpolation(const SURFACE_RGB* other, float t);
};

// Conversion tables shared by every surface. They are filled once, before first
// use, and never change afterwards.
namespace surface_color {

// 8-bit component -> 0..1.
extern const std::array<float, 256> kByteToUnit;
// 5-bit component -> 0..1.
extern const std::array<float, 32> kFiveToUnit;
// 8-bit component -> 5-bit component, floor(31 x c / 255).
extern const std::array<uint8_t, 256> kByteToFive;
// 15-bit pixel -> 0x00RRGGBB, the same as PixelToRgb followed by RgbToColor32.
extern const std::array<uint32_t, 32768> kPixelToColor32;
// 15-bit pixel -> 0x00RRGGBB as a display shows a 5-5-5 picture: each 5-bit
// component c becomes (c << 3) | (c >> 2), so 0 stays 0 and 31 becomes 255.
// The frame converts the back surface with it, so a 32-bit texture shows
// exactly the colours a 16-bit texture of the same pixels would.
extern const std::array<uint32_t, 32768> kPixelToScreen32;

// A 0..1 component -> 5 bits, to the nearest step; above 1 gives 31, below 0 gives 0.
// Written as a clamp rather than branches so that blend loops vectorise.
inline unsigned UnitToFive(float c) {
  c = c < 1.0f ? c : 1.0f;
  c = c > 0.0f ? c : 0.0f;
  return static_cast<unsigned>(static_cast<int>(31.0f * c + 0.5f));
}

// Components -> 16-bit pixel with bit 15 clear.
inline uint16_t RgbToPixel16(const SURFACE_RGB& c) {
  return static_cast<uint16_t>((UnitToFive(c.r) << 10) | (UnitToFive(c.g) << 5) | UnitToFive(c.b));
}

inline void Pixel16ToRgb(uint16_t p, SURFACE_RGB* c) {
  c->r = kFiveToUnit[(p >> 10) & 31];
  c->g = kFiveToUnit[(p >> 5) & 31];
  c->b = kFiveToUnit[p & 31];
}

// 0x00RRGGBB -> 16-bit pixel (bit 15 clear), through the float components.
inline uint16_t Color32ToPixel16(unsigned color) {
  SURFACE_RGB c;
  c.Color32ToRgb(color);
  return RgbToPixel16(c);
}

// d = s x a + d x (1 - a), rounded back to 5 bits per component. The same
// arithmetic as BlendNormal on PixelToRgb values (f / 31 is what the table
// holds), without table look-ups, so that blend loops vectorise.
inline uint16_t BlendPixel16(uint16_t d, uint16_t s, float a) {
  const float keep = 1.0f - a;
  auto component = [&](int shift) {
    const float sc = static_cast<float>((s >> shift) & 31) / 31.0f;
    const float dc = static_cast<float>((d >> shift) & 31) / 31.0f;
    return UnitToFive(sc * a + dc * keep) << shift;
  };
  return static_cast<uint16_t>(component(10) | component(5) | component(0));
}

}  // namespace surface_color

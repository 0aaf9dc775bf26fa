#include "GUI/graphics/SurfaceColor.h"

namespace surface_color {
namespace {

constexpr unsigned UnitToByte(float c) {
  if (c <= 0.0f) return 0;
  if (c >= 1.0f) return 255;
  return static_cast<unsigned>(255.0f * c);
}

constexpr std::array<float, 256> BuildByteToUnit() {
  std::array<float, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<float>(i) / 255.0f;
  return t;
}

constexpr std::array<float, 32> BuildFiveToUnit() {
  std::array<float, 32> t{};
  for (int i = 0; i < 32; ++i) t[i] = static_cast<float>(i) / 31.0f;
  return t;
}

constexpr std::array<uint8_t, 256> BuildByteToFive() {
  std::array<uint8_t, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(31 * i / 255);
  return t;
}

constexpr std::array<uint32_t, 32768> BuildPixelToColor32() {
  const std::array<float, 32> five = BuildFiveToUnit();
  std::array<uint32_t, 32768> t{};
  for (unsigned p = 0; p < 32768; ++p) {
    t[p] = (UnitToByte(five[(p >> 10) & 31]) << 16) | (UnitToByte(five[(p >> 5) & 31]) << 8) |
           UnitToByte(five[p & 31]);
  }
  return t;
}

constexpr uint32_t Expand(unsigned c) {
  return (c << 3) | (c >> 2);
}

constexpr std::array<uint32_t, 32768> BuildPixelToScreen32() {
  std::array<uint32_t, 32768> t{};
  for (unsigned p = 0; p < 32768; ++p)
    t[p] = (Expand((p >> 10) & 31) << 16) | (Expand((p >> 5) & 31) << 8) | Expand(p & 31);
  return t;
}

}  // namespace

// Built by the compiler, so they are ready before any surface or device exists.
constinit const std::array<float, 256> kByteToUnit = BuildByteToUnit();
constinit const std::array<float, 32> kFiveToUnit = BuildFiveToUnit();
constinit const std::array<uint8_t, 256> kByteToFive = BuildByteToFive();
constinit const std::array<uint32_t, 32768> kPixelToColor32 = BuildPixelToColor32();
constinit const std::array<uint32_t, 32768> kPixelToScreen32 = BuildPixelToScreen32();

}  // namespace surface_color

void SURFACE_RGB::Color32ToRgb(unsigned color) {
  r = surface_color::kByteToUnit[(color >> 16) & 0xFF];
  g = surface_color::kByteToUnit[(color >> 8) & 0xFF];
  b = surface_color::kByteToUnit[color & 0xFF];
}

unsigned SURFACE_RGB::RgbToColor32() const {
  using surface_color::UnitToByte;
  return (UnitToByte(r) << 16) | (UnitToByte(g) << 8) | UnitToByte(b);
}

void SURFACE_RGB::BlendNormal(const SURFACE_RGB* src, float a) {
  const float keep = 1.0f - a;
  r = src->r * a + r * keep;
  g = src->g * a + g * keep;
  b = src->b * a + b * keep;
}

void SURFACE_RGB::Mul(float k) {
  r *= k;
  g *= k;
  b *= k;
}

void SURFACE_RGB::Interpolation(const SURFACE_RGB* other, float t) {
  r += (other->r - r) * t;
  g += (other->g - g) * t;
  b += (other->b - b) * t;
}

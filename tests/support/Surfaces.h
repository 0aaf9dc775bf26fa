#pragma once

#include <gtest/gtest.h>

#include <string>

#include "GUI/graphics/GSurface16.h"

// Test helpers: surfaces as pictures of characters, one string per row.
namespace surface_test {

constexpr uint16_t kRed = 0x7C00;
constexpr uint16_t kGreen = 0x03E0;
constexpr uint16_t kBlue = 0x001F;
constexpr uint16_t kWhite = 0x7FFF;
constexpr uint16_t kGrey = (16 << 10) | (16 << 5) | 16;

struct Surf : GSurface16 {
  Surf(int w, int h) { EXPECT_TRUE(Create(w, h)); }
};

// '.' for 0, '#' for any other visible pixel, 'T' for a pixel with bit 15 set.
inline std::string Picture(const GSurface16& s) {
  std::string out;
  for (int y = 0; y < s.GetHeight(); ++y) {
    for (int x = 0; x < s.GetWidth(); ++x) {
      const uint16_t p = s.GetPixel16(x, y);
      out += (p & 0x8000) ? 'T' : p ? '#' : '.';
    }
    out += '\n';
  }
  return out;
}

// Joins rows given as separate literals, for readable expectations.
template <class... Ts>
std::string Rows(Ts... rows) {
  std::string out;
  ((out += rows, out += '\n'), ...);
  return out;
}

// Sets the raw pixel at (x, y) of the surface's own buffer.
inline void Put(GSurface16& s, int x, int y, uint16_t value) {
  reinterpret_cast<uint16_t*>(s.GetPixels())[y * s.GetWidth() + x] = value;
}

}  // namespace surface_test

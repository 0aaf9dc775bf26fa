#include "GUI/graphics/ImageDecoder.h"

#include <cstddef>

// Pictures come from files on the player's disk: refuse dimensions that no
// picture of the game comes near, before anything is allocated for them.
#define STBI_MAX_DIMENSIONS 8192
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

// The stb_image shipped with the system trusts a JPEG's Huffman table counts
// and writes past its tables when they add up to more than 256 symbols. Such
// a file is broken anyway, so it is refused before the decoder sees it. The
// walk reads the marker segments the way the decoder does, including those
// between the scans of a progressive picture.
bool JpegHuffmanTablesFit(const unsigned char* d, size_t n) {
  if (n < 2 || d[0] != 0xFF || d[1] != 0xD8) return true;  // not a JPEG
  auto at = [d, n](size_t i) -> unsigned { return i < n ? d[i] : 0u; };
  size_t p = 2;
  while (p + 1 < n) {
    if (d[p] != 0xFF) {  // entropy-coded data between segments
      ++p;
      continue;
    }
    const unsigned m = d[p + 1];
    if (m == 0xFF) {  // fill byte
      ++p;
      continue;
    }
    if (m == 0x00 || m == 0x01 || (m >= 0xD0 && m <= 0xD7)) {  // stuffing, TEM, restarts
      p += 2;
      continue;
    }
    if (m == 0xD9) break;  // end of image
    const long length = static_cast<long>((at(p + 2) << 8) | at(p + 3));
    if (m == 0xC4) {
      long remaining = length - 2;
      size_t q = p + 4;
      while (remaining > 0) {
        unsigned symbols = 0;
        for (size_t i = 1; i <= 16; ++i) symbols += at(q + i);
        if (symbols > 256) return false;
        q += 17 + symbols;
        remaining -= 17 + static_cast<long>(symbols);
      }
    }
    p += 2 + static_cast<size_t>(length);
  }
  return true;
}

}  // namespace

DecodedImage DecodeImageRgba(const unsigned char* data, int size) {
  DecodedImage image;
  if (!data || size <= 0) return image;
  if (!JpegHuffmanTablesFit(data, static_cast<size_t>(size))) return image;
  int w = 0, h = 0, channels = 0;
  stbi_uc* rgba = stbi_load_from_memory(data, size, &w, &h, &channels, 4);
  if (!rgba) return image;
  image.pixels.reset(rgba);
  image.width = w;
  image.height = h;
  return image;
}

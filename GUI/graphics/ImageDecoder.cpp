#include "GUI/graphics/ImageDecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

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

// The PNG reader grows its buffer of compressed data by the length each IDAT
// chunk announces before it reads the chunk, so a few bytes announcing a
// gigabyte cost a gigabyte. A PNG is accepted only when every chunk (length,
// type, data and checksum) fits in the bytes that follow.
bool PngChunksFit(const unsigned char* d, size_t n) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (n < 8 || std::memcmp(d, kSignature, 8) != 0) return true;  // not a PNG
  size_t p = 8;
  while (n - p >= 8) {
    const uint64_t length =
        (static_cast<uint64_t>(d[p]) << 24) | (d[p + 1] << 16) | (d[p + 2] << 8) | d[p + 3];
    if (length > n - p - 8 || n - p - 8 - length < 4) return false;
    if (std::memcmp(d + p + 4, "IEND", 4) == 0) break;
    p += 12 + static_cast<size_t>(length);
  }
  return true;
}

}  // namespace

DecodedImage DecodeImageRgba(const unsigned char* data, int size) {
  DecodedImage image;
  if (!data || size <= 0) return image;
  if (!JpegHuffmanTablesFit(data, static_cast<size_t>(size)) ||
      !PngChunksFit(data, static_cast<size_t>(size)))
    return image;
  int w = 0, h = 0, channels = 0;
  stbi_uc* rgba = stbi_load_from_memory(data, size, &w, &h, &channels, 4);
  if (!rgba) return image;
  image.pixels.reset(rgba);
  image.width = w;
  image.height = h;
  return image;
}

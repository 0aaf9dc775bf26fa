#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

// An image decoded to 8-bit RGBA, row by row from the top.
struct DecodedImage {
  struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
  };
  std::unique_ptr<uint8_t[], FreeDeleter> pixels;
  int width = 0;
  int height = 0;
};

// Decodes an image file held in memory (PNG, JPEG, TGA, BMP, GIF, ...). Empty
// pixels when the data cannot be decoded or the picture is unreasonably large.
DecodedImage DecodeImageRgba(const unsigned char* data, int size);

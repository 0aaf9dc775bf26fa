#include "GUI/graphics/ImageDecoder.h"

// Pictures come from files on the player's disk: refuse dimensions that no
// picture of the game comes near, before anything is allocated for them.
#define STBI_MAX_DIMENSIONS 16384
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

DecodedImage DecodeImageRgba(const unsigned char* data, int size) {
  DecodedImage image;
  if (!data || size <= 0) return image;
  int w = 0, h = 0, channels = 0;
  stbi_uc* rgba = stbi_load_from_memory(data, size, &w, &h, &channels, 4);
  if (!rgba) return image;
  image.pixels.reset(rgba);
  image.width = w;
  image.height = h;
  return image;
}

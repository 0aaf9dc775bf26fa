#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "GUI/graphics/ImageDecoder.h"
#include "tests/support/Files.h"
#include "tools/art/Canvas.h"

// Compares a picture (0xRRGGBB pixels, row by row) with the PNG of that name
// in a folder of the source tree. With DIGMAZE_UPDATE_GOLDEN set the PNG is
// written instead (look at it before committing it).
inline void ExpectGoldenPicture(const std::string& folder, const std::string& name,
                                const std::vector<uint32_t>& pixels, int w, int h) {
  ASSERT_EQ(pixels.size(), static_cast<size_t>(w) * h);
  const std::string path =
      std::string(std::getenv("DIGMAZE_SOURCE_DIR")) + "/" + folder + "/" + name + ".png";
  if (std::getenv("DIGMAZE_UPDATE_GOLDEN")) {
    art::Canvas canvas(w, h);
    for (int i = 0; i < w * h; ++i) canvas.Set(i % w, i / w, art::Rgb(pixels[i]));
    ASSERT_TRUE(canvas.WritePng(path));
    return;
  }
  const Bytes file = ReadBytes(path);
  const DecodedImage image = DecodeImageRgba(file.data(), static_cast<int>(file.size()));
  ASSERT_TRUE(image.pixels) << "cannot decode " << path;
  ASSERT_EQ(image.width, w) << name;
  ASSERT_EQ(image.height, h) << name;
  int differences = 0;
  for (int i = 0; i < w * h; ++i) {
    const uint8_t* p = image.pixels.get() + 4 * i;
    const uint32_t expected = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    if (expected != pixels[i] && ++differences <= 5)
      ADD_FAILURE() << name << ": pixel (" << i % w << ", " << i / w << ") is " << std::hex
                    << pixels[i] << ", expected " << expected;
  }
  EXPECT_EQ(differences, 0) << name;
}

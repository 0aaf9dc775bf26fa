#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GImageList.h"
#include "GUI/graphics/GSurface16.h"
#include "tests/support/Bytes.h"
#include "tests/support/Surfaces.h"

// The image writer is compiled once, in the art tools' canvas library.
#include <stb/stb_image_write.h>

namespace {

using namespace surface_test;

void Append(void* context, void* data, int size) {
  auto* out = static_cast<Bytes*>(context);
  out->insert(out->end(), static_cast<unsigned char*>(data),
              static_cast<unsigned char*>(data) + size);
}

// A 2 x 2 PNG: red, green / blue, white, with the given alpha values.
Bytes Png(unsigned char a0, unsigned char a1, unsigned char a2, unsigned char a3) {
  const unsigned char rgba[16] = {255, 0, 0, a0, 0, 255, 0, a1, 0, 0, 255, a2, 255, 255, 255, a3};
  Bytes out;
  EXPECT_NE(stbi_write_png_to_func(Append, &out, 2, 2, 4, rgba, 8), 0);
  return out;
}

bool Load(GSurface16& s, const Bytes& bytes) {
  return s.Load(bytes.data(), static_cast<int>(bytes.size()));
}

TEST(GSurfaceLoad, PngAlphaDecidesOpaqueKeyedOrAlphaChannel) {
  struct Case {
    Bytes png;
    std::string picture;
    bool opaque, hasAlpha;
    float alpha11;
  } cases[] = {
      {Png(255, 255, 255, 255), Rows("##", "##"), true, false, 1.0f},
      {Png(255, 0, 255, 0), Rows("#T", "#T"), false, false, 0.0f},  // only 0 and 255: a key
      {Png(255, 0, 255, 128), Rows("##", "##"), false, true, 128 / 255.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.picture + std::to_string(c.alpha11));
    GSurface16 s;
    ASSERT_TRUE(Load(s, c.png));
    EXPECT_EQ(Picture(s), c.picture);
    EXPECT_EQ(s.IsOpaque(), c.opaque);
    EXPECT_EQ(s.HasAlpha(), c.hasAlpha);
    EXPECT_NEAR(s.GetPixelAlpha(1, 1), c.alpha11, 1e-6);
    const uint16_t colours[] = {kRed, kGreen, kBlue, kWhite};  // hidden ones keep theirs
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.GetPixel16(i % 2, i / 2) & 0x7FFF, colours[i]) << i;
  }
}

TEST(GSurfaceLoad, RefusedDataLeavesTheSurfaceUntouched) {
  Surf s(3, 1);
  Put(s, 1, 0, kRed);
  s.SetModified(false);
  const Bytes png = Png(255, 255, 255, 255), wide(9000 * 4, 255);
  Bytes tooWide;  // a valid picture above the size limit
  ASSERT_NE(stbi_write_png_to_func(Append, &tooWide, 9000, 1, 4, wide.data(), 0), 0);
  EXPECT_FALSE(Load(s, tooWide));
  EXPECT_FALSE(Load(s, Bytes(png.begin(), png.begin() + png.size() / 2)));
  EXPECT_FALSE(s.Load(nullptr, 10));
  EXPECT_FALSE(s.Load(png.data(), 0));
  EXPECT_EQ(Picture(s), Rows(".#."));
  EXPECT_FALSE(s.IsModified());
}

TEST(GSurfaceLoad, DamagedFilesFailCleanlyOrDecode) {
  // Truncated and bit-flipped pictures must decode or be refused, never read
  // outside the buffer (the sanitizer build checks that) nor half-change the surface.
  Bytes rgb(16 * 16 * 3), jpg, tga;
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<unsigned char>(i * 7);
  ASSERT_NE(stbi_write_jpg_to_func(Append, &jpg, 16, 16, 3, rgb.data(), 80), 0);
  ASSERT_NE(stbi_write_tga_to_func(Append, &tga, 16, 16, 3, rgb.data()), 0);
  auto loadOrKeep = [](const Bytes& bytes) {
    Surf s(1, 1);
    return Load(s, bytes) || s.GetWidth() == 1;
  };
  // Mask 0 stands for the file cut off at that byte.
  for (const Bytes& file : {Png(255, 0, 255, 128), jpg, tga})
    for (size_t at = 0; at < file.size(); ++at)
      for (unsigned char mask : {0x00, 0x01, 0x10, 0x80, 0xFF}) {
        Bytes damaged = mask ? file : Bytes(file.begin(), file.begin() + at);
        if (mask) damaged[at] ^= mask;
        EXPECT_TRUE(loadOrKeep(damaged)) << at << " " << int{mask};
      }
  // A Huffman table claiming more than 256 symbols would overrun the decoder's tables.
  const unsigned char kDht[] = {0xFF, 0xC4};
  const size_t dht =
      static_cast<size_t>(std::search(jpg.begin(), jpg.end(), kDht, kDht + 2) - jpg.begin());
  ASSERT_LT(dht + 21, jpg.size());
  std::fill(jpg.begin() + dht + 5, jpg.begin() + dht + 21, 0x20);
  GSurface16 refused;
  EXPECT_FALSE(Load(refused, jpg));

  // A PNG chunk announcing more bytes than follow (the decoder reserved what an IDAT chunk
  // announced before reading it); the picture with an honest length still loads.
  const Bytes png = Png(255, 0, 255, 128);
  const unsigned char kIdat[] = {'I', 'D', 'A', 'T'};
  const size_t idat =
      static_cast<size_t>(std::search(png.begin(), png.end(), kIdat, kIdat + 4) - png.begin());
  ASSERT_LT(idat, png.size());
  for (unsigned char top : {0x40, 0x00}) {
    Bytes lying = png;
    lying[idat - 4] = top;
    lying[idat - 3] = 0x01;
    EXPECT_FALSE(Load(refused, lying)) << int{top};
  }
  EXPECT_TRUE(Load(refused, png));
}

// A headless device whose surfaces are 16-bit.
struct TestDevice : GDevice {
  TestDevice() : GDevice(false) { GSurface::device = this; }
  GSurface* NewSurface() override { return new GSurface16(); }
};

TEST(GImageList, CellsHoldTheImageCentredAndClippedAndDieWithTheList) {
  TestDevice device;
  EXPECT_FALSE(GImage(nullptr, 0, 0).IsOver(0, 0));
  GSurface* small = device.AddSurface();
  ASSERT_TRUE(small->Create(2, 2));
  small->Clear(0xFFFFFF);
  small->MaskTransparentPixel(0);
  GSurface* big = device.AddSurface();
  ASSERT_TRUE(big->Create(6, 6));
  static_cast<GSurface16*>(big)->FillRect(1, 1, 4, 4, 0xFF0000);
  big->MaskTransparentPixel(0);  // a corner that the cell cuts away
  {
    GImageList list;
    EXPECT_EQ(list.AddImage(small), -1) << "not created yet";
    ASSERT_TRUE(list.Create(4, 4));
    EXPECT_EQ(list.AddImage(device.AddPicture(small, 1, 2)), 0);
    EXPECT_EQ(list.AddImage(big), 1);
    EXPECT_EQ(device.GetSurfaceCount(), 4);
    auto* cell0 = static_cast<GSurface16*>(list.GetImage(0)->GetSurface());
    EXPECT_EQ(Picture(*cell0), Rows("TTTT", "TT#T", "T##T", "TTTT"));
    auto* cell1 = static_cast<GSurface16*>(list.GetImage(1)->GetSurface());
    EXPECT_EQ(Picture(*cell1), Rows("####", "####", "####", "####"));
    EXPECT_EQ(list.GetImage(2), nullptr);
    Surf target(4, 3);  // the cell keeps the pivot, which lands on the drawing position
    list.GetImage(0)->Blt(1, 2, &target, true);
    EXPECT_EQ(Picture(target), Rows("....", "..#.", ".##."));
  }
  EXPECT_EQ(device.GetSurfaceCount(), 2) << "the cell surfaces go with the list";
  EXPECT_EQ(device.GetPictureCount(), 2) << "intermediate pictures stay with the device";
}

}  // namespace

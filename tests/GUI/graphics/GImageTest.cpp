#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GImageList.h"
#include "GUI/graphics/GSurface16.h"
#include "tests/GUI/graphics/SurfaceTestUtil.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

using namespace surface_test;

void Append(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  out->insert(out->end(), static_cast<unsigned char*>(data),
              static_cast<unsigned char*>(data) + size);
}

// A 2 x 2 PNG: red, green / blue, white, with the given alpha values.
std::vector<unsigned char> Png(unsigned char a0, unsigned char a1, unsigned char a2,
                               unsigned char a3) {
  const unsigned char rgba[16] = {255, 0, 0, a0, 0, 255, 0, a1, 0, 0, 255, a2, 255, 255, 255, a3};
  std::vector<unsigned char> out;
  EXPECT_NE(stbi_write_png_to_func(Append, &out, 2, 2, 4, rgba, 8), 0);
  return out;
}

TEST(GSurfaceLoad, OpaquePng) {
  GSurface16 s;
  const auto png = Png(255, 255, 255, 255);
  ASSERT_TRUE(s.Load(png.data(), static_cast<int>(png.size())));
  EXPECT_EQ(s.GetWidth(), 2);
  EXPECT_TRUE(s.IsOpaque());
  EXPECT_FALSE(s.HasAlpha());
  EXPECT_TRUE(s.IsModified());
  EXPECT_EQ(s.GetPixel16(0, 0), kRed);
  EXPECT_EQ(s.GetPixel16(1, 0), kGreen);
  EXPECT_EQ(s.GetPixel16(0, 1), kBlue);
  EXPECT_EQ(s.GetPixel16(1, 1), kWhite);
}

TEST(GSurfaceLoad, OnlyZeroAndFullAlphaGivesAColourKey) {
  GSurface16 s;
  const auto png = Png(255, 0, 255, 0);
  ASSERT_TRUE(s.Load(png.data(), static_cast<int>(png.size())));
  EXPECT_FALSE(s.IsOpaque());
  EXPECT_FALSE(s.HasAlpha());
  EXPECT_EQ(Picture(s), Rows("#T", "#T"));
  EXPECT_FLOAT_EQ(s.GetPixelAlpha(0, 0), 1.0f);
  EXPECT_FLOAT_EQ(s.GetPixelAlpha(1, 0), 0.0f);
}

TEST(GSurfaceLoad, AnyPartialAlphaGivesAnAlphaChannel) {
  GSurface16 s;
  const auto png = Png(255, 0, 255, 128);
  ASSERT_TRUE(s.Load(png.data(), static_cast<int>(png.size())));
  EXPECT_FALSE(s.IsOpaque());
  ASSERT_TRUE(s.HasAlpha());
  EXPECT_EQ(Picture(s), Rows("##", "##")) << "no pixel is masked";
  EXPECT_FLOAT_EQ(s.GetPixelAlpha(1, 0), 0.0f);
  EXPECT_NEAR(s.GetPixelAlpha(1, 1), 128 / 255.0f, 1e-6);

  GSurface16 target;
  ASSERT_TRUE(target.Create(2, 2));
  target.Blt(&s, 0, 0, 0, 0, 0, 0, true);
  EXPECT_EQ(target.GetPixel16(1, 1), (16 << 10) | (16 << 5) | 16) << "white blended by 128/255";
  EXPECT_EQ(target.GetPixel16(1, 0), 0) << "alpha 0 leaves the target";
}

TEST(GSurfaceLoad, JpegLoadsOpaque) {
  std::vector<unsigned char> rgb(8 * 8 * 3, 200);
  std::vector<unsigned char> jpg;
  ASSERT_NE(stbi_write_jpg_to_func(Append, &jpg, 8, 8, 3, rgb.data(), 95), 0);
  GSurface16 s;
  ASSERT_TRUE(s.Load(jpg.data(), static_cast<int>(jpg.size())));
  EXPECT_EQ(s.GetWidth(), 8);
  EXPECT_TRUE(s.IsOpaque());
  SURFACE_RGB c;
  s.GetPixelRGB(4, 4, &c);
  EXPECT_NEAR(c.r, 200 / 255.0f, 0.05f);
}

TEST(GSurfaceLoad, UndecodableDataLeavesTheSurfaceUntouched) {
  GSurface16 s;
  ASSERT_TRUE(s.Create(3, 1));
  Put(s, 1, 0, kRed);
  s.SetModified(false);
  const unsigned char garbage[] = "this is not a picture at all, only some text bytes";
  auto png = Png(255, 255, 255, 255);
  const std::vector<unsigned char> truncated(png.begin(), png.begin() + png.size() / 2);
  EXPECT_FALSE(s.Load(garbage, sizeof garbage));
  EXPECT_FALSE(s.Load(truncated.data(), static_cast<int>(truncated.size())));
  EXPECT_FALSE(s.Load(nullptr, 10));
  EXPECT_FALSE(s.Load(png.data(), 0));
  EXPECT_EQ(s.GetWidth(), 3);
  EXPECT_EQ(s.GetPixel16(1, 0), kRed);
  EXPECT_FALSE(s.IsModified());
}

TEST(GSurfaceLoad, DamagedFilesFailCleanlyOrDecode) {
  // Pictures come from the player's disk: truncated and bit-flipped copies must
  // either decode or be refused, never read outside the buffer (the sanitizer
  // build checks that) and never half-change the surface.
  std::vector<unsigned char> rgb(16 * 16 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<unsigned char>(i * 7);
  std::vector<unsigned char> jpg;
  ASSERT_NE(stbi_write_jpg_to_func(Append, &jpg, 16, 16, 3, rgb.data(), 80), 0);
  // A Huffman table claiming more than 256 symbols is refused outright.
  std::vector<unsigned char> oversized = jpg;
  for (size_t i = 0; i + 21 < oversized.size(); ++i) {
    if (oversized[i] == 0xFF && oversized[i + 1] == 0xC4) {
      for (size_t k = 0; k < 16; ++k) oversized[i + 5 + k] = 0x20;
      break;
    }
  }
  GSurface16 refused;
  EXPECT_FALSE(refused.Load(oversized.data(), static_cast<int>(oversized.size())));

  std::vector<unsigned char> tga, bmp;
  ASSERT_NE(stbi_write_tga_to_func(Append, &tga, 16, 16, 3, rgb.data()), 0);
  ASSERT_NE(stbi_write_bmp_to_func(Append, &bmp, 16, 16, 3, rgb.data()), 0);
  const std::vector<std::vector<unsigned char>> files = {Png(255, 0, 255, 128), jpg, tga, bmp};
  auto loadOrKeep = [](const std::vector<unsigned char>& bytes) {
    GSurface16 s;
    EXPECT_TRUE(s.Create(1, 1));
    const bool loaded = s.Load(bytes.data(), static_cast<int>(bytes.size()));
    return loaded || s.GetWidth() == 1;
  };
  for (const auto& file : files) {
    for (size_t at = 0; at < file.size(); ++at) {
      EXPECT_TRUE(loadOrKeep(std::vector<unsigned char>(file.begin(), file.begin() + at)));
      for (unsigned char mask : {0x01, 0x10, 0x80, 0xFF}) {
        std::vector<unsigned char> flipped = file;
        flipped[at] ^= mask;
        EXPECT_TRUE(loadOrKeep(flipped));
      }
    }
  }
}

TEST(GSurfaceLoad, SavedTgaReadsBack) {
  GSurface16 s;
  ASSERT_TRUE(s.Create(3, 2));
  Put(s, 0, 0, kRed);
  Put(s, 2, 1, kBlue);
  s.MaskTransparentPixel(1);
  const auto path = std::filesystem::temp_directory_path() / "gimage_test_roundtrip.tga";
  ASSERT_TRUE(s.SaveTGA(path.c_str()));
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
  std::filesystem::remove(path);

  GSurface16 back;
  ASSERT_TRUE(back.Load(bytes.data(), static_cast<int>(bytes.size())));
  EXPECT_EQ(Picture(back), Rows("#T.", "..#"));
  EXPECT_EQ(back.GetPixel16(0, 0), kRed);
  EXPECT_EQ(back.GetPixel16(2, 1), kBlue);
}

// A headless device whose surfaces are 16-bit.
struct TestDevice : GDevice {
  TestDevice() : GDevice(false) { GSurface::device = this; }
  GSurface* NewSurface() override { return new GSurface16(); }
};

TEST(GImage, PivotPlacesTheSurface) {
  GImage empty(nullptr, 1, 1);
  int w = -1, h = -1;
  empty.GetSize(w, h);
  EXPECT_EQ(w + h, 0);
  EXPECT_FALSE(empty.IsOver(0, 0));

  GSurface16 sprite, target;
  ASSERT_TRUE(sprite.Create(2, 1));
  sprite.Clear(0xFFFFFF);
  sprite.MaskTransparentPixel(1);
  ASSERT_TRUE(target.Create(4, 2));
  GImage image(&sprite, 1, 0);
  image.Blt(2, 1, &target, true);
  EXPECT_EQ(Picture(target), Rows("....", ".#.."));
  EXPECT_TRUE(image.IsOver(-1, 0));
  EXPECT_FALSE(image.IsOver(0, 0));
}

TEST(GImageList, CellsHoldTheImageCentredAndClipped) {
  TestDevice device;
  GImageList list;
  EXPECT_FALSE(list.Create(0, 4));
  ASSERT_TRUE(list.Create(4, 4));
  EXPECT_FALSE(list.Create(4, 4)) << "a list is created once";

  GSurface* small = device.AddSurface();
  ASSERT_TRUE(small->Create(2, 2));
  small->Clear(0xFFFFFF);
  small->MaskTransparentPixel(0);
  GSurface* big = device.AddSurface();
  ASSERT_TRUE(big->Create(6, 6));
  static_cast<GSurface16*>(big)->FillRect(1, 1, 4, 4, 0xFF0000);
  big->MaskTransparentPixel(0);  // a corner that the cell cuts away

  EXPECT_EQ(list.AddImage(device.AddPicture(small, 1, 2)), 0);
  EXPECT_EQ(list.AddImage(big), 1);
  EXPECT_EQ(device.GetPictureCount(), 2);
  EXPECT_EQ(device.GetSurfaceCount(), 4);

  auto* cell0 = static_cast<GSurface16*>(list.GetImage(0)->GetSurface());
  EXPECT_EQ(Picture(*cell0), Rows("TTTT", "TT#T", "T##T", "TTTT"));
  int px, py;
  list.GetImage(0)->GetPivot(px, py);
  EXPECT_EQ(px * 10 + py, 12);
  auto* cell1 = static_cast<GSurface16*>(list.GetImage(1)->GetSurface());
  EXPECT_EQ(Picture(*cell1), Rows("####", "####", "####", "####"));
  EXPECT_EQ(cell1->GetPixel16(0, 0), kRed);
  EXPECT_EQ(list.GetImage(2), nullptr);
  EXPECT_EQ(list.GetImage(-1), nullptr);
}

TEST(GImageList, DestructionDeletesTheCellSurfaces) {
  TestDevice device;
  GSurface* source = device.AddSurface();
  ASSERT_TRUE(source->Create(1, 1));
  {
    GImageList list;
    EXPECT_EQ(list.AddImage(source), -1) << "not created yet";
    ASSERT_TRUE(list.Create(2, 2));
    list.AddImage(source);
    list.AddImage(source);
    EXPECT_EQ(device.GetSurfaceCount(), 3);
  }
  EXPECT_EQ(device.GetSurfaceCount(), 1);
  EXPECT_EQ(device.GetPictureCount(), 2) << "intermediate pictures stay with the device";
}

}  // namespace

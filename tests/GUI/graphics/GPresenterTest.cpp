#include "GUI/graphics/GPresenter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface16.h"

namespace {

// A headless device whose back buffer (the texture) is memory of 16- or
// 32-bit pixels, keeping what each present uploaded.
struct TextureDevice : GDevice {
  explicit TextureDevice(int bpp) : GDevice(false), bpp(bpp) {}
  GSurface* NewSurface() override { return new GSurface16(); }
  bool IsVisibleCursor() override { return true; }
  int GetBackbufferBPP() override { return bpp; }
  void ChangeResolution(bool, bool) override {
    int w = 0, h = 0;
    GetSize(w, h);
    texture.assign(static_cast<size_t>(w) * h * (bpp / 8), 0);
  }
  bool LockBackbufferRect(const CFerroRect& rect, SURFACE_LOCKED* lock) override {
    if (refuse) return false;
    int w = 0, h = 0;
    GetSize(w, h);
    lock->pitch = w * bpp / 8;
    lock->bits = texture.data() + static_cast<size_t>(rect.top) * lock->pitch +
                 static_cast<size_t>(rect.left) * (bpp / 8);
    uploads.push_back(rect);
    return true;
  }
  void Render() override { ++presents; }
  // The texture's pixel at (x, y) as 5-5-5 colour.
  unsigned Pixel(int x, int y) const {
    int w = 0, h = 0;
    const_cast<TextureDevice*>(this)->GetSize(w, h);
    const size_t at = (static_cast<size_t>(y) * w + x) * (bpp / 8);
    if (bpp == 16) return (texture[at] | texture[at + 1] << 8) & 0x7FFF;
    uint32_t v = 0;
    std::memcpy(&v, &texture[at], 4);
    return ((v >> 19) & 31) << 10 | ((v >> 11) & 31) << 5 | ((v >> 3) & 31);
  }
  int bpp;
  bool refuse = false;
  int presents = 0;
  std::vector<uint8_t> texture;
  std::vector<CFerroRect> uploads;
};

constexpr unsigned kRed = 0xFF0000, kBlue = 0x0000FF;
constexpr unsigned kRed15 = 31 << 10, kBlue15 = 31, kGreen15 = 31 << 5;

class GPresenterTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device.Create(64, 48));
    back = device.AddSurface();
    ASSERT_TRUE(back->Create(64, 48));
    cursorSurface = device.AddSurface();
    ASSERT_TRUE(cursorSurface->Create(3, 3));
    cursorSurface->Clear(kRed);
    cursorImage = std::make_unique<GImage>(cursorSurface, 1, 1);
  }
  // Presents with the cursor at (x, y) (none for x < 0); the rectangles uploaded.
  std::vector<CFerroRect> Present(int x = -1, int y = 0) {
    device.uploads.clear();
    presenter.Present(device, *back,
                      x < 0 ? GPresenter::Cursor{} : GPresenter::Cursor{cursorImage.get(), x, y});
    return device.uploads;
  }
  // Whether the texture shows the back surface, with the cursor's square
  // (if any) red.
  ::testing::AssertionResult ShowsBack(CFerroRect cursor = {}) {
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) {
        SURFACE_RGB rgb;
        back->GetPixelRGB(x, y, &rgb);
        const unsigned want = cursor.Contains(x, y)
                                  ? kRed15
                                  : static_cast<unsigned>(rgb.r * 31 + 0.5f) << 10 |
                                        static_cast<unsigned>(rgb.g * 31 + 0.5f) << 5 |
                                        static_cast<unsigned>(rgb.b * 31 + 0.5f);
        if (device.Pixel(x, y) != want)
          return ::testing::AssertionFailure()
                 << "pixel (" << x << ", " << y << ") is " << device.Pixel(x, y);
      }
    return ::testing::AssertionSuccess();
  }
  TextureDevice device{GetParam()};
  GSurface* back = nullptr;
  GSurface* cursorSurface = nullptr;
  std::unique_ptr<GImage> cursorImage;
  GPresenter presenter;
};

}  // namespace

// Only the pixels that changed since the last present are uploaded; a frame
// that changed nothing (or drew the same pixels again) presents nothing.
TEST_P(GPresenterTest, UploadsOnlyTheChangedRectangles) {
  back->Clear(kBlue);
  EXPECT_EQ(Present(), std::vector{CFerroRect(0, 0, 64, 48)});
  EXPECT_TRUE(ShowsBack());
  EXPECT_EQ(device.presents, 1);

  back->FillRect(10, 20, 4, 3, kRed);
  back->FillRect(40, 5, 8, 8, kBlue);  // drawn again, unchanged
  EXPECT_EQ(Present(), std::vector{CFerroRect(10, 20, 14, 23)});
  EXPECT_TRUE(ShowsBack());
  EXPECT_EQ(device.presents, 2);

  EXPECT_TRUE(Present().empty());
  back->FillRect(0, 0, 64, 48, kBlue);
  back->FillRect(10, 20, 4, 3, kRed);
  EXPECT_TRUE(Present().empty());
  EXPECT_EQ(device.presents, 2);
}

// The cursor is drawn into the texture only: the back surface keeps no
// trace of it, and the place it left is uploaded again from the back surface.
// Half over the picture's edge it is cut there.
TEST_P(GPresenterTest, TheCursorGoesIntoTheTextureOnly) {
  back->Clear(kBlue);
  Present(10, 10);
  EXPECT_TRUE(ShowsBack(CFerroRect(9, 9, 12, 12)));
  SURFACE_RGB under;
  back->GetPixelRGB(10, 10, &under);
  EXPECT_EQ(under.r, 0.0f);

  EXPECT_TRUE(Present(10, 10).empty());  // nothing moved
  EXPECT_EQ(Present(30, 20), (std::vector{CFerroRect(9, 9, 12, 12), CFerroRect(29, 19, 32, 22)}));
  EXPECT_TRUE(ShowsBack(CFerroRect(29, 19, 32, 22)));
  // A change under the cursor keeps it drawn over the new pixels.
  back->FillRect(28, 18, 6, 6, 0x00FF00);
  Present(30, 20);
  EXPECT_TRUE(ShowsBack(CFerroRect(29, 19, 32, 22)));
  EXPECT_EQ(device.Pixel(28, 18), kGreen15);

  EXPECT_EQ(Present(63, 47), (std::vector{CFerroRect(29, 19, 32, 22), CFerroRect(62, 46, 64, 48)}));
  EXPECT_TRUE(ShowsBack(CFerroRect(62, 46, 64, 48)));
  Present();
  EXPECT_TRUE(ShowsBack());
}

// A new window size (the device asks for a full present), a back surface of
// a new size and a back buffer that could not be locked each upload the
// whole picture next.
TEST_P(GPresenterTest, ANewWindowSizeUploadsEverything) {
  back->Clear(kBlue);
  Present();
  device.RequestFullPresent();
  EXPECT_EQ(Present(), std::vector{CFerroRect(0, 0, 64, 48)});

  ASSERT_TRUE(device.Create(32, 16));
  ASSERT_TRUE(back->Create(32, 16));
  back->Clear(kBlue);
  back->SetModified(false);
  back->FillRect(0, 0, 1, 1, kRed);
  EXPECT_EQ(Present(), std::vector{CFerroRect(0, 0, 1, 1)});
  EXPECT_EQ(device.Pixel(0, 0), kRed15);
  // Until the whole of the new size was shown, every change goes on whole.
  back->FillRect(0, 0, 1, 1, kRed);
  EXPECT_EQ(Present(), std::vector{CFerroRect(0, 0, 1, 1)});

  device.refuse = true;
  back->FillRect(5, 5, 2, 2, kRed);
  EXPECT_TRUE(Present().empty());
  device.refuse = false;
  EXPECT_EQ(Present(), std::vector{CFerroRect(0, 0, 32, 16)});
  EXPECT_EQ(device.Pixel(31, 15), kBlue15);
  EXPECT_EQ(device.Pixel(6, 6), kRed15);
}

INSTANTIATE_TEST_SUITE_P(TextureFormats, GPresenterTest, ::testing::Values(16, 32),
                         [](const auto& info) { return std::to_string(info.param) + "bit"; });

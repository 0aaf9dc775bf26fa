#include "GUI/graphics/GDevice.h"

#include <gtest/gtest.h>

#include <vector>

#include "GUI/graphics/GSurface16.h"

namespace {

// A headless device: a fixed monitor and a mode list the test fills.
struct TestDevice : GDevice {
  TestDevice() : GDevice(true) {}
  GSurface* NewSurface() override { return new GSurface16(); }
  bool GetMonitorMode(VIDEO_MODE* mode) override {
    *mode = monitor;
    return true;
  }
  void ChangeResolution(bool resize, bool recreateTexture) override {
    calls.push_back(resize * 10 + recreateTexture);
    GDevice::ChangeResolution(resize, recreateTexture);
  }
  using GDevice::AddVideoMode;
  // A size as one number, width x 10000 + height.
  int Size(void (GDevice::*get)(int&, int&) const = &GDevice::GetSize) const {
    int w, h;
    (this->*get)(w, h);
    return w * 10000 + h;
  }
  VIDEO_MODE monitor{1440, 900, 32};
  std::vector<int> calls;
};

TEST(GDevice, ModeListIsFilteredDeduplicatedSortedAndBounded) {
  TestDevice device;
  const VIDEO_MODE modes[] = {{640, 480, 16}, {200000, 480, 32}, {1024, 768, 32},
                              {800, 600, 32}, {1024, 600, 32},   {800, 600, 32}};
  const bool added[] = {false, false, true, true, true, false};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(device.AddVideoMode(modes[i]), added[i]) << i;
  device.RefreshVideoMode();
  std::vector<int> sizes;
  for (int i = 0; i < device.GetVideoModeCount(); ++i)
    sizes.push_back(device.GetVideoModeAt(i)->width * 10000 + device.GetVideoModeAt(i)->height);
  EXPECT_EQ(sizes, (std::vector<int>{8000600, 10240600, 10240768}));
  for (int i = 0; i < 300; ++i) device.AddVideoMode(VIDEO_MODE{100 + i, 100, 32});
  EXPECT_EQ(device.GetVideoModeCount(), GDevice::kMaxVideoModes);
}

TEST(GDevice, CreateAndSetVideoModeKeepTheDesktopWindow) {
  TestDevice device;
  ASSERT_TRUE(device.Create(0, 0));
  EXPECT_EQ(device.Size(), 14400900);
  device.calls.clear();
  VIDEO_MODE mode{1024, 768, 32};
  EXPECT_FALSE(device.SetVideoMode(&mode)) << "an unlisted mode is refused";

  device.SetOnlyListedModes(false);
  EXPECT_TRUE(device.SetVideoMode(&mode));
  EXPECT_EQ(device.Size(), 10240768);
  EXPECT_EQ(device.Size(&GDevice::GetScreenSize), 14400900) << "the window keeps the desktop size";
  EXPECT_EQ(device.calls, std::vector<int>{1}) << "only the texture is made again";

  device.monitor = VIDEO_MODE{640, 480, 32};
  ASSERT_TRUE(device.Create(0, 0));
  VIDEO_MODE desktop;
  ASSERT_TRUE(device.GetDesktopMode(&desktop));
  EXPECT_EQ(desktop, (VIDEO_MODE{1440, 900, 32})) << "only the first creation is remembered";
  device.Destroy();
  EXPECT_EQ(GSurface::device, nullptr);
}

TEST(GDevice, DeletesOnlyTheSurfacesItOwns) {
  TestDevice device;
  GSurface* a = device.AddSurface();
  GSurface16 foreign;
  EXPECT_FALSE(device.DeleteSurface(&foreign));
  EXPECT_TRUE(device.DeleteSurface(a));
  EXPECT_FALSE(device.DeleteSurface(a));
  EXPECT_EQ(device.GetSurfaceCount(), 0);
}

}  // namespace

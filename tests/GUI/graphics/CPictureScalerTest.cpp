#include "GUI/graphics/CPictureScaler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "GUI/graphics/PresentPath.h"
#include "tests/support/TempDir.h"

namespace {

// After any change, scaling only the affected pixels again leaves the window
// exactly as scaling all of it does, in every mode and at odd sizes, shrunk
// ones among them: a pixel missed by Affected, or a rounding that depends on
// where the scaling starts, shows as a difference.
TEST(CPictureScaler, RescalingTheAffectedPixelsEqualsAFullScaling) {
  const struct {
    CFerroSize picture, window;
    ScaleMode mode;
  } fits[] = {
      {{320, 240}, {1280, 1024}, ScaleMode::Sharp},  {{320, 240}, {1001, 703}, ScaleMode::Sharp},
      {{320, 240}, {1001, 703}, ScaleMode::Integer}, {{320, 240}, {211, 157}, ScaleMode::Sharp},
      {{320, 240}, {97, 301}, ScaleMode::Off},
  };
  const CFerroRect changes[] = {{0, 0, 1, 1},        {319, 239, 320, 240}, {100, 50, 101, 51},
                                {40, 30, 72, 62},    {0, 100, 320, 101},   {201, 0, 202, 240},
                                {150, 120, 155, 122}};
  std::mt19937 random(22);
  for (const auto& f : fits) {
    const CPictureTransform fit(f.picture, f.window, f.window, f.mode);
    SCOPED_TRACE(std::to_string(f.window.width) + "x" + std::to_string(f.window.height) + " " +
                 ScaleModeName(f.mode));
    const CPictureScaler scaler(fit);
    const CFerroRect& whole = fit.GetDestination();
    const int pw = f.picture.width, ww = f.window.width;
    std::vector<uint32_t> picture(static_cast<size_t>(pw) * f.picture.height);
    for (uint32_t& p : picture) p = random() & 0xFFFFFF;
    std::vector<uint32_t> window(static_cast<size_t>(ww) * f.window.height, 0);
    const auto scale = [&](std::vector<uint32_t>& into, const CFerroRect& area) {
      if (!area.IsEmpty())
        scaler.Scale(picture.data(), pw, area,
                     into.data() + static_cast<size_t>(area.top) * ww + area.left, ww);
    };
    scale(window, whole);
    for (const CFerroRect& change : changes) {
      for (int y = change.top; y < change.bottom; ++y)
        for (int x = change.left; x < change.right; ++x) picture[y * pw + x] = random() & 0xFFFFFF;
      scale(window, scaler.Affected(change));
      std::vector<uint32_t> full(window.size(), 0);
      scale(full, whole);
      int wrong = 0;
      for (size_t i = 0; i < full.size(); ++i) wrong += window[i] != full[i] ? 1 : 0;
      EXPECT_EQ(wrong, 0) << "after changing " << change.left << ", " << change.top;
    }
  }
}

TEST(PresentPath, TheWindowSurfaceIsChosenForRenderersThatDrawOnTheProcessor) {
  const struct {
    const char* renderer;
    const char* gl;
    bool software;
  } renderers[] = {
      {"software", nullptr, true},
      {"opengl", "llvmpipe (LLVM 15.0.6, 256 bits)", true},
      {"opengl", "Mesa X11 SWRAST", true},
      {"opengl", "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
      {"opengl", nullptr, false},
      {nullptr, nullptr, false},
  };
  for (const auto& r : renderers)
    EXPECT_EQ(IsSoftwareRenderer(r.renderer, r.gl), r.software)
        << (r.renderer ? r.renderer : "none") << " " << (r.gl ? r.gl : "");

  EXPECT_EQ(ParsePresentPath("renderer"), PresentPath::Renderer);
  EXPECT_EQ(ParsePresentPath("surface"), PresentPath::WindowSurface);
  for (const char* other : {"Surface", "auto"})
    EXPECT_EQ(ParsePresentPath(other), PresentPath::Automatic) << other;
  EXPECT_EQ(ParsePresentPath(nullptr), PresentPath::Automatic);

  // Only a device node a renderer could draw with counts as a graphics device.
  const struct {
    std::vector<std::string> nodes;
    bool device;
  } folders[] = {
      {{"dri/by-path/"}, false}, {{"dri/card0"}, true},          {{"dri/renderD128"}, true},
      {{"nvidia0"}, true},       {{"nvidiactl", "null"}, false},
  };
  for (const auto& f : folders) {
    TempDir dev;
    for (const std::string& node : f.nodes) {
      std::filesystem::create_directories(dev / node.substr(0, node.rfind('/') + 1));
      if (node.back() != '/') std::ofstream(dev / node).put(0);
    }
    EXPECT_EQ(HasGraphicsDevice(dev.Path()), f.device) << ::testing::PrintToString(f.nodes);
  }
}

}  // namespace

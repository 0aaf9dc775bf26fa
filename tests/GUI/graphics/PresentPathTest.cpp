#include "GUI/graphics/PresentPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace {

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

#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/themes/GTheme.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/GScene.h"
#include "tests/support/Golden.h"
#include "tests/support/HeadlessGame.h"

// A control drawn wholly by its drawing object, as the toolkit's buttons are.
class Box : public GComponent {
 public:
  explicit Box(GThemeComponent* look) { theme = look; }
  bool InnerOnRender() override { return theme ? theme->RenderInner(this) : true; }
  void ClientOnRender() override {
    if (theme) theme->RenderClient(this);
  }
};

// A headless game of 200 x 150 whose theme folder "windows" holds the shipped
// fonts (and cursors a test writes). Install() creates a theme in it;
// components made afterwards take their drawing objects from it.
class ThemeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::filesystem::path source =
        std::filesystem::path(std::getenv("DIGMAZE_SOURCE_DIR")) / "data" / "windows";
    std::filesystem::create_directories(ThemeFolder() + "cursors");
    for (const char* font : {"tahoma18bold", "tahoma21bold", "Tahoma16bold", "Tahoma21"})
      for (const char* ext : {".tga", ".txt"})
        std::filesystem::copy_file(source / (std::string(font) + ext), ThemeFolder() + font + ext);
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    VIDEO_MODE mode{200, 150, 32};
    game.GetDevice()->SetOnlyListedModes(false);
    ASSERT_TRUE(game.GetDevice()->SetVideoMode(&mode));
  }

  std::string ThemeFolder() const { return dir.Path() + "windows/"; }

  template <class Theme>
  Theme* Install() {
    auto* theme = new Theme(&game);
    game.SetTheme(theme);
    EXPECT_TRUE(theme->Create());
    scene = new GScene;
    game.AddScene(scene);
    return theme;
  }

  GThemeComponent* Drawing(int kind) { return game.GetTheme()->GetComponentTheme(kind); }

  Box* AddBox(int kind, unsigned style, int x, int y, int w, int h, const char* text = nullptr) {
    auto* box = new Box(Drawing(kind));
    EXPECT_TRUE(box->Create(scene, style, x, y, w, h, 0));
    if (text) box->SetWindowText(text);
    return box;
  }

  void Render() {
    scene->Invalidate();
    scene->RenderAll();
  }

  // The back buffer's pixels over a rectangle, as 0xRRGGBB.
  std::vector<uint32_t> Capture(const CFerroRect& r) {
    std::vector<uint32_t> out;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) out.push_back(Pixel(x, y));
    return out;
  }
  uint32_t Pixel(int x, int y) {
    SURFACE_RGB rgb;
    game.GetBackSurface()->GetPixelRGB(x, y, &rgb);
    return rgb.RgbToColor32();
  }
  static CFerroRect WindowOf(GComponent* c) {
    CFerroRect r;
    c->GetAbsoluteWindowRect(&r);
    return r;
  }

  TempDir dir;
  HeadlessGame game{dir.Path()};
  GScene* scene = nullptr;
};

// A colour as the 16-bit surfaces keep it (5 bits a channel), as 0xRRGGBB.
inline uint32_t Stored(uint32_t color) {
  SURFACE_RGB rgb;
  rgb.Color32ToRgb(color);
  const uint16_t p = surface_color::RgbToPixel16(rgb);
  surface_color::Pixel16ToRgb(p, &rgb);
  return rgb.RgbToColor32();
}

// Compares a picture with the PNG of that name under tests/GUI/themes/golden.
inline void ExpectGolden(const std::string& name, const std::vector<uint32_t>& pixels, int w,
                         int h) {
  ExpectGoldenPicture("tests/GUI/themes/golden", name, pixels, w, h);
}

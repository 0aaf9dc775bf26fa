// Pictures through the image loader, font descriptions, and the static
// text's markup: tags, colours, fonts, links, wrapping and layout.
#include <climits>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "GUI/foundation/FileError.h"
#include "GUI/graphics/FONTEX.h"
#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface16.h"
#include "GUI/graphics/SurfaceColor.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatformUnix.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/GScene.h"
#include "GUI/toolkit/GStatic.h"
#include "tests/fuzz/FuzzTargets.h"

namespace {

class FuzzDevice : public GDevice {
 public:
  FuzzDevice(int width, int height) : GDevice(true), width(width), height(height) {}
  GSurface* NewSurface() override { return new GSurface16; }
  bool GetMonitorMode(VIDEO_MODE* mode) override {
    *mode = VIDEO_MODE{width, height, 32};
    return true;
  }

 private:
  int width, height;
};

// Glyph images as large as the shipped fonts' (about 510 x 190), with every
// coverage value present, so the real descriptions find their glyphs.
constexpr int kAlphaWidth = 520;
constexpr int kAlphaHeight = 200;

// Each column is a buffer of its own, so reading past one is a finding.
unsigned char* const* AlphaColumns() {
  static std::vector<std::vector<unsigned char>> alpha;
  static std::vector<unsigned char*> columns;
  for (int x = static_cast<int>(columns.size()); x < kAlphaWidth; ++x) {
    auto& column = alpha.emplace_back(kAlphaHeight);  // a moved column keeps its bytes
    for (int y = 0; y < kAlphaHeight; ++y) column[y] = static_cast<unsigned char>(x * 7 + y);
    columns.push_back(column.data());
  }
  return columns.data();
}

// The POSIX platform with the scratch folder as game and user folder, so
// nothing is read from or written to the host's folders, and links open nothing.
class FuzzPlatform : public GPlatformUnix {
 public:
  using GPlatformUnix::GPlatformUnix;
  CFerroString GetPathToGame() override { return FuzzScratchFolder().c_str(); }
  CFerroString GetUserDataFolder() override { return FuzzScratchFolder().c_str(); }
  bool OpenLink(const char*) override { return true; }
};

class FuzzGame : public GGame {
 public:
  FuzzGame() : GGame(GUID_GAME{7, 7}, "DigmazeFuzz", "1.0", true) {}
  GPlatform* NewPlatform(GGame* owner, const char* appName) override {
    return new FuzzPlatform(owner, appName);
  }
  GDevice* NewDevice(void*) override { return new FuzzDevice(320, 240); }
};

// Font 0 when the static names none; colours from the component.
class FuzzLook : public GThemeComponent {
 public:
  int GetSBSize(GComponent*) override { return 6; }
  int GetTextFont(GComponent* c) override { return c->GetFont() >= 0 ? c->GetFont() : 0; }
  unsigned GetTextColor(GComponent* c) override { return c->ResolveColor(COLOR_TEXT, 0xFF, 0x80); }
};

// A font whose glyphs are `width` wide, except 'W' (9) and '|' (0), with 'é'
// (2) after the table; what it lacks draws as its replacement box.
void AddFont(GDevice* device, const char* name, int height, int width) {
  std::string text = std::string("Font=") + name + "\r\nHeight=" + std::to_string(height) +
                     "\r\nWeight=400\r\nItalic=0\r\nx,y,width\r\n";
  for (int c = 32; c < 256; ++c) {
    const int w = c == 'W' ? 9 : c == '|' ? 0 : width;
    text += std::string(1, static_cast<char>(c)) + (c == '=' ? "==" : "=") + "0,0," +
            std::to_string(w) + "\r\n";
  }
  text += "U+00E9=0,0,2\r\n";
  device->AddFontex(AlphaColumns(), kAlphaWidth, kAlphaHeight, CFerroString(text.c_str()));
}

// The application with one scene and two fonts, made once per process.
struct MarkupStage {
  MarkupStage() {
    // Nothing of a fuzz run is worth a line in the player's error log.
    disable_game_log = true;
    FuzzCheck(game.CreateGame(nullptr, 320, 240), "the headless application starts");
    game.AddScene(scene = new GScene);
    AddFont(game.GetDevice(), "Small", 4, 3);
    AddFont(game.GetDevice(), "Big", 11, 6);
  }
  FuzzGame game;
  GScene* scene = nullptr;
  FuzzLook look;
};

}  // namespace

int FuzzFont(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  FuzzDevice device(64, 48);
  device.Create(64, 48);
  const CFerroString description(std::string(reinterpret_cast<const char*>(data), size).c_str());
  const int font = device.AddFontex(AlphaColumns(), kAlphaWidth, kAlphaHeight, description);
  FuzzCheck(font >= -1 && font < device.GetFontCount(), "a font index names a font or nothing");
  if (font < 0) return 0;

  FONTEX* loaded = device.GetFontex(font);
  FuzzCheck(loaded->GetReplacement() != nullptr, "a loaded font has a replacement glyph");
  // Letters of the table and beyond it, and the description itself read as
  // text (any bytes, so broken UTF-8 too), drawn plain and over a background,
  // the second time from the middle of a character.
  const std::string letters =
      "Aé Ж„…№€\xef\xbf\xbd\xe2\x82 \xff" + std::string(description.c_str());
  const char* text = letters.c_str();
  int w = 0, h = 0;
  device.GetTextSize(text, font, w, h);
  FuzzCheck(w >= 0 && h >= 0, "text sizes are not negative");
  GSurface16 target;
  if (target.Create(64, 32)) {
    FuzzCheck(target.TextOut(-5, 3, text, font, 0xFFFFFF, DEFAULT_COLOR), "text draws plain");
    FuzzCheck(target.TextOut(2, -4, text + 7, font, 0xFF0000, 0x000080), "text draws on colour");
  }
  return 0;
}

int FuzzImage(const uint8_t* data, size_t size) {
  if (size > INT_MAX) return 0;
  GSurface16 picture;
  if (!picture.Load(data, static_cast<int>(size))) return 0;
  int w = 0, h = 0;
  picture.GetSize(w, h);
  FuzzCheck(w >= 0 && h >= 0 && w <= 8192 && h <= 8192, "a loaded picture has a sane size");
  // Drawn centred into a cell, as image lists and sprites are, and read back at a corner.
  GSurface16 cell;
  if (cell.Create(40, 40)) {
    cell.Copy(&picture, (40 - w) / 2, (40 - h) / 2);
    cell.Blt(&picture, -3, 5, 0, 0, w, h, true);
  }
  if (w > 0 && h > 0) {
    const float alpha = picture.GetPixelAlpha(w - 1, h - 1);
    FuzzCheck(alpha >= 0.0f && alpha <= 1.0f, "alpha lies in 0..1");
  }
  return 0;
}

int FuzzMarkup(const uint8_t* data, size_t size) {
  if (size > (1u << 16)) return 0;
  static MarkupStage stage;
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Sized to the text, and wrapped at a fixed width with scroll bars.
  const int sizes[][2] = {{0, 0}, {57, 30}};
  for (const auto& wh : sizes) {
    auto* label = new GStatic;
    label->SetTheme(&stage.look);
    if (label->Create(stage.scene, STYLE_VISIBLE, 3, 4, wh[0], wh[1], 1, text.c_str())) {
      FuzzCheck(label->GetTextWidth() >= 0 && label->GetTextHeight() >= 0,
                "text extents are not negative");
      label->SetAlignText(1);
      label->DrawRuns(stage.game.GetBackSurface());
      label->ClientOnMouseMove(0, 5, 5);
      label->ClientOnLButtonDown(0, 5, 5);
    }
    delete label;
  }
  return 0;
}

// The static text's markup: tags, colours, fonts, links, wrapping and layout.
#include <string>
#include <vector>

#include "GUI/foundation/FileError.h"
#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface16.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatformUnix.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/GScene.h"
#include "GUI/toolkit/GStatic.h"
#include "tests/fuzz/FuzzTargets.h"

namespace {

// The POSIX platform with the scratch folder as game and user folder, so
// nothing is read from or written to the host's folders.
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
  GDevice* NewDevice(void*) override { return NewFuzzDevice(320, 240); }
};

// Font 0 when the static names none; colours from the component.
class FuzzLook : public GThemeComponent {
 public:
  int GetSBSize(GComponent*) override { return 6; }
  int GetTextFont(GComponent* c) override { return c->GetFont() >= 0 ? c->GetFont() : 0; }
  unsigned GetTextColor(GComponent* c) override { return c->ResolveColor(COLOR_TEXT, 0xFF, 0x80); }
};

// A font whose glyphs are `width` wide, except 'W' (9) and '|' (0).
void AddFont(GDevice* device, const char* name, int height, int width) {
  std::vector<std::vector<unsigned char>> alpha(9, std::vector<unsigned char>(height, 255));
  std::vector<unsigned char*> columns;
  for (auto& column : alpha) columns.push_back(column.data());
  std::string text = std::string("Font=") + name + "\r\nHeight=" + std::to_string(height) +
                     "\r\nWeight=400\r\nItalic=0\r\nx,y,width\r\n";
  for (int c = 32; c < 256; ++c) {
    const int w = c == 'W' ? 9 : c == '|' ? 0 : width;
    text += std::string(1, static_cast<char>(c)) + (c == '=' ? "==" : "=") + "0,0," +
            std::to_string(w) + "\r\n";
  }
  device->AddFontex(columns.data(), 9, height, CFerroString(text.c_str()));
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

// A test program for the end-to-end input check: the game's frame (SDL
// platform and device, 1024 x 768 letterboxed picture) showing a scene with
// two large targets. Each target reports on standard output what reaches
// it (a press cancelled too), and turns red when clicked, so the check can
// see the click too; the window reports losing and regaining the focus.
#include <cstdio>
#include <optional>

#include "GUI/graphics/GSurface.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/GGameDM.h"

namespace {

// One line for input.sh, out at once.
template <typename... Values>
void Say(const char* format, Values... values) {
  std::printf(format, values...);
  std::fflush(stdout);
}

class Target : public GComponent {
 public:
  Target(const char* name, unsigned color) : name(name), color(color) {}

  void OnRender() override {
    CFerroRect r;
    GetClientRect(&r);
    game->GetBackSurface()->FillRect(0, 0, r.Width(), r.Height(), color);
  }
  void OnLButtonClick(unsigned, int x, int y) override {
    Say("click %s %d %d\n", name, x, y);
    color = 0xFF0000;
    Invalidate();
  }
  void OnKeyDown(unsigned key, unsigned count, unsigned) override {
    if (count == 0) Say("key %u %s\n", key, name);
  }
  void OnChar(unsigned ch, unsigned count, unsigned) override {
    if (count == 0) Say("char %u %s\n", ch, name);
  }
  void OnCancelPress() override { Say("cancel %s\n", name); }

 private:
  const char* name;
  unsigned color;
};

class ProbeGame : public GGameDM {
 public:
  ProbeGame() : GGameDM(GGameDM::kId, "DigmazeInputProbe", "1.0", true) {}

  bool CreateGame(void* window, int w, int h) override {
    if (!GGameDM::CreateGame(window, w, h)) return false;
    auto* scene = new GScene;
    AddScene(scene);
    (new Target("left", 0x0000FF))->Create(scene, STYLE_VISIBLE, 100, 200, 300, 300, 1);
    (new Target("right", 0x00FF00))->Create(scene, STYLE_VISIBLE, 600, 200, 300, 300, 2);
    return SetScene(GetSceneCount() - 1);
  }
  void OnActivate(unsigned active, bool) override { Say(active ? "focus back\n" : "focus lost\n"); }
};

}  // namespace

int main() {
  ProbeGame game;
  // The picture 1:1 at the middle of the screen, where input.sh points.
  game.RequestDisplay(std::nullopt, ScaleMode::Off);
  if (!game.CreateGame(nullptr, 0, 0)) return 1;
  Say("ready\n");
  game.Play();
  return 0;
}

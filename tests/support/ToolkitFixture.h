#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "GUI/graphics/GSurface16.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/GDialog.h"
#include "GUI/toolkit/GScene.h"
#include "tests/support/HeadlessGame.h"

// A look with every kind of gap: a 2-pixel frame with a 5-pixel caption band
// on top and a 1-pixel client gap; translucent with STYLE_ALPHA.
class GapTheme : public GThemeComponent {
 public:
  void GetInnerGap(GComponent*, CFerroRect* gap) override { *gap = CFerroRect(2, 5, 2, 2); }
  void GetClientGap(CFerroRect* gap) override { *gap = CFerroRect(1, 1, 1, 1); }
  bool IsAlpha(GComponent* c) override { return c->GetStyle() & STYLE_ALPHA; }
};

// Logs what a component hears: "name event zone x,y".
#define PROBE_MOUSE(Event, Label)                          \
  void On##Event##WIN(unsigned, int x, int y) override {   \
    Log(Label " win", x, y);                               \
  }                                                        \
  void On##Event##INNER(unsigned, int x, int y) override { \
    Log(Label " inner", x, y);                             \
  }                                                        \
  void On##Event(unsigned, int x, int y) override {        \
    Log(Label " client", x, y);                            \
  }

class Probe : public GComponent {
 public:
  Probe(std::vector<std::string>* log, std::string name, GThemeComponent* look = nullptr)
      : log(log), name(std::move(name)) {
    theme = look;
  }

  PROBE_MOUSE(LButtonDown, "down")
  PROBE_MOUSE(LButtonUp, "up")
  PROBE_MOUSE(LButtonClick, "click")
  PROBE_MOUSE(RButtonUp, "rup")
  void OnMouseLeave(unsigned) override { Log("leave client"); }
  void OnKeyDownWIN(unsigned key, unsigned, unsigned) override {
    Log("keywin " + std::to_string(key));
  }
  void OnKeyDown(unsigned key, unsigned count, unsigned) override {
    Log("key " + std::to_string(key) + " " + std::to_string(count));
  }
  void OnKeyUp(unsigned key, unsigned, unsigned) override { Log("keyup " + std::to_string(key)); }
  void OnChar(unsigned ch, unsigned, unsigned) override { Log("char " + std::to_string(ch)); }
  void OnMouseWheel(short delta) override { Log("wheel " + std::to_string(delta)); }
  void OnSetFocus() override { Log("focus"); }
  void OnKillFocus() override { Log("blur"); }
  void OnCopy() override { Log("copy"); }
  void OnRender() override {
    Log("render");
    if (paint == DEFAULT_COLOR) return;
    CFerroRect r;
    GetClientRect(&r);
    game->GetBackSurface()->FillRect(0, 0, r.Width(), r.Height(), paint);
  }

  bool IsDialog() const override { return dialog; }

  // Fills the client zone when drawn, unless DEFAULT_COLOR.
  unsigned paint = DEFAULT_COLOR;
  bool dialog = false;

 private:
  void Log(const std::string& what) { log->push_back(name + " " + what); }
  void Log(const std::string& what, int x, int y) {
    Log(what + " " + std::to_string(x) + "," + std::to_string(y));
  }

  std::vector<std::string>* log;
  std::string name;
};

#undef PROBE_MOUSE

// A component's size, and its window's position in the scene.
inline std::pair<int, int> Size(GComponent* c) {
  int w = 0, h = 0;
  c->GetSize(w, h);
  return {w, h};
}
inline std::pair<int, int> ScenePosition(GComponent* c) {
  int x = 0, y = 0;
  c->GetAbsoluteWindowPosition(x, y);
  return {x, y};
}

// The headless platform and game, recording the links they are asked to
// open instead of opening them.
class LinkPlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  bool OpenLink(const char* url) override { return opened.push_back(url), true; }
  std::vector<std::string> opened;
};

class LinkGame : public HeadlessGame {
 public:
  explicit LinkGame(const std::string& folder) : HeadlessGame(folder), folder(folder) {}
  GPlatform* NewPlatform(GGame* owner, const char* name) override {
    return new LinkPlatform(owner, name, folder);
  }
  std::string folder;
};

// A game on the headless device, its scene size set to 200 x 150, with one
// empty scene.
class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    VIDEO_MODE mode{200, 150, 32};
    game.GetDevice()->SetOnlyListedModes(false);
    ASSERT_TRUE(game.GetDevice()->SetVideoMode(&mode));
    scene = new GScene;
    game.AddScene(scene);
  }

  // A probe created in parent (the scene when null).
  Probe* Add(const std::string& name, int x, int y, int w, int h, GComponent* parent = nullptr,
             unsigned style = STYLE_VISIBLE, GThemeComponent* look = nullptr) {
    auto* p = new Probe(&log, name, look);
    EXPECT_TRUE(p->Create(parent ? parent : scene, style, x, y, w, h, 0));
    return p;
  }
  void Press(int x, int y) {
    game.SetCursorPosition(x, y);
    game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  }
  void Click(int x, int y) {
    Press(x, y);
    game.PlatformKeyUp(KEY_MOUSE_LEFT);
  }
  void Click(std::pair<int, int> at) { Click(at.first, at.second); }
  void Key(unsigned key) {
    game.PlatformKeyDown(static_cast<int>(key), 0);
    game.PlatformKeyUp(static_cast<int>(key));
  }
  void Render() { scene->RenderAll(); }
  // A pixel of the back buffer as 0xRRGGBB (5 bits a channel, so exact for
  // the pure colours the tests paint with).
  unsigned Pixel(int x, int y) {
    SURFACE_RGB rgb;
    game.GetBackSurface()->GetPixelRGB(x, y, &rgb);
    return rgb.RgbToColor32();
  }
  std::vector<std::string> Take() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
  }
  LinkPlatform* Links() { return static_cast<LinkPlatform*>(game.GetPlatform()); }

  TempDir dir;
  LinkGame game{dir.Path()};
  GScene* scene = nullptr;
  GapTheme look;
  std::vector<std::string> log;
};

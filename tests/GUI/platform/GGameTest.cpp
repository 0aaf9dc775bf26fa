#include <gtest/gtest.h>

#include "GUI/graphics/GSurface.h"
#include "GUI/toolkit/GScene.h"
#include "tests/support/HeadlessGame.h"

namespace {

// A scene that writes its hook calls into a shared log.
class LoggingScene : public GScene {
 public:
  LoggingScene(std::vector<std::string>& log, std::string name) : log(log), name(std::move(name)) {}
  void OnStart() override { log.push_back(name + ".OnStart"); }
  void OnFinish(int next) override { log.push_back(name + ".OnFinish " + std::to_string(next)); }
  void ShowChildrenByDefault() override { log.push_back(name + ".ShowChildren"); }
  void OnRender() override {
    log.push_back(name + ".OnRender");
    game->GetBackSurface()->FillRect(0, 0, 4, 4, 0xFFFFFF);
  }

 private:
  std::vector<std::string>& log;
  std::string name;
};

// A modal dialog stand-in that reports its end.
class LoggingDialog : public GComponent {
 public:
  explicit LoggingDialog(std::vector<std::string>& log) : log(log) {}
  bool IsDialog() const override { return true; }
  void EndModal(int result) override {
    log.push_back("Dialog.EndModal " + std::to_string(result));
    GComponent::EndModal(result);
  }

 private:
  std::vector<std::string>& log;
};

// The recording game: the input entry points are checked, not routed.
class GameTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(game.CreateGame(nullptr, 0, 0)); }

  TempDir dir;
  RecordingGame game{dir.Path()};
  std::vector<std::string> log;
};

// Scenes are switched all through the game's scene tests and e2e scripts;
// here a running modal component ends with 0 before the old scene finishes,
// and a key whose press switched the scene (Enter on a miniature opens the
// editor) gives the new scene nothing until it is let go: no repeat, no
// second press while held, no release.
TEST_F(GameTest, ASceneSwitchEndsTheModalRunAndHoldsBackTheKeyThatMadeIt) {
  game.AddScene(new LoggingScene(log, "A"));
  game.AddScene(new LoggingScene(log, "B"));
  log.clear();
  LoggingDialog dialog(log);
  game.modal = &dialog;
  game.onKeyDown = [&](unsigned) { game.SetScene(1); };
  game.PlatformKeyDown(KEY_LSHIFT, 0);
  game.PlatformKeyDown(KEY_RETURN, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"Dialog.EndModal 0", "A.OnFinish 1", "B.ShowChildren",
                                           "B.OnStart"}));
  EXPECT_EQ(game.GetScene()->previousScene, 0);
  EXPECT_FALSE(game.GetScene(0)->IsVisibled());
  EXPECT_EQ(game.inputFlags, 0u);
  game.Platform()->tick += 2000;
  game.RepeateKey();
  game.PlatformKeyDown(KEY_RETURN, 0);
  game.PlatformKeyUp(KEY_RETURN);
  game.PlatformKeyDown(KEY_RETURN, 0);  // a new press reaches the new scene
  std::erase(game.calls, "Move flags=0");
  EXPECT_EQ(game.calls, (std::vector<std::string>{KeyDownLine(KEY_RETURN, INPUT_SHIFT),
                                                  KeyDownLine(KEY_RETURN)}));
}

TEST_F(GameTest, TicksRenderWhatChangedOnlyWhileActive) {
  game.AddScene(new LoggingScene(log, "A"));
  log.clear();
  for (int i = 0; i < 2; ++i) {
    game.Platform()->tick += 50;
    game.PlatformTimer();
  }
  EXPECT_EQ(std::count(log.begin(), log.end(), "A.OnRender"), 1);  // drawn once, then clean

  // Inactive and full-screen: no frame, the window is minimised.
  game.Platform()->active = false;
  game.GetScene()->Invalidate();
  log.clear();
  game.PlatformTimer();
  EXPECT_EQ(std::count(log.begin(), log.end(), "A.OnRender"), 0);
  EXPECT_EQ(game.Platform()->iconicCalls, 1);
}

TEST_F(GameTest, ButtonsAndKeysKeepTheirState) {
  game.PlatformKeyDown(KEY_LSHIFT, 0);
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  game.PlatformKeyDown(KEY_MOUSE_RIGHT, 0);  // while the left is held: ignored
  game.PlatformMoveCursor(5, 0);
  game.PlatformKeyUp(KEY_MOUSE_RIGHT);
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  game.PlatformKeyDown(KEY_RIGHT, 0);
  game.PlatformKeyUp(KEY_RIGHT);
  // Buttons carry the modifier part, moves the whole mask; no right press while the left is held.
  EXPECT_EQ(game.calls, (std::vector<std::string>{"LDown flags=32", "Move flags=33", "RUp flags=32",
                                                  "LUp flags=32", KeyDownLine(KEY_RIGHT, 32),
                                                  KeyUpLine(KEY_RIGHT, 32)}));
}

TEST(GameWithoutPlatform, PlaysNothing) {
  HeadlessGame game("/tmp/");
  EXPECT_EQ(game.Play(), -1);
  EXPECT_TRUE(game.SavePrintScreen().IsEmpty());
}

}  // namespace

#include <gtest/gtest.h>

#include "GUI/toolkit/GScroller.h"
#include "tests/support/ToolkitFixture.h"

namespace {

class Content : public GScroller {
 public:
  void GetScrollSize(int& w, int& h) override {
    w = 50;
    h = 400;
  }
};

// What a probe is expected to log, with the keys by name:
// Heard("P").Press(KEY_RIGHT).Up(KEY_RIGHT) is the window hook's, the client
// handler's and the release's line for the Right key.
struct Heard {
  explicit Heard(std::string who) : who(std::move(who)) {}
  Heard& Win(unsigned key, const std::string& by = "") {
    lines.push_back((by.empty() ? who : by) + " keywin " + std::to_string(key));
    return *this;
  }
  Heard& Key(unsigned key, unsigned count = 0) {
    return Then("key " + std::to_string(key) + " " + std::to_string(count));
  }
  Heard& Press(unsigned key, unsigned count = 0) { return Win(key).Key(key, count); }
  Heard& Up(unsigned key) { return Then("keyup " + std::to_string(key)); }
  Heard& Then(const std::string& line) {
    lines.push_back(who + " " + line);
    return *this;
  }

  std::string who;
  std::vector<std::string> lines;
};

class InputTest : public ToolkitTest {
 protected:
  Probe* Focused(const std::string& name, GComponent* parent = nullptr) {
    Probe* p = Add(name, 150, 100, 20, 20, parent);
    p->SetFocus();
    Take();
    return p;
  }
  void Tap(unsigned key) {
    game.PlatformKeyDown(key, 0);
    game.PlatformKeyUp(key);
  }
};

TEST_F(InputTest, HeldKeysRepeatAfterTheDelayThenEveryPeriod) {
  Focused("P");
  game.PlatformKeyDown(KEY_RIGHT, 0);
  game.PlatformKeyDown(KEY_LSHIFT, 0);  // modifiers never start or stop a repeat
  // Due at 350 ms, then every 75 ms, each sent on the first 50 ms tick after:
  // four repeats by 1700 (the timing is checked in GScrollerTest).
  for (unsigned t = 1050; t <= 1700; t += 50) {
    game.Platform()->tick = t;
    game.RepeateKey();
  }
  game.PlatformKeyUp(KEY_RIGHT);
  game.Platform()->tick += 1000;
  game.RepeateKey();
  Heard right("P");
  for (unsigned n = 0; n < 5; ++n) right.Press(KEY_RIGHT, n);
  EXPECT_EQ(Take(), right.Up(KEY_RIGHT).lines);

  // Held modifiers alone never repeat.
  game.PlatformKeyDown(KEY_LCONTROL, 0);
  Take();
  game.Platform()->tick += 1000;
  game.RepeateKey();
  EXPECT_TRUE(Take().empty());
}

// Alt+Enter (also walked by tests/e2e/scale.sh) and F11 switch the screen,
// Alt+Tab goes to the desktop; none reaches a component, and a key held
// across them still gets its release.
TEST_F(InputTest, SystemShortcutsNeverReachAComponent) {
  Focused("P");
  GDevice* device = game.GetDevice();
  game.PlatformKeyDown(KEY_RIGHT, 0);
  game.PlatformKeyDown(KEY_LALT, 0);
  game.PlatformKeyDown(KEY_RETURN, 0);
  game.PlatformKeyDown(KEY_RETURN, 0);  // the system's own repeat
  game.PlatformKeyUp(KEY_RETURN);
  game.PlatformKeyUp(KEY_LALT);
  EXPECT_FALSE(device->IsFullScreen());
  Tap(KEY_F11);
  EXPECT_TRUE(device->IsFullScreen());
  game.PlatformKeyDown(KEY_LALT, 0);
  Tap(KEY_TAB);
  game.PlatformKeyUp(KEY_LALT);
  EXPECT_EQ(game.Platform()->iconicCalls, 1);
  game.PlatformKeyUp(KEY_RIGHT);
  Tap(KEY_RETURN);  // alone, a key like any other
  EXPECT_EQ(Take(),
            Heard("P").Press(KEY_RIGHT).Up(KEY_RIGHT).Press(KEY_RETURN).Up(KEY_RETURN).lines);
  EXPECT_EQ(game.heldKeyCount, 0);
}

TEST_F(InputTest, KeysClimbToTheFirstDialogAndCharactersReachOnlyTheFocus) {
  Probe* outside = Add("Outer", 0, 0, 190, 140);
  Probe* dialog = Add("D", 0, 0, 180, 130, outside);
  dialog->dialog = true;
  Focused("G", dialog);
  Tap(KEY_A);
  game.SysOnChar(97, 0, 0);
  EXPECT_EQ(Take(),
            Heard("G").Win(KEY_A).Win(KEY_A, "D").Key(KEY_A).Up(KEY_A).Then("char 97").lines);
  // Typed text comes with every key, whether anything has the focus or not.
  game.focused = nullptr;
  game.SysOnChar(98, 0, 0);
  EXPECT_TRUE(Take().empty());
}

TEST_F(InputTest, WheelFindsTheScrollerBeneathWhatDoesNotScroll) {
  auto* grid = new Content;
  ASSERT_TRUE(grid->Create(scene, STYLE_VISIBLE, 0, 0, 100, 100, 0));
  grid->RecalcLayout();
  Probe* label = Add("label", 10, 10, 30, 30);  // above the grid, not in it
  Add("cell", 50, 10, 20, 20, grid);
  for (int x : {20, 60}) {
    game.SetCursorPosition(x, 20);
    const int before = grid->GetVScroll();
    game.SysOnMouseWheel(-25);
    EXPECT_EQ(grid->GetVScroll(), before + 8) << x;
  }
  // The label passed over is put back in the hit test.
  int x = 0, y = 0, zone = 0;
  game.SetCursorPosition(20, 20);
  EXPECT_EQ(game.DetectComponentByCursor(x, y, zone), label);

  // Over nothing that scrolls, the focused component gets it all the way.
  game.SetCursorPosition(150, 20);
  Focused("F");
  game.SysOnMouseWheel(-25);
  EXPECT_EQ(Take(), (std::vector<std::string>{"F wheel -25"}));
}

}  // namespace

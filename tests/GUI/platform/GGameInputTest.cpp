#include <gtest/gtest.h>

#include "GUI/toolkit/GScroller.h"
#include "tests/GUI/toolkit/ToolkitFixture.h"

namespace {

class Content : public GScroller {
 public:
  void GetScrollSize(int& w, int& h) override {
    w = 50;
    h = 400;
  }
};

class InputTest : public ToolkitTest {
 protected:
  Probe* Focused(const std::string& name, GComponent* parent = nullptr) {
    Probe* p = Add(name, 150, 100, 20, 20, parent);
    p->SetFocus();
    Take();
    return p;
  }
};

}  // namespace

TEST_F(InputTest, HeldKeysRepeatAfterTheDelayThenEveryPeriod) {
  Focused("P");
  game.PlatformKeyDown(KEY_RIGHT, 0);
  game.PlatformKeyDown(KEY_LSHIFT, 0);  // modifiers never start or stop a repeat
  std::vector<unsigned> at;
  for (unsigned t = 1050; t <= 1700; t += 50) {
    game.Platform()->tick = t;
    const size_t before = log.size();
    game.RepeateKey();
    if (log.size() != before) at.push_back(t);
  }
  // Due at 350 ms, then every 75 ms, each sent on the first 50 ms tick after.
  EXPECT_EQ(at, (std::vector<unsigned>{1400, 1500, 1600, 1700}));
  EXPECT_EQ(Take(),
            (std::vector<std::string>{"P keywin 205", "P key 205 0", "P keywin 205", "P key 205 1",
                                      "P keywin 205", "P key 205 2", "P keywin 205", "P key 205 3",
                                      "P keywin 205", "P key 205 4"}));
  game.PlatformKeyUp(KEY_RIGHT);
  game.Platform()->tick += 1000;
  game.RepeateKey();
  EXPECT_EQ(Take(), (std::vector<std::string>{"P keyup 205"}));

  // Held modifiers alone never repeat.
  game.PlatformKeyDown(KEY_LCONTROL, 0);
  Take();
  game.Platform()->tick += 1000;
  game.RepeateKey();
  EXPECT_TRUE(Take().empty());
}

// Alt+Tab goes to the desktop: no key event of its own, and a key held
// across it still gets its release.
TEST_F(InputTest, AltTabSendsNothingAndKeepsAHeldKeysRelease) {
  Focused("P");
  game.PlatformKeyDown(KEY_A, 0);
  game.PlatformKeyDown(KEY_LALT, 0);
  game.PlatformKeyDown(KEY_TAB, 0);
  game.PlatformKeyUp(KEY_TAB);
  game.PlatformKeyUp(KEY_LALT);
  game.PlatformKeyUp(KEY_A);
  EXPECT_EQ(game.Platform()->iconicCalls, 1);
  EXPECT_EQ(Take(), (std::vector<std::string>{"P keywin 30", "P key 30 0", "P keyup 30"}));
}

TEST_F(InputTest, KeysClimbFromTheFocusedComponentToTheFirstDialog) {
  Probe* outside = Add("Outer", 0, 0, 190, 140);
  Probe* dialog = Add("D", 0, 0, 180, 130, outside);
  dialog->dialog = true;
  Focused("G", dialog);
  game.PlatformKeyDown(KEY_A, 0);
  game.PlatformKeyUp(KEY_A);
  EXPECT_EQ(Take(),
            (std::vector<std::string>{"G keywin 30", "D keywin 30", "G key 30 0", "G keyup 30"}));
}

TEST_F(InputTest, CharactersReachOnlyTheFocusedComponent) {
  Focused("P");
  for (unsigned ch : {97u, 10u, 31u, 255u, 256u, 1000u}) game.SysOnChar(ch, 0, 0);
  EXPECT_EQ(Take(), (std::vector<std::string>{"P char 97", "P char 255"}));
  EXPECT_EQ(game.repeatChar, 97u);
  game.focused = nullptr;
  game.ResetRepeatedKey();
  game.SysOnChar(98, 0, 0);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(game.repeatChar, KEY_NONE);
}

TEST_F(InputTest, ShortcutsReachTheFocusedComponentOnlyAsCopyCutPaste) {
  Focused("P");
  // Control is an ordinary key to components, and the shortcut modifier.
  game.PlatformKeyDown(KEY_LCONTROL, 0);
  game.PlatformKeyDown(KEY_C, 0);
  game.PlatformKeyUp(KEY_C);
  game.PlatformKeyUp(KEY_LCONTROL);
  EXPECT_EQ(Take(),
            (std::vector<std::string>{"P keywin 29", "P key 29 0", "P copy", "P keyup 29"}));
  // The system key is a modifier only.
  game.PlatformKeyDown(KEY_LSYSTEM, 0);
  game.PlatformKeyDown(KEY_C, 0);
  game.PlatformKeyUp(KEY_C);
  game.PlatformKeyUp(KEY_LSYSTEM);
  EXPECT_EQ(Take(), (std::vector<std::string>{"P copy"}));
  // Alone, C is a key like any other.
  game.PlatformKeyDown(KEY_C, 0);
  game.PlatformKeyUp(KEY_C);
  EXPECT_EQ(Take(), (std::vector<std::string>{"P keywin 46", "P key 46 0", "P keyup 46"}));
}

TEST_F(InputTest, WheelFindsTheScrollerBeneathWhatDoesNotScroll) {
  auto* grid = new Content;
  ASSERT_TRUE(grid->Create(scene, STYLE_VISIBLE, 0, 0, 100, 100, 0));
  grid->RecalcLayout();
  Probe* label = Add("label", 10, 10, 30, 30);  // above the grid, not in it
  Probe* inGrid = Add("cell", 50, 10, 20, 20, grid);
  for (int x : {20, 60}) {
    game.SetCursorPosition(x, 20);
    const int before = grid->GetVScroll();
    game.SysOnMouseWheel(-25);
    EXPECT_EQ(grid->GetVScroll(), before + 8) << x;
  }
  // Looking through the label left it where it was.
  int x = 0, y = 0, zone = 0;
  game.SetCursorPosition(20, 20);
  EXPECT_EQ(game.DetectComponentByCursor(x, y, zone), label);
  (void)inGrid;

  // Over nothing that scrolls, the focused component gets it all the way.
  game.SetCursorPosition(150, 20);
  Focused("F");
  game.SysOnMouseWheel(-25);
  EXPECT_EQ(Take(), (std::vector<std::string>{"F wheel -25"}));
}

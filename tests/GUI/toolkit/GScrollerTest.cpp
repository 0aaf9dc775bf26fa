#include <gtest/gtest.h>

#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GScroller.h"
#include "tests/support/ToolkitFixture.h"

namespace {

// A scroller over content of a given size; bars are 18 pixels (no theme).
class Content : public GScroller {
 public:
  Content(int w, int h) : contentW(w), contentH(h) {}
  void GetScrollSize(int& w, int& h) override {
    w = contentW;
    h = contentH;
  }
  int contentW, contentH;
};

class ScrollerTest : public ToolkitTest {
 protected:
  Content* Make(int w, int h, int contentW, int contentH) {
    auto* s = new Content(contentW, contentH);
    EXPECT_TRUE(s->Create(scene, STYLE_VISIBLE, 0, 0, w, h, 0));
    s->RecalcLayout();
    return s;
  }
};

}  // namespace

TEST_F(ScrollerTest, LayoutDecidesTheBarsTheirSlidersAndLimits) {
  struct Case {
    const char* what;
    int w, h, contentW, contentH;
    int hSlider, vSlider, hMax, vMax, clientW, clientH;
  };
  const Case cases[] = {
      // Client 82 x 82; both tracks run 18..64 (46 pixels).
      {"both bars", 100, 100, 150, 400, 25, 10, 68, 318, 82, 82},
      {"vertical only", 100, 100, 50, 400, 0, 16, 0, 300, 82, 100},
      // The vertical bar narrows the client area so much that a horizontal
      // bar becomes necessary too.
      {"one forces the other", 100, 100, 90, 400, 41, 10, 8, 318, 82, 82},
  };
  for (const Case& c : cases) {
    Content* s = Make(c.w, c.h, c.contentW, c.contentH);
    CFerroRect client;
    s->GetClientRect(&client);
    EXPECT_EQ(std::vector({s->GetHSlider(), s->GetVSlider(), s->GetHScrollMax(), s->GetVScrollMax(),
                           client.Width(), client.Height()}),
              std::vector({c.hSlider, c.vSlider, c.hMax, c.vMax, c.clientW, c.clientH}))
        << c.what;
    delete s;
  }
}

// The vertical slider dragged: its top is at y = 18; ratio 318 / 36, so 10
// pixels down are round(10 x 318 / 36), and the ends stop at the limits. A
// press whose release never comes (the window lost the input) is dropped:
// the slider lets go and a held button stands up; a key held on a dialog's
// button is checked with the dialogs.
TEST_F(ScrollerTest, TheSliderDragAndAPressCutOffByLosingTheWindow) {
  Content* s = Make(100, 100, 150, 400);
  Press(90, 20);
  for (auto [y, scroll] : {std::pair(30, 88), {140, 318}, {0, 0}}) {
    game.SetCursorPosition(90, y);
    EXPECT_EQ(s->GetVScroll(), scroll) << y;
  }
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_EQ(s->GetPressedElement(), SCROLL_NONE);

  Press(90, 20);
  ASSERT_EQ(s->GetPressedElement(), SCROLL_VSLIDER);
  game.SysOnActivate(0, false);
  game.SysOnActivate(1, false);
  EXPECT_EQ(s->GetPressedElement(), SCROLL_NONE);
  EXPECT_EQ(std::pair(game.captured, game.pressed), (std::pair<GComponent*, GComponent*>()));
  game.SetCursorPosition(90, 60);  // merely passing over the bar scrolls nothing
  EXPECT_EQ(s->GetVScroll(), 0);

  auto* button = new GButton;
  ASSERT_TRUE(button->Create(scene, STYLE_VISIBLE, 120, 10, 40, 20, 1, "OK"));
  Press(125, 15);
  ASSERT_TRUE(button->IsFixed());
  game.SysOnActivate(0, false);
  EXPECT_FALSE(button->IsFixed());
  EXPECT_EQ(game.pressed, nullptr);
}

// A held arrow steps once and then repeats: the first repeat (350 ms on)
// only re-arms the button, every later one (each 75 ms) presses again; the
// release ends the press, the capture and the repeat. The wheel's step is
// checked with its routing; here, as the arrows, it stops at the limits.
TEST_F(ScrollerTest, ArrowsStepAndRepeatWhileHeld) {
  Content* s = Make(100, 100, 150, 400);
  Press(90, 70);  // the down arrow
  EXPECT_EQ(s->GetVScroll(), 15);
  for (int i = 0; i < 6; ++i) {
    game.Platform()->tick += 100;
    game.RepeateKey();
    EXPECT_TRUE(game.IsKeyHeld(KEY_MOUSE_LEFT)) << i;
  }
  EXPECT_EQ(s->GetVScroll(), 45);
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_EQ(std::pair(game.captured, game.pressed), (std::pair<GComponent*, GComponent*>()));
  EXPECT_EQ(s->GetPressedElement(), SCROLL_NONE);
  game.Platform()->tick += 1000;
  game.RepeateKey();
  EXPECT_EQ(s->GetVScroll(), 45);

  for (int i = 0; i < 5; ++i) Click(90, 5);
  EXPECT_EQ(s->GetVScroll(), 0);
  EXPECT_FALSE(s->WinOnMouseWheel(-3000));
  EXPECT_EQ(s->GetVScroll(), s->GetVScrollMax());
}

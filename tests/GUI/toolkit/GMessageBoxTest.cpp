#include <gtest/gtest.h>

#include "GUI/themes/GThemeRavlin.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GMessageBox.h"
#include "tests/support/ThemeFixture.h"
#include "tests/support/ToolkitFixture.h"

namespace {

class RecordingBox : public GMessageBox {
 public:
  void EndModal(int result) override {
    results.push_back(result);
    GMessageBox::EndModal(result);
  }
  std::vector<int> results;
};

// The game's look on a 1024 x 768 picture, with the game's dialog styles.
class MessageBoxTest : public ThemeTest {
 protected:
  void SetUp() override {
    ThemeTest::SetUp();
    game.dialogStyles = STYLE_ALPHA | STYLE_FRAMED | STYLE_KEEP_CENTERED;
    VIDEO_MODE mode{1024, 768, 32};
    ASSERT_TRUE(game.GetDevice()->SetVideoMode(&mode));
    Install<GThemeRavlin>();
  }
};

}  // namespace

// One box asked again is built anew each time: the text, then one button or
// two, centred on the picture whatever the window's size. The quit box's
// picture pins the layout of two buttons.
TEST_F(MessageBoxTest, AlertLaysOutItsTextAndButtons) {
  RecordingBox box;
  for (auto [flags, buttons] : {std::pair(3u, 2), {1u, 1}}) {
    SCOPED_TRACE(flags);
    box.Alert("Question", "Sure?", flags);
    ASSERT_EQ(box.GetChildCount(), buttons + 1);
    EXPECT_EQ(box.GetChild(buttons)->GetWindowText(), buttons == 2 ? "Cancel" : "OK");
    const auto [w, h] = Size(&box);
    EXPECT_EQ(ScenePosition(&box), std::pair((1024 - w) / 2, (768 - h) / 2));
    box.EndModal(0);
  }
}

TEST_F(MessageBoxTest, TheQuitQuestionAsDrawn) {
  GMessageBoxQuit box;
  box.Alert("Digmaze", "Do you want to quit to OS?", 3);
  scene->Invalidate();
  scene->RenderAll();
  CFerroRect r;
  box.GetAbsoluteWindowRect(&r);
  ExpectGolden("message_box_quit", Capture(r), r.Width(), r.Height());
}

// What Enter and Escape do to the game's boxes is walked by the game's scene
// tests; here the result a caller reads, by Escape and by the close box.
TEST_F(MessageBoxTest, EscapeAndTheCloseBoxAnswerCancel) {
  for (bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Escape");
    RecordingBox box;
    box.Alert("Question", "Sure?", closeBox ? 2 : 3);
    if (!closeBox) {
      game.PlatformKeyDown(KEY_ESCAPE, 0);
      game.PlatformKeyUp(KEY_ESCAPE);
    } else {
      CFerroRect close;
      box.GetTheme()->GetButtonCloseRect(&box, &close);
      const auto [ax, ay] = ScenePosition(&box);
      game.SetCursorPosition(ax + (close.left + close.right) / 2,
                             ay + (close.top + close.bottom) / 2);
      game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
      game.PlatformKeyUp(KEY_MOUSE_LEFT);
    }
    EXPECT_EQ(box.results, std::vector<int>{GMessageBox::kCancel});
    EXPECT_EQ(game.modal, nullptr);
  }
}

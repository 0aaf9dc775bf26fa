#include <gtest/gtest.h>

#include "tests/GUI/toolkit/ToolkitFixture.h"

namespace {

// A dialog that builds two buttons each time it is shown.
class TwoButtons : public GDialog {
 public:
  TwoButtons(std::vector<std::string>* log, unsigned okStyle, unsigned cancelStyle)
      : log(log), okStyle(okStyle), cancelStyle(cancelStyle) {
    theme = &look;
  }
  void OnInitDlg() override {
    GDialog::OnInitDlg();
    ok = Button("OK", okStyle, 10);
    cancel = Button("Cancel", cancelStyle, 40);
    SetSize(80, 50);
  }
  void OnEnter() override {
    log->push_back("enter");
    GDialog::OnEnter();
  }
  void OnCancel() override {
    log->push_back("cancel");
    GDialog::OnCancel();
  }

  Probe* ok = nullptr;
  Probe* cancel = nullptr;

 private:
  Probe* Button(const char* name, unsigned style, int x) {
    auto* b = new Probe(log, name);
    b->button = true;
    EXPECT_TRUE(b->Create(this, style, x, 20, 25, 15, 0));
    return b;
  }

  // A caption band 5 pixels high along the top of the frame.
  class CaptionLook : public GapTheme {
    void GetCaptionRect(GComponent* c, CFerroRect* r) override {
      int w = 0, h = 0;
      c->GetSize(w, h);
      *r = CFerroRect(0, 0, w, 5);
    }
  };

  CaptionLook look;
  std::vector<std::string>* log;
  unsigned okStyle, cancelStyle;
};

class DialogTest : public ToolkitTest {
 protected:
  void Key(unsigned key) {
    game.PlatformKeyDown(static_cast<int>(key), 0);
    game.PlatformKeyUp(static_cast<int>(key));
  }
};

constexpr unsigned kShown = STYLE_VISIBLE;

}  // namespace

TEST_F(DialogTest, EnterAndEscapeClickTheirButtonsOnRelease) {
  TwoButtons dialog(&log, kShown, kShown);
  dialog.BeginModal();
  EXPECT_EQ(game.modal, &dialog);
  EXPECT_EQ(dialog.GetParent(), scene);  // lent to the current scene

  // Held down while the key is, clicked when it is released.
  game.PlatformKeyDown(KEY_RETURN, 0);
  EXPECT_TRUE(dialog.ok->IsFixed());
  EXPECT_TRUE(Take().empty());
  game.PlatformKeyUp(KEY_RETURN);
  EXPECT_FALSE(dialog.ok->IsFixed());
  EXPECT_EQ(Take(), (std::vector<std::string>{"OK click client -1,-1"}));
  Key(KEY_ESCAPE);
  EXPECT_EQ(Take(), (std::vector<std::string>{"Cancel click client -1,-1"}));

  // Other keys go on to the client chain of the focused component.
  Key(KEY_A);
  EXPECT_TRUE(Take().empty());
}

TEST_F(DialogTest, WhichButtonsEnterAndEscapePress) {
  struct Case {
    const char* what;
    unsigned okStyle, cancelStyle;
    const char* enter;
    const char* escape;
  };
  const Case cases[] = {
      {"by position", kShown, kShown, "OK", "Cancel"},
      {"marked", kShown | STYLE_CANCEL_BUTTON, kShown | STYLE_DEFAULT_BUTTON, "Cancel", "OK"},
      // A disabled button is never pressed, even when it is the second one.
      {"marked but disabled", kShown, kShown | STYLE_DEFAULT_BUTTON | STYLE_DISABLED, nullptr,
       nullptr},
      {"second hidden", kShown, 0, "OK", nullptr},
      {"first disabled", kShown | STYLE_DISABLED, kShown, nullptr, "Cancel"},
  };
  for (const Case& c : cases) {
    TwoButtons dialog(&log, c.okStyle, c.cancelStyle);
    dialog.BeginModal();
    auto name = [&](GComponent* b) {
      return b == dialog.ok ? "OK" : b == dialog.cancel ? "Cancel" : nullptr;
    };
    EXPECT_STREQ(name(dialog.GetEnterButton()), c.enter) << c.what;
    EXPECT_STREQ(name(dialog.GetEscapeButton()), c.escape) << c.what;
    dialog.EndModal(0);
  }
}

TEST_F(DialogTest, ShowingAgainRebuildsTheContent) {
  TwoButtons dialog(&log, kShown, kShown);
  for (int i = 0; i < 3; ++i) {
    dialog.BeginModal();
    EXPECT_EQ(dialog.GetChildCount(), 2);
    // Centred on the back buffer, whatever its parent.
    int x = 0, y = 0;
    dialog.GetPosition(x, y);
    EXPECT_EQ(x, (200 - 80) / 2);
    EXPECT_EQ(y, (150 - 50) / 2);
    dialog.EndModal(0);
  }
  // Ending the modal run gives the dialog back and the focus with it.
  EXPECT_EQ(dialog.GetParent(), nullptr);
  EXPECT_EQ(scene->GetChildCount(), 0);
  EXPECT_EQ(game.focused, scene);
}

TEST_F(DialogTest, ModalLoopsEndWithTheirOwnResult) {
  TwoButtons outer(&log, kShown, kShown);
  TwoButtons inner(&log, kShown, kShown);
  HeadlessPlatform* platform = game.Platform();
  int innerResult = -1;
  platform->onLoop = [&] {
    if (platform->GetModalDepth() == 2) {
      inner.OnCancel();
      return;
    }
    // The inner run ends with Escape's 2 and leaves the outer one running.
    innerResult = inner.DoModal();
    EXPECT_EQ(game.modal, &outer);
    EXPECT_EQ(platform->GetModalDepth(), 1);
    outer.OnEnter();
  };
  EXPECT_EQ(outer.DoModal(), 1);
  EXPECT_EQ(innerResult, 2);
  EXPECT_EQ(platform->quitCodes, (std::vector<int>{2, 1}));
  EXPECT_EQ(platform->GetModalDepth(), 0);
  EXPECT_EQ(game.modal, nullptr);
  EXPECT_FALSE(outer.IsShown());
}

TEST_F(DialogTest, CaptionDragsUnlessKeptCentred) {
  for (bool centred : {false, true}) {
    TwoButtons dialog(&log, kShown, kShown);
    dialog.BeginModal();
    if (centred) dialog.SetStyle(dialog.GetStyle() | STYLE_KEEP_CENTERED);
    int x0 = 0, y0 = 0;
    dialog.GetPosition(x0, y0);
    game.SetCursorPosition(x0 + 30, y0 + 2);  // on the caption
    game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
    game.SetCursorPosition(x0 + 37, y0 + 5);
    game.PlatformKeyUp(KEY_MOUSE_LEFT);
    int x = 0, y = 0;
    dialog.GetPosition(x, y);
    EXPECT_EQ(x - x0, centred ? 0 : 7) << centred;
    EXPECT_EQ(y - y0, centred ? 0 : 3) << centred;
    dialog.EndModal(0);
  }
}

TEST_F(DialogTest, ScrollingChildrenFollowTheScrollPosition) {
  GDialog dialog;
  ASSERT_TRUE(dialog.Create(scene, kShown | STYLE_SCROLL_CHILDREN, 0, 0, 100, 100, 0));
  Probe* far = Add("far", 10, 300, 20, 20, &dialog);
  dialog.RecalcLayout();
  EXPECT_TRUE(dialog.HasVScrollBar());
  EXPECT_EQ(dialog.GetVScrollMax(), 220);
  dialog.WinOnMouseWheel(-300);
  int x = 0, y = 0;
  far->GetAbsoluteWindowPosition(x, y);
  EXPECT_EQ(y, 300 - 100);
  // Without children to scroll there is nothing to scroll.
  dialog.DeleteChild(far, true);
  EXPECT_FALSE(dialog.HasVScrollBar());
}

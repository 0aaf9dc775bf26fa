#include <gtest/gtest.h>

#include "GUI/toolkit/GButton.h"
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

namespace {

// A button that logs its clicks.
class Named : public GButton {
 public:
  Named(std::vector<std::string>* log, std::string name) : log(log), name(std::move(name)) {}
  void OnLButtonClick(unsigned, int, int) override { log->push_back(name + " click"); }
  std::vector<std::string>* log;
  std::string name;
};

// Six buttons created out of reading order: the top row A, B (disabled),
// C; then D (the default button) and E (hidden); then F alone.
class SixButtons : public GDialog {
 public:
  explicit SixButtons(std::vector<std::string>* log) : log(log) {}
  void OnInitDlg() override {
    GDialog::OnInitDlg();
    struct Spec {
      const char* name;
      int x, y;
      unsigned style;
    };
    const Spec specs[] = {{"F", 10, 70, kShown},
                          {"C", 110, 10, kShown},
                          {"A", 10, 10, kShown},
                          {"B", 60, 10, kShown | STYLE_DISABLED},
                          {"D", 10, 40, kShown | STYLE_DEFAULT_BUTTON},
                          {"E", 60, 40, 0}};
    for (const Spec& s : specs) {
      auto* b = new Named(log, s.name);
      EXPECT_TRUE(b->Create(this, s.style, s.x, s.y, 40, 20, 0, s.name));
    }
    SetSize(180, 120);
  }
  // Logged, and the dialog stays open.
  void OnEnter() override { log->push_back("enter"); }
  void OnCancel() override { log->push_back("cancel"); }
  std::string Focus() const {
    auto* b = dynamic_cast<Named*>(GetFocusItem());
    return b ? b->name : "-";
  }
  Named* Button(const std::string& name) const {
    for (int i = 0; i < GetChildCount(); ++i)
      if (auto* b = dynamic_cast<Named*>(GetChild(i)); b && b->name == name) return b;
    return nullptr;
  }
  std::vector<std::string>* log;
};

}  // namespace

TEST_F(DialogTest, FocusKeysFollowTheReadingOrderSkippingWhatCannotTakeTheFocus) {
  SixButtons dialog(&log);
  dialog.BeginModal();
  EXPECT_EQ(dialog.Focus(), "D");  // the default button
  struct Step {
    unsigned key;
    bool shift;
    const char* focus;
  };
  const Step steps[] = {
      {KEY_DOWN, false, "F"},  {KEY_DOWN, false, "A"},  // round to the top
      {KEY_DOWN, false, "C"},                           // past the disabled B
      {KEY_TAB, false, "D"},   {KEY_TAB, true, "C"},   {KEY_UP, false, "A"},
      {KEY_LEFT, false, "C"},  // round within the row
      {KEY_RIGHT, false, "A"}, {KEY_UP, false, "F"},   {KEY_RIGHT, false, "F"},  // alone in its row
  };
  for (const Step& s : steps) {
    if (s.shift) game.PlatformKeyDown(KEY_LSHIFT, 0);
    Key(s.key);
    if (s.shift) game.PlatformKeyUp(KEY_LSHIFT);
    EXPECT_EQ(dialog.Focus(), s.focus) << "key " << s.key;
  }
  // Enter and Space press the focused button: held while the key is,
  // clicked on the release. Escape keeps its own button (the second one).
  game.PlatformKeyDown(KEY_SPACE, 0);
  EXPECT_TRUE(dialog.Button("F")->IsFixed());
  EXPECT_TRUE(Take().empty());
  game.PlatformKeyUp(KEY_SPACE);
  EXPECT_FALSE(dialog.Button("F")->IsFixed());
  Key(KEY_UP);
  Key(KEY_RETURN);
  Key(KEY_ESCAPE);
  EXPECT_EQ(Take(), (std::vector<std::string>{"F click", "enter", "D click", "cancel", "C click"}));
  // A button disabled under the focus is not pressed; the next key moves on.
  dialog.Button("D")->Enable(false);
  Key(KEY_SPACE);
  EXPECT_TRUE(Take().empty());
  Key(KEY_DOWN);
  EXPECT_EQ(dialog.Focus(), "F");
  dialog.EndModal(0);
}

TEST_F(DialogTest, TheMouseMovesTheFocusAndAKeyPressEndsLikeAMousePress) {
  const auto centre = [](GComponent* c, int& x, int& y) {
    c->GetAbsoluteWindowPosition(x, y);
    x += 20;
    y += 10;
  };
  int ax = 0, ay = 0, fx = 0, fy = 0;
  SixButtons dialog(&log);
  dialog.BeginModal();
  centre(dialog.Button("A"), ax, ay);
  centre(dialog.Button("F"), fx, fy);
  game.SetCursorPosition(ax, ay);
  EXPECT_EQ(dialog.Focus(), "A");
  // Shown again under the resting pointer, the dialog starts on its default.
  dialog.EndModal(0);
  dialog.BeginModal();
  game.SysOnMouseMove(game.inputFlags);
  EXPECT_EQ(dialog.Focus(), "D");

  // The button a key holds is clicked on the release wherever the focus
  // went meanwhile; losing the window lets it up unclicked.
  game.PlatformKeyDown(KEY_RETURN, 0);
  game.SetCursorPosition(fx, fy);
  EXPECT_EQ(dialog.Focus(), "F");
  game.PlatformKeyUp(KEY_RETURN);
  EXPECT_EQ(Take(), (std::vector<std::string>{"enter", "D click"}));
  game.PlatformKeyDown(KEY_SPACE, 0);
  ASSERT_TRUE(dialog.Button("F")->IsFixed());
  game.SysOnActivate(0, false);
  game.SysOnActivate(1, false);
  game.PlatformKeyUp(KEY_SPACE);
  EXPECT_FALSE(dialog.Button("F")->IsFixed());
  EXPECT_TRUE(Take().empty());
  dialog.EndModal(0);
}

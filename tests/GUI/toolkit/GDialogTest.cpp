#include <gtest/gtest.h>

#include "GUI/toolkit/GButton.h"
#include "tests/support/ToolkitFixture.h"

namespace {

using Log = std::vector<std::string>;
constexpr unsigned kShown = STYLE_VISIBLE;

class Named : public GButton {
 public:
  Named(Log* log, std::string name) : log(log), name(std::move(name)) {}
  void OnLButtonClick(unsigned, int, int) override { log->push_back(name + " click"); }
  Log* log;
  std::string name;
};

// A dialog of 40 x 20 named buttons, built anew each time it is shown.
// Enter and Escape are logged and end the modal run, unless it `stays` open;
// when it `rebuilds`, Enter builds it again, destroying the button clicked.
class Buttons : public GDialog {
 public:
  struct Place {
    const char* name;
    int x, y;
    unsigned style;
  };
  Buttons(Log* log, std::vector<Place> places, int w = 120, int h = 50)
      : log(log), places(std::move(places)), w(w), h(h) {}
  void OnInitDlg() override {
    GDialog::OnInitDlg();
    for (const Place& s : places)
      EXPECT_TRUE((new Named(log, s.name))->Create(this, s.style, s.x, s.y, 40, 20, 0, s.name));
    SetSize(w, h);
  }
  void OnEnter() override {
    log->push_back("enter");
    if (rebuilds)
      OnInitDlg();
    else if (!stays)
      GDialog::OnEnter();
  }
  void OnCancel() override {
    log->push_back("cancel");
    if (!stays) GDialog::OnCancel();
  }
  static std::string Name(GComponent* c) {
    auto* b = dynamic_cast<Named*>(c);
    return b ? b->name : "-";
  }
  std::string Focus() const { return Name(GetFocusItem()); }
  Named* Button(const std::string& name) const {
    for (int i = 0; i < GetChildCount(); ++i)
      if (Name(GetChild(i)) == name) return static_cast<Named*>(GetChild(i));
    return nullptr;
  }
  std::pair<int, int> Centre(const std::string& name) const {
    const auto [x, y] = ScenePosition(Button(name));
    return {x + 20, y + 10};
  }
  bool stays = false, rebuilds = false;

 private:
  Log* log;
  std::vector<Place> places;
  int w, h;
};

std::vector<Buttons::Place> TwoButtons(unsigned okStyle = kShown, unsigned cancelStyle = kShown) {
  return {{"OK", 10, 20, okStyle}, {"Cancel", 60, 20, cancelStyle}};
}

// Six buttons created out of reading order: the top row A, B (disabled), C;
// then D (the default button) and E (hidden); then F alone.
const std::vector<Buttons::Place> kSix = {{"F", 10, 70, kShown},
                                          {"C", 110, 10, kShown},
                                          {"A", 10, 10, kShown},
                                          {"B", 60, 10, kShown | STYLE_DISABLED},
                                          {"D", 10, 40, kShown | STYLE_DEFAULT_BUTTON},
                                          {"E", 60, 40, 0}};

using DialogTest = ToolkitTest;

}  // namespace

TEST_F(DialogTest, WhichButtonsEnterAndEscapePress) {
  const struct {
    const char* what;
    unsigned okStyle, cancelStyle;
    const char *enter, *escape;
  } cases[] = {
      {"by position", kShown, kShown, "OK", "Cancel"},
      {"marked", kShown | STYLE_CANCEL_BUTTON, kShown | STYLE_DEFAULT_BUTTON, "Cancel", "OK"},
      // A disabled button is never pressed, even when it is the second one.
      {"marked but disabled", kShown, kShown | STYLE_DEFAULT_BUTTON | STYLE_DISABLED, "-", "-"},
  };
  for (const auto& c : cases) {
    Buttons dialog(&log, TwoButtons(c.okStyle, c.cancelStyle));
    dialog.BeginModal();
    EXPECT_EQ(Buttons::Name(dialog.GetEnterButton()), c.enter) << c.what;
    EXPECT_EQ(Buttons::Name(dialog.GetEscapeButton()), c.escape) << c.what;
    dialog.EndModal(0);
  }
}

// A click on the Enter or Escape button is the dialog's Enter or Escape,
// then the button's own click, unless Enter destroyed the button. Ending
// the modal run gives the dialog back and the focus with it; shown again,
// the dialog is rebuilt, lent to the current scene and centred on the back
// buffer, whatever its parent.
TEST_F(DialogTest, ClicksOnItsButtonsActAsTheDialogsEnterAndEscape) {
  Buttons dialog(&log, TwoButtons());
  dialog.rebuilds = true;
  dialog.BeginModal();
  Click(dialog.Centre("Cancel"));
  EXPECT_EQ(Take(), (Log{"cancel", "Cancel click"}));
  EXPECT_EQ(std::tuple(game.modal, dialog.GetParent(), scene->GetChildCount(), game.focused),
            std::tuple(nullptr, nullptr, 0, scene));
  dialog.BeginModal();
  EXPECT_EQ(dialog.GetParent(), scene);
  EXPECT_EQ(dialog.GetChildCount(), 2);
  EXPECT_EQ(ScenePosition(&dialog), std::pair((200 - 120) / 2, (150 - 50) / 2));
  Click(dialog.Centre("OK"));
  EXPECT_EQ(Take(), Log{"enter"});
  EXPECT_EQ(dialog.GetChildCount(), 2);
  dialog.EndModal(0);
}

TEST_F(DialogTest, ModalLoopsEndWithTheirOwnResult) {
  Buttons outer(&log, TwoButtons()), inner(&log, TwoButtons());
  HeadlessPlatform* platform = game.Platform();
  int innerResult = -1;
  platform->onLoop = [&] {
    if (platform->GetModalDepth() == 2) return inner.OnCancel();
    // The inner run ends with Escape's 2 and leaves the outer one running.
    innerResult = inner.DoModal();
    EXPECT_EQ(game.modal, &outer);
    EXPECT_EQ(platform->GetModalDepth(), 1);
    outer.OnEnter();
  };
  EXPECT_EQ(outer.DoModal(), 1);
  EXPECT_EQ(innerResult, 2);
  EXPECT_EQ(platform->quitCodes, (std::vector<int>{2, 1}));
  EXPECT_EQ(std::pair(platform->GetModalDepth(), game.modal),
            (std::pair<int, GComponent*>(0, nullptr)));
}

// The mouse moves the focus; the button a key holds is clicked on the
// release wherever the focus went meanwhile, and losing the window lets it
// up unclicked. Down and Tab through the game's menus, wrapping and skipping
// what cannot take the focus, are walked by the game's scene tests; here the
// other keys.
TEST_F(DialogTest, TheFocusFollowsTheMouseAndTheKeysInReadingOrder) {
  Buttons dialog(&log, kSix, 180, 120);
  dialog.stays = true;
  dialog.BeginModal();
  const auto [ax, ay] = dialog.Centre("A");
  const auto [fx, fy] = dialog.Centre("F");
  game.SetCursorPosition(ax, ay);
  EXPECT_EQ(dialog.Focus(), "A");
  // Shown again under the resting pointer, the dialog starts on its default.
  dialog.EndModal(0);
  dialog.BeginModal();
  game.SysOnMouseMove(game.inputFlags);
  EXPECT_EQ(dialog.Focus(), "D");

  game.PlatformKeyDown(KEY_RETURN, 0);
  EXPECT_TRUE(dialog.Button("D")->IsFixed());
  game.SetCursorPosition(fx, fy);
  EXPECT_EQ(dialog.Focus(), "F");
  game.PlatformKeyUp(KEY_RETURN);
  EXPECT_EQ(Take(), (Log{"enter", "D click"}));
  game.PlatformKeyDown(KEY_SPACE, 0);
  ASSERT_TRUE(dialog.Button("F")->IsFixed());
  game.SysOnActivate(0, false);
  game.SysOnActivate(1, false);
  game.PlatformKeyUp(KEY_SPACE);
  EXPECT_FALSE(dialog.Button("F")->IsFixed());
  EXPECT_TRUE(Take().empty());

  game.PlatformKeyDown(KEY_LSHIFT, 0);
  Key(KEY_TAB);
  game.PlatformKeyUp(KEY_LSHIFT);
  EXPECT_EQ(dialog.Focus(), "D");
  // Up passes the disabled B; Left and Right go round within a row, Up round
  // to the bottom; F is alone in its row.
  const std::pair<unsigned, const char*> steps[] = {{KEY_UP, "C"},    {KEY_LEFT, "A"},
                                                    {KEY_RIGHT, "C"}, {KEY_RIGHT, "A"},
                                                    {KEY_UP, "F"},    {KEY_RIGHT, "F"}};
  for (auto [key, focus] : steps) {
    Key(key);
    EXPECT_EQ(dialog.Focus(), focus) << key;
  }
  // Space presses the focused button; Escape keeps its own (the second one).
  Key(KEY_SPACE);
  Key(KEY_UP);
  Key(KEY_RETURN);
  Key(KEY_ESCAPE);
  EXPECT_EQ(Take(), (Log{"F click", "enter", "D click", "cancel", "C click"}));
  // A button disabled under the focus is not pressed; the next key moves on.
  dialog.Button("D")->Enable(false);
  Key(KEY_SPACE);
  EXPECT_TRUE(Take().empty());
  Key(KEY_DOWN);
  EXPECT_EQ(dialog.Focus(), "F");
  dialog.EndModal(0);
}

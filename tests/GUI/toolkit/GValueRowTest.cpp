#include "GUI/toolkit/GValueRow.h"

#include <gtest/gtest.h>

#include "GUI/toolkit/GButton.h"
#include "tests/support/ToolkitFixture.h"

namespace {

using Log = std::vector<std::string>;

// Logs its changes and actions as "name choice" and "name action".
class Row : public GValueRow {
 public:
  Row(Log* log, std::string name) : log(log), name(std::move(name)) {}
  void OnChange(int choice) override { log->push_back(name + " " + std::to_string(choice)); }
  void OnAction() override { log->push_back(name + " action"); }
  Log* log;
  std::string name;
};

// A dialog of 100 x 20 rows 30 apart from (0, 0), each with its value
// column from x 40 (arrows at 40..59 and 80..99): A with three choices on the
// second, B with two on the first, the action row C; then the OK button.
class Rows : public GDialog {
 public:
  explicit Rows(Log* log) : log(log) {}
  void OnInitDlg() override {
    GDialog::OnInitDlg();
    const struct {
      const char* name;
      std::vector<CFerroString> choices;
      int index;
    } rows[] = {{"A", {"x", "y", "z"}, 1}, {"B", {"off", "on"}, 0}, {"C", {}, 0}};
    int y = 0;
    for (const auto& r : rows) {
      auto* row = new Row(log, r.name);
      EXPECT_TRUE(row->Create(this, STYLE_VISIBLE, 0, y, 100, 20, 0, r.name));
      row->SetChoices(r.choices, r.index);
      row->SetValueLeft(40);
      y += 30;
    }
    EXPECT_TRUE((new GButton)->Create(this, STYLE_VISIBLE, 0, y, 40, 20, 0, "OK"));
    SetSize(120, 120);
  }
  void OnEnter() override { log->push_back("enter"); }
  Row* Get(const char* name) const {
    for (int i = 0; i < GetChildCount(); ++i)
      if (GetChild(i)->GetWindowText() == name) return dynamic_cast<Row*>(GetChild(i));
    return nullptr;
  }
  std::string Focus() const {
    return GetFocusItem() ? GetFocusItem()->GetWindowText().c_str() : "-";
  }
  // A point of a row's client zone in the scene.
  std::pair<int, int> At(const char* name, int x, int y) const {
    const auto [rx, ry] = ScenePosition(Get(name));
    return {rx + x, ry + y};
  }
  Log* log;
};

class ValueRowTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    dialog.BeginModal();
  }
  void TearDown() override { dialog.EndModal(0); }
  Rows dialog{&log};
};

}  // namespace

// Left and Right (the pad's d-pad too) step the focused row's value and stop
// at its ends, keeping the focus; Up, Down and Tab move between the rows;
// Enter, Space and Right choose an action row; Enter on another row is the
// dialog's Enter.
TEST_F(ValueRowTest, TheKeysStepTheValueAndMoveBetweenRows) {
  dialog.SetFocusItem(dialog.Get("A"));
  const struct {
    unsigned key;
    Log heard;
    const char* focus;
  } steps[] = {
      {KEY_RIGHT, {"A 2"}, "A"},
      {KEY_RIGHT, {}, "A"},
      {KEY_LEFT, {"A 1"}, "A"},
      {KEY_LEFT, {"A 0"}, "A"},
      {KEY_LEFT, {}, "A"},
      {KEY_DOWN, {}, "B"},
      {KEY_TAB, {}, "C"},
      {KEY_RIGHT, {"C action"}, "C"},
      {KEY_SPACE, {"C action"}, "C"},
      {KEY_RETURN, {"C action"}, "C"},
      {KEY_LEFT, {}, "C"},
      {KEY_UP, {}, "B"},
      {KEY_RETURN, {"enter"}, "B"},
  };
  for (const auto& s : steps) {
    Key(s.key);
    EXPECT_EQ(Take(), s.heard) << s.key;
    EXPECT_EQ(dialog.Focus(), s.focus) << s.key;
  }
  EXPECT_EQ(dialog.Get("A")->GetValueText(), "x");
  game.PlatformPadKeyDown(KEY_RIGHT);
  game.PlatformKeyUp(KEY_RIGHT);
  EXPECT_EQ(Take(), Log{"B 1"});
  EXPECT_EQ(dialog.Get("B")->GetValueText(), "on");
}

// A click on an arrow steps when it both went down and came up there; one on
// the label or the value only takes the focus, and an arrow at its end does
// nothing. Anywhere on an action row, a click acts. A moving pointer takes
// the focus and lights the arrow under it; a disabled row is not hit.
TEST_F(ValueRowTest, ClicksOnTheArrowsStepAndAnyOnAnActionRowActs) {
  const struct {
    const char* what;
    std::pair<int, int> down, up;
    Log heard;
  } clicks[] = {
      {"the right arrow", dialog.At("A", 90, 10), dialog.At("A", 85, 5), {"A 2"}},
      {"the right arrow at the end", dialog.At("A", 90, 10), dialog.At("A", 90, 10), {}},
      {"the left arrow", dialog.At("A", 45, 10), dialog.At("A", 59, 19), {"A 1"}},
      {"the left arrow, let go on the value", dialog.At("A", 45, 10), dialog.At("A", 60, 10), {}},
      {"the value", dialog.At("B", 70, 10), dialog.At("B", 90, 10), {}},
      {"the label", dialog.At("B", 5, 10), dialog.At("B", 5, 10), {}},
      {"an action row's label", dialog.At("C", 5, 10), dialog.At("C", 5, 10), {"C action"}},
  };
  for (const auto& c : clicks) {
    Press(c.down.first, c.down.second);
    game.SetCursorPosition(c.up.first, c.up.second);
    game.PlatformKeyUp(KEY_MOUSE_LEFT);
    EXPECT_EQ(Take(), c.heard) << c.what;
  }
  EXPECT_EQ(dialog.Focus(), "C");
  const auto [bx, by] = dialog.At("B", 45, 10);
  game.SetCursorPosition(bx, by);
  EXPECT_EQ(std::pair(dialog.Focus(), dialog.Get("B")->GetHoverArrow()),
            std::pair(std::string("B"), static_cast<int>(ARROW_LESS)));
  game.SetCursorPosition(bx + 20, by);
  EXPECT_EQ(dialog.Get("B")->GetHoverArrow(), ARROW_NONE);
  dialog.Get("B")->Enable(false);
  Click(bx + 40, by);
  EXPECT_TRUE(Take().empty());
}

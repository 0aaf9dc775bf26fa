// The game's look: soft frames, the grid, framed and notched buttons, checked
// against golden pictures and against the properties they must have.
#include "GUI/graphics/GSurface16.h"
#include "GUI/themes/GBorderSet.h"
#include "GUI/themes/GThemeRavlin.h"
#include "GUI/themes/GThemeRavlinComponents.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GDialog.h"
#include "GUI/toolkit/GValueRow.h"
#include "tests/support/Geometry.h"
#include "tests/support/ThemeFixture.h"

namespace {

constexpr unsigned kGameButton = STYLE_VISIBLE | STYLE_BORDER | STYLE_ALPHA | STYLE_FRAMED;
constexpr unsigned kGameDialog = 0x20060 | STYLE_VISIBLE | STYLE_BORDER | STYLE_CAPTION;
constexpr unsigned kMessageBoxButton = STYLE_VISIBLE | STYLE_BORDER;

class RavlinTest : public ThemeTest {
 protected:
  void SetUp() override {
    ThemeTest::SetUp();
    theme = Install<GThemeRavlin>();
  }
  void ExpectGoldenOf(const std::string& name, GComponent* c) {
    const CFerroRect r = WindowOf(c);
    ExpectGolden(name, Capture(r), r.Width(), r.Height());
  }
  GThemeRavlin* theme = nullptr;
};

}  // namespace

TEST_F(RavlinTest, AHighlightedFramedButtonBrightensItsFrameAndLabel) {
  Box* button = AddBox(THEME_BUTTON, kGameButton, 10, 10, 90, 30, "Play");
  game.highlighted = button;
  Render();
  ExpectGoldenOf("framed_button_highlighted", button);
}

// The focused button looks focused only while the keys were used last: a
// mouse player sees no change.
TEST_F(RavlinTest, TheFocusLookIsDrawnOnlyAfterAKey) {
  auto* button = new GButton;
  ASSERT_TRUE(button->Create(scene, kGameButton, 10, 10, 90, 30, 1, "Play"));
  scene->SetFocusItem(button);
  const unsigned outline = Stored(AddColor(0x49A3ED, GThemeButtonRavlin::kFocusOutlineStep));
  // The face's corner, just inside the soft frame, and a point further in.
  const auto look = [&] {
    Render();
    return std::vector<uint32_t>{Pixel(16, 16), Pixel(17, 17), Pixel(18, 18),
                                 button->GetTheme()->GetBorderColor(button)};
  };
  const std::vector<uint32_t> plain = {0, 0, 0, 0x2983CD};
  EXPECT_EQ(look(), plain);
  // A shortcut (Ctrl+Z: a mouse player's undo) is not the keyboard in use.
  game.PlatformKeyDown(KEY_LCONTROL, 0);
  game.PlatformKeyDown(KEY_Z, 0);
  game.PlatformKeyUp(KEY_Z);
  game.PlatformKeyUp(KEY_LCONTROL);
  EXPECT_EQ(look(), plain);
  game.PlatformKeyDown(KEY_A, 0);
  game.PlatformKeyUp(KEY_A);
  EXPECT_EQ(look(), (std::vector<uint32_t>{outline, outline, 0, 0x49A3ED}));
  game.SetCursorPosition(190, 140);
  EXPECT_EQ(look(), plain);
}

TEST_F(RavlinTest, AGameDialogHasTheSoftFrameAndAGriddedBlackClient) {
  auto* dialog = new GDialog;
  ASSERT_TRUE(dialog->Create(scene, kGameDialog | STYLE_CLOSE_BOX, 20, 10, 120, 100, 1));
  dialog->SetWindowText("Maps");
  Render();
  CFerroRect client;
  dialog->GetClientRect(&client);
  EXPECT_EQ(client, CFerroRect(0, 0, 120 - 12, 100 - 31 - 6));
  ExpectGoldenOf("game_dialog", dialog);
}

// Value rows over a game dialog: its grid shows through them; the focused
// row, at the last of its choices, has the focus outline, a lit label and a
// dim right arrow; an action row has only its right arrow.
TEST_F(RavlinTest, ValueRowsLetTheGridShowAndShowTheFocus) {
  auto* dialog = new GDialog;
  ASSERT_TRUE(dialog->Create(scene, kGameDialog, 5, 5, 190, 110, 1));
  dialog->SetWindowText("Options");
  const char* labels[] = {"Sound", "Keys"};
  GValueRow* rows[2] = {};
  for (int i = 0; i < 2; ++i) {
    rows[i] = new GValueRow;
    ASSERT_TRUE(rows[i]->Create(dialog, STYLE_VISIBLE, 4, 6 + 32 * i, 170, 28, i + 1, labels[i]));
    rows[i]->SetValueLeft(60);
  }
  rows[0]->SetChoices({"Off", "On"}, 1);
  rows[1]->SetValueText("Custom");
  game.focused = dialog;
  dialog->SetFocusItem(rows[0]);
  game.PlatformKeyDown(KEY_A, 0);
  game.PlatformKeyUp(KEY_A);
  Render();
  ExpectGoldenOf("value_rows", dialog);
}

// The message box test compares its buttons with a golden picture.
TEST_F(RavlinTest, AMessageBoxButtonKeepsItsFillWhenACornerIsRedrawn) {
  Box* ok = AddBox(THEME_BUTTON, kMessageBoxButton, 10, 10, 130, 34, "OK");
  Render();
  // Redrawn only in its lower right corner, far from where the fill starts, it
  // keeps its fill.
  const CFerroRect corner(70, 30, 140, 44);
  const auto whole = Capture(corner);
  game.GetBackSurface()->FillRect(0, 0, 200, 150, 0xFF0000);
  ok->InvalidateRect(CFerroRect(60, 20, 130, 34));
  scene->RenderAll();
  EXPECT_EQ(Capture(corner), whole);
}

// Frames of every awkward size draw nothing outside the window (the golden
// pictures show how they look at the sizes the game uses).
TEST_F(RavlinTest, SoftFramesOfAnySizeStayInsideTheWindow) {
  GBorderSet* set = theme->FindBorder(0xFFFFFF);
  ASSERT_NE(set, nullptr);
  const std::pair<int, int> sizes[] = {{0, 0},  {1, 1},   {2, 7},    {5, 3},    {11, 11}, {12, 12},
                                       {13, 7}, {20, 20}, {250, 30}, {30, 450}, {401, 13}};
  constexpr int kMargin = 3;
  constexpr uint32_t kOutside = 0x00FF00;
  for (const auto& [w, h] : sizes) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    GSurface16 target;
    ASSERT_TRUE(target.Create(w + 2 * kMargin, h + 2 * kMargin));
    target.Clear(kOutside);
    target.FillRect(kMargin, kMargin, w, h, 0x000000);
    target.SetOrigin(kMargin, kMargin);
    set->Render(&target, w, h);
    for (int y = 0; y < target.GetHeight(); ++y)
      for (int x = 0; x < target.GetWidth(); ++x) {
        const bool inside = x >= kMargin && x < kMargin + w && y >= kMargin && y < kMargin + h;
        if (inside) continue;
        SURFACE_RGB rgb;
        target.GetPixelRGB(x, y, &rgb);
        ASSERT_EQ(rgb.RgbToColor32(), Stored(kOutside)) << x << "," << y;
      }
  }
}

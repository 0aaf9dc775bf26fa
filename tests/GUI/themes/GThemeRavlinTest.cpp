// The game's look: soft frames, the grid, framed and notched buttons, checked
// against golden pictures and against the properties they must have.
#include "GUI/graphics/GSurface16.h"
#include "GUI/themes/GBorderSet.h"
#include "GUI/themes/GThemeRavlin.h"
#include "GUI/themes/GThemeRavlinComponents.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GDialog.h"
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
  // The box around the pixels of one colour inside r (relative to r).
  CFerroRect BoxOf(const CFerroRect& r, uint32_t color) {
    CFerroRect box(1000, 1000, -1, -1);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (Pixel(x, y) == color)
          box = box.Union(CFerroRect(x - r.left, y - r.top, x - r.left + 1, y - r.top + 1));
    return box;
  }

  GThemeRavlin* theme = nullptr;
};

}  // namespace

TEST_F(RavlinTest, AHighlightedFramedButtonBrightensItsFrameAndLabel) {
  Box* button = AddBox(THEME_BUTTON, kGameButton, 10, 10, 90, 30, "Play");
  game.highlighted = button;
  Render();
  EXPECT_EQ(button->GetTheme()->GetBorderColor(button), 0x49A3EDu);
  ASSERT_NE(theme->FindBorder(0x49A3ED), nullptr);
  ExpectGoldenOf("framed_button_highlighted", button);
  EXPECT_EQ(theme->GetBorderSetCount(), 2);
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
  // Grid lines every 25 pixels from 9 on, in client coordinates.
  const int cx = 20 + 6, cy = 10 + 31;
  for (int x = 0; x < client.Width(); ++x)
    EXPECT_EQ(Pixel(cx + x, cy + 3), (x - 9) % 25 == 0 ? Stored(GThemeRavlin::kGridColor) : 0u)
        << x;
  for (int y = 0; y < client.Height(); ++y)
    EXPECT_EQ(Pixel(cx + 3, cy + y), (y - 9) % 25 == 0 ? Stored(GThemeRavlin::kGridColor) : 0u)
        << y;
  ExpectGoldenOf("game_dialog", dialog);
}

TEST_F(RavlinTest, AMessageBoxButtonHasTheNotchedOutlineAndDarkFill) {
  Box* ok = AddBox(THEME_BUTTON, kMessageBoxButton, 10, 10, 130, 34, "OK");
  Render();
  ExpectGoldenOf("message_box_button", ok);
  // Redrawn only in its lower right part, far from where the fill starts, it
  // keeps its fill.
  const CFerroRect part(70, 30, 140, 44);
  const auto whole = Capture(part);
  game.GetBackSurface()->FillRect(0, 0, 200, 150, 0xFF0000);
  ok->InvalidateRect(CFerroRect(60, 20, 130, 34));
  scene->RenderAll();
  EXPECT_EQ(Capture(part), whole);
  // Disabled: the outline in the disabled frame colour, and no fill.
  ok->Enable(false);
  Render();
  EXPECT_EQ(std::pair(Pixel(10, 10), Pixel(15, 15)), std::pair(Stored(0xC3C3C3), 0u));
}

TEST_F(RavlinTest, AHeldButtonShiftsItsLabelOnlyWhileEnabled) {
  for (unsigned style : {kGameButton, kMessageBoxButton}) {
    for (bool enabled : {true, false}) {
      SCOPED_TRACE(testing::Message() << "style " << style << (enabled ? " enabled" : " disabled"));
      Box* button = AddBox(THEME_BUTTON, style, 10, 10, 100, 34, "Go");
      button->Enable(enabled);
      const CFerroRect r = WindowOf(button);
      const uint32_t label = Stored(ScaleColor(button->GetTheme()->GetBorderColor(button), 0.8));
      // The box around the label's pixels (a pixel at the edge of a glyph
      // may blend differently over a grid line, the box does not).
      Render();
      const CFerroRect up = BoxOf(r, label);
      ASSERT_FALSE(up.IsEmpty());
      button->Fix(true);
      Render();
      CFerroRect down = BoxOf(r, label);
      if (enabled) down.Offset(-1, -1);
      EXPECT_EQ(down, up);
      scene->DeleteChild(button, true);
    }
  }
}

// Frames of every awkward size: nothing is drawn outside the window, even
// sizes come out symmetric, and the strips are seamless across their
// 200-pixel pieces.
TEST_F(RavlinTest, SoftFramesOfAnySizeStayInsideTheWindow) {
  GBorderSet* set = theme->FindBorder(0xFFFFFF);
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(theme->FindBorder(0xFFFFFF), set);
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
    auto at = [&](int x, int y) {
      SURFACE_RGB rgb;
      target.GetPixelRGB(x + kMargin, y + kMargin, &rgb);
      return rgb.RgbToColor32();
    };
    for (int y = -kMargin; y < h + kMargin; ++y)
      for (int x = -kMargin; x < w + kMargin; ++x) {
        const bool inside = x >= 0 && x < w && y >= 0 && y < h;
        if (!inside) {
          ASSERT_EQ(at(x, y), Stored(kOutside)) << x << "," << y;
          continue;
        }
        const uint32_t mirroredX = w % 2 == 0 ? at(w - 1 - x, y) : at(x, y);
        const uint32_t mirroredY = h % 2 == 0 ? at(x, h - 1 - y) : at(x, y);
        ASSERT_EQ(at(x, y), mirroredX) << x << "," << y;
        ASSERT_EQ(at(x, y), mirroredY) << x << "," << y;
      }
    for (int x = GBorderSet::kDepth + 1; x < w - GBorderSet::kDepth; ++x)
      ASSERT_EQ(at(x, 0), at(GBorderSet::kDepth, 0)) << x;
    for (int y = GBorderSet::kDepth + 1; y < h - GBorderSet::kDepth; ++y)
      ASSERT_EQ(at(0, y), at(0, GBorderSet::kDepth)) << y;
  }
}

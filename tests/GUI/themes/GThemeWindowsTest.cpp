// The default look: static backgrounds, dialog background pictures, scroll
// bars.
#include "GUI/graphics/GDevice.h"
#include "GUI/themes/GThemeWindows.h"
#include "GUI/themes/GThemeWindowsComponents.h"
#include "GUI/toolkit/GDialog.h"
#include "GUI/toolkit/GScroller.h"
#include "GUI/toolkit/GValueRow.h"
#include "tests/support/ThemeFixture.h"

namespace {

class WindowsTest : public ThemeTest {
 protected:
  void SetUp() override {
    ThemeTest::SetUp();
    theme = Install<GThemeWindows>();
  }
  GThemeWindows* theme = nullptr;
};

}  // namespace

TEST_F(WindowsTest, AStaticTakesItsOwnBackgroundElseItsParents) {
  Box parent(Drawing(THEME_DIALOG));
  parent.SetColor(COLOR_BACKGROUND, COLOR_NORMAL, 0x123456);
  Box text(Drawing(THEME_STATIC));
  GThemeComponent* drawing = text.GetTheme();
  EXPECT_EQ(drawing->GetBgColor(&text), 0xFFFFFFu);  // nothing beneath
  ASSERT_TRUE(text.Create(&parent, STYLE_VISIBLE, 0, 0, 20, 20, 0));
  EXPECT_EQ(drawing->GetBgColor(&text), 0x123456u);
  text.SetColor(COLOR_BACKGROUND, COLOR_NORMAL, 0x654321);
  EXPECT_EQ(drawing->GetBgColor(&text), 0x654321u);
  parent.DeleteChild(&text, false);
}

// One pixel wider than the picture, the picture lands at x = 0 and the last
// column must still be filled; a transparent pixel shows the fill.
TEST_F(WindowsTest, ADialogsBackgroundPictureIsCentredAndTheRestFilled) {
  GSurface* picture = game.GetDevice()->AddSurface();
  ASSERT_TRUE(picture->Create(40, 40));
  picture->Clear(0xFF0000);
  picture->MaskTransparentPixel(0);
  auto* dialog = new GDialog;
  ASSERT_TRUE(dialog->Create(scene, STYLE_VISIBLE, 10, 10, 41, 40, 1));
  dialog->SetBackgroundPtr(picture);
  Render();
  game.GetBackSurface()->Clear(0x00FF00);
  dialog->Invalidate();
  scene->RenderAll();
  EXPECT_EQ(Pixel(10 + 1, 10 + 1), Stored(0xFF0000));
  EXPECT_EQ(Pixel(10 + 40, 10 + 39), Stored(0xF0F0F0));
  EXPECT_EQ(Pixel(10, 10), Stored(0xF0F0F0));
}

namespace {

// A scroller over content much larger than itself.
class Content : public GScroller {
 public:
  explicit Content(GThemeComponent* look) { theme = look; }
  void GetScrollSize(int& w, int& h) override { w = h = 1000; }
};

}  // namespace

TEST_F(WindowsTest, ScrollBarsDrawTheTrackUnderTheSlider) {
  auto* content = new Content(Drawing(THEME_DIALOG));
  ASSERT_TRUE(content->Create(scene, STYLE_VISIBLE, 0, 0, 120, 100, 0));
  Render();
  CFerroRect slider;
  ASSERT_TRUE(content->GetScrollElementRect(SCROLL_HSLIDER, &slider));
  // The track line runs along the bar's top row, under the slider too.
  EXPECT_EQ(Pixel(slider.right + 2, slider.top), Stored(0xFFFFFF));
  EXPECT_EQ(Pixel(slider.left + 2, slider.top), Stored(0xFFFFFF));
  EXPECT_EQ(Pixel(slider.right + 2, slider.top + 2), Stored(0xF0F0F0));

  // Disabled, the bar shows only the track: no slider.
  content->Enable(false);
  Render();
  EXPECT_EQ(Pixel(slider.left + 2, slider.top + 2), Stored(0xF0F0F0));
}

// A value row draws on its dialog's background the theme's scroll arrows in
// their states (the right one disabled at the last choice), and its focus
// outline only once a key was used.
TEST_F(WindowsTest, AValueRowDrawsTheArrowsInTheirStatesAndTheFocusAfterAKey) {
  auto* dialog = new GDialog;
  ASSERT_TRUE(dialog->Create(scene, STYLE_VISIBLE, 0, 0, 200, 150, 1));
  auto* row = new GValueRow;
  ASSERT_TRUE(row->Create(dialog, STYLE_VISIBLE, 10, 10, 180, 24, 1, "Sound"));
  row->SetChoices({"Off", "On"}, 1);
  game.focused = dialog;
  dialog->SetFocusItem(row);
  Render();
  const struct {
    int arrow;
    SCROLLER_ARROW_DIRECTION direction;
    SCROLLER_BUTTON_STATE state;
  } arrows[] = {{ARROW_LESS, ARROW_LEFT, SB_NORMAL}, {ARROW_MORE, ARROW_RIGHT, SB_DISABLED}};
  for (const auto& a : arrows) {
    GSurface* picture = theme->GetScrollerArrow(a.direction, a.state);
    ASSERT_NE(picture, nullptr);
    const int w = picture->GetWidth(), h = picture->GetHeight();
    const CFerroRect square = row->GetArrowRect(a.arrow);
    const int x0 = 10 + square.left + (square.Width() - w) / 2;
    const int y0 = 10 + square.top + (square.Height() - h) / 2;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        SURFACE_RGB rgb;
        picture->GetPixelRGB(x, y, &rgb);
        ASSERT_EQ(Pixel(x0 + x, y0 + y), rgb.RgbToColor32()) << a.arrow << " at " << x << "," << y;
      }
  }
  EXPECT_EQ(Pixel(10, 10), Stored(0xF0F0F0));
  game.PlatformKeyDown(KEY_A, 0);
  game.PlatformKeyUp(KEY_A);
  Render();
  EXPECT_EQ(Pixel(10, 10), Stored(GThemeValueRowWindows::kFocusColor));
}

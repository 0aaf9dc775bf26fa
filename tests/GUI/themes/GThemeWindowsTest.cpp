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
// their states (the right one disabled at the last choice: arrows of 0x606060
// and 0xCCCCCC), and its focus outline only once a key was used.
TEST_F(WindowsTest, AValueRowDrawsTheArrowsInTheirStatesAndTheFocusAfterAKey) {
  auto* dialog = new GDialog;
  ASSERT_TRUE(dialog->Create(scene, STYLE_VISIBLE, 0, 0, 200, 150, 1));
  auto* row = new GValueRow;
  ASSERT_TRUE(row->Create(dialog, STYLE_VISIBLE, 10, 10, 180, 24, 1, "Sound"));
  row->SetChoices({"Off", "On"}, 1);
  game.focused = dialog;
  dialog->SetFocusItem(row);
  Render();
  const auto shows = [&](int arrow, uint32_t color) {
    const CFerroRect r = row->GetArrowRect(arrow);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (Pixel(10 + x, 10 + y) == Stored(color)) return true;
    return false;
  };
  EXPECT_TRUE(shows(ARROW_LESS, 0x606060) && !shows(ARROW_LESS, 0xCCCCCC));
  EXPECT_TRUE(shows(ARROW_MORE, 0xCCCCCC) && !shows(ARROW_MORE, 0x606060));
  EXPECT_EQ(Pixel(10, 10), Stored(0xF0F0F0));
  game.PlatformKeyDown(KEY_A, 0);
  game.PlatformKeyUp(KEY_A);
  Render();
  EXPECT_EQ(Pixel(10, 10), Stored(GThemeValueRowWindows::kFocusColor));
}

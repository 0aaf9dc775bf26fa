#include <gtest/gtest.h>

#include "GUI/graphics/GDevice.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GPicture.h"
#include "tests/GUI/toolkit/ToolkitFixture.h"

namespace {

// A dialog whose Enter rebuilds it, destroying the button being clicked.
class Rebuilding : public GDialog {
 public:
  explicit Rebuilding(std::vector<std::string>* log) : log(log) {}
  void OnInitDlg() override {
    GDialog::OnInitDlg();
    auto* ok = new LoggingButton(log, "OK");
    ok->Create(this, STYLE_VISIBLE, 10, 10, 40, 20, 1, "OK");
    auto* cancel = new LoggingButton(log, "Cancel");
    cancel->Create(this, STYLE_VISIBLE, 60, 10, 40, 20, 2, "Cancel");
  }
  void OnEnter() override {
    log->push_back("enter");
    OnInitDlg();
  }
  void OnCancel() override {
    log->push_back("cancel");
    GDialog::OnCancel();
  }

  class LoggingButton : public GButton {
   public:
    LoggingButton(std::vector<std::string>* log, std::string name) : log(log), name(name) {}
    void OnLButtonClick(unsigned, int, int) override { log->push_back(name + " click"); }
    std::vector<std::string>* log;
    std::string name;
  };

 private:
  std::vector<std::string>* log;
};

using ButtonTest = ToolkitTest;

}  // namespace

TEST_F(ButtonTest, HeldFromPressToReleaseAndHighlightedUnderTheCursor) {
  auto* button = new GButton;
  ASSERT_TRUE(button->Create(scene, STYLE_VISIBLE, 10, 10, 40, 20, 7, "Go"));
  EXPECT_STREQ(button->GetWindowText().c_str(), "Go");
  Render();
  game.SetCursorPosition(20, 20);
  EXPECT_TRUE(button->IsHighlighted());
  EXPECT_TRUE(button->IsDirty());  // redrawn with the highlight
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  EXPECT_TRUE(button->IsFixed());
  game.SetCursorPosition(100, 100);  // held down even when the cursor leaves
  EXPECT_TRUE(button->IsFixed());
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_FALSE(button->IsFixed());
  EXPECT_FALSE(button->IsHighlighted());
}

TEST_F(ButtonTest, ClicksActAsTheDialogsEnterAndEscape) {
  Rebuilding dialog(&log);
  dialog.BeginModal();
  int x = 0, y = 0;
  dialog.GetAbsoluteWindowPosition(x, y);
  // Cancel: the dialog's OnCancel, then the button's own click.
  Click(x + 70, y + 15);
  EXPECT_EQ(Take(), (std::vector<std::string>{"cancel", "Cancel click"}));
  EXPECT_EQ(game.modal, nullptr);
  // OK: Enter rebuilds the dialog, destroying the button while it is being
  // clicked; its own click handler must not run any more.
  dialog.BeginModal();
  Click(x + 20, y + 15);
  EXPECT_EQ(Take(), (std::vector<std::string>{"enter"}));
  EXPECT_EQ(dialog.GetChildCount(), 2);
  dialog.EndModal(0);
}

TEST_F(ButtonTest, PictureShowsTheSelectedImage) {
  auto* picture = new GPicture;
  ASSERT_TRUE(picture->Create(scene, STYLE_VISIBLE, 0, 0, 8, 8, 0));
  EXPECT_EQ(picture->GetImage(), nullptr);
  GSurface* red = game.GetDevice()->AddSurface();
  red->Create(4, 4);
  red->FillRect(0, 0, 4, 4, 0xFF0000);
  GSurface* blue = game.GetDevice()->AddSurface();
  blue->Create(8, 8);
  blue->FillRect(0, 0, 8, 8, 0x0000FF);
  EXPECT_EQ(picture->AddImage(red), 0);
  EXPECT_EQ(picture->AddImage(blue), 1);
  EXPECT_EQ(picture->GetSel(), 0);
  // Each picture is centred in a cell of the client size.
  GSurface* shown = picture->GetImage();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->GetWidth(), 8);
  SURFACE_RGB rgb;
  shown->GetPixelRGB(4, 4, &rgb);
  EXPECT_EQ(rgb.RgbToColor32(), 0xFF0000u);
  shown->GetPixelRGB(0, 0, &rgb);
  EXPECT_EQ(rgb.RgbToColor32(), 0u);
  Render();
  picture->SetSel(1);
  EXPECT_TRUE(picture->IsDirty());
  picture->GetImage()->GetPixelRGB(0, 0, &rgb);
  EXPECT_EQ(rgb.RgbToColor32(), 0x0000FFu);
}

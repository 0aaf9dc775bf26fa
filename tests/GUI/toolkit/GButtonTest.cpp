#include <gtest/gtest.h>

#include "GUI/graphics/GDevice.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GPicture.h"
#include "tests/support/ToolkitFixture.h"

using ButtonTest = ToolkitTest;

TEST_F(ButtonTest, HeldFromPressToReleaseAndHighlightedUnderTheCursor) {
  auto* button = new GButton;
  ASSERT_TRUE(button->Create(scene, STYLE_VISIBLE, 10, 10, 40, 20, 7, "Go"));
  Render();
  game.SetCursorPosition(20, 20);
  EXPECT_TRUE(button->IsHighlighted());
  EXPECT_TRUE(button->IsDirty());  // redrawn with the highlight
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  EXPECT_TRUE(button->IsFixed());
  game.SetCursorPosition(100, 100);  // held down even when the cursor leaves
  EXPECT_TRUE(button->IsFixed());
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_FALSE(button->IsFixed() || button->IsHighlighted());
}

TEST_F(ButtonTest, PictureShowsTheSelectedImage) {
  auto* picture = new GPicture;
  ASSERT_TRUE(picture->Create(scene, STYLE_VISIBLE, 0, 0, 8, 8, 0));
  EXPECT_EQ(picture->GetImage(), nullptr);
  for (auto [size, color] : {std::pair{4, 0xFF0000u}, {8, 0x0000FFu}}) {
    GSurface* image = game.GetDevice()->AddSurface();
    image->Create(size, size);
    image->FillRect(0, 0, size, size, color);
    EXPECT_EQ(picture->AddImage(image), size / 8);
  }
  EXPECT_EQ(picture->GetSel(), 0);
  // Each picture is centred in a cell of the client size.
  ASSERT_NE(picture->GetImage(), nullptr);
  EXPECT_EQ(picture->GetImage()->GetWidth(), 8);
  EXPECT_EQ(std::pair(Pixel(4, 4, picture->GetImage()), Pixel(0, 0, picture->GetImage())),
            std::pair(0xFF0000u, 0u));
  Render();
  picture->SetSel(1);
  EXPECT_TRUE(picture->IsDirty());
  EXPECT_EQ(Pixel(0, 0, picture->GetImage()), 0x0000FFu);
}

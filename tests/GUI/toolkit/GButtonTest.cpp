#include <gtest/gtest.h>

#include "GUI/toolkit/GButton.h"
#include "tests/support/ToolkitFixture.h"

using ButtonTest = ToolkitTest;

TEST_F(ButtonTest, HeldFromPressToReleaseAndHighlightedUnderTheCursor) {
  auto* button = new GButton;
  ASSERT_TRUE(button->Create(scene, STYLE_VISIBLE, 10, 10, 40, 20, 7, "Go"));
  game.SetCursorPosition(20, 20);
  EXPECT_TRUE(button->IsHighlighted());
  game.PlatformKeyDown(KEY_MOUSE_LEFT, 0);
  EXPECT_TRUE(button->IsFixed());
  game.SetCursorPosition(100, 100);  // held down even when the cursor leaves
  EXPECT_TRUE(button->IsFixed());
  game.PlatformKeyUp(KEY_MOUSE_LEFT);
  EXPECT_FALSE(button->IsFixed() || button->IsHighlighted());
}

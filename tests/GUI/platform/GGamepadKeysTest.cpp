#include "GUI/platform/GGamepadKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GUI/toolkit/InputCodes.h"

namespace {

using Change = GGamepadKeys::KEY_CHANGE;
using Pad = GGamepadKeys;

Change Down(unsigned key) {
  return {key, true};
}
Change Up(unsigned key) {
  return {key, false};
}

std::string Show(const std::vector<Change>& changes) {
  std::string text;
  for (const Change& c : changes) text += (c.down ? " down " : " up ") + std::to_string(c.key);
  return text.empty() ? " nothing" : text;
}

}  // namespace

TEST(GamepadKeysTest, TheStickPressesOnceAndReleasesOnceThroughItsDeadZone) {
  struct Step {
    Pad::Axis axis;
    int value;
    std::vector<Change> changes;
  };
  const std::vector<Step> steps = {
      {Pad::AXIS_LEFT_X, 15999, {}},                 // not quite pushed
      {Pad::AXIS_LEFT_X, 16000, {Down(KEY_RIGHT)}},  // pushed
      {Pad::AXIS_LEFT_X, 8000, {}},                  // wobbling back: still held
      {Pad::AXIS_LEFT_X, 17000, {}},                 // and out again: no second press
      {Pad::AXIS_LEFT_X, 7999, {Up(KEY_RIGHT)}},     // let go
      {Pad::AXIS_LEFT_X, -32768, {Down(KEY_LEFT)}},
      {Pad::AXIS_LEFT_X, 32767, {Up(KEY_LEFT), Down(KEY_RIGHT)}},  // flicked across
      {Pad::AXIS_LEFT_Y, 20000, {Down(KEY_DOWN)}},                 // diagonal: both keys
      {Pad::AXIS_LEFT_X, 0, {Up(KEY_RIGHT)}},
  };
  GGamepadKeys pad;
  for (size_t i = 0; i < steps.size(); ++i)
    EXPECT_EQ(Show(pad.OnAxis(7, steps[i].axis, steps[i].value)), Show(steps[i].changes))
        << "step " << i << " value " << steps[i].value;
}

// Which key each button gives is a table of GGamepadKeys.cpp, not restated
// here; the scene tests answer the game with the keys A, B and Start give.
TEST(GamepadKeysTest, AKeyGoesUpWithItsLastSourceAndAnUnpluggedPadLetsGo) {
  GGamepadKeys pad;
  // The d-pad and the stick of controller 1 and the d-pad of controller 2.
  EXPECT_EQ(Show(pad.OnButton(1, Pad::BUTTON_DPAD_LEFT, true)), Show({Down(KEY_LEFT)}));
  EXPECT_EQ(Show(pad.OnAxis(1, Pad::AXIS_LEFT_X, -30000)), Show({}));
  EXPECT_EQ(Show(pad.OnButton(2, Pad::BUTTON_DPAD_LEFT, true)), Show({}));
  EXPECT_EQ(Show(pad.OnButton(1, Pad::BUTTON_DPAD_LEFT, false)), Show({}));
  EXPECT_EQ(Show(pad.OnAxis(1, Pad::AXIS_LEFT_X, 0)), Show({}));
  EXPECT_EQ(Show(pad.OnButton(2, Pad::BUTTON_DPAD_LEFT, false)), Show({Up(KEY_LEFT)}));
  // Start and the east button share Escape; unplugging controller 3 lets go
  // of Down but not of the Escape controller 4 still holds.
  EXPECT_EQ(Show(pad.OnButton(3, Pad::BUTTON_START, true)), Show({Down(KEY_ESCAPE)}));
  pad.OnAxis(3, Pad::AXIS_LEFT_Y, 32767);
  pad.OnButton(4, Pad::BUTTON_EAST, true);
  EXPECT_EQ(Show(pad.OnRemoved(3)), Show({Up(KEY_DOWN)}));
  EXPECT_EQ(Show(pad.OnRemoved(4)), Show({Up(KEY_ESCAPE)}));
}

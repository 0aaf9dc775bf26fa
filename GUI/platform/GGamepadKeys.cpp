#include "GUI/platform/GGamepadKeys.h"

#include "GUI/toolkit/InputCodes.h"

unsigned GGamepadKeys::KeyOf(int source) {
  switch (source) {
    case BUTTON_SOUTH:
      return KEY_SPACE;
    case BUTTON_EAST:
    case BUTTON_START:
      return KEY_ESCAPE;
    case BUTTON_DPAD_UP:
    case SOURCE_STICK_UP:
      return KEY_UP;
    case BUTTON_DPAD_DOWN:
    case SOURCE_STICK_DOWN:
      return KEY_DOWN;
    case BUTTON_DPAD_LEFT:
    case SOURCE_STICK_LEFT:
      return KEY_LEFT;
    case BUTTON_WEST:
      return KEY_DELETE;
    case BUTTON_NORTH:
      return KEY_BACKSPACE;
    case BUTTON_BACK:
      return KEY_TAB;
    case BUTTON_LEFT_SHOULDER:
      return KEY_PAGE_UP;
    case BUTTON_RIGHT_SHOULDER:
      return KEY_PAGE_DOWN;
    case SOURCE_TRIGGER_LEFT:
      return KEY_Z;
    case SOURCE_TRIGGER_RIGHT:
      return KEY_Y;
    default:
      return KEY_RIGHT;
  }
}

unsigned GGamepadKeys::ModifierOf(int source) {
  return source == SOURCE_TRIGGER_LEFT || source == SOURCE_TRIGGER_RIGHT ? KEY_LCONTROL : KEY_NONE;
}

void GGamepadKeys::Count(unsigned key, bool down, std::vector<KEY_CHANGE>& changes) {
  int& count = holders[key];
  count += down ? 1 : -1;
  if (down && count == 1) changes.push_back({key, true});
  if (!down && count == 0) changes.push_back({key, false});
}

void GGamepadKeys::Hold(int pad, int source, bool down, std::vector<KEY_CHANGE>& changes) {
  const unsigned bit = 1u << source;
  unsigned& mine = held[pad];
  if (((mine & bit) != 0) == down) return;
  mine ^= bit;
  const unsigned modifier = ModifierOf(source);
  if (down && modifier != KEY_NONE) Count(modifier, true, changes);
  Count(KeyOf(source), down, changes);
  if (!down && modifier != KEY_NONE) Count(modifier, false, changes);
}

void GGamepadKeys::MoveStick(int pad, int negative, int positive, int value,
                             std::vector<KEY_CHANGE>& changes) {
  // Between the two thresholds a direction keeps its state. Letting go comes
  // before pressing, so a stick flicked across gives up, then down.
  if (value > -kStickRelease) Hold(pad, negative, false, changes);
  if (value < kStickRelease) Hold(pad, positive, false, changes);
  if (value <= -kStickPress) Hold(pad, negative, true, changes);
  if (value >= kStickPress) Hold(pad, positive, true, changes);
}

std::vector<GGamepadKeys::KEY_CHANGE> GGamepadKeys::OnButton(int pad, Button button, bool down) {
  std::vector<KEY_CHANGE> changes;
  Hold(pad, button, down, changes);
  return changes;
}

std::vector<GGamepadKeys::KEY_CHANGE> GGamepadKeys::OnAxis(int pad, Axis axis, int value) {
  std::vector<KEY_CHANGE> changes;
  switch (axis) {
    case AXIS_LEFT_X:
      MoveStick(pad, SOURCE_STICK_LEFT, SOURCE_STICK_RIGHT, value, changes);
      break;
    case AXIS_LEFT_Y:
      MoveStick(pad, SOURCE_STICK_UP, SOURCE_STICK_DOWN, value, changes);
      break;
    default: {
      // A trigger has one direction, with the stick's thresholds.
      const int source = axis == AXIS_TRIGGER_LEFT ? SOURCE_TRIGGER_LEFT : SOURCE_TRIGGER_RIGHT;
      if (value < kStickRelease) Hold(pad, source, false, changes);
      if (value >= kStickPress) Hold(pad, source, true, changes);
      break;
    }
  }
  return changes;
}

std::vector<GGamepadKeys::KEY_CHANGE> GGamepadKeys::OnRemoved(int pad) {
  std::vector<KEY_CHANGE> changes;
  for (int source = 0; source < SOURCE_COUNT; ++source) Hold(pad, source, false, changes);
  held.erase(pad);
  return changes;
}

#pragma once

#include <map>
#include <vector>

// Turns game controllers into the keyboard keys they stand for, so the
// application sees a gamepad as keys and needs no code of its own for it:
// the d-pad and the left stick give the arrow keys, the south button Space,
// Start and the east button Escape, the west button Delete, the north button
// Backspace (which rewinds a level), Back (Select)
// Tab, the left and right shoulder buttons Page Up and Page Down, and the
// left and right triggers Ctrl+Z and Ctrl+Y (undo and redo). A trigger
// pulled past kStickPress goes down and comes up inside kStickRelease.
//
// Controllers are told apart by an id (SDL's instance id). A key goes down
// when its first source goes down and up when its last one is let go, so a
// d-pad and a stick (or two controllers) pressing the same direction give one
// press and one release. The stick has a dead zone and hysteresis: a
// direction goes down beyond kStickPress and up again only inside
// kStickRelease, so a stick resting near the threshold does not chatter.
// Free of SDL; the SDL platform translates its events into these calls.
class GGamepadKeys {
 public:
  enum Button {
    BUTTON_SOUTH,
    BUTTON_EAST,
    BUTTON_START,
    BUTTON_DPAD_UP,
    BUTTON_DPAD_DOWN,
    BUTTON_DPAD_LEFT,
    BUTTON_DPAD_RIGHT,
    BUTTON_WEST,
    BUTTON_BACK,
    BUTTON_LEFT_SHOULDER,
    BUTTON_RIGHT_SHOULDER,
    BUTTON_NORTH,
  };
  // The sticks run from -32768 to 32767, the triggers from 0 to 32767.
  enum Axis { AXIS_LEFT_X, AXIS_LEFT_Y, AXIS_TRIGGER_LEFT, AXIS_TRIGGER_RIGHT };

  // A key going down or up: a framework key code of GUI/toolkit/InputCodes.h.
  struct KEY_CHANGE {
    unsigned key;
    bool down;
    bool operator==(const KEY_CHANGE&) const = default;
  };

  // Stick positions run from -32768 to 32767 (SDL's range).
  static constexpr int kStickPress = 16000;
  static constexpr int kStickRelease = 8000;

  // A button of controller `pad` went down or up.
  std::vector<KEY_CHANGE> OnButton(int pad, Button button, bool down);
  // An axis of controller `pad` moved to value.
  std::vector<KEY_CHANGE> OnAxis(int pad, Axis axis, int value);
  // Controller `pad` went away: everything it held is let go.
  std::vector<KEY_CHANGE> OnRemoved(int pad);

 private:
  // What can hold a key: the buttons above, then the stick's four
  // directions and the two triggers.
  enum Source {
    SOURCE_STICK_UP = BUTTON_NORTH + 1,
    SOURCE_STICK_DOWN,
    SOURCE_STICK_LEFT,
    SOURCE_STICK_RIGHT,
    SOURCE_TRIGGER_LEFT,
    SOURCE_TRIGGER_RIGHT,
    SOURCE_COUNT
  };
  static unsigned KeyOf(int source);
  // The key held with it (Ctrl for the triggers), or KEY_NONE.
  static unsigned ModifierOf(int source);
  // Sets whether `pad` holds source, adding the key changes that makes: a
  // modifier goes down before its key and up after it.
  void Hold(int pad, int source, bool held, std::vector<KEY_CHANGE>& changes);
  // One more or one fewer source holds key.
  void Count(unsigned key, bool down, std::vector<KEY_CHANGE>& changes);
  // One stick axis: negative and positive direction sources.
  void MoveStick(int pad, int negative, int positive, int value, std::vector<KEY_CHANGE>& changes);

  // The sources each controller holds, one bit each.
  std::map<int, unsigned> held;
  // How many sources hold each key.
  std::map<unsigned, int> holders;
};

#include "game/model/GPlayerKeys.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kSteeringNames[] = {"keep-going", "stop-on-release"};

// The script names of the actions, by PLAYER_KEY: their default keys' names.
constexpr const char* kScriptNames[PLAYER_ACTIONS] = {"Left", "Right", "Up", "Down", "Space"};

struct KEY_NAME {
  unsigned code;
  const char* name;   // kept in the settings
  const char* shown;  // shown to the player; null when it is the name
};

// Every key that can be a key of play: what the keyboard delivers, less the
// keys the application takes itself (Escape and Enter open the in-game menu,
// M switches the sound, F11 the display, Print Screen keeps a picture) and
// Shift, Alt and the system keys, which reach no scene.
constexpr KEY_NAME kKeyNames[] = {
    {KEY_LEFT, "Left", "Left arrow"},
    {KEY_RIGHT, "Right", "Right arrow"},
    {KEY_UP, "Up", "Up arrow"},
    {KEY_DOWN, "Down", "Down arrow"},
    {KEY_SPACE, "Space", nullptr},
    {KEY_LCONTROL, "LeftCtrl", "Left Ctrl"},
    {KEY_RCONTROL, "RightCtrl", "Right Ctrl"},
    {KEY_TAB, "Tab", nullptr},
    {KEY_BACKSPACE, "Backspace", nullptr},
    {KEY_HOME, "Home", nullptr},
    {KEY_END, "End", nullptr},
    {KEY_PAGE_UP, "PageUp", "Page Up"},
    {KEY_PAGE_DOWN, "PageDown", "Page Down"},
    {KEY_DELETE, "Delete", nullptr},
    {KEY_MINUS, "Minus", nullptr},
    {KEY_EQUALS, "Equals", nullptr},
    {KEY_COMMA, "Comma", nullptr},
    {KEY_A, "A", nullptr},
    {KEY_B, "B", nullptr},
    {KEY_C, "C", nullptr},
    {KEY_D, "D", nullptr},
    {KEY_E, "E", nullptr},
    {KEY_F, "F", nullptr},
    {KEY_G, "G", nullptr},
    {KEY_H, "H", nullptr},
    {KEY_I, "I", nullptr},
    {KEY_J, "J", nullptr},
    {KEY_K, "K", nullptr},
    {KEY_L, "L", nullptr},
    {KEY_N, "N", nullptr},
    {KEY_O, "O", nullptr},
    {KEY_P, "P", nullptr},
    {KEY_Q, "Q", nullptr},
    {KEY_R, "R", nullptr},
    {KEY_S, "S", nullptr},
    {KEY_T, "T", nullptr},
    {KEY_U, "U", nullptr},
    {KEY_V, "V", nullptr},
    {KEY_W, "W", nullptr},
    {KEY_X, "X", nullptr},
    {KEY_Y, "Y", nullptr},
    {KEY_Z, "Z", nullptr},
    {KEY_0, "0", nullptr},
    {KEY_1, "1", nullptr},
    {KEY_2, "2", nullptr},
    {KEY_3, "3", nullptr},
    {KEY_4, "4", nullptr},
    {KEY_5, "5", nullptr},
    {KEY_6, "6", nullptr},
    {KEY_7, "7", nullptr},
    {KEY_8, "8", nullptr},
    {KEY_9, "9", nullptr},
    {KEY_F1, "F1", nullptr},
    {KEY_F2, "F2", nullptr},
    {KEY_F3, "F3", nullptr},
    {KEY_F4, "F4", nullptr},
    {KEY_F5, "F5", nullptr},
    {KEY_F6, "F6", nullptr},
    {KEY_F7, "F7", nullptr},
    {KEY_F8, "F8", nullptr},
    {KEY_F9, "F9", nullptr},
    {KEY_F10, "F10", nullptr},
    {KEY_F12, "F12", nullptr},
};

const KEY_NAME* FindName(unsigned code) {
  for (const KEY_NAME& entry : kKeyNames)
    if (entry.code == code) return &entry;
  return nullptr;
}

bool IsMenuKey(unsigned code) {
  return code == KEY_ESCAPE || code == KEY_RETURN;
}

}  // namespace

PLAYER_KEY CPlayerKeys::Find(unsigned code) const {
  for (int action = 0; action < PLAYER_ACTIONS; ++action)
    if (codes[action] == code) return static_cast<PLAYER_KEY>(action);
  return PLAYER_OTHER;
}

CPlayerKeys::Refusal CPlayerKeys::Check(PLAYER_KEY action, unsigned code,
                                        PLAYER_KEY* holder) const {
  if (IsMenuKey(code)) return Refusal::menuKey;
  if (!FindName(code) || action < 0 || action >= PLAYER_ACTIONS) return Refusal::notAllowed;
  const PLAYER_KEY has = Find(code);
  if (has == PLAYER_OTHER || has == action) return Refusal::none;
  if (holder) *holder = has;
  return Refusal::otherAction;
}

bool CPlayerKeys::Assign(PLAYER_KEY action, unsigned code) {
  if (Check(action, code) != Refusal::none) return false;
  codes[action] = code;
  return true;
}

PLAYER_KEY GetPlayerKey(unsigned code) {
  return CPlayerKeys().Find(code);
}

const char* GetPlayerKeyName(PLAYER_KEY action) {
  return action >= 0 && action < PLAYER_ACTIONS ? kScriptNames[action] : nullptr;
}

unsigned FindPlayerKeyCode(const char* name) {
  if (!name) return KEY_NONE;
  // Scripts may hold Escape, which in the game belongs to the menu button.
  if (std::strcmp(name, "Escape") == 0) return KEY_ESCAPE;
  const CPlayerKeys defaults;
  for (int action = 0; action < PLAYER_ACTIONS; ++action)
    if (std::strcmp(kScriptNames[action], name) == 0) return defaults.codes[action];
  return KEY_NONE;
}

const char* GetKeyName(unsigned code) {
  const KEY_NAME* entry = FindName(code);
  return entry ? entry->name : nullptr;
}

const char* GetKeyShownName(unsigned code) {
  if (code == KEY_ESCAPE) return "Escape";
  if (code == KEY_RETURN) return "Enter";
  const KEY_NAME* entry = FindName(code);
  return !entry ? nullptr : entry->shown ? entry->shown : entry->name;
}

unsigned FindKeyByName(const char* name) {
  for (const KEY_NAME& entry : kKeyNames)
    if (name && std::strcmp(entry.name, name) == 0) return entry.code;
  return KEY_NONE;
}

const char* GetSteeringName(Steering steering) {
  return kSteeringNames[steering == Steering::stopOnRelease ? 1 : 0];
}

bool FindSteering(const char* name, Steering& steering) {
  for (Steering way : {Steering::keepGoing, Steering::stopOnRelease})
    if (name && std::strcmp(name, GetSteeringName(way)) == 0) {
      steering = way;
      return true;
    }
  return false;
}

void CHeldDirections::Press(PLAYER_KEY key) {
  if (!IsDirection(key)) return;
  Release(key);
  keys[count++] = key;
}

void CHeldDirections::Release(PLAYER_KEY key) {
  PLAYER_KEY* end = keys + count;
  PLAYER_KEY* at = std::find(keys, end, key);
  if (at == end) return;
  std::copy(at + 1, end, at);
  --count;
}

bool CHeldDirections::Holds(PLAYER_KEY key) const {
  return std::find(keys, keys + count, key) != keys + count;
}

bool CHeldDirections::operator==(const CHeldDirections& other) const {
  return std::equal(keys, keys + count, other.keys, other.keys + other.count);
}

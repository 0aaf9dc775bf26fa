#include "game/model/GPlayerKeys.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kSteeringNames[] = {"keep-going", "stop-on-release"};

// The script names of the actions, by PLAYER_KEY: their default keys' names.
constexpr const char* kScriptNames[PLAYER_SCRIPTED] = {"Left", "Right", "Up", "Down", "Space"};

struct KEY_NAME {
  unsigned code;
  const char* name;  // kept in the settings
};

// Every key that can be a key of play: what the keyboard delivers, less the
// keys the application takes itself (Escape and Enter open the in-game menu,
// M switches the sound, F11 the display, Print Screen keeps a picture) and
// Shift, Alt and the system keys, which reach no scene.
constexpr KEY_NAME kKeyNames[] = {
    {KEY_LEFT, "Left"},
    {KEY_RIGHT, "Right"},
    {KEY_UP, "Up"},
    {KEY_DOWN, "Down"},
    {KEY_SPACE, "Space"},
    {KEY_LCONTROL, "LeftCtrl"},
    {KEY_RCONTROL, "RightCtrl"},
    {KEY_TAB, "Tab"},
    {KEY_BACKSPACE, "Backspace"},
    {KEY_HOME, "Home"},
    {KEY_END, "End"},
    {KEY_PAGE_UP, "PageUp"},
    {KEY_PAGE_DOWN, "PageDown"},
    {KEY_DELETE, "Delete"},
    {KEY_MINUS, "Minus"},
    {KEY_EQUALS, "Equals"},
    {KEY_COMMA, "Comma"},
    {KEY_A, "A"},
    {KEY_B, "B"},
    {KEY_C, "C"},
    {KEY_D, "D"},
    {KEY_E, "E"},
    {KEY_F, "F"},
    {KEY_G, "G"},
    {KEY_H, "H"},
    {KEY_I, "I"},
    {KEY_J, "J"},
    {KEY_K, "K"},
    {KEY_L, "L"},
    {KEY_N, "N"},
    {KEY_O, "O"},
    {KEY_P, "P"},
    {KEY_Q, "Q"},
    {KEY_R, "R"},
    {KEY_S, "S"},
    {KEY_T, "T"},
    {KEY_U, "U"},
    {KEY_V, "V"},
    {KEY_W, "W"},
    {KEY_X, "X"},
    {KEY_Y, "Y"},
    {KEY_Z, "Z"},
    {KEY_0, "0"},
    {KEY_1, "1"},
    {KEY_2, "2"},
    {KEY_3, "3"},
    {KEY_4, "4"},
    {KEY_5, "5"},
    {KEY_6, "6"},
    {KEY_7, "7"},
    {KEY_8, "8"},
    {KEY_9, "9"},
    {KEY_F1, "F1"},
    {KEY_F2, "F2"},
    {KEY_F3, "F3"},
    {KEY_F4, "F4"},
    {KEY_F5, "F5"},
    {KEY_F6, "F6"},
    {KEY_F7, "F7"},
    {KEY_F8, "F8"},
    {KEY_F9, "F9"},
    {KEY_F10, "F10"},
    {KEY_F12, "F12"},
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

unsigned CPlayerKeys::FreeKey() const {
  for (const KEY_NAME& entry : kKeyNames)
    if (Find(entry.code) == PLAYER_OTHER) return entry.code;
  return KEY_NONE;
}

PLAYER_KEY GetPlayerKey(unsigned code) {
  return CPlayerKeys().Find(code);
}

const char* GetPlayerKeyName(PLAYER_KEY action) {
  return action >= 0 && action < PLAYER_SCRIPTED ? kScriptNames[action] : nullptr;
}

unsigned FindPlayerKeyCode(const char* name) {
  if (!name) return KEY_NONE;
  // Scripts may hold Escape, which in the game belongs to the menu button.
  if (std::strcmp(name, "Escape") == 0) return KEY_ESCAPE;
  const CPlayerKeys defaults;
  for (int action = 0; action < PLAYER_SCRIPTED; ++action)
    if (std::strcmp(kScriptNames[action], name) == 0) return defaults.codes[action];
  return KEY_NONE;
}

const char* GetKeyName(unsigned code) {
  const KEY_NAME* entry = FindName(code);
  return entry ? entry->name : nullptr;
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

#include "game/model/GPlayerKeys.h"

#include <cstring>

#include "GUI/toolkit/InputCodes.h"

namespace {

struct PLAYER_KEY_ENTRY {
  unsigned code;
  const char* name;
  PLAYER_KEY key;
};

// Escape is named so that scripts can hold it, but in the game it belongs to
// the menu button and never reaches the level.
constexpr PLAYER_KEY_ENTRY kPlayerKeys[] = {
    {KEY_LEFT, "Left", PLAYER_LEFT},  {KEY_RIGHT, "Right", PLAYER_RIGHT},
    {KEY_UP, "Up", PLAYER_UP},        {KEY_DOWN, "Down", PLAYER_DOWN},
    {KEY_SPACE, "Space", PLAYER_DIG}, {KEY_ESCAPE, "Escape", PLAYER_OTHER},
};

const PLAYER_KEY_ENTRY* Find(unsigned code) {
  for (const PLAYER_KEY_ENTRY& entry : kPlayerKeys)
    if (entry.code == code) return &entry;
  return nullptr;
}

}  // namespace

PLAYER_KEY GetPlayerKey(unsigned code) {
  const PLAYER_KEY_ENTRY* entry = Find(code);
  return entry ? entry->key : PLAYER_OTHER;
}

const char* GetPlayerKeyName(unsigned code) {
  const PLAYER_KEY_ENTRY* entry = Find(code);
  return entry ? entry->name : nullptr;
}

unsigned FindPlayerKeyCode(const char* name) {
  for (const PLAYER_KEY_ENTRY& entry : kPlayerKeys)
    if (name && std::strcmp(entry.name, name) == 0) return entry.code;
  return KEY_NONE;
}

#pragma once

// The keys of play: which framework key codes steer the runner, what each one
// does to the level's controls, and the name a recording and digmaze-sim's
// scripts give it. The game scene, the recorder and digmaze-sim all go
// through this one table, so that a recording made in the game replays
// headless by the same rules.

// What a key does in play.
enum PLAYER_KEY : int {
  PLAYER_LEFT,
  PLAYER_RIGHT,
  PLAYER_UP,
  PLAYER_DOWN,
  PLAYER_DIG,
  PLAYER_OTHER,  // any other key: it only starts a waiting level
};

// What the key with this framework code does in play.
PLAYER_KEY GetPlayerKey(unsigned code);
// The script name of a key of play ("Left", "Right", "Up", "Down", "Space",
// "Escape"), or null for any other key.
const char* GetPlayerKeyName(unsigned code);
// The framework code of a script name, or KEY_NONE for an unknown name.
unsigned FindPlayerKeyCode(const char* name);

#pragma once

#include "GUI/foundation/CFerroString.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GUnit.h"

class CFerroStream;

// The first word of every saved game.
constexpr unsigned SAVED_GAME_SIGNATURE = 0x84FD3990u;

// Writing: the signature and the map list's current name, which it returns.
// Reading: the name after a valid signature, or an empty text (nothing more
// is read when the signature is wrong or the name is cut short).
CFerroString SerializeGamePrefix(CFerroStream& stream);

// Writes or reads a whole saved game, by the stream's direction. Reading is
// all or nothing: a file that does not parse completely leaves the level, the
// map list and the runner's counters exactly as they were and returns false.
// After a successful read the caller redraws and sets the level playing.
bool SerializeGame(CFerroStream& stream);

// What a saved game holds, as its slot shows it.
struct SAVED_GAME_SUMMARY {
  CFerroString mapName;
  int score = 0;
  int lives = 0;
};
// Reads a whole saved game as SerializeGame would, without changing the
// game in memory; false when it would not load.
bool ReadSavedGameSummary(CFerroStream& stream, SAVED_GAME_SUMMARY& summary);

// The same on a file; saving goes through a temporary and a rename.
bool SaveGameToFile(const char* path);
bool LoadGameFromFile(const char* path);

// The level part of a saved game, the state the rules play on: the map record
// with its units and tick (the grid in play, holes with their timers, the
// exit), then the runner list record (controls, lives, score, treasures).
// Writing it changes nothing of the level.
bool WriteLevelState(CFerroStream& stream);
// A level state read whole and checked, waiting to replace the level.
struct LEVEL_STATE {
  GMap::Content content;
  ANIMATION_LIST_UNIT::RECORD counters;
};
// Reads a level state that fills the stream to its end; false for a
// truncated, inconsistent or overlong one. The level is not touched.
bool ParseLevelState(CFerroStream& stream, LEVEL_STATE& state);
// Replaces the level's grid, units, tick and the runner's counters by a
// parsed state. The map's file name, the test mode and the level's state of
// play stay; the caller redraws.
void ApplyLevelState(LEVEL_STATE& state);

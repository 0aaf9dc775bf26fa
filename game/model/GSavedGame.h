#pragma once

#include "GUI/foundation/CFerroString.h"

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

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The loaders under fuzzing, called by the libFuzzer programs and the replay test. Each feeds
// one input to a loader the way the program would, uses whatever loaded and returns 0; a
// crash, a sanitizer report or a broken promise (FuzzCheck) is a finding.
int FuzzMapFile(const uint8_t* data, size_t size);
int FuzzMapIndex(const uint8_t* data, size_t size);
int FuzzSavedGame(const uint8_t* data, size_t size);
// A replay script as digmaze-sim, the demonstration and a shown solution
// read it (its start line, a resumed level's state included), played on a
// small level for 200 ticks.
int FuzzReplay(const uint8_t* data, size_t size);
// A 4-byte little-endian length n, n bytes of a drive's table, then its data file.
int FuzzDrive(const uint8_t* data, size_t size);
int FuzzFont(const uint8_t* data, size_t size);
int FuzzSettings(const uint8_t* data, size_t size);
int FuzzLanguage(const uint8_t* data, size_t size);
int FuzzMarkup(const uint8_t* data, size_t size);
int FuzzImage(const uint8_t* data, size_t size);
int FuzzWav(const uint8_t* data, size_t size);
// An Ogg Vorbis file, its pages' checksums first written anew so changed bytes
// reach the decoder rather than its page check, played as the game's music.
int FuzzMusic(const uint8_t* data, size_t size);

// Stops the process with the message, so the fuzzer keeps the input.
void FuzzCheck(bool ok, const char* what);

// A folder of this process (ending with a separator), removed at exit; the
// only place entries write host files.
const std::string& FuzzScratchFolder();

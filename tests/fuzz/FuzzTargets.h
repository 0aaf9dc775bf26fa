#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The loaders under fuzzing. Each entry takes one input as libFuzzer hands it
// over, feeds it to a loader the way the program would and then uses whatever
// loaded; it returns 0. A hostile input must end in a clean failure: a crash,
// a sanitizer report or a broken promise (FuzzCheck) is a finding.
//
// The libFuzzer programs (one per entry) and the replay test of the normal
// suite both call these functions, so an input that once crashed a fuzzer is
// replayed by every test run.
using FuzzEntry = int (*)(const uint8_t* data, size_t size);

int FuzzMapFile(const uint8_t* data, size_t size);
int FuzzMapIndex(const uint8_t* data, size_t size);
int FuzzSavedGame(const uint8_t* data, size_t size);
// The input is a drive's table file and its data file: a 4-byte little-endian
// length n, n bytes of table, and the rest as the data file.
int FuzzDrive(const uint8_t* data, size_t size);
int FuzzFont(const uint8_t* data, size_t size);
int FuzzSettings(const uint8_t* data, size_t size);
int FuzzLanguage(const uint8_t* data, size_t size);
int FuzzMarkup(const uint8_t* data, size_t size);
int FuzzImage(const uint8_t* data, size_t size);
int FuzzWav(const uint8_t* data, size_t size);

struct FUZZ_TARGET {
  const char* name;  // the program is fuzz_<name>; regressions live in regressions/<name>/
  FuzzEntry entry;
};

// Every target, in the order scripts/fuzz.sh runs them.
const std::vector<FUZZ_TARGET>& FuzzTargets();

// Stops the process with the message when a promise of the code under test is
// broken, so the fuzzer keeps the input.
void FuzzCheck(bool ok, const char* what);

// A folder of this process under the system's temporary folder, ending with a
// separator, removed with its contents when the process ends. Entries that
// need host files write them only here.
const std::string& FuzzScratchFolder();

class GDevice;
// A device without a window whose surfaces are 16-bit, as the game's are, on
// a monitor of the given size.
GDevice* NewFuzzDevice(int width, int height);

// Writes bytes into a file of the scratch folder; returns its path, or an
// empty text when it could not be written.
std::string FuzzWriteScratch(const std::string& name, const uint8_t* data, size_t size);

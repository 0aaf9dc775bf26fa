#include "tests/fuzz/FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

#include "tests/support/TempDir.h"

const std::vector<FUZZ_TARGET>& FuzzTargets() {
  static const std::vector<FUZZ_TARGET> targets = {
      {"map_file", FuzzMapFile},  {"map_index", FuzzMapIndex}, {"saved_game", FuzzSavedGame},
      {"drive", FuzzDrive},       {"font", FuzzFont},          {"settings", FuzzSettings},
      {"language", FuzzLanguage}, {"markup", FuzzMarkup},      {"image", FuzzImage},
      {"wav", FuzzWav},
  };
  return targets;
}

void FuzzCheck(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz: broken promise: %s\n", what);
  std::abort();
}

const std::string& FuzzScratchFolder() {
  static const TempDir folder;  // removed at exit
  return folder.Path();
}

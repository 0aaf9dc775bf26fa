// digmaze-levels SOURCE OUTDIR: turns the readable level source into map files,
// the map index and the sets file, refusing levels whose treasures or exit
// cannot be reached.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "game/model/GMap.h"
#include "tools/levels/LevelSource.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: digmaze-levels SOURCE OUTDIR\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "digmaze-levels: cannot read %s\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<LEVEL_SOURCE> levels;
  std::string error;
  if (!ParseLevelSource(text.str(), levels, error)) {
    std::fprintf(stderr, "digmaze-levels: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  for (const auto& level : levels) {
    error = LoadLevel(level);
    if (error.empty()) {
      const std::string problem = CheckReachable();
      if (!problem.empty()) error = level.name + ": " + problem;
    }
    if (!error.empty()) {
      std::fprintf(stderr, "digmaze-levels: %s\n", error.c_str());
      return 1;
    }
  }
  std::string folder = argv[2];
  if (folder.empty() || folder.back() != '/') folder += '/';
  if (!WriteLevels(levels, folder, error)) {
    std::fprintf(stderr, "digmaze-levels: %s\n", error.c_str());
    return 1;
  }
  std::printf("digmaze-levels: %zu levels written to %s\n", levels.size(), folder.c_str());
  return 0;
}

// digmaze-check MAPFILE: the map editor's check (tools/levels/MapCheck.h),
// which the game runs as a process of its own and whose progress and answer
// it reads from the standard output. Exit status: 0 after an answer, 1 when
// the map cannot be read, 2 for bad arguments.
#include <cstdio>
#include <string>

#include "tools/levels/MapCheck.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: digmaze-check MAPFILE\n");
    return 2;
  }
  const bool read = RunMapCheck(argv[1], [](const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
  });
  if (!read) std::fprintf(stderr, "digmaze-check: cannot load map %s\n", argv[1]);
  return read ? 0 : 1;
}

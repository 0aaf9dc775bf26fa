// Usage: fuzz_seeds SOURCE_DIR OUT_DIR
//
// Makes the seed folders OUT_DIR/<target>/ (a fuzzer refuses a missing one) of
// the targets the shipped data holds no files for: their seeds are the samples
// kept in regressions/<target>/, which every run reads too.
#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fuzz_seeds SOURCE_DIR OUT_DIR\n");
    return 2;
  }
  for (const char* target : {"saved_game", "drive", "settings", "language", "markup"})
    std::filesystem::create_directories(std::filesystem::path(argv[2]) / target);
  return 0;
}

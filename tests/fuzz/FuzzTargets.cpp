#include "tests/fuzz/FuzzTargets.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>

namespace {

// Owns the scratch folder; the static's destructor removes it at exit.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code error;
    std::string pattern =
        (std::filesystem::temp_directory_path(error) / "digmaze-fuzz.XXXXXX").string();
    if (error || mkdtemp(pattern.data()) == nullptr) {
      std::fprintf(stderr, "fuzz: cannot make a temporary folder\n");
      std::abort();
    }
    path = pattern + "/";
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string path;
};

}  // namespace

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
  static ScratchFolder folder;
  return folder.path;
}

std::string FuzzWriteScratch(const std::string& name, const uint8_t* data, size_t size) {
  std::string path = FuzzScratchFolder() + name;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return std::string();
  bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
  ok = std::fclose(file) == 0 && ok;
  return ok ? path : std::string();
}

// digmaze-drive: packs a folder into a resource drive (a table file NAME.vdt
// and a data file NAME.vdd), as the game does on the first start of a game
// folder, so an installation can ship its drives ready to read. The files are
// shuffled with a fixed seed: the same folder always gives the same bytes.

#include <cstdio>
#include <filesystem>

#include "GUI/resources/GVirtualDrive.h"

namespace {

constexpr const char* kUsage =
    "usage: digmaze-drive OUT_DIR NAME SOURCE_DIR\n"
    "  packs the files and folders of SOURCE_DIR into OUT_DIR/NAME.vdt and\n"
    "  OUT_DIR/NAME.vdd, replacing any drive of that name there\n";

constexpr unsigned kSeed = 1;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const char* out = argv[1];
  const char* name = argv[2];
  const char* source = argv[3];
  std::error_code ec;
  if (!std::filesystem::is_directory(source, ec)) {
    std::fprintf(stderr, "digmaze-drive: %s is not a folder\n", source);
    return 1;
  }
  std::filesystem::create_directories(out, ec);
  GVirtualDrive::RemoveDriveFiles(out, name);
  if (!GVirtualDrive::BuildFromFolder(out, name, source, kSeed)) {
    std::fprintf(stderr, "digmaze-drive: cannot build the drive %s in %s\n", name, out);
    return 1;
  }
  return 0;
}

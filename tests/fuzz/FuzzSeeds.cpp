// Usage: fuzz_seeds SOURCE_DIR OUT_DIR
//
// Writes the seeds the shipped data does not hold as plain files into
// OUT_DIR/<target>/: saved games of the shipped levels, and a resource
// drive built from shipped images and sounds. The same source gives the same
// bytes. The text formats are seeded from the samples in regressions/.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/foundation/FerroRandom.h"
#include "GUI/resources/GVirtualDrive.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GModelMedia.h"
#include "game/model/GSavedGame.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

bool Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Each shipped level, started and saved.
int SavedGames(const fs::path& maps, const fs::path& out) {
  GModelMedia::SetPathToMaps((maps.string() + "/").c_str());
  std::vector<fs::path> levels;
  for (const auto& entry : fs::directory_iterator(maps))
    if (entry.path().extension() == ".dmm") levels.push_back(entry.path());
  std::sort(levels.begin(), levels.end());
  GMap* map = GMap::GetInstance();
  int written = 0;
  for (const fs::path& level : levels) {
    SetRndIndex(1);
    ANIMATION_LIST_UNIT::GetInstance()->NewGame();
    if (!map->LoadFromPath(level.c_str())) continue;
    GMapList::GetInstance()->currentName = level.filename().c_str();
    map->StartLoaded();
    CFerroStreamMemory stream;
    stream.Open(nullptr, 0, CFerroStream::modeWrite);
    if (!SerializeGame(stream)) continue;
    const char* bytes = reinterpret_cast<const char*>(stream.GetBuffer());
    written += Write(out / "saved_game" / (level.stem().string() + ".dms"),
                     std::string(bytes, stream.GetLength()));
  }
  map->Clear();
  return written;
}

// A small drive of a few images and a folder of sounds with one image removed
// after the build, so that its table lists released clusters; written as one
// input: the table's length (4 bytes, little-endian), the table, the data file.
bool Drive(const fs::path& source, const fs::path& out) {
  const TempDir scratch;
  const fs::path work = scratch.Path();
  fs::create_directories(work / "tree" / "sound");
  for (const char* image : {"floor.png", "ladder.png", "line.png"})
    fs::copy_file(source / "data/vdd/image" / image, work / "tree" / image);
  fs::copy_file(source / "data/vdd/sound/horizontal_step.wav",
                work / "tree" / "sound" / "horizontal_step.wav");
  GVirtualDrive drive;
  if (!GVirtualDrive::BuildFromFolder(work.c_str(), "small", (work / "tree").c_str(), 1) ||
      !drive.Open((work / "small.vdt").c_str()) || !drive.RemoveFile(":ladder.png") ||
      !drive.Close())
    return false;
  const std::string table = Read(work / "small.vdt");
  std::string input;
  for (int k = 0; k < 4; ++k) input += static_cast<char>(table.size() >> (8 * k));
  return Write(out / "drive" / "released", input + table + Read(work / "small.vdd"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fuzz_seeds SOURCE_DIR OUT_DIR\n");
    return 2;
  }
  const fs::path source = argv[1], out = argv[2];
  for (const char* target : {"settings", "language", "markup"})
    fs::create_directories(out / target);  // seeded by the kept samples alone
  const int games = SavedGames(source / "data/Maps", out);
  const bool drive = Drive(source, out);
  std::printf("fuzz_seeds: %d saved games, %s drive\n", games, drive ? "a" : "no");
  return games > 0 && drive ? 0 : 1;
}

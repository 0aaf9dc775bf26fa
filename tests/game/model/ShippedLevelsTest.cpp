#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/game/model/LevelFixture.h"
#include "tools/levels/LevelSource.h"

namespace fs = std::filesystem;

namespace {
std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

fs::path SourceDir() {
  const char* dir = std::getenv("DIGMAZE_SOURCE_DIR");
  return dir ? fs::path(dir) : fs::path(".");
}
}  // namespace

class ShippedLevelsTest : public LevelFixture {
 protected:
  void TearDown() override {
    GModelMedia::SetPathToMaps(nullptr);
    LevelFixture::TearDown();
  }
};

TEST_F(ShippedLevelsTest, RegenerateByteForByteFromTheSource) {
  std::vector<LEVEL_SOURCE> levels;
  std::string error;
  ASSERT_TRUE(ParseLevelSource(ReadFile(SourceDir() / "tools/levels/levels.txt"), levels, error))
      << error;
  const fs::path out = fs::temp_directory_path() / ("digmaze-levels-" + std::to_string(::getpid()));
  fs::remove_all(out);
  fs::create_directories(out);
  ASSERT_TRUE(WriteLevels(levels, out.string() + "/", error)) << error;
  for (const auto& level : levels)
    EXPECT_EQ(ReadFile(out / level.name), ReadFile(SourceDir() / "data/Maps" / level.name))
        << level.name << ": run tools/levels/digmaze-levels tools/levels/levels.txt data/Maps";
  EXPECT_EQ(ReadFile(out / "index.dml"), ReadFile(SourceDir() / "data/Maps/index.dml"));
  fs::remove_all(out);
}

TEST_F(ShippedLevelsTest, EveryLevelLoadsAndItsTreasuresAndExitCanBeReached) {
  const std::string folder = (SourceDir() / "data/Maps").string() + "/";
  GModelMedia::SetPathToMaps(folder.c_str());
  GMapList list;
  ASSERT_GE(list.GetCount(), 5);
  int aliens = 0;
  for (const auto& name : list.names) {
    SCOPED_TRACE(name.c_str());
    ASSERT_TRUE(map->LoadFromFile(name.c_str()));
    EXPECT_EQ(map->width, 30);
    EXPECT_EQ(map->height, 20);
    EXPECT_EQ(map->CountCells(CELL_UNIT), 1);
    EXPECT_EQ(map->CountCells(CELL_EXIT), 1);
    EXPECT_GE(map->CountCells(CELL_TREASURE), 1);
    EXPECT_EQ(CheckReachable(), "");
    // Later levels bring at least as many aliens.
    EXPECT_GE(map->CountCells(CELL_ALIEN), aliens);
    aliens = map->CountCells(CELL_ALIEN);
  }
  EXPECT_GE(aliens, 3);
}

TEST_F(ShippedLevelsTest, TheSearchFindsTrappedTreasuresAndOneWayDrops) {
  // A treasure walled in bricks on the ground cannot be reached.
  Build(R"(
R..........#$#...............X
...........###................
==============================)");
  EXPECT_EQ(CheckReachable(), "treasure (12, 0) unreachable");
  // Digging through the bricks reaches the corridor below.
  Build(R"(
R.............................
##############################
..........$..................X
==============================)");
  EXPECT_EQ(CheckReachable(), "");
  // A pit with no way out strands the runner after the treasure.
  Build(R"(
R............................X
===========.==================
===========$==================)");
  EXPECT_EQ(CheckReachable(), "exit unreachable from treasure (11, 2)");
}

#include "tests/support/LevelFixture.h"
#include "tools/levels/LevelSource.h"

using ShippedLevelsTest = LevelFixture;

TEST_F(ShippedLevelsTest, RegenerateByteForByteFromTheSource) {
  std::vector<LEVEL_SOURCE> levels;
  std::string error;
  ASSERT_TRUE(ParseLevelSource(ReadText(SourceDir() / "tools/levels/levels.txt"), levels, error))
      << error;
  const fs::path& out = MapsFolder();
  ASSERT_TRUE(WriteLevels(levels, out.string() + "/", error)) << error;
  std::vector<std::string> names = {"index.dml"};
  for (const auto& level : levels) names.push_back(level.name);
  for (const auto& name : names)
    EXPECT_EQ(ReadText(out / name), ReadText(SourceDir() / "data/Maps" / name))
        << name << ": run tools/levels/digmaze-levels tools/levels/levels.txt data/Maps";
}

TEST_F(ShippedLevelsTest, EveryLevelLoadsAndItsTreasuresAndExitCanBeReached) {
  ScopedHook shipped(GModelMedia::SetPathToMaps, (SourceDir() / "data/Maps/").c_str());
  GMapList list;
  ASSERT_GE(list.GetCount(), 5);
  int aliens = 0;
  for (const auto& name : list.names) {
    SCOPED_TRACE(name.c_str());
    ASSERT_TRUE(map->LoadFromFile(name.c_str()));
    EXPECT_EQ(std::pair(map->width, map->height), std::pair(30, 20));
    EXPECT_EQ(std::pair(map->CountCells(CELL_UNIT), map->CountCells(CELL_EXIT)), std::pair(1, 1));
    EXPECT_GE(map->CountCells(CELL_TREASURE), 1);
    EXPECT_EQ(CheckReachable(), "");
    EXPECT_GE(map->CountCells(CELL_ALIEN), aliens);  // later levels bring no fewer aliens
    aliens = map->CountCells(CELL_ALIEN);
  }
  EXPECT_GE(aliens, 3);
}

TEST_F(ShippedLevelsTest, TheSearchFindsTrappedTreasuresAndOneWayDrops) {
  struct Case {
    std::vector<std::string> rows;
    const char* problem;
  } cases[] = {
      // Walled in bricks on the ground: digging cannot reach it.
      {{"R..#$#..X", "...###...", "========="}, "treasure (4, 0) unreachable"},
      // Digging through the bricks reaches the corridor below.
      {{"R........", "#########", "....$...X", "========="}, ""},
      // A pit with no way out strands the runner after the treasure.
      {{"R.......X", "===.=====", "===$====="}, "exit unreachable from treasure (3, 2)"},
  };
  for (const Case& c : cases) {
    Build(c.rows);
    EXPECT_EQ(CheckReachable(), c.problem);
  }
}

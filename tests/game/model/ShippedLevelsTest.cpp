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

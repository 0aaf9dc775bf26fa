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

#include "tests/support/LevelFixture.h"
#include "tools/levels/LevelSource.h"

using ShippedLevelsTest = LevelFixture;

namespace {
std::vector<LEVEL_SOURCE> ShippedSource() {
  std::vector<LEVEL_SOURCE> levels;
  std::string error;
  EXPECT_TRUE(ParseLevelSource(ReadText(SourceDir() / "tools/levels/levels.txt"), levels, error))
      << error;
  return levels;
}
}  // namespace

TEST_F(ShippedLevelsTest, RegenerateByteForByteFromTheSource) {
  const std::vector<LEVEL_SOURCE> levels = ShippedSource();
  std::string error;
  const fs::path& out = MapsFolder();
  ASSERT_TRUE(WriteLevels(levels, out.string() + "/", error)) << error;
  std::vector<std::string> names = {"index.dml", "campaign.cfg"};
  for (const auto& level : levels) names.push_back(level.name);
  for (const auto& name : names)
    EXPECT_EQ(ReadText(out / name), ReadText(SourceDir() / "data/Maps" / name))
        << name << ": run tools/levels/digmaze-levels tools/levels/levels.txt data/Maps";
}

// The sets go into a settings file as values, so a source that would make
// that file ambiguous, or leave a level outside every set, is refused.
TEST_F(ShippedLevelsTest, SourceRefusesSetsTheSetsFileCannotHold) {
  const std::string level = "level a.dmm\nR$X\n";
  for (const std::string& source : std::vector<std::string>{level, "set A\n\nset A\n", "set A; B\n",
                                                            "set [A]\n", "set \n", "set  A\n"}) {
    SCOPED_TRACE(source);
    std::vector<LEVEL_SOURCE> levels;
    std::string error;
    EXPECT_FALSE(ParseLevelSource(source, levels, error));
    EXPECT_FALSE(error.empty());
  }
  std::vector<LEVEL_SOURCE> levels;
  std::string error;
  ASSERT_TRUE(ParseLevelSource("set One\n" + level + "\nset Two\n" + level, levels, error));
  EXPECT_EQ(CampaignText(levels).substr(CampaignText(levels).find('[')),
            "[set 1]\r\nname = One\r\nfirst = a.dmm\r\nlast = a.dmm\r\n"
            "[set 2]\r\nname = Two\r\nfirst = a.dmm\r\nlast = a.dmm\r\n");
}

#include <algorithm>
#include <set>

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

// The squares a level fills with anything but empty space, as (index, kind).
std::set<std::pair<size_t, char>> Filled(const std::string& rows) {
  std::set<std::pair<size_t, char>> filled;
  size_t at = 0;
  for (const char c : rows) {
    if (c == '\n') continue;
    if (c != '.') filled.insert({at, c});
    ++at;
  }
  return filled;
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

// The campaign as a player meets it: four sets of 25 levels in play order
// (campaign.cfg is written from them); and over the shipped maps of
// index.dml: every level built of at least four kinds of cell (empty space,
// the runner and the exit aside); no two levels alike in more than 70 % of
// the squares either of them fills; at least twelve levels without aliens
// whose shipped solution digs three times or more, and twelve with six
// aliens or more.
TEST_F(ShippedLevelsTest, CampaignKeepsItsContentRules) {
  const std::vector<LEVEL_SOURCE> levels = ShippedSource();
  ASSERT_EQ(levels.size(), 100u);
  for (size_t i = 0; i < levels.size(); ++i)
    EXPECT_EQ(levels[i].set, levels[i / 25 * 25].set) << levels[i].name;
  std::set<std::string> sets;
  for (const auto& level : levels) sets.insert(level.set);
  EXPECT_EQ(sets.size(), 4u);

  const fs::path shipped = SourceDir() / "data/Maps";
  ScopedHook path(GModelMedia::SetPathToMaps, (shipped.string() + "/").c_str());
  GMapList list;
  ASSERT_EQ(list.GetCount(), 100);
  std::vector<std::set<std::pair<size_t, char>>> filled;
  int puzzles = 0, crowded = 0;
  for (const auto& name : list.names) {
    SCOPED_TRACE(name.c_str());
    ASSERT_TRUE(map->LoadFromPath((shipped / name.c_str()).c_str()));
    const std::string rows = GMapText::FromMap(*map);
    std::set<char> kinds(rows.begin(), rows.end());
    for (const char c : {'\n', '.', 'R', 'X'}) kinds.erase(c);
    EXPECT_GE(kinds.size(), 4u);
    const auto aliens = std::count(rows.begin(), rows.end(), 'A');
    std::string stem = name.c_str();
    stem.erase(stem.rfind('.'));
    const std::string replay = ReadText(SourceDir() / "data/solutions" / (stem + ".txt"));
    size_t digs = 0;
    for (size_t at = replay.find(" down Space"); at != std::string::npos;
         at = replay.find(" down Space", at + 1))
      ++digs;
    puzzles += aliens == 0 && digs >= 3;
    crowded += aliens >= 6;
    filled.push_back(Filled(rows));
    for (size_t j = 0; j + 1 < filled.size(); ++j) {
      std::vector<std::pair<size_t, char>> shared;
      std::set_intersection(filled.back().begin(), filled.back().end(), filled[j].begin(),
                            filled[j].end(), std::back_inserter(shared));
      EXPECT_LE(shared.size() * 10, std::min(filled.back().size(), filled[j].size()) * 7)
          << "alike with " << list.names[j].c_str();
    }
  }
  EXPECT_GE(puzzles, 12);
  EXPECT_GE(crowded, 12);
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
}

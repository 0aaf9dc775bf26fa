#include <sstream>

#include "tests/support/LevelFixture.h"

using CampaignReplayTest = LevelFixture;

// Every shipped level is a 30 x 20 grid with one runner, one exit, treasures
// and no fewer aliens than the one before. Played headless with its replay from
// tools/levels/replays, it is won (so every treasure and the exit can be
// reached), and its last status line (which names its tick) is the one stored
// at the end of the replay.
TEST_F(CampaignReplayTest, EveryShippedLevelIsWonByItsReplay) {
  ScopedHook shipped(GModelMedia::SetPathToMaps, (SourceDir() / "data/Maps/").c_str());
  GMapList list;
  ASSERT_GE(list.GetCount(), 30);
  int aliens = 0;
  for (const auto& name : list.names) {
    SCOPED_TRACE(name.c_str());
    std::string base = name.c_str();
    base.erase(base.rfind(".dmm"));
    const std::string script = ReadText(SourceDir() / "tools/levels/replays" / (base + ".txt"));
    std::vector<SIM_EVENT> events;
    std::string error;
    ASSERT_TRUE(GSimulation::ParseScript(script, events, error)) << error;
    std::string expected;
    unsigned endTick = 0;
    ASSERT_TRUE(GSimulation::ParseEnd(script, expected, endTick))
        << "the replay stores no expected end";

    ASSERT_TRUE(GSimulation::LoadMap((SourceDir() / "data/Maps" / name.c_str()).c_str()));
    EXPECT_EQ(std::pair(map->width, map->height), std::pair(30, 20));
    EXPECT_EQ(std::pair(map->CountCells(CELL_UNIT), map->CountCells(CELL_EXIT)), std::pair(1, 1));
    EXPECT_GE(map->CountCells(CELL_TREASURE), 1);
    EXPECT_GE(map->CountCells(CELL_ALIEN), aliens);
    aliens = map->CountCells(CELL_ALIEN);
    GSimulation run;
    run.Begin();
    std::ostringstream out;
    run.Run(events, 20000, out);
    const std::string lines = out.str();
    const size_t from = lines.rfind('\n', lines.size() - 2);
    const std::string last = lines.substr(from == std::string::npos ? 0 : from + 1);
    EXPECT_EQ(last, expected + "\n");
    EXPECT_NE(last.find(" S 2 "), std::string::npos) << "not won: " << last;
  }
  EXPECT_GE(aliens, 3);
}

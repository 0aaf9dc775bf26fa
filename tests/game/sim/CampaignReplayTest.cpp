#include <sstream>

#include "tests/support/LevelFixture.h"

using CampaignReplayTest = LevelFixture;

// Every shipped level, played headless with its replay from tools/levels/replays,
// is won (so every treasure and the exit can be reached), and its last status
// line (which names its tick) is the one stored at the end of the replay.
TEST_F(CampaignReplayTest, EveryShippedLevelIsWonByItsReplay) {
  ScopedHook shipped(GModelMedia::SetPathToMaps, (SourceDir() / "data/Maps/").c_str());
  GMapList list;
  ASSERT_GE(list.GetCount(), 30);
  for (const auto& name : list.names) {
    SCOPED_TRACE(name.c_str());
    std::string base = name.c_str();
    base.erase(base.rfind(".dmm"));
    const std::string script = ReadText(SourceDir() / "tools/levels/replays" / (base + ".txt"));
    std::vector<SIM_EVENT> events;
    std::string error, expected;
    ASSERT_TRUE(GSimulation::ParseScript(script, events, error)) << error;
    unsigned endTick = 0;
    ASSERT_TRUE(GSimulation::ParseEnd(script, expected, endTick));
    ASSERT_TRUE(GSimulation::LoadMap((SourceDir() / "data/Maps" / name.c_str()).c_str()));
    EXPECT_EQ(std::pair(map->width, map->height), std::pair(30, 20));
    GSimulation run;
    run.Begin();
    std::ostringstream out;
    run.Run(events, 20000, out);
    const std::string lines = out.str();
    const std::string last = lines.substr(lines.rfind('\n', lines.size() - 2) + 1);
    EXPECT_EQ(last, expected + "\n");
    EXPECT_NE(last.find(" S 2 "), std::string::npos) << "not won: " << last;
  }
}

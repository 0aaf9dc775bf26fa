#include <fstream>
#include <sstream>

#include "game/model/GMapList.h"
#include "game/model/GModelMedia.h"
#include "tests/support/LevelFixture.h"

using CampaignReplayTest = LevelFixture;

// Every shipped level, played headless with its replay from tools/levels/replays,
// is won, and its last status line is the one stored at the end of the replay.
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
    std::string error;
    ASSERT_TRUE(GSimulation::ParseScript(script, events, error)) << error;
    std::string expected;
    unsigned endTick = 0;
    ASSERT_TRUE(GSimulation::ParseEnd(script, expected, endTick))
        << "the replay stores no expected end";

    ASSERT_TRUE(GSimulation::LoadMap((SourceDir() / "data/Maps" / name.c_str()).c_str()));
    GSimulation run;
    run.Begin();
    std::ostringstream out;
    run.Run(events, 20000, out);
    const std::string lines = out.str();
    const size_t from = lines.rfind('\n', lines.size() - 2);
    const std::string last = lines.substr(from == std::string::npos ? 0 : from + 1);
    EXPECT_EQ(last, expected + "\n");
    EXPECT_NE(last.find(" S 2 "), std::string::npos) << "not won: " << last;
    EXPECT_EQ(last.rfind("T " + std::to_string(endTick) + " ", 0), 0u) << last;
  }
}

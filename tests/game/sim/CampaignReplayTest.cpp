#include <map>
#include <sstream>

#include "GUI/foundation/Sha256.h"
#include "tests/support/LevelFixture.h"

using CampaignReplayTest = LevelFixture;

// Every shipped level has a shipped solution: the table of data/solutions
// names a replay for the digest of its map file, and that replay, played
// headless, wins the level (so every treasure and the exit can be reached),
// its last status line (which names its tick) being the one stored at its
// end. No line of the table names a digest that no shipped map has.
TEST_F(CampaignReplayTest, EveryShippedLevelIsWonByItsShippedSolution) {
  ScopedHook shipped(GModelMedia::SetPathToMaps, (SourceDir() / "data/Maps/").c_str());
  GMapList list;
  ASSERT_GE(list.GetCount(), 30);
  const fs::path solutions = SourceDir() / "data/solutions";
  std::map<std::string, std::string> replayOf;  // by digest
  std::istringstream table(ReadText(solutions / "digests.txt"));
  for (std::string line; std::getline(table, line);) {
    std::istringstream fields(line);
    std::string digest, replay;
    if (line.empty() || line[0] == '#') continue;
    ASSERT_TRUE(fields >> digest >> replay) << line;
    replayOf[digest] = replay;
  }
  EXPECT_EQ(replayOf.size(), static_cast<size_t>(list.GetCount()));
  for (const auto& name : list.names) {
    SCOPED_TRACE(name.c_str());
    std::string base = name.c_str();
    base.erase(base.rfind(".dmm"));
    const std::string bytes = ReadText(SourceDir() / "data/Maps" / name.c_str());
    const auto digest =
        Sha256Hex(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    ASSERT_EQ(replayOf[digest.c_str()], base + ".txt");
    const std::string script = ReadText(solutions / (base + ".txt"));
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

#include <climits>
#include <map>
#include <tuple>

#include "game/model/CGameProgress.h"
#include "tests/support/LevelFixture.h"

using CampaignReplayTest = LevelFixture;

namespace {
constexpr int kNoHole = INT_MIN;  // a square without a hole
}  // namespace

// Every shipped level has a shipped solution: the table of data/solutions
// names a replay for the digest of its map file (and no line names a digest
// no shipped map has), and that replay, played headless, wins the level (so
// every treasure and the exit can be reached), its last status line (which
// names its tick) being the one stored at its end. The level's tally counts
// every treasure, trapped alien and dug hole of the play.
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
    const fs::path mapFile = SourceDir() / "data/Maps" / name.c_str();
    ASSERT_EQ(replayOf[CGameProgress::MapDigest(mapFile.c_str())], base + ".txt");
    const std::string script = ReadText(solutions / (base + ".txt"));
    std::vector<SIM_EVENT> events;
    std::string error, expected;
    ASSERT_TRUE(GSimulation::ParseScript(script, events, error)) << error;
    unsigned endTick = 0;
    ASSERT_TRUE(GSimulation::ParseEnd(script, expected, endTick));
    ASSERT_TRUE(GSimulation::LoadMap((SourceDir() / "data/Maps" / name.c_str()).c_str()));
    EXPECT_EQ(std::pair(map->width, map->height), std::pair(30, 20));
    const int treasures = map->CountCells(CELL_TREASURE);
    GSimulation run;
    run.Begin();
    // The level's tally against what the grid and the aliens show each tick:
    // a brick that became a hole, or a hole whose closing started over (it
    // closed and was dug again within one tick), an alien come to stand in one.
    LEVEL_TALLY seen;
    std::vector<bool> trapped(map->aliens.size());
    // Each square's hole timer, or kNoHole; the grid is read once a tick.
    const auto holes = [this](std::vector<int>& timers) {
      timers.clear();
      for (int y = 0; y < map->height; ++y)
        for (int x = 0; x < map->width; ++x) {
          const GCell* cell = map->GetCell(x, y);
          timers.push_back(cell->IsHole() ? cell->timer : kNoHole);
        }
    };
    std::vector<int> before, now;
    holes(before);
    unsigned t = 0;
    for (; t < 20000 && map->state != GMap::STATE_WON; ++t) {
      run.Tick(t, events);
      holes(now);
      for (size_t i = 0; i < now.size(); ++i)
        seen.holesDug += now[i] != kNoHole && (before[i] == kNoHole || now[i] > before[i]);
      std::swap(before, now);
      for (size_t a = 0; a < trapped.size(); ++a) {
        const GUnit& alien = *map->aliens[a];
        const bool in = alien.animation == ANIM_STAND && alien.IsAligned() &&
                        map->GetCell(alien.x / GMap::SQUARE, alien.y / GMap::SQUARE)->IsHole();
        seen.aliensTrapped += in && !trapped[a];
        trapped[a] = in;
      }
    }
    const std::string last = GSimulation::StatusLine(t - 1);
    EXPECT_EQ(last, expected);
    EXPECT_NE(last.find(" S 2 "), std::string::npos) << "not won: " << last;
    EXPECT_EQ(std::tuple(map->tally.treasures, map->tally.aliensTrapped, map->tally.holesDug),
              std::tuple(treasures, seen.aliensTrapped, seen.holesDug));
  }
}

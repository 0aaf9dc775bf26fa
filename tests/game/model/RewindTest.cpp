#include <random>

#include "game/model/GRewind.h"
#include "tests/support/LevelFixture.h"

namespace {

Bytes LevelState() {
  return Written([](CFerroStream& s) { return WriteLevelState(s); });
}

// A shipped level (by its number) played with random keys chosen by a seed.
class RewindTest : public LevelFixture, public ::testing::WithParamInterface<std::pair<int, int>> {
 protected:
  void Load(int level) {
    const std::string name = (level < 10 ? "level0" : "level") + std::to_string(level) + ".dmm";
    ASSERT_TRUE(GSimulation::LoadMap((SourceDir() / "data/Maps" / name).c_str())) << name;
    units->NewGame();
    map->StartLoaded();
  }
  // One tick as the game scene plays it: the tick's keys reach the runner,
  // the state is kept, the level is updated. A catch does not stop this
  // play, so that the rules run on for every tick.
  void Tick(unsigned t, unsigned seed = 0) {
    std::mt19937 random(seed * 100003 + t);
    if (seed && random() % 6 == 0)
      random() % 3 ? map->PressKey(static_cast<PLAYER_KEY>(random() % PLAYER_SCRIPTED))
                   : map->ReleaseKey(PLAYER_DIG);
    Go();
    rewind.Capture();
    map->Update();
  }
  GRewind rewind;
};

}  // namespace

// Played N ticks, taken back k and played again with the same keys, a level
// holds the very bytes of the first run at tick N, and the same tally: the
// state kept holds everything the rules depend on.
TEST_P(RewindTest, TakenBackAndPlayedAgainEndsTheSame) {
  constexpr unsigned kTicks = 420;
  const unsigned seed = GetParam().second;
  Load(GetParam().first);
  for (unsigned t = 0; t < kTicks; ++t) Tick(t, seed);
  const Bytes first = LevelState();
  const auto tally =
      std::make_tuple(map->tally.treasures, map->tally.aliensTrapped, map->tally.holesDug);
  EXPECT_GT(map->tally.holesDug, 0) << "the play dug no hole";
  for (unsigned back : {1u, 2u, 37u, 400u}) {
    ASSERT_EQ(rewind.StepBack(back), back);
    ASSERT_EQ(map->tick, kTicks - back);
    EXPECT_NE(LevelState(), first);
    // The keys of the tick taken back to are in its state already.
    Go();
    rewind.Capture();
    map->Update();
    for (unsigned t = kTicks - back + 1; t < kTicks; ++t) Tick(t, seed);
    EXPECT_EQ(LevelState(), first) << back << " back";
    EXPECT_EQ(std::make_tuple(map->tally.treasures, map->tally.aliensTrapped, map->tally.holesDug),
              tally);
  }
}

INSTANTIATE_TEST_SUITE_P(ShippedLevels, RewindTest,
                         ::testing::Values(std::pair(1, 1), std::pair(3, 7), std::pair(9, 11),
                                           std::pair(9, 12), std::pair(15, 13), std::pair(25, 99)));

// The ring keeps the last 600 ticks in at most 8 MiB (a level whose states
// are larger keeps fewer ticks); past its oldest state, or after it was
// cleared (a level's start, a lost life), nothing is taken back.
TEST_F(RewindTest, ReachesBackSixHundredTicksInItsBudgetAndNoFurther) {
  Load(2);
  map->PressKey(PLAYER_RIGHT);
  for (unsigned t = 0; t < 700; ++t) Tick(t);
  EXPECT_EQ(rewind.GetCount(), GRewind::kDepth);
  EXPECT_LE(rewind.GetMemory(), GRewind::kBudget);
  EXPECT_EQ(rewind.StepBack(1000), GRewind::kDepth);
  EXPECT_EQ(map->tick, 100u);
  const Bytes floor = LevelState();
  EXPECT_EQ(rewind.StepBack(2), 0u);
  EXPECT_EQ(LevelState(), floor);
  Tick(100);
  rewind.Clear();
  EXPECT_EQ(rewind.StepBack(1), 0u);
  EXPECT_EQ(map->tick, 101u);

  map->Create(400, 400);
  map->StartLoaded();
  for (unsigned t = 0; t < 20; ++t) Tick(t);
  EXPECT_GT(rewind.GetCapacity(), 0u);
  EXPECT_LT(rewind.GetCapacity(), 20u);
  EXPECT_EQ(rewind.GetCount(), rewind.GetCapacity());
  EXPECT_LE(rewind.GetMemory(), GRewind::kBudget);
}

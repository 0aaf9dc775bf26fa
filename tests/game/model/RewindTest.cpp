#include <random>

#include "game/model/GRewind.h"
#include "tests/support/LevelFixture.h"

namespace {

Bytes LevelState() {
  return Written([](CFerroStream& s) { return WriteLevelState(s); });
}

std::string LevelName(int i) {
  return (i < 10 ? "level0" : "level") + std::to_string(i) + ".dmm";
}

std::tuple<int, int, int> Tally(const LEVEL_TALLY& t) {
  return {t.treasures, t.aliensTrapped, t.holesDug};
}

// A shipped level played with random keys; seed chooses them.
struct RANDOM_PLAY {
  const char* level;
  unsigned seed;
};

class RewindTest : public LevelFixture {
 protected:
  void Load(const char* level) {
    ASSERT_TRUE(GSimulation::LoadMap((SourceDir() / "data/Maps" / level).c_str()));
    units->NewGame();
    map->StartLoaded();
    Go();
  }
  // One tick as the game scene plays it: the keys of the tick reach the
  // runner, the state is kept, the level is updated. A catch does not stop
  // this play, so that the rules run on for every tick.
  void Tick(unsigned t) {
    for (const auto& [at, key, down] : keys)
      if (at == t) down ? map->PressKey(key) : map->ReleaseKey(key);
    if (map->state == GMap::STATE_CAUGHT) Go();
    ASSERT_EQ(map->state, GMap::STATE_PLAYING);
    rewind.Capture();
    map->Update();
  }
  void RandomKeys(unsigned seed, unsigned ticks) {
    std::mt19937 random(seed);
    for (unsigned t = 0; t < ticks; ++t)
      if (random() % 6 == 0)
        keys.emplace_back(t, static_cast<PLAYER_KEY>(random() % PLAYER_SCRIPTED),
                          random() % 3 != 0);
  }

  GRewind rewind;
  std::vector<std::tuple<unsigned, PLAYER_KEY, bool>> keys;
};

class RewindPlayTest : public RewindTest, public ::testing::WithParamInterface<RANDOM_PLAY> {};

}  // namespace

// Played N ticks, taken back k and played again with the same keys, a level
// holds the very bytes of the first run at tick N, and the same tally: the
// state kept holds everything the rules depend on.
TEST_P(RewindPlayTest, TakenBackAndPlayedAgainEndsTheSame) {
  constexpr unsigned kTicks = 420;
  Load(GetParam().level);
  RandomKeys(GetParam().seed, kTicks);
  for (unsigned t = 0; t < kTicks; ++t) Tick(t);
  ASSERT_EQ(map->tick, kTicks);
  const Bytes first = LevelState();
  const auto tally = Tally(map->tally);
  const int state = map->state;
  EXPECT_GT(std::get<2>(tally), 0) << "the play dug no hole";
  for (unsigned back : {1u, 2u, 37u, 400u}) {
    SCOPED_TRACE(back);
    ASSERT_EQ(rewind.StepBack(back), back);
    ASSERT_EQ(map->tick, kTicks - back);
    EXPECT_NE(LevelState(), first);
    // Taken back into play: a catch is taken back too. The keys of the tick
    // taken back to are in its state already.
    Go();
    rewind.Capture();
    map->Update();
    for (unsigned t = kTicks - back + 1; t < kTicks; ++t) Tick(t);
    EXPECT_EQ(LevelState(), first);
    EXPECT_EQ(Tally(map->tally), tally);
    EXPECT_EQ(map->state, state);
  }
}

INSTANTIATE_TEST_SUITE_P(
    ShippedLevels, RewindPlayTest,
    ::testing::Values(RANDOM_PLAY{"level01.dmm", 1}, RANDOM_PLAY{"level03.dmm", 7},
                      RANDOM_PLAY{"level09.dmm", 11}, RANDOM_PLAY{"level09.dmm", 12},
                      RANDOM_PLAY{"level15.dmm", 13}, RANDOM_PLAY{"level25.dmm", 99}));

// The ring keeps the last 600 ticks and never more; past its oldest state,
// or after it was cleared (a level's start, a lost life), nothing is taken
// back and the level stays as it is.
TEST_F(RewindTest, ReachesBackSixHundredTicksAndNoFurther) {
  Load("level02.dmm");
  map->PressKey(PLAYER_RIGHT);
  for (unsigned t = 0; t < 700; ++t) Tick(t);
  EXPECT_EQ(rewind.GetCount(), GRewind::kDepth);
  EXPECT_EQ(rewind.StepBack(2), 2u);
  EXPECT_EQ(rewind.StepBack(1000), GRewind::kDepth - 2);
  EXPECT_EQ(map->tick, 100u);
  const Bytes floor = LevelState();
  EXPECT_EQ(rewind.StepBack(2), 0u);
  EXPECT_EQ(LevelState(), floor);

  for (unsigned t = 100; t < 110; ++t) Tick(t);
  rewind.Clear();
  const Bytes cleared = LevelState();
  EXPECT_EQ(rewind.StepBack(1), 0u);
  EXPECT_EQ(LevelState(), cleared);
}

// Thirty seconds of every shipped level fit in 8 MiB; a level whose states
// are too large for that keeps fewer ticks rather than more memory.
TEST_F(RewindTest, TheRingStaysWithinItsBudget) {
  for (int i = 1; fs::exists(SourceDir() / "data/Maps" / LevelName(i)); ++i) {
    const std::string name = LevelName(i);
    SCOPED_TRACE(name);
    Load(name.c_str());
    for (unsigned t = 0; t < GRewind::kDepth + 5; ++t) Tick(t);
    EXPECT_EQ(rewind.GetCapacity(), GRewind::kDepth);
    EXPECT_LE(rewind.GetMemory(), GRewind::kBudget);
  }
  map->Create(400, 400);
  units->NewGame();
  map->StartLoaded();
  Go();
  for (unsigned t = 0; t < 20; ++t) Tick(t);
  EXPECT_GT(rewind.GetCapacity(), 0u);
  EXPECT_LT(rewind.GetCapacity(), 20u);
  EXPECT_EQ(rewind.GetCount(), rewind.GetCapacity());
  EXPECT_LE(rewind.GetMemory(), GRewind::kBudget);
}

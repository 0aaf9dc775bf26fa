#include "GUI/sound/GSound.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GUI/foundation/MEM_DATA.h"

namespace {

using Log = std::vector<std::string>;  // What was done to the samples and channels.

struct FakeChannel : GSoundChannel {
  FakeChannel(Log& l, std::string n) : log(l), name(std::move(n)) {}
  void Stop() override { log.push_back("stop " + name); }
  void SetVolume(float) override {}
  void SetVolume(int) override {}
  void SetMaxPriority() override {}
  int GetState() override { return state; }
  int64_t GetPosition() override { return 0; }
  Log& log;
  std::string name;
  int state = 0;
};

struct FakeSample : GSoundSample {
  FakeSample(Log& l, std::string n) : log(l), name(std::move(n)) {}
  bool LoadFromMemory(const MEM_DATA&) override { return true; }
  void Unload() override { log.push_back("unload " + name); }
  std::unique_ptr<GSoundChannel> Play(bool, int) override {
    return std::make_unique<FakeChannel>(log, name + std::to_string(++plays));
  }
  Log& log;
  std::string name;
  int plays = 0;
};

// Names its samples a, b, c, ... in the order they are loaded.
struct FakeSound : GSound {
  explicit FakeSound(Log& l) : log(l) {}
  std::unique_ptr<GSoundSample> NewSample() override {
    return std::make_unique<FakeSample>(log, std::string(1, next++));
  }
  int CalcVolume(float) override { return 100; }
  int Load() { return LoadFromMemory(MEM_DATA()); }
  Log& log;
  char next = 'a';
};

TEST(GSoundTest, FinishedChannelsGiveUpTheirSlotsAndDestructionStopsBeforeUnloading) {
  Log log;
  {
    FakeSound sound(log);
    EXPECT_EQ(GSoundChannel::sound, &sound);
    const int a = sound.Load();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(sound.Play(a, 100, false), i);
    // The game never stops its sounds: a finished channel is stopped and gives
    // its slot to the next play, so the table does not grow for ever.
    static_cast<FakeChannel*>(sound.GetChannel(1))->state = -1;
    EXPECT_EQ(sound.Play(a, 100, false), 1 + GSound::kChannelSlots);
    EXPECT_EQ(log, Log{"stop a2"});
    EXPECT_EQ(sound.Play(a, 100, false), 3);
    EXPECT_EQ(sound.GetChannelCount(), 4);

    EXPECT_TRUE(sound.Stop(2));
    for (int bad : {-1, 1, 2, 4, 2 + GSound::kChannelSlots}) {
      EXPECT_FALSE(sound.Stop(bad) || sound.SetVolume(bad, 0.5f) || sound.SetVolume(bad, 50) ||
                   sound.SetMaxPriority(bad))
          << bad;
      EXPECT_EQ(sound.GetState(bad), -1) << bad;
      EXPECT_EQ(sound.GetPosition(bad), -1) << bad;
      EXPECT_EQ(sound.Play(bad, 1.0f, false), -1) << bad;
      EXPECT_FALSE(sound.Unload(bad)) << bad;
    }
    sound.Play(sound.Load(), 100, true);
    log.clear();
  }
  EXPECT_EQ(log, (Log{"stop a1", "stop a4", "stop b1", "stop a5", "unload a", "unload b"}));
  EXPECT_EQ(GSoundSample::sound, nullptr);
  EXPECT_EQ(GSoundChannel::sound, nullptr);
}

struct StaleCase {
  const char* what;
  // Ends the channel at `index`, as a caller or the channel itself would.
  void (*end)(FakeSound& sound, int index);
};

class GSoundStaleIndexTest : public ::testing::TestWithParam<StaleCase> {};

TEST_P(GSoundStaleIndexTest, AKeptIndexNeverReachesTheNewerSoundInItsSlot) {
  Log log;
  FakeSound sound(log);
  const int a = sound.Load();
  const int old = sound.Play(a, 100, false);
  GetParam().end(sound, old);
  const int newer = sound.Play(a, 100, false);
  ASSERT_NE(newer, old);
  ASSERT_EQ(sound.GetChannelCount(), 1) << "the slot is reused";
  log.clear();

  EXPECT_EQ(sound.GetChannel(old), nullptr);
  EXPECT_FALSE(sound.Stop(old));
  EXPECT_FALSE(sound.SetVolume(old, 0.1f) || sound.SetVolume(old, 10) || sound.SetMaxPriority(old));
  EXPECT_EQ(sound.GetState(old), -1);
  EXPECT_EQ(sound.GetPosition(old), -1);
  EXPECT_TRUE(log.empty()) << log.front();
  EXPECT_EQ(sound.GetState(newer), 0);
  EXPECT_TRUE(sound.Stop(newer));
}

INSTANTIATE_TEST_SUITE_P(
    Endings, GSoundStaleIndexTest,
    ::testing::Values(StaleCase{"finished",
                                [](FakeSound& s, int i) {
                                  static_cast<FakeChannel*>(s.GetChannel(i))->state = -1;
                                }},
                      StaleCase{"stopped", [](FakeSound& s, int i) { s.Stop(i); }}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(GSoundTest, ANoVoicePlayNamesAnEmptySlotThatTheNextPlayTakesUnderAnotherIndex) {
  Log log;
  FakeSound sound(log);
  const int none = sound.AddChannel(nullptr);
  EXPECT_EQ(none, 0);
  EXPECT_EQ(sound.GetState(none), -1);
  const int next = sound.Play(sound.Load(), 100, false);
  EXPECT_EQ(next, GSound::kChannelSlots);
  EXPECT_FALSE(sound.Stop(none));
  EXPECT_EQ(sound.GetState(next), 0);
}

}  // namespace

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

// A channel index that names nothing (never handed out, stopped, finished, or its slot taken
// by a newer sound) reaches no channel.
void ExpectDead(FakeSound& sound, int channel) {
  const size_t before = sound.log.size();
  EXPECT_EQ(sound.GetChannel(channel), nullptr) << channel;
  EXPECT_FALSE(sound.Stop(channel) || sound.SetVolume(channel, 0.5f) ||
               sound.SetVolume(channel, 50) || sound.SetMaxPriority(channel))
      << channel;
  EXPECT_EQ(sound.GetState(channel), -1) << channel;
  EXPECT_EQ(sound.GetPosition(channel), -1) << channel;
  EXPECT_EQ(sound.log.size(), before) << channel;
}

TEST(GSoundTest, FinishedChannelsGiveUpTheirSlotsAndDestructionStopsBeforeUnloading) {
  Log log;
  {
    FakeSound sound(log);
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
      ExpectDead(sound, bad);
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

// A play finding all of its sample's voices busy names an empty slot, which
// the next play takes under another index.
TEST(GSoundTest, APlayWithoutAVoiceLeavesNoChannel) {
  Log log;
  FakeSound sound(log);
  const int none = sound.AddChannel(nullptr);
  EXPECT_EQ(sound.Play(sound.Load(), 100, false), GSound::kChannelSlots);
  ExpectDead(sound, none);
}

}  // namespace

#include "GUI/sound/GSound.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GUI/foundation/MEM_DATA.h"

namespace {

// Records what the sound object does to its samples and channels.
struct Log {
  std::vector<std::string> events;
  int voicesLeft = 100;
};

class FakeChannel : public GSoundChannel {
 public:
  FakeChannel(Log& log, std::string name) : log_(log), name_(std::move(name)) {}
  void Stop() override { log_.events.push_back("stop " + name_); }
  void SetVolume(float) override { log_.events.push_back("volume " + name_); }
  void SetVolume(int) override { log_.events.push_back("volume " + name_); }
  void SetMaxPriority() override { log_.events.push_back("priority " + name_); }
  int GetState() override { return state; }
  int64_t GetPosition() override { return 1234; }

  int state = 0;

 private:
  Log& log_;
  std::string name_;
};

class FakeSample : public GSoundSample {
 public:
  explicit FakeSample(Log& log) : log_(log) {}
  bool LoadFromMemory(const MEM_DATA& file) override {
    if (!file.data || file.size <= 0) return false;
    name_ = std::string(reinterpret_cast<const char*>(file.data), static_cast<size_t>(file.size));
    return true;
  }
  void Unload() override { log_.events.push_back("unload " + name_); }
  std::unique_ptr<GSoundChannel> Play(bool, int) override {
    if (log_.voicesLeft == 0) return nullptr;
    --log_.voicesLeft;
    return std::make_unique<FakeChannel>(log_, name_ + std::to_string(++plays_));
  }

 private:
  Log& log_;
  std::string name_;
  int plays_ = 0;
};

class FakeSound : public GSound {
 public:
  explicit FakeSound(Log& log) : log_(log) {}
  std::unique_ptr<GSoundSample> NewSample() override { return std::make_unique<FakeSample>(log_); }
  int CalcVolume(float) override { return 100; }

  int Load(std::string name) {
    MEM_DATA file;
    file.data = reinterpret_cast<unsigned char*>(name.data());
    file.size = static_cast<int>(name.size());
    return LoadFromMemory(file);
  }

 private:
  Log& log_;
};

FakeChannel* Fake(GSound& sound, int channel) {
  return static_cast<FakeChannel*>(sound.GetChannel(channel));
}

TEST(GSoundTest, SampleSlotsAreReusedAndOtherIndicesStay) {
  Log log;
  FakeSound sound(log);
  EXPECT_EQ(sound.Load("a"), 0);
  EXPECT_EQ(sound.Load("b"), 1);
  EXPECT_EQ(sound.Load("c"), 2);
  EXPECT_EQ(sound.Load(""), -1);
  EXPECT_EQ(sound.GetSampleCount(), 3);

  EXPECT_TRUE(sound.Unload(1));
  EXPECT_EQ(log.events, std::vector<std::string>{"unload b"});
  EXPECT_EQ(sound.GetSample(1), nullptr);
  EXPECT_FALSE(sound.Unload(1));
  EXPECT_EQ(sound.Play(1, 5, false), -1);

  EXPECT_EQ(sound.Load("d"), 1);
  EXPECT_EQ(sound.Load("e"), 3);
  EXPECT_NE(sound.GetSample(0), nullptr);
  EXPECT_NE(sound.GetSample(2), nullptr);
}

TEST(GSoundTest, ChannelSlotsFreeOnStopAndWhenFinished) {
  Log log;
  FakeSound sound(log);
  int s = sound.Load("a");
  EXPECT_EQ(sound.Play(s, 100, false), 0);
  EXPECT_EQ(sound.Play(s, 100, false), 1);
  EXPECT_EQ(sound.Play(s, 100, false), 2);

  // Stopping frees the index for the next play.
  EXPECT_TRUE(sound.Stop(1));
  EXPECT_FALSE(sound.Stop(1));
  EXPECT_EQ(sound.Play(s, 100, false), 1);

  // A finished channel gives up its slot to the next play, and is stopped and
  // deleted; a playing one keeps its slot.
  Fake(sound, 0)->state = -1;
  log.events.clear();
  EXPECT_EQ(sound.Play(s, 100, false), 0);
  EXPECT_EQ(log.events, std::vector<std::string>{"stop a1"});
  EXPECT_EQ(sound.GetState(0), 0);
  EXPECT_EQ(sound.Play(s, 100, false), 3);
  EXPECT_EQ(sound.GetChannelCount(), 4);

  // Without a free voice the play still takes an index, whose slot stays
  // empty, and the next play takes it again.
  log.voicesLeft = 0;
  EXPECT_EQ(sound.Play(s, 100, false), 4);
  EXPECT_EQ(sound.GetChannel(4), nullptr);
  EXPECT_EQ(sound.GetState(4), -1);
  log.voicesLeft = 1;
  EXPECT_EQ(sound.Play(s, 100, false), 4);
  EXPECT_EQ(sound.GetChannelCount(), 5);
}

TEST(GSoundTest, InvalidChannelIndicesFail) {
  Log log;
  FakeSound sound(log);
  int s = sound.Load("a");
  sound.Play(s, 100, false);
  sound.Play(s, 100, false);
  sound.Stop(1);
  for (int channel : {-1, 1, 2, 1000}) {
    SCOPED_TRACE(channel);
    EXPECT_FALSE(sound.Stop(channel));
    EXPECT_FALSE(sound.SetVolume(channel, 0.5f));
    EXPECT_FALSE(sound.SetVolume(channel, 50));
    EXPECT_FALSE(sound.SetMaxPriority(channel));
    EXPECT_EQ(sound.GetState(channel), -1);
    EXPECT_EQ(sound.GetPosition(channel), -1);
    EXPECT_EQ(sound.GetChannel(channel), nullptr);
  }
  EXPECT_TRUE(sound.SetVolume(0, 0.5f));
  EXPECT_TRUE(sound.SetMaxPriority(0));
  EXPECT_EQ(sound.GetPosition(0), 1234);
  for (int sample : {-1, 1, 1000}) {
    EXPECT_EQ(sound.Play(sample, 1.0f, false), -1);
    EXPECT_FALSE(sound.Unload(sample));
    EXPECT_EQ(sound.GetSample(sample), nullptr);
  }
}

TEST(GSoundTest, DestructionStopsChannelsBeforeUnloadingSamples) {
  Log log;
  {
    FakeSound sound(log);
    EXPECT_EQ(GSoundSample::sound, &sound);
    EXPECT_EQ(GSoundChannel::sound, &sound);
    int a = sound.Load("a");
    int b = sound.Load("b");
    sound.Play(a, 100, false);
    sound.Play(b, 100, true);
  }
  EXPECT_EQ(log.events, (std::vector<std::string>{"stop a1", "stop b1", "unload a", "unload b"}));
  EXPECT_EQ(GSoundSample::sound, nullptr);
  EXPECT_EQ(GSoundChannel::sound, nullptr);
}

}  // namespace

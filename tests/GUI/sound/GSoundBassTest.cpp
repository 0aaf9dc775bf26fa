#include "GUI/sound/GSoundBass.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "GUI/foundation/MEM_DATA.h"
#include "tests/GUI/sound/TestWav.h"

namespace {

int Load(GSound& sound, std::vector<unsigned char>& bytes) {
  MEM_DATA file;
  file.data = bytes.empty() ? nullptr : bytes.data();
  file.size = static_cast<int>(bytes.size());
  return sound.LoadFromMemory(file);
}

// Waits until the channel reaches the state, for at most three seconds.
bool WaitForState(GSound& sound, int channel, int state) {
  for (int i = 0; i < 600; ++i) {
    if (sound.GetState(channel) == state) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

// Every test gets the disk audio driver, which writes the mixed output (float
// stereo, as the mixer opens the device) to a file in real time. The file name
// carries the process id so test runs of several build trees do not collide.
class GSoundBassDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + "digmaze_sound_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
            std::to_string(getpid()) + ".raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
  }
  void TearDown() override { std::remove(path_.c_str()); }

  // The output written so far; read once the sound object is gone.
  std::vector<float> Output() const {
    std::ifstream in(path_, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> out(bytes.size() / sizeof(float));
    std::memcpy(out.data(), bytes.data(), out.size() * sizeof(float));
    return out;
  }

  // How often each distinct non-zero value occurs in the output.
  std::map<float, int> Histogram() const {
    std::map<float, int> counts;
    for (float v : Output()) {
      if (v != 0.0f) ++counts[v];
    }
    return counts;
  }

  std::string path_;
};

TEST_F(GSoundBassDiskTest, PlayingWritesTheWholeSampleOnce) {
  auto wav = MakeConstantWav(4410, 16384);  // 0.1 s at half scale
  {
    GSoundBass sound;
    ASSERT_TRUE(sound.GetMixer().IsReady());
    int s = Load(sound, wav);
    ASSERT_EQ(s, 0);
    EXPECT_EQ(sound.Play(s, 1.0f, false), 0);
    EXPECT_EQ(sound.GetState(0), 0);
    ASSERT_TRUE(WaitForState(sound, 0, -1));
    // The position is counted in the file's bytes: all of them by now.
    EXPECT_EQ(sound.GetPosition(0), 4410 * 4);
    // The finished channel gives its slot to the next play.
    EXPECT_EQ(sound.Play(s, 1.0f, false), 0);
    ASSERT_TRUE(WaitForState(sound, 0, -1));
    EXPECT_EQ(sound.GetChannelCount(), 1);
  }
  std::map<float, int> expected{{0.5f, 2 * 4410 * 2}};
  EXPECT_EQ(Histogram(), expected);
}

TEST_F(GSoundBassDiskTest, VolumeFiftyScalesByPowerThreePointFive) {
  auto wav = MakeConstantWav(2205, 16384);
  {
    GSoundBass sound;
    int s = Load(sound, wav);
    ASSERT_EQ(s, 0);
    for (int volume : {100, 50}) {
      int channel = sound.Play(s, volume, false);
      ASSERT_TRUE(WaitForState(sound, channel, -1));
    }
    int channel = sound.Play(s, 0.5f, false);
    ASSERT_TRUE(WaitForState(sound, channel, -1));
  }
  std::map<float, int> counts = Histogram();
  ASSERT_EQ(counts.size(), 2u);
  EXPECT_EQ(counts.rbegin()->first, 0.5f);
  EXPECT_EQ(counts.rbegin()->second, 2205 * 2);
  EXPECT_NEAR(counts.begin()->first, 0.5f * std::pow(0.5f, 3.5f), 1e-6);
  EXPECT_NEAR(counts.begin()->first, 0.0442f, 1e-4);
  EXPECT_EQ(counts.begin()->second, 2 * 2205 * 2);
}

TEST_F(GSoundBassDiskTest, FiveVoicesPerSample) {
  auto wav = MakeConstantWav(44100 * 2, 1000);  // long enough to keep playing
  GSoundBass sound;
  int a = Load(sound, wav);
  int b = Load(sound, wav);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(sound.Play(a, 1.0f, false), i);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(sound.GetState(i), 0);

  // The sixth play of one sample gets an index but no channel.
  EXPECT_EQ(sound.Play(a, 1.0f, false), 5);
  EXPECT_EQ(sound.GetChannel(5), nullptr);
  EXPECT_EQ(sound.GetState(5), -1);
  // Another sample has voices of its own.
  EXPECT_EQ(sound.Play(b, 1.0f, false), 5);
  EXPECT_EQ(sound.GetState(5), 0);

  // Stopping frees both the index and the voice.
  EXPECT_TRUE(sound.Stop(2));
  EXPECT_EQ(sound.GetState(2), -1);
  EXPECT_EQ(sound.Play(a, 1.0f, false), 2);
  EXPECT_EQ(sound.GetState(2), 0);

  // Unloading a sample silences its channels; their slots stay until reused.
  EXPECT_TRUE(sound.Unload(a));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(sound.GetState(i), -1);
  EXPECT_EQ(sound.GetPosition(0), -1);
  EXPECT_EQ(sound.GetState(5), 0);
  EXPECT_TRUE(sound.Stop(0));
  EXPECT_EQ(sound.Play(b, 1.0f, false), 0);
  EXPECT_EQ(sound.GetState(0), 0);
}

TEST_F(GSoundBassDiskTest, LoopKeepsTheChannelActive) {
  auto wav = MakeConstantWav(441, 8000);  // 10 ms
  GSoundBass sound;
  int s = Load(sound, wav);
  int looped = sound.Play(s, 1.0f, true);
  int once = sound.Play(s, 1.0f, false);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(sound.GetState(looped), 0);
  EXPECT_EQ(sound.GetState(once), -1);
  int64_t position = sound.GetPosition(looped);
  EXPECT_GE(position, 0);
  EXPECT_LT(position, 441 * 4);
  EXPECT_EQ(position % 4, 0);
  EXPECT_TRUE(sound.Stop(looped));
  EXPECT_EQ(sound.GetState(looped), -1);
}

TEST_F(GSoundBassDiskTest, OtherFormatsAreConverted) {
  // 8-bit mono at 22050 Hz, a quarter scale above the midpoint.
  auto wav = MakeWav(1, 22050, 8, std::vector<unsigned char>(2205, 160));
  {
    GSoundBass sound;
    int s = Load(sound, wav);
    ASSERT_EQ(s, 0);
    int channel = sound.Play(s, 1.0f, false);
    ASSERT_TRUE(WaitForState(sound, channel, -1));
    EXPECT_NEAR(static_cast<double>(sound.GetPosition(channel)), 2205, 4);
  }
  int loud = 0;
  for (float v : Output()) {
    if (std::fabs(v - 0.25f) < 0.02f) ++loud;
  }
  // About 0.1 s of stereo at the output rate, give or take the resampler's edges.
  EXPECT_NEAR(loud, 4410 * 2, 100);
}

TEST_F(GSoundBassDiskTest, BadDataIsRefusedOrPlayedSafely) {
  GSoundBass sound;
  auto good = MakeConstantWav(100, 1000);
  std::vector<std::vector<unsigned char>> refused = {
      {},
      std::vector<unsigned char>(64, 0xAB),
      std::vector<unsigned char>(good.begin(), good.begin() + 30),
      MakeWav(2, 44100, 16, {}),
  };
  for (auto& bytes : refused) EXPECT_EQ(Load(sound, bytes), -1);
  MEM_DATA nothing;
  nothing.size = 100;
  EXPECT_EQ(sound.LoadFromMemory(nothing), -1);
  EXPECT_EQ(sound.GetSampleCount(), 0);

  // Every header byte flipped in turn: refused, or a sample that plays.
  for (size_t i = 0; i < 44; ++i) {
    auto bytes = good;
    bytes[i] ^= 0xFF;
    int s = Load(sound, bytes);
    if (s < 0) continue;
    int channel = sound.Play(s, 1.0f, false);
    sound.GetPosition(channel);
    sound.Stop(channel);
    EXPECT_TRUE(sound.Unload(s));
  }
}

TEST(GSoundBassTest, MissingDeviceFailsQuietly) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  GSoundBass sound;
  EXPECT_FALSE(sound.GetMixer().IsReady());
  auto wav = MakeConstantWav(100, 1000);
  EXPECT_EQ(Load(sound, wav), -1);
  EXPECT_EQ(sound.Play(0, 1.0f, false), -1);
  EXPECT_EQ(sound.GetState(0), -1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST(GSoundBassTest, VolumeScales) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  GSoundBass sound;
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    float volume;
    int percent;
    float loudness;
  } cases[] = {
      {1.0f, 100, 1.0f}, {0.5f, 50, 0.0883883f}, {0.0f, 0, 0.0f},       {1.5f, 100, 1.0f},
      {-0.25f, 0, 0.0f}, {nan, 0, 0.0f},         {0.999f, 99, 0.9965f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.volume);
    EXPECT_EQ(sound.CalcVolume(c.volume), c.percent);
    EXPECT_NEAR(GSoundBass::Loudness(c.volume), c.loudness, 1e-4);
  }
}

}  // namespace

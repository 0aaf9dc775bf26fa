#include "GUI/sound/GAudioMixer.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/Bytes.h"

// The mixer without an audio device: the tests call its callback with a
// buffer, as the device's thread would, and read the float stereo it wrote.

namespace {

constexpr int kRate = 44100;

// A 16-bit mono WAV at the mixer's rate (so no resampling) holding `frames`.
Bytes Wav16(const std::vector<int16_t>& frames) {
  ByteBuilder data;
  for (int16_t f : frames) data.Short(static_cast<uint16_t>(f));
  return WavFile(1, kRate, 16, data.Vector());
}

// n frames all at `level`.
Bytes Flat(int n, int16_t level) {
  return Wav16(std::vector<int16_t>(n, level));
}

class GAudioMixerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(mixer.InitWithoutDevice(kRate)); }

  GAudioMixer::Handle Load(const Bytes& wav, int voices = 4) {
    return mixer.SampleLoad(wav.data(), wav.size(), voices);
  }
  // A channel of the sample, playing from its start.
  GAudioMixer::Handle Start(GAudioMixer::Handle sample, float volume = 1.0f, bool loop = false) {
    const GAudioMixer::Handle channel = mixer.SampleGetChannel(sample);
    EXPECT_NE(channel, 0u);
    EXPECT_TRUE(mixer.ChannelSetVolume(channel, volume) && mixer.ChannelSetLoop(channel, loop) &&
                mixer.ChannelPlay(channel, true));
    return channel;
  }
  // The left output of `frames` frames (checking that right equals left), filled with junk
  // first so that frames the mixer left alone would show.
  std::vector<float> Mix(int frames) {
    std::vector<float> out(2 * frames, 7.0f);
    GAudioMixer::Callback(&mixer, reinterpret_cast<uint8_t*>(out.data()),
                          static_cast<int>(out.size() * sizeof(float)));
    std::vector<float> left;
    for (int i = 0; i < frames; ++i) {
      EXPECT_EQ(out[2 * i], out[2 * i + 1]) << "frame " << i;
      left.push_back(out[2 * i]);
    }
    return left;
  }

  GAudioMixer mixer;
};

TEST_F(GAudioMixerTest, ChannelsAreSummedScaledByTheirVolumesAndClampedToTheLimits) {
  struct Case {
    const char* what;
    std::vector<int16_t> levels;
    std::vector<float> volumes;
    float expected;
  };
  const Case cases[] = {
      {"volumes scale the channels that add", {0x2000, 0x2000}, {0.5f, 0.25f}, 0.1875f},
      {"the top limit", {0x6000, 0x6000}, {1.0f, 1.0f}, 1.0f},
      {"the bottom limit", {-0x6000, -0x6000, -0x6000}, {1.0f, 1.0f, 1.0f}, -1.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<GAudioMixer::Handle> samples;
    for (size_t i = 0; i < c.levels.size(); ++i) {
      samples.push_back(Load(Flat(1000, c.levels[i])));
      Start(samples.back(), c.volumes[i]);
    }
    for (float v : Mix(300)) ASSERT_FLOAT_EQ(v, c.expected);
    for (GAudioMixer::Handle s : samples) EXPECT_TRUE(mixer.SampleFree(s));
  }
}

// The game plays no looping sound; the fuzzer's sound target plays one.
TEST_F(GAudioMixerTest, APlainSoundEndsWithItsLastFrame) {
  // Five frames with distinct levels: frame k holds k + 1 eighths.
  std::vector<int16_t> ramp;
  for (int k = 0; k < 5; ++k) ramp.push_back(static_cast<int16_t>((k + 1) * 0x1000));
  const GAudioMixer::Handle once = Start(Load(Wav16(ramp)));
  // 8 frames in two buffers of odd sizes: the end falls inside the second.
  std::vector<float> out = Mix(3), more = Mix(5);
  out.insert(out.end(), more.begin(), more.end());
  for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(out[i], i < 5 ? (i + 1) / 8.0f : 0.0f) << i;
  EXPECT_EQ(mixer.ChannelIsActive(once), GAudioMixer::Activity::Stopped);
}

TEST_F(GAudioMixerTest, StoppedAndFreedChannelsAddNothingAndTheirHandlesDie) {
  const GAudioMixer::Handle a = Load(Flat(100, 0x2000)), b = Load(Flat(100, 0x1000), 1);
  const GAudioMixer::Handle ca = Start(a), cb = Start(b);
  EXPECT_EQ(mixer.SampleGetChannel(b), 0u) << "b's one voice is busy";
  ASSERT_TRUE(mixer.ChannelStop(ca));
  for (float v : Mix(10)) EXPECT_FLOAT_EQ(v, 0.125f);
  ASSERT_TRUE(mixer.SampleFree(b));
  for (float v : Mix(10)) EXPECT_EQ(v, 0.0f);
  EXPECT_EQ(mixer.ChannelIsActive(cb), GAudioMixer::Activity::Stopped);
  // A voice handed out again gets a new handle, and the old one does not
  // report the new play as its own.
  const GAudioMixer::Handle again = mixer.SampleGetChannel(a);
  ASSERT_TRUE(again != ca && mixer.ChannelPlay(again, true));
  EXPECT_EQ(mixer.ChannelIsActive(ca), GAudioMixer::Activity::Stopped);
}

TEST(GAudioMixerSetUpTest, WithoutADeviceNothingLoadsAndTheCallbackSurvivesBadBuffers) {
  GAudioMixer closed;
  const Bytes wav = Flat(10, 0x1000);
  EXPECT_EQ(closed.SampleLoad(wav.data(), wav.size(), 1), 0u);
  GAudioMixer::Callback(&closed, nullptr, 64);
  EXPECT_TRUE(closed.InitWithoutDevice(kRate));
  EXPECT_NE(closed.SampleLoad(wav.data(), wav.size(), 1), 0u);
  closed.Free();
  EXPECT_EQ(closed.SampleLoad(wav.data(), wav.size(), 1), 0u);
}

}  // namespace

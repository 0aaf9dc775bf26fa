#include "GUI/sound/GSoundBass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "GUI/foundation/MEM_DATA.h"
#include "GUI/sound/GMusicDecoder.h"
#include "tests/support/Files.h"
#include "tests/support/Scoped.h"

namespace {

// 16-bit mono at 44100 Hz, as the game's sounds are; every byte holds `b`.
Bytes Mono16(int frames, unsigned char b) {
  return WavFile(1, 44100, 16, Bytes(2 * frames, b));
}

int Load(GSound& sound, Bytes bytes) {
  return sound.LoadFromMemory(
      {bytes.empty() ? nullptr : bytes.data(), static_cast<int>(bytes.size())});
}

// Waits until the mixer has filled `more` buffers more than when asked (the
// device's thread asks for one every 23 ms), for at most five seconds.
void WaitForBuffers(GAudioMixer& mixer, uint64_t more) {
  const uint64_t until = mixer.GetStats().buffers + more;
  for (int i = 0; i < 1000 && mixer.GetStats().buffers < until; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// Waits until the channel reaches the state, for at most three seconds.
bool WaitForState(GSound& sound, int channel, int state) {
  for (int i = 0; i < 600 && sound.GetState(channel) != state; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return sound.GetState(channel) == state;
}

// SDL's disk audio driver writes the mixed output (float stereo, as the mixer opens the
// device) to a file in real time.
class GSoundBassDiskTest : public ::testing::Test {
 protected:
  // The output samples, once the sound object is gone.
  std::vector<float> Output() const {
    const std::string bytes = ReadText(output);
    std::vector<float> out(bytes.size() / sizeof(float));
    std::memcpy(out.data(), bytes.data(), out.size() * sizeof(float));
    return out;
  }
  // How many output samples lie within `tolerance` of `level`.
  int Count(float level, float tolerance) const {
    const std::vector<float> out = Output();
    return static_cast<int>(std::count_if(
        out.begin(), out.end(), [=](float v) { return std::fabs(v - level) <= tolerance; }));
  }

  TempDir dir;
  const std::string output = dir / "output.raw";
  ScopedEnv driver{"SDL_AUDIODRIVER", "disk"};
  ScopedEnv file{"SDL_DISKAUDIOFILE", output.c_str()};
};

// Mono reaches both output channels once per sample, scaled by the master
// volume (at 50, 0.5^3.5 of the level). The game plays every sound at full
// volume; the mixer's own tests scale channels.
TEST_F(GSoundBassDiskTest, EverySampleReachesTheOutputOnceAtItsVolume) {
  {
    GSoundBass sound;
    ASSERT_TRUE(sound.GetMixer().IsReady());
    // Music that cannot be found plays as silence beside the sounds.
    testing::internal::CaptureStderr();
    sound.PlayMusic((dir / "none.ogg").c_str(), MusicMode::Loop);
    const int s = Load(sound, Mono16(2205, 0x40));  // 50 ms just above half scale.
    ASSERT_TRUE(WaitForState(sound, sound.Play(s, 1.0f, false), -1));
    // 0.1 s of 8-bit stereo at 22050 Hz a quarter scale up, converted and resampled.
    const int stereo = Load(sound, WavFile(2, 22050, 8, Bytes(4410, 160)));
    ASSERT_TRUE(WaitForState(sound, sound.Play(stereo, 1.0f, false), -1));

    sound.SetMasterVolume(50);
    ASSERT_TRUE(WaitForState(sound, sound.Play(s, 100, false), -1));
    // Muted, the device still runs: the play ends.
    sound.SetMasterVolume(0);
    ASSERT_TRUE(WaitForState(sound, sound.Play(s, 100, false), -1));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("none.ogg is missing"),
              std::string::npos);
  }
  const float level = 0x4040 / 32768.0f;
  const int plain = Count(level, 1e-7f), half = Count(level * std::pow(0.5f, 3.5f), 1e-6f);
  const int stereo = Count(0.25f, 0.02f);
  EXPECT_EQ(plain, 2205 * 2);
  EXPECT_EQ(half, 2205 * 2) << "the master at 50";
  EXPECT_NEAR(stereo, 4410 * 2, 100);  // Give or take the resampler's edges.
  EXPECT_NEAR(Count(0.0f, 0.0f) + plain + half + stereo,
              static_cast<double>(ReadText(output).size() / sizeof(float)), 100)
      << "everything else, the muted play too, is silence";
}

// The music's frames reach the output one after the other as the decoder
// reads them, round its loop sample for sample, at its volume's loudness;
// muted, it falls silent within a buffer.
TEST_F(GSoundBassDiskTest, MusicLoopsSampleExactlyAtItsVolumeAndMuteSilencesIt) {
  const std::string loop = (SourceDir() / "tests/GUI/sound/music/loop.ogg").string();
  GMusicDecoder decoder;
  ASSERT_EQ(decoder.Open(loop.c_str(), 44100), GMusicDecoder::OpenResult::Ok);
  const size_t frames = static_cast<size_t>(decoder.GetLength());
  std::vector<float> wave(2 * frames);
  ASSERT_EQ(decoder.Read(wave.data(), frames, false), frames);
  {
    GSoundBass sound;
    ASSERT_TRUE(sound.GetMixer().IsReady());
    sound.SetMusicVolume(50);
    sound.PlayMusic(loop.c_str(), MusicMode::Loop);
    for (int i = 0; i < 1000 && !sound.GetMixer().IsMusicPlaying(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    WaitForBuffers(sound.GetMixer(), 3 * frames / 1024 + 2);
    sound.SetMuted(true);
    WaitForBuffers(sound.GetMixer(), 6);
  }
  const std::vector<float> out = Output();
  size_t f = 0;
  while (2 * f < out.size() && out[2 * f] == 0.0f) ++f;
  const float gain = GSoundBass::Loudness(0.5f);
  size_t played = 0;
  for (; 2 * (f + played) + 1 < out.size(); ++played) {
    const size_t k = played % frames;
    if (out[2 * (f + played)] != wave[2 * k] * gain ||
        out[2 * (f + played) + 1] != wave[2 * k + 1] * gain)
      break;
  }
  EXPECT_GE(played, 3 * frames) << "three times round the loop";
  EXPECT_LE(2 * (f + played + 1024), out.size());
  const size_t quiet = (f + played + 1024) * 2;
  EXPECT_TRUE(std::all_of(out.begin() + static_cast<long>(std::min(quiet, out.size())), out.end(),
                          [](float v) { return v == 0.0f; }))
      << "muted";
}

// More hostile files are kept in tests/fuzz/regressions/wav for the fuzzer's
// regression run.
TEST_F(GSoundBassDiskTest, BadDataIsRefused) {
  GSoundBass sound;
  const Bytes good = Mono16(100, 0x10);
  // A data chunk announcing more than the file holds: SDL's reader would
  // reserve the announced length first.
  Bytes lying = good;
  lying[40] = 0xF0, lying[41] = 0xFF, lying[42] = 0xFF, lying[43] = 0x7F;
  for (const Bytes& bytes : {Bytes(good.begin(), good.begin() + 30), lying})
    EXPECT_EQ(Load(sound, bytes), -1);
  MEM_DATA nothing;
  nothing.size = 100;
  EXPECT_EQ(sound.LoadFromMemory(nothing), -1);
  EXPECT_EQ(sound.GetSampleCount(), 0);
}

// What the game does while the audio thread mixes: loads, plays (each
// finding finished channels to reuse) and master volume changes. The
// ThreadSanitizer build (scripts/test.sh) checks that each is ordered with
// the mixing; here it must simply keep working.
TEST_F(GSoundBassDiskTest, ChangesWhileTheAudioThreadMixes) {
  GSoundBass sound;
  ASSERT_TRUE(sound.GetMixer().IsReady());
  const int music = sound.Play(Load(sound, Mono16(44100, 0x08)), 1.0f, false);
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
  for (int i = 0; std::chrono::steady_clock::now() < until; ++i) {
    sound.SetMasterVolume(i % 101);
    sound.Play(Load(sound, Mono16(50 + i % 7, 0x10)), 1.0f, false);
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  EXPECT_EQ(sound.GetState(music), 0) << "a one-second sound outlives 300 ms";
}

TEST(GSoundBassTest, MissingDeviceFailsQuietlyAndVolumesAreClamped) {
  ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
  GSoundBass sound;
  EXPECT_FALSE(sound.GetMixer().IsReady());
  EXPECT_EQ(Load(sound, Mono16(100, 0x10)), -1);
  EXPECT_EQ(sound.Play(0, 1.0f, false), -1);

  // Volume, the percentage it plays at, and the loudness sent to the mixer. Volumes are
  // clamped first: a negative one would give NaN under the power.
  const std::tuple<float, int, float> cases[] = {
      {0.5f, 50, 0.0883883f}, {1.5f, 100, 1.0f}, {-0.25f, 0, 0.0f}, {std::nanf(""), 0, 0.0f}};
  for (auto [volume, percent, loudness] : cases) {
    EXPECT_EQ(sound.CalcVolume(volume), percent) << volume;
    EXPECT_NEAR(GSoundBass::Loudness(volume), loudness, 1e-4) << volume;
  }
  // The master and music volumes are kept within 0..100 and reach the mixer
  // as their loudness; mute reaches it as it is.
  for (auto [volume, kept, loudness] :
       {std::tuple{150, 100, 1.0f}, std::tuple{-5, 0, 0.0f}, std::tuple{50, 50, 0.0883883f}}) {
    sound.SetMasterVolume(volume);
    sound.SetMusicVolume(100 - volume);
    EXPECT_EQ(sound.GetMasterVolume(), kept) << volume;
    EXPECT_NEAR(sound.GetMixer().GetMasterVolume(), loudness, 1e-6) << volume;
    EXPECT_EQ(sound.GetMusicVolume(), std::clamp(100 - volume, 0, 100)) << volume;
    EXPECT_NEAR(sound.GetMixer().GetMusicVolume(),
                GSoundBass::Loudness(static_cast<float>(sound.GetMusicVolume()) / 100.0f), 1e-6);
  }
  sound.SetMuted(true);
  EXPECT_TRUE(sound.IsMuted() && sound.GetMixer().IsMuted());
}

}  // namespace

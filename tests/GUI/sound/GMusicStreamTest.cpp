#include "GUI/sound/GMusicStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "GUI/foundation/FileError.h"
#include "GUI/sound/GAudioMixer.h"
#include "GUI/sound/GMusicDecoder.h"
#include "tests/support/Files.h"
#include "tests/support/Scoped.h"

// The music through the mixer without an audio device: the test lets the
// music read (StepMusic, the worker's job) and mixes (the audio thread's),
// both on its own thread, so every frame is known.

namespace {

constexpr int kRate = 44100;
constexpr size_t kBuffer = 1024;
constexpr size_t kTone = 8800;  // frames of the loop of tests/GUI/sound/music/loop.ogg
constexpr size_t kFade = kRate / 2;

std::string logFolder;

class GMusicStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(mixer.InitWithoutDevice(kRate));
    std::filesystem::copy_file(SourceDir() / "tests/GUI/sound/music/loop.ogg", tone);
    std::filesystem::copy_file(tone, other);
    GMusicDecoder decoder;
    ASSERT_EQ(decoder.Open(tone.c_str(), kRate), GMusicDecoder::OpenResult::Ok);
    std::vector<float> stereo(2 * kTone);
    ASSERT_EQ(decoder.Read(stereo.data(), kTone, false), kTone);
    for (size_t f = 0; f < kTone; ++f) wave.push_back(stereo[2 * f]);
  }

  // The left side of the next frames of the mix, in buffers of kBuffer, the
  // music reading before each (unless starved); right must equal left.
  std::vector<float> Mix(size_t frames, bool starved = false) {
    std::vector<float> left;
    while (left.size() < frames) {
      if (!starved) mixer.StepMusic();
      std::vector<float> out(2 * kBuffer, 7.0f);
      GAudioMixer::Callback(&mixer, reinterpret_cast<uint8_t*>(out.data()),
                            static_cast<int>(out.size() * sizeof(float)));
      for (size_t i = 0; i < kBuffer; ++i) {
        EXPECT_EQ(out[2 * i], out[2 * i + 1]);
        left.push_back(out[2 * i]);
      }
    }
    return left;
  }
  // Whether frames [from, from + n) of out are the tone from frame `at` on,
  // scaled by gain.
  ::testing::AssertionResult Tone(const std::vector<float>& out, size_t from, size_t n, size_t at,
                                  float gain) const {
    for (size_t i = 0; i < n; ++i)
      if (out[from + i] != wave[(at + i) % kTone] * gain)
        return ::testing::AssertionFailure() << "frame " << from + i << " is " << out[from + i]
                                             << ", not " << wave[(at + i) % kTone] * gain;
    return ::testing::AssertionSuccess();
  }
  static size_t FirstSound(const std::vector<float>& out, size_t from) {
    while (from < out.size() && out[from] == 0.0f) ++from;
    return from;
  }

  TempDir dir;
  const std::string tone = dir / "tone.ogg";
  const std::string other = dir / "other.ogg";
  std::vector<float> wave;  // the tone's frames, one side
  GAudioMixer mixer;
};

// Volume changes glide over one buffer and mute goes on moving the music, so
// it comes back where it would have been; the effects' volume does not touch
// it, and when the ring runs dry the frames are missing, not the position.
TEST_F(GMusicStreamTest, LoopsFromItsFirstFrameAtItsVolumeAndMuteOnlySilencesIt) {
  mixer.SetMusicVolume(0.25f);
  mixer.SetMasterVolume(0.0f);
  mixer.MusicPlay(tone.c_str(), MusicMode::Loop);
  std::vector<float> out = Mix(3 * kTone);
  ASSERT_TRUE(Tone(out, 0, out.size(), 0, 0.25f));
  size_t at = out.size();

  mixer.SetMusicVolume(1.0f);
  out = Mix(3 * kBuffer);
  for (size_t i = 0; i < kBuffer; ++i)
    EXPECT_NEAR(out[i], wave[(at + i) % kTone] * (0.25f + 0.75f * (i + 1) / kBuffer), 1e-6) << i;
  EXPECT_TRUE(Tone(out, kBuffer, 2 * kBuffer, at + kBuffer, 1.0f));
  at += out.size();

  mixer.SetMuted(true);
  out = Mix(4 * kBuffer);
  EXPECT_TRUE(std::all_of(out.begin() + kBuffer, out.end(), [](float v) { return v == 0.0f; }));
  at += out.size();
  mixer.SetMuted(false);
  out = Mix(2 * kBuffer);
  EXPECT_TRUE(Tone(out, kBuffer, kBuffer, at + kBuffer, 1.0f)) << "moved on while muted";
  at += out.size();

  EXPECT_EQ(mixer.GetStats().musicUnderruns, 0u);
  out = Mix(48 * kBuffer, true);
  EXPECT_GT(mixer.GetStats().musicUnderruns, 0u);
  const size_t dry = FirstSound(std::vector<float>(out.rbegin(), out.rend()), 0);
  EXPECT_GT(dry, kBuffer) << "the ring ran dry";
  out = Mix(2 * kBuffer);
  EXPECT_TRUE(Tone(out, 0, out.size(), at + 48 * kBuffer - dry, 1.0f)) << "and goes on from there";
  EXPECT_TRUE(mixer.IsMusicPlaying());
}

TEST_F(GMusicStreamTest, AChangeFadesOutOverHalfASecondAndTheNextPieceStartsFromItsStart) {
  mixer.MusicPlay(tone.c_str(), MusicMode::Loop);
  std::vector<float> out = Mix(5 * kBuffer);
  mixer.MusicPlay(other.c_str(), MusicMode::Loop);
  mixer.MusicPlay(other.c_str(), MusicMode::Loop);  // asked for again: nothing new
  const std::vector<float> change = Mix(kFade + 6 * kBuffer);
  for (size_t i = 0; i < kFade; ++i) {
    const float g = static_cast<float>(kFade - i) / kFade;
    ASSERT_NEAR(change[i], wave[(out.size() + i) % kTone] * g, 1e-6) << i;
  }
  const size_t start = FirstSound(change, kFade);
  EXPECT_LE(start, kFade + kBuffer) << "within a buffer of the fade's end";
  EXPECT_TRUE(Tone(change, start, change.size() - start, 0, 1.0f));
}

// A piece played once runs to its end whatever is asked meanwhile; only Stop
// fades it, and then nothing plays.
TEST_F(GMusicStreamTest, AJingleIsNeverCutShortButStopFadesIt) {
  mixer.MusicPlay(tone.c_str(), MusicMode::Once);
  std::vector<float> out = Mix(kBuffer);
  mixer.MusicPlay(other.c_str(), MusicMode::Loop);
  const std::vector<float> rest = Mix(kTone + 3 * kBuffer);
  out.insert(out.end(), rest.begin(), rest.end());
  EXPECT_TRUE(Tone(out, 0, kTone, 0, 1.0f)) << "the whole jingle";
  const size_t next = FirstSound(out, kTone);
  EXPECT_LE(next, kTone + 2 * kBuffer);
  EXPECT_TRUE(Tone(out, next, out.size() - next, 0, 1.0f)) << "then the looping piece";

  mixer.MusicPlay(tone.c_str(), MusicMode::Once);
  out = Mix(kFade + 4 * kBuffer);
  const size_t jingle = FirstSound(out, kFade);
  mixer.MusicStop();
  out = Mix(kFade + 2 * kBuffer);
  EXPECT_LT(std::fabs(out[kFade / 2]), 0.6f * 0.5f) << "fading";
  EXPECT_TRUE(std::all_of(out.begin() + kFade, out.end(), [](float v) { return v == 0.0f; }));
  EXPECT_FALSE(mixer.IsMusicPlaying());
  EXPECT_LT(jingle, kFade + 2 * kBuffer);
}

TEST_F(GMusicStreamTest, AMissingOrDamagedFileIsSilenceAndOneLineInTheLogEach) {
  logFolder = dir.Path();
  ScopedHook folder(SetFileErrorFolder, [] { return CFerroString(logFolder.c_str()); });
  Bytes damaged = ReadBytes(tone);
  damaged[damaged.size() - 7] ^= 0x10;
  ASSERT_TRUE(WriteText(dir / "damaged.ogg", std::string(damaged.begin(), damaged.end())));
  testing::internal::CaptureStderr();
  for (int round = 0; round < 2; ++round) {
    for (const char* name : {"none.ogg", "damaged.ogg"}) {
      mixer.MusicPlay((dir / name).c_str(), MusicMode::Loop);
      const std::vector<float> out = Mix(kFade + 4 * kBuffer);
      EXPECT_TRUE(std::all_of(out.begin() + (round || *name == 'd' ? kFade : 0), out.end(),
                              [](float v) { return v == 0.0f; }))
          << name;
    }
  }
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReadText(dir / "error.log"),
            "the music file " + dir / "none.ogg" + " is missing; it is not played\r\n" +
                "the music file " + dir / "damaged.ogg" +
                " is damaged (a page's checksum does not match its bytes); it is not played\r\n");
}

}  // namespace

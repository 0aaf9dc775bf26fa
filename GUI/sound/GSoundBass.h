#pragma once

#include <cstdint>
#include <memory>

#include "GUI/sound/GAudioMixer.h"
#include "GUI/sound/GSound.h"

// A sample held by the audio mixer: at most five voices, so a sound can be
// heard five times over at once.
class GSoundSampleBass : public GSoundSample {
 public:
  explicit GSoundSampleBass(GAudioMixer& mixer) : mixer_(mixer) {}
  ~GSoundSampleBass() override;

  bool LoadFromMemory(const MEM_DATA& file) override;
  void Unload() override;
  std::unique_ptr<GSoundChannel> Play(bool loop, int volume) override;

  uint32_t GetHandle() const { return handle_; }

 private:
  GAudioMixer& mixer_;
  uint32_t handle_ = 0;  // the mixer's sample handle, 0 while nothing is loaded
};

// One mixer voice playing a sample. The loudness sent to the mixer is the
// volume (0..1) to the power 3.5, which follows how loud a level sounds far
// better than a straight line.
class GSoundChannelBass : public GSoundChannel {
 public:
  // Sets the volume (0..100) and the loop flag, then plays from the start.
  GSoundChannelBass(GAudioMixer& mixer, uint32_t channel, bool loop, int volume);

  void Stop() override;
  void SetVolume(float volume) override;
  void SetVolume(int volume) override;
  void SetMaxPriority() override;
  int GetState() override;
  int64_t GetPosition() override;

  uint32_t GetHandle() const { return channel_; }

 private:
  GAudioMixer& mixer_;
  uint32_t channel_;  // the mixer's channel handle
};

// The sound object over the audio mixer on the default output device. When
// there is no device the object still exists and every call fails quietly:
// samples do not load and plays return empty channel slots.
class GSoundBass : public GSound {
 public:
  GSoundBass();
  // Run with the environment variable DIGMAZE_AUDIO_STATS set, prints what
  // the audio thread met (GAudioMixer::Stats) as one line on standard error.
  ~GSoundBass() override;

  std::unique_ptr<GSoundSample> NewSample() override;
  int CalcVolume(float volume) override;
  // The mixer scales the effects by the volume's loudness.
  void SetMasterVolume(int volume) override;
  void PlayMusic(const char* path, MusicMode mode) override;
  void StopMusic() override;
  // The mixer scales the music by the volume's loudness.
  void SetMusicVolume(int volume) override;
  void SetMuted(bool muted) override;

  GAudioMixer& GetMixer() { return mixer_; }

  // The loudness sent to the mixer for a volume of 0..1: volume^3.5.
  static float Loudness(float volume);

 private:
  GAudioMixer mixer_;
};

#include "GUI/sound/GSoundBass.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "GUI/foundation/MEM_DATA.h"

namespace {

constexpr int kOutputFrequency = 44100;
constexpr int kVoicesPerSample = 5;

}  // namespace

float GSoundBass::Loudness(float volume) {
  // Clamp first: a negative volume would give NaN, and NaN itself ends at 0.
  if (!(volume > 0.0f)) return 0.0f;
  if (volume >= 1.0f) return 1.0f;
  return std::pow(volume, 3.5f);
}

GSoundSampleBass::~GSoundSampleBass() {
  Unload();
}

bool GSoundSampleBass::LoadFromMemory(const MEM_DATA& file) {
  Unload();
  if (!file.data || file.size <= 0) return false;
  handle_ = mixer_.SampleLoad(file.data, static_cast<size_t>(file.size), kVoicesPerSample);
  return handle_ != 0;
}

void GSoundSampleBass::Unload() {
  if (handle_) mixer_.SampleFree(handle_);
  handle_ = 0;
}

std::unique_ptr<GSoundChannel> GSoundSampleBass::Play(bool loop, int volume) {
  GAudioMixer::Handle channel = mixer_.SampleGetChannel(handle_);
  if (!channel) return nullptr;
  return std::make_unique<GSoundChannelBass>(mixer_, channel, loop, volume);
}

GSoundChannelBass::GSoundChannelBass(GAudioMixer& mixer, uint32_t channel, bool loop, int volume)
    : mixer_(mixer), channel_(channel) {
  SetVolume(volume);
  bool looping = false;
  if (mixer_.ChannelGetLoop(channel_, &looping) && looping != loop) {
    mixer_.ChannelSetLoop(channel_, loop);
  }
  mixer_.ChannelPlay(channel_, true);
}

void GSoundChannelBass::Stop() {
  mixer_.ChannelStop(channel_);
}

void GSoundChannelBass::SetVolume(float volume) {
  mixer_.ChannelSetVolume(channel_, GSoundBass::Loudness(volume));
}

void GSoundChannelBass::SetVolume(int volume) {
  SetVolume(static_cast<float>(volume) / 100.0f);
}

void GSoundChannelBass::SetMaxPriority() {}

int GSoundChannelBass::GetState() {
  return mixer_.ChannelIsActive(channel_) == GAudioMixer::Activity::Playing ? 0 : -1;
}

int64_t GSoundChannelBass::GetPosition() {
  return mixer_.ChannelGetPosition(channel_);
}

GSoundBass::GSoundBass() {
  // Without a device the mixer stays closed and every later call fails quietly.
  mixer_.Init(kOutputFrequency);
}

GSoundBass::~GSoundBass() {
  if (std::getenv("DIGMAZE_AUDIO_STATS")) {
    const GAudioMixer::Stats stats = mixer_.GetStats();
    std::fprintf(stderr,
                 "audio: %" PRIu64 " buffers, %" PRIu64 " late, %" PRIu64 " music underruns\n",
                 stats.buffers, stats.lateBuffers, stats.musicUnderruns);
  }
  // The samples and channels must go while the mixer they live in is open.
  Clear();
  mixer_.Free();
}

std::unique_ptr<GSoundSample> GSoundBass::NewSample() {
  return std::make_unique<GSoundSampleBass>(mixer_);
}

int GSoundBass::CalcVolume(float volume) {
  if (!(volume > 0.0f)) return 0;
  if (volume >= 1.0f) return 100;
  return static_cast<int>(volume * 100.0f);
}

void GSoundBass::SetMasterVolume(int volume) {
  GSound::SetMasterVolume(volume);
  mixer_.SetMasterVolume(Loudness(static_cast<float>(GetMasterVolume()) / 100.0f));
}

void GSoundBass::PlayMusic(const char* path, MusicMode mode) {
  GSound::PlayMusic(path, mode);
  mixer_.MusicPlay(path, mode);
}

void GSoundBass::StopMusic() {
  GSound::StopMusic();
  mixer_.MusicStop();
}

void GSoundBass::SetMusicVolume(int volume) {
  GSound::SetMusicVolume(volume);
  mixer_.SetMusicVolume(Loudness(static_cast<float>(GetMusicVolume()) / 100.0f));
}

void GSoundBass::SetMuted(bool muted) {
  GSound::SetMuted(muted);
  mixer_.SetMuted(muted);
}

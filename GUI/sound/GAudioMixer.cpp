#include "GUI/sound/GAudioMixer.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "GUI/sound/GMusicStream.h"

namespace {

constexpr int kOutputChannels = 2;
constexpr Uint16 kBufferFrames = 1024;
// The largest decoded sample, as the work buffer of its conversion: over ten
// minutes of stereo at 48000 Hz, far beyond any sound of the game. A tiny file
// claiming a very low rate would otherwise ask for gigabytes.
constexpr size_t kLargestConversion = size_t{256} << 20;

uint32_t ReadLE32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// SDL's WAV reader allocates each chunk at the length its header announces
// before reading it, so a few bytes announcing 4 GB would take 4 GB. A WAV
// file (with its RIFF header, or from its "WAVE" mark on, which the reader
// also takes) is accepted only when every chunk fits in the bytes that follow.
bool RiffChunksFit(const unsigned char* data, size_t size) {
  size_t p;
  if (size >= 12 && std::memcmp(data, "RIFF", 4) == 0)
    p = 12;
  else if (size >= 4 && std::memcmp(data, "WAVE", 4) == 0)
    p = 4;
  else
    return true;  // SDL refuses it itself
  while (size - p >= 8) {
    const uint64_t length = ReadLE32(data + p + 4);
    if (length > size - p - 8) return false;
    p += 8 + static_cast<size_t>(length) + (length & 1);
    if (p >= size) break;
  }
  return true;
}

}  // namespace

struct GAudioMixer::Voice {
  Handle handle = 0;  // 0 while the voice has never been handed out
  size_t frame = 0;   // next frame to mix
  float volume = 1.0f;
  bool loop = false;
  bool playing = false;
};

struct GAudioMixer::Sample {
  Handle handle = 0;
  std::vector<float> pcm;  // interleaved stereo at the output rate
  size_t frames = 0;
  int sourceRate = 0;        // the file's frame rate
  int sourceFrameBytes = 0;  // bytes of one frame in the file
  std::vector<Voice> voices;
};

// Holds the device lock so the audio thread never sees a half-made change.
class GAudioMixer::Lock {
 public:
  explicit Lock(uint32_t device) : device_(device) {
    if (device_) SDL_LockAudioDevice(device_);
  }
  ~Lock() {
    if (device_) SDL_UnlockAudioDevice(device_);
  }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  uint32_t device_;
};

GAudioMixer::GAudioMixer() = default;
GAudioMixer::~GAudioMixer() {
  Free();
}

bool GAudioMixer::Init(int frequency) {
  if (device_ || frequency_ > 0 || frequency <= 0) return false;
  if (!subsystemUp_) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    subsystemUp_ = true;
  }
  SDL_AudioSpec want{};
  want.freq = frequency;
  want.format = AUDIO_F32SYS;
  want.channels = kOutputChannels;
  want.samples = kBufferFrames;
  want.callback = &GAudioMixer::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts our float stereo to whatever the hardware
  // takes, so the mixer has one fixed format.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemUp_ = false;
    return false;
  }
  frequency_ = frequency;
  stream_ = std::make_unique<GMusicStream>(frequency);
  stream_->StartWorker();
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

bool GAudioMixer::InitWithoutDevice(int frequency) {
  if (device_ || frequency_ > 0 || frequency <= 0) return false;
  frequency_ = frequency;
  stream_ = std::make_unique<GMusicStream>(frequency);
  return true;
}

void GAudioMixer::Free() {
  if (device_) {
    SDL_CloseAudioDevice(device_);  // waits for the audio thread to finish
    device_ = 0;
  }
  stream_.reset();  // waits for the music's worker to finish
  samples_.clear();
  if (subsystemUp_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemUp_ = false;
  }
  frequency_ = 0;
}

GAudioMixer::Handle GAudioMixer::NextHandle() {
  if (++lastHandle_ == 0) ++lastHandle_;
  return lastHandle_;
}

GAudioMixer::Handle GAudioMixer::SampleLoad(const void* data, size_t size, int maxVoices) {
  if (frequency_ <= 0 || !data || size == 0 || size > INT_MAX || maxVoices < 1) return 0;
  if (!RiffChunksFit(static_cast<const unsigned char*>(data), size)) return 0;

  SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
  if (!rw) return 0;
  SDL_AudioSpec spec{};
  Uint8* wav = nullptr;
  Uint32 wavBytes = 0;
  if (!SDL_LoadWAV_RW(rw, 1, &spec, &wav, &wavBytes)) return 0;

  auto sample = std::make_unique<Sample>();
  sample->sourceRate = spec.freq;
  sample->sourceFrameBytes = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
  Uint32 whole = sample->sourceFrameBytes > 0
                     ? wavBytes - wavBytes % static_cast<Uint32>(sample->sourceFrameBytes)
                     : 0;

  // One conversion of the whole sample into the mixer's format, resampling
  // included, so the audio thread never converts anything.
  bool converted = false;
  SDL_AudioCVT cvt;
  if (whole > 0 && SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_F32SYS,
                                     kOutputChannels, frequency_) >= 0) {
    // SDL converts in place and keeps its lengths in int.
    size_t room = static_cast<size_t>(whole) * static_cast<size_t>(std::max(cvt.len_mult, 1));
    if (room <= kLargestConversion) {
      std::vector<Uint8> work(room);
      std::copy(wav, wav + whole, work.begin());
      cvt.buf = work.data();
      cvt.len = static_cast<int>(whole);
      if (SDL_ConvertAudio(&cvt) == 0 && cvt.len_cvt > 0) {
        sample->frames = static_cast<size_t>(cvt.len_cvt) / (sizeof(float) * kOutputChannels);
        sample->pcm.resize(sample->frames * kOutputChannels);
        std::memcpy(sample->pcm.data(), work.data(), sample->pcm.size() * sizeof(float));
        converted = sample->frames > 0;
      }
    }
  }
  SDL_FreeWAV(wav);
  // A sample without a single frame would end before it began; refuse it.
  if (!converted) return 0;

  sample->voices.resize(static_cast<size_t>(maxVoices));
  sample->handle = NextHandle();
  Handle handle = sample->handle;
  Lock lock(device_);
  samples_.push_back(std::move(sample));
  return handle;
}

bool GAudioMixer::SampleFree(Handle sample) {
  if (sample == 0) return false;
  auto it = std::find_if(samples_.begin(), samples_.end(),
                         [sample](const auto& s) { return s->handle == sample; });
  if (it == samples_.end()) return false;
  std::unique_ptr<Sample> doomed;
  {
    Lock lock(device_);
    doomed = std::move(*it);
    samples_.erase(it);
  }
  return true;  // doomed is released outside the lock
}

GAudioMixer::Handle GAudioMixer::SampleGetChannel(Handle sample) {
  if (sample == 0) return 0;
  for (auto& s : samples_) {
    if (s->handle != sample) continue;
    // The audio thread clears playing when a voice ends, so look under the lock.
    Lock lock(device_);
    for (auto& voice : s->voices) {
      if (voice.playing) continue;
      voice = Voice{};
      voice.handle = NextHandle();
      return voice.handle;
    }
    return 0;
  }
  return 0;
}

GAudioMixer::Voice* GAudioMixer::FindVoice(Handle channel, const Sample** owner) const {
  if (channel == 0) return nullptr;
  for (const auto& s : samples_) {
    for (auto& voice : s->voices) {
      if (voice.handle != channel) continue;
      if (owner) *owner = s.get();
      return const_cast<Voice*>(&voice);
    }
  }
  return nullptr;
}

bool GAudioMixer::ChannelSetVolume(Handle channel, float volume) {
  Voice* voice = FindVoice(channel);
  if (!voice) return false;
  // NaN compares false both ways and ends at 0 too.
  volume = volume > 0.0f ? std::min(volume, 1.0f) : 0.0f;
  Lock lock(device_);
  voice->volume = volume;
  return true;
}

bool GAudioMixer::ChannelGetLoop(Handle channel, bool* loop) const {
  const Voice* voice = FindVoice(channel);
  if (!voice || !loop) return false;
  *loop = voice->loop;
  return true;
}

bool GAudioMixer::ChannelSetLoop(Handle channel, bool loop) {
  Voice* voice = FindVoice(channel);
  if (!voice) return false;
  Lock lock(device_);
  voice->loop = loop;
  return true;
}

bool GAudioMixer::ChannelPlay(Handle channel, bool restart) {
  const Sample* owner = nullptr;
  Voice* voice = FindVoice(channel, &owner);
  if (!voice) return false;
  Lock lock(device_);
  if (restart || voice->frame >= owner->frames) voice->frame = 0;
  voice->playing = true;
  return true;
}

bool GAudioMixer::ChannelStop(Handle channel) {
  Voice* voice = FindVoice(channel);
  if (!voice) return false;
  Lock lock(device_);
  voice->playing = false;
  return true;
}

GAudioMixer::Activity GAudioMixer::ChannelIsActive(Handle channel) const {
  const Voice* voice = FindVoice(channel);
  if (!voice) return Activity::Stopped;
  Lock lock(device_);
  return voice->playing ? Activity::Playing : Activity::Stopped;
}

int64_t GAudioMixer::ChannelGetPosition(Handle channel) const {
  const Sample* owner = nullptr;
  const Voice* voice = FindVoice(channel, &owner);
  if (!voice || frequency_ <= 0) return -1;
  size_t frame;
  {
    Lock lock(device_);
    frame = voice->frame;
  }
  // Map the output frame back to the file's own frames and bytes.
  int64_t sourceFrame = static_cast<int64_t>(frame) * owner->sourceRate / frequency_;
  return sourceFrame * owner->sourceFrameBytes;
}

void GAudioMixer::SetMasterVolume(float volume) {
  volume = volume > 0.0f ? std::min(volume, 1.0f) : 0.0f;
  Lock lock(device_);
  master_ = volume;
}

void GAudioMixer::MusicPlay(const char* path, MusicMode mode) {
  if (stream_) stream_->Play(path, mode);
}

void GAudioMixer::MusicStop() {
  if (stream_) stream_->Stop();
}

void GAudioMixer::StepMusic() {
  if (stream_ && !device_) stream_->Step();
}

bool GAudioMixer::IsMusicPlaying() const {
  return stream_ && stream_->IsPlaying();
}

void GAudioMixer::SetMusicVolume(float volume) {
  volume = volume > 0.0f ? std::min(volume, 1.0f) : 0.0f;
  Lock lock(device_);
  music_ = volume;
}

void GAudioMixer::SetMuted(bool muted) {
  Lock lock(device_);
  muted_ = muted;
}

GAudioMixer::Stats GAudioMixer::GetStats() const {
  Stats stats;
  stats.buffers = buffers_.load(std::memory_order_relaxed);
  stats.lateBuffers = lateBuffers_.load(std::memory_order_relaxed);
  stats.musicUnderruns = stream_ ? stream_->GetUnderruns() : 0;
  return stats;
}

void GAudioMixer::NoteBuffer(size_t frames) {
  buffers_.fetch_add(1, std::memory_order_relaxed);
  if (!device_ || frequency_ <= 0) return;
  const uint64_t now = SDL_GetPerformanceCounter();
  const uint64_t period =
      SDL_GetPerformanceFrequency() * frames / static_cast<uint64_t>(frequency_);
  if (lastBuffer_ && now - lastBuffer_ > 2 * period)
    lateBuffers_.fetch_add(1, std::memory_order_relaxed);
  lastBuffer_ = now;
}

void GAudioMixer::Mix(float* out, size_t frames) {
  std::fill(out, out + frames * kOutputChannels, 0.0f);
  for (auto& s : samples_) {
    for (auto& voice : s->voices) {
      if (!voice.playing) continue;
      size_t done = 0;
      while (done < frames && voice.playing) {
        size_t run = std::min(frames - done, s->frames - voice.frame);
        const float* src = s->pcm.data() + voice.frame * kOutputChannels;
        float* dst = out + done * kOutputChannels;
        for (size_t i = 0; i < run * kOutputChannels; ++i) dst[i] += src[i] * voice.volume;
        done += run;
        voice.frame += run;
        if (voice.frame >= s->frames) {
          if (voice.loop) {
            voice.frame = 0;
          } else {
            voice.playing = false;
          }
        }
      }
    }
  }
  const float effects = muted_ ? 0.0f : master_;
  for (size_t i = 0; i < frames * kOutputChannels; ++i) out[i] *= effects;
  if (stream_) stream_->Mix(out, frames, muted_ ? 0.0f : music_);
  for (size_t i = 0; i < frames * kOutputChannels; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void GAudioMixer::Callback(void* self, uint8_t* stream, int length) {
  if (!self || !stream || length <= 0) return;
  size_t frames = static_cast<size_t>(length) / (sizeof(float) * kOutputChannels);
  auto* mixer = static_cast<GAudioMixer*>(self);
  mixer->NoteBuffer(frames);
  mixer->Mix(reinterpret_cast<float*>(stream), frames);
}

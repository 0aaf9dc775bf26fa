#include "GUI/sound/GSound.h"

#include "GUI/foundation/MEM_DATA.h"

GSound* GSoundSample::sound = nullptr;
GSound* GSoundChannel::sound = nullptr;

namespace {

// Generations wrap within this mask, which keeps every index positive.
constexpr int kGenerationMask = 0x7FFF;

template <typename T>
T* SlotAt(const std::vector<std::unique_ptr<T>>& table, int index) {
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return nullptr;
  return table[static_cast<size_t>(index)].get();
}

}  // namespace

GSound::GSound() {
  GSoundSample::sound = this;
  GSoundChannel::sound = this;
}

GSound::~GSound() {
  Clear();
  if (GSoundSample::sound == this) GSoundSample::sound = nullptr;
  if (GSoundChannel::sound == this) GSoundChannel::sound = nullptr;
}

void GSound::Clear() {
  for (auto& channel : channels_) {
    if (channel) channel->Stop();
  }
  channels_.clear();
  generations_.clear();
  for (auto& sample : samples_) {
    if (sample) sample->Unload();
  }
  samples_.clear();
}

int GSound::LoadFromMemory(const MEM_DATA& file) {
  std::unique_ptr<GSoundSample> sample = NewSample();
  if (!sample || !sample->LoadFromMemory(file)) return -1;
  return AddSample(std::move(sample));
}

int GSound::AddSample(std::unique_ptr<GSoundSample> sample) {
  for (size_t i = 0; i < samples_.size(); ++i) {
    if (!samples_[i]) {
      samples_[i] = std::move(sample);
      return static_cast<int>(i);
    }
  }
  samples_.push_back(std::move(sample));
  return static_cast<int>(samples_.size() - 1);
}

bool GSound::Unload(int sample) {
  GSoundSample* loaded = SlotAt(samples_, sample);
  if (!loaded) return false;
  loaded->Unload();
  samples_[static_cast<size_t>(sample)].reset();
  return true;
}

GSoundSample* GSound::GetSample(int sample) const {
  return SlotAt(samples_, sample);
}

int GSound::Play(int sample, float volume, bool loop) {
  GSoundSample* loaded = SlotAt(samples_, sample);
  if (!loaded) return -1;
  return AddChannel(loaded->Play(loop, CalcVolume(volume)));
}

int GSound::Play(int sample, int volume, bool loop) {
  GSoundSample* loaded = SlotAt(samples_, sample);
  if (!loaded) return -1;
  return AddChannel(loaded->Play(loop, volume));
}

namespace {

int Percent(int volume) {
  return volume < 0 ? 0 : volume > 100 ? 100 : volume;
}

}  // namespace

void GSound::SetMasterVolume(int volume) {
  masterVolume_ = Percent(volume);
}

void GSound::PlayMusic(const char* path, MusicMode) {
  music_ = path ? path : "";
}

void GSound::StopMusic() {
  music_.clear();
}

void GSound::SetMusicVolume(int volume) {
  musicVolume_ = Percent(volume);
}

void GSound::SetMuted(bool muted) {
  muted_ = muted;
}

int GSound::AddChannel(std::unique_ptr<GSoundChannel> channel) {
  // Callers play sounds and never stop them, so a channel that has finished
  // gives up its slot here; otherwise the table would grow for ever. The new
  // occupant gets the next generation, so the finished channel's index dies.
  for (size_t i = 0; i < channels_.size(); ++i) {
    auto& slot = channels_[i];
    if (slot && slot->GetState() != -1) continue;
    if (slot) slot->Stop();
    slot = std::move(channel);
    generations_[i] = (generations_[i] + 1) & kGenerationMask;
    return static_cast<int>(i) + generations_[i] * kChannelSlots;
  }
  if (channels_.size() >= static_cast<size_t>(kChannelSlots)) {
    if (channel) channel->Stop();
    return -1;
  }
  channels_.push_back(std::move(channel));
  generations_.push_back(0);
  return static_cast<int>(channels_.size() - 1);
}

int GSound::ChannelSlot(int channel) const {
  if (channel < 0) return -1;
  const int slot = channel % kChannelSlots;
  if (static_cast<size_t>(slot) >= channels_.size() || !channels_[slot] ||
      generations_[slot] != channel / kChannelSlots)
    return -1;
  return slot;
}

bool GSound::Stop(int channel) {
  const int slot = ChannelSlot(channel);
  if (slot < 0) return false;
  channels_[slot]->Stop();
  channels_[slot].reset();
  return true;
}

GSoundChannel* GSound::GetChannel(int channel) const {
  const int slot = ChannelSlot(channel);
  return slot < 0 ? nullptr : channels_[slot].get();
}

bool GSound::SetVolume(int channel, float volume) {
  GSoundChannel* playing = GetChannel(channel);
  if (!playing) return false;
  playing->SetVolume(volume);
  return true;
}

bool GSound::SetVolume(int channel, int volume) {
  GSoundChannel* playing = GetChannel(channel);
  if (!playing) return false;
  playing->SetVolume(volume);
  return true;
}

bool GSound::SetMaxPriority(int channel) {
  GSoundChannel* playing = GetChannel(channel);
  if (!playing) return false;
  playing->SetMaxPriority();
  return true;
}

int GSound::GetState(int channel) const {
  GSoundChannel* playing = GetChannel(channel);
  return playing ? playing->GetState() : -1;
}

int64_t GSound::GetPosition(int channel) const {
  GSoundChannel* playing = GetChannel(channel);
  return playing ? playing->GetPosition() : -1;
}

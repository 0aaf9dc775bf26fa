#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "GUI/sound/MusicMode.h"

struct MEM_DATA;
class GSound;
class GSoundChannel;

// One loaded sound, able to play itself on new channels. Made by
// GSound::NewSample and owned by the sound object's sample table.
class GSoundSample {
 public:
  GSoundSample() = default;
  GSoundSample(const GSoundSample&) = delete;
  GSoundSample& operator=(const GSoundSample&) = delete;
  virtual ~GSoundSample() = default;

  // GSound::LoadFromMemory calls this once on a fresh sample with the whole
  // sound file; true when the sample can now play.
  virtual bool LoadFromMemory(const MEM_DATA& file) = 0;
  // GSound::Unload and the sound object's destructor call this before
  // deleting the sample.
  virtual void Unload() = 0;
  // GSound::Play calls this to start one playback from the beginning at a
  // volume of 0..100; null when no voice is free.
  virtual std::unique_ptr<GSoundChannel> Play(bool loop, int volume) = 0;

  // The sound object while it exists.
  static GSound* sound;
};

// One playback of a sample. Owned by the sound object's channel table.
class GSoundChannel {
 public:
  GSoundChannel() = default;
  GSoundChannel(const GSoundChannel&) = delete;
  GSoundChannel& operator=(const GSoundChannel&) = delete;
  virtual ~GSoundChannel() = default;

  // GSound::Stop and the sound object's destructor call this before deleting
  // the channel.
  virtual void Stop() = 0;
  // Loudness from 0..1; GSound::SetVolume forwards here.
  virtual void SetVolume(float volume) = 0;
  // Loudness from 0..100; GSound::SetVolume forwards here.
  virtual void SetVolume(int volume) = 0;
  // GSound::SetMaxPriority forwards here: keep this channel when voices run out.
  virtual void SetMaxPriority() = 0;
  // 0 playing, 1 paused, -1 stopped, finished or gone; GSound asks it to tell
  // finished channels whose slots it may reuse.
  virtual int GetState() = 0;
  // The playing position in bytes of the sound file's data, -1 when unknown.
  virtual int64_t GetPosition() = 0;

  // The sound object while it exists.
  static GSound* sound;
};

// The application's sound object: a table of loaded samples and a table of
// playing channels, both addressed by indices. Emptied slots are reused before
// the tables grow. A sample index is its slot. A channel index also carries
// the generation of the slot's occupant (slot + generation * kChannelSlots),
// so an index kept after its channel was stopped or gave up its slot to a
// newer sound names nothing: every call with it fails instead of reaching the
// newer sound. The first channel of every slot has generation 0, so the first
// plays get 0, 1, 2, ...
class GSound {
 public:
  // The most channel slots the table holds; also the step between the
  // generations in a channel index.
  static constexpr int kChannelSlots = 1 << 16;

  GSound();
  GSound(const GSound&) = delete;
  GSound& operator=(const GSound&) = delete;
  // Stops and deletes every channel, then unloads and deletes every sample.
  virtual ~GSound();

  // LoadFromMemory calls this for a fresh sample of the concrete kind.
  virtual std::unique_ptr<GSoundSample> NewSample() = 0;
  // Play with a 0..1 volume calls this to turn it into 0..100.
  virtual int CalcVolume(float volume) = 0;

  // Loads a whole sound file into a new sample; its index, or -1.
  int LoadFromMemory(const MEM_DATA& file);
  int AddSample(std::unique_ptr<GSoundSample> sample);
  bool Unload(int sample);
  GSoundSample* GetSample(int sample) const;
  int GetSampleCount() const { return static_cast<int>(samples_.size()); }

  // Starts the sample once; the index of its channel, or -1 for an invalid
  // sample. When no voice is free the returned index names an empty slot.
  int Play(int sample, float volume, bool loop);
  int Play(int sample, int volume, bool loop);
  // Puts the channel into the first empty slot, or the first whose channel
  // has finished (stopping it), else a new slot; its index, or -1 when all
  // kChannelSlots slots hold playing channels.
  int AddChannel(std::unique_ptr<GSoundChannel> channel);
  bool Stop(int channel);
  GSoundChannel* GetChannel(int channel) const;
  // The number of channel slots.
  int GetChannelCount() const { return static_cast<int>(channels_.size()); }

  bool SetVolume(int channel, float volume);
  bool SetVolume(int channel, int volume);
  // The loudness of the sound effects (the samples' channels), 0..100
  // (clamped to it), over each channel's own volume: 100 leaves every channel
  // as it is, 0 is silence. It reaches what is playing at once, and playback
  // runs on. The base keeps the value; a variant also hands it to its output.
  virtual void SetMasterVolume(int volume);
  int GetMasterVolume() const { return masterVolume_; }

  // Music, one piece at a time, streamed from an Ogg Vorbis file while it
  // plays: looping without a seam, or once (a jingle). A change of piece
  // fades the one before out over half a second; a jingle is never cut short
  // by another piece, which begins when it ends; asking for the piece asked
  // for last does nothing. A missing or damaged file means silence and one
  // line in the error log. The base keeps the path; a variant also plays it.
  virtual void PlayMusic(const char* path, MusicMode mode);
  // Fades the music out, a jingle too.
  virtual void StopMusic();
  // The file of the piece asked for last; empty before the first and after StopMusic.
  const std::string& GetMusic() const { return music_; }
  // The music's own loudness, 0..100 (clamped), independent of the effects'.
  // The base keeps the value; a variant also hands it to its output.
  virtual void SetMusicVolume(int volume);
  int GetMusicVolume() const { return musicVolume_; }
  // Silences the effects and the music together, keeping both volumes; the
  // output keeps getting (silent) sound rather than none. The base keeps the
  // value; a variant also hands it to its output.
  virtual void SetMuted(bool muted);
  bool IsMuted() const { return muted_; }
  bool SetMaxPriority(int channel);
  int GetState(int channel) const;
  int64_t GetPosition(int channel) const;

 protected:
  // Empties both tables as the destructor does; a variant calls it before
  // shutting down the library its samples and channels live in.
  void Clear();

 private:
  // The slot a live channel index names, or -1.
  int ChannelSlot(int channel) const;

  std::vector<std::unique_ptr<GSoundSample>> samples_;
  std::vector<std::unique_ptr<GSoundChannel>> channels_;
  // The generation of each channel slot's latest occupant.
  std::vector<int> generations_;
  int masterVolume_ = 100;
  std::string music_;
  int musicVolume_ = 100;
  bool muted_ = false;
};

#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "GUI/sound/MusicMode.h"

class GMusicStream;

// A small software mixer on the default audio output device.
//
// Sound files are decoded once, when loaded, into the mixer's own format
// (32-bit float stereo at the output rate); playback then only adds scaled
// frames together on the device's audio thread. A loaded sample owns a fixed
// number of voices, so it can sound at most that many times at once; a
// channel is one voice while it is handed out, named by a handle.
//
// Handles are never reused: once a voice is handed out again, or its sample is
// freed, the old channel handle names nothing and every call on it fails. This
// keeps a caller holding a stale handle from touching someone else's playback.
//
// Every call comes from one thread (the caller's); the mixing runs on the
// device's thread under the device lock. Without an open device every call
// fails quietly: loads return 0, queries report nothing playing. A mixer set
// up with InitWithoutDevice works the same but has no audio thread: its owner
// mixes by calling Callback, on its own thread.
//
// Beside the samples' voices it plays music, one piece at a time, streamed
// from its file by GMusicStream (a worker thread of its own reads and
// decodes; the audio thread only copies what is ready).
class GAudioMixer {
 public:
  using Handle = uint32_t;  // 0 names nothing

  enum class Activity { Stopped, Playing };

  GAudioMixer();
  ~GAudioMixer();
  GAudioMixer(const GAudioMixer&) = delete;
  GAudioMixer& operator=(const GAudioMixer&) = delete;

  // Opens the default output device at the given rate and starts mixing.
  // False when there is no usable device (or one is open already).
  bool Init(int frequency);
  // Sets the mixer up at the given rate with no output device: samples load
  // and channels play as with a device, and nothing is mixed until the owner
  // calls Callback. False when the mixer is set up already.
  bool InitWithoutDevice(int frequency);
  // Frees every sample and closes the device.
  void Free();
  // Whether an output device is open.
  bool IsReady() const { return device_ != 0; }
  int GetFrequency() const { return frequency_; }

  // Decodes a WAV image (any PCM or float layout the decoder knows). Returns
  // the sample's handle, or 0 for no device, refused or empty data.
  Handle SampleLoad(const void* data, size_t size, int maxVoices);
  // Stops the sample's channels and forgets it; its channel handles die.
  bool SampleFree(Handle sample);
  // Hands out a voice that is not playing, under a new handle with volume 1
  // and no looping; 0 when every voice is busy.
  Handle SampleGetChannel(Handle sample);

  bool ChannelSetVolume(Handle channel, float volume);
  bool ChannelGetLoop(Handle channel, bool* loop) const;
  bool ChannelSetLoop(Handle channel, bool loop);
  // Starts the channel; with restart it starts from the first frame, otherwise
  // it continues where it stopped.
  bool ChannelPlay(Handle channel, bool restart);
  bool ChannelStop(Handle channel);
  Activity ChannelIsActive(Handle channel) const;
  // The playing position in bytes of the sample as its file stored it, or -1.
  int64_t ChannelGetPosition(Handle channel) const;

  // Scales the samples' channels once they are summed: 1 leaves them as
  // they are, 0 turns them to silence. Clamped to 0..1; NaN is 0. Works
  // without a device too, as do the music's settings below.
  void SetMasterVolume(float volume);
  float GetMasterVolume() const { return master_; }

  // The music (see GMusicStream): plays the Ogg Vorbis file at path, stops
  // with a fade. Without a device there is no worker to read the file
  // either: the owner lets the music read on by calling StepMusic.
  void MusicPlay(const char* path, MusicMode mode);
  void MusicStop();
  void StepMusic();
  // Whether a piece is playing, fading or about to start.
  bool IsMusicPlaying() const;
  // Scales the music, 0..1 as the master volume; a change glides over one buffer.
  void SetMusicVolume(float volume);
  float GetMusicVolume() const { return music_; }
  // Silences the samples and the music together, while the device is still
  // sent silence buffer by buffer and the music moves on.
  void SetMuted(bool muted);
  bool IsMuted() const { return muted_; }

  // What the audio thread has met so far: the buffers it filled, those it was
  // asked for later than two buffers' time after the one before (the device
  // likely ran dry meanwhile), and the buffers in which the music had fewer
  // frames ready than it needed.
  struct Stats {
    uint64_t buffers = 0;
    uint64_t lateBuffers = 0;
    uint64_t musicUnderruns = 0;
  };
  Stats GetStats() const;

  // The device's audio thread calls this for every buffer it plays: fills
  // length bytes of interleaved float stereo with the sum of the playing
  // channels, each scaled by its volume, clamped to -1..1 (the limits of
  // 16-bit output), and moves the channels on. A mixer without a device is
  // driven by calling it directly.
  static void Callback(void* self, uint8_t* stream, int length);

 private:
  struct Voice;
  struct Sample;
  class Lock;

  Voice* FindVoice(Handle channel, const Sample** owner = nullptr) const;
  Handle NextHandle();
  void Mix(float* out, size_t frames);

  void NoteBuffer(size_t frames);

  uint32_t device_ = 0;  // the output device id, 0 while closed
  bool subsystemUp_ = false;
  int frequency_ = 0;
  Handle lastHandle_ = 0;
  // Written under the device lock, read by Mix.
  float master_ = 1.0f;
  float music_ = 1.0f;
  bool muted_ = false;
  std::vector<std::unique_ptr<Sample>> samples_;
  // Made by Init or InitWithoutDevice, gone with Free.
  std::unique_ptr<GMusicStream> stream_;
  // The audio thread's counts, and when it was last asked for a buffer.
  std::atomic<uint64_t> buffers_{0};
  std::atomic<uint64_t> lateBuffers_{0};
  uint64_t lastBuffer_ = 0;
};

#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "GUI/sound/MusicMode.h"

class GMusicDecoder;

// The music voice of the audio mixer: one piece at a time, read from its Ogg
// Vorbis file while it plays. A worker thread opens the file and decodes it a
// few thousand frames at a time into a ring about three quarters of a second
// long; the audio thread only copies frames out of the ring. It never waits
// for the worker, never touches a file and never allocates: when the ring
// runs dry it plays silence for the frames missing and counts an underrun.
//
// A change of piece fades the one playing out over half a second before the
// next one starts from its first frame, except that a piece played once (a
// jingle) is never cut short by another: what is asked for meanwhile begins
// when it ends. Stop fades out whatever plays, jingles included. Asking for
// the piece asked for last does nothing, so scenes that share a piece can
// each ask for it. A missing or damaged file plays as silence, with one line
// in the error log the first time it is asked for.
//
// Threads: Play, Stop, StartWorker and Step come from the owner's thread, Mix
// from the audio thread, or from the owner's when there is no worker. The
// owner and the worker meet under a mutex; the worker and the audio thread
// only through atomics.
class GMusicStream {
 public:
  static constexpr int kFadeMilliseconds = 500;

  // Plays at rate frames a second; files at another rate are refused.
  explicit GMusicStream(int rate);
  // Stops the worker, waiting for it to finish what it is reading.
  ~GMusicStream();
  GMusicStream(const GMusicStream&) = delete;
  GMusicStream& operator=(const GMusicStream&) = delete;

  // Starts the worker thread. Without one, nothing is read until the owner
  // calls Step.
  void StartWorker();
  void Play(const char* path, MusicMode mode);
  void Stop();
  // One round of the worker's job: the change of piece asked for (once the
  // piece before has faded or ended) and filling the ring. For owners
  // without a worker; must not be called once the worker runs.
  void Step();

  // Adds frames frames of the music to out (interleaved stereo), scaled by a
  // gain that moves evenly from the last call's to this one over the buffer,
  // so a change of volume makes no click. Silence still moves the music on.
  void Mix(float* out, size_t frames, float gain);

  // Whether a piece is playing, fading or about to start.
  bool IsPlaying() const;
  // How often the ring ran dry while a piece played.
  uint64_t GetUnderruns() const { return underruns_.load(std::memory_order_relaxed); }

 private:
  enum State : int { kIdle, kPlaying, kFading };
  struct Request {
    std::string path;  // empty: silence
    MusicMode mode = MusicMode::Loop;
    uint64_t serial = 0;
  };

  void Ask(Request request);
  void Run();
  // Worker: starts the piece asked for, the ring being the worker's alone.
  void Switch(const Request& next);
  // Worker: decodes into the free part of the ring.
  void Fill();
  // Worker: how long it may sleep before the ring needs filling.
  std::chrono::milliseconds Pause() const;
  void Report(const std::string& fault);

  const int rate_;
  const size_t capacity_;  // frames of the ring
  const int64_t fadeFrames_;
  std::unique_ptr<float[]> ring_;

  // Owner and worker, under lock_.
  std::mutex lock_;
  std::condition_variable wake_;
  Request wanted_;
  bool asked_ = false;
  bool quit_ = false;
  std::thread worker_;

  // The worker's own.
  Request current_;
  std::unique_ptr<GMusicDecoder> decoder_;
  std::set<std::string> faulty_;  // files reported once already
  bool changing_ = false;         // a change waits for a fade or a jingle to end

  // Worker and audio thread. The ring holds frames [read_, written_), each
  // counter only growing, except that the worker starts both again at 0
  // while the audio thread leaves the ring alone (kIdle).
  std::atomic<int> state_{kIdle};
  std::atomic<uint64_t> written_{0};
  std::atomic<uint64_t> read_{0};
  // Set once the last frame of a piece (or all a damaged file gave) is in the ring.
  std::atomic<bool> ended_{false};
  std::atomic<uint64_t> underruns_{0};

  // The audio thread's own.
  float gain_ = -1.0f;     // the gain of the last buffer; -1 before the first
  int64_t fadeLeft_ = -1;  // frames of the fade still to play; -1 without one
};

#include "GUI/sound/GMusicStream.h"

#include <algorithm>

#include "GUI/foundation/FileError.h"
#include "GUI/sound/GMusicDecoder.h"

namespace {

// About three quarters of a second at 44100 Hz: the worker refills it when
// half has played, so the audio thread has a third of a second in hand even
// when the worker wakes late.
constexpr size_t kRingFrames = 32768;
// The most frames decoded at once, so a change asked for meanwhile waits little.
constexpr size_t kChunkFrames = 4096;
// While a fade or a jingle runs out, the worker looks again this often.
constexpr std::chrono::milliseconds kChangePoll{10};

}  // namespace

GMusicStream::GMusicStream(int rate)
    : rate_(rate > 0 ? rate : 1),
      capacity_(kRingFrames),
      fadeFrames_(std::max<int64_t>(1, int64_t{rate_} * kFadeMilliseconds / 1000)),
      ring_(std::make_unique<float[]>(2 * kRingFrames)) {}

GMusicStream::~GMusicStream() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    quit_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void GMusicStream::StartWorker() {
  if (!worker_.joinable()) worker_ = std::thread([this] { Run(); });
}

void GMusicStream::Play(const char* path, MusicMode mode) {
  Ask({path ? path : "", mode});
}

void GMusicStream::Stop() {
  Ask({});
}

void GMusicStream::Ask(Request request) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (request.path == wanted_.path && (request.path.empty() || request.mode == wanted_.mode))
      return;
    request.serial = wanted_.serial + 1;
    wanted_ = std::move(request);
    asked_ = true;
  }
  wake_.notify_one();
}

bool GMusicStream::IsPlaying() const {
  return state_.load(std::memory_order_acquire) != kIdle;
}

void GMusicStream::Run() {
  std::unique_lock<std::mutex> hold(lock_);
  while (!quit_) {
    asked_ = false;
    hold.unlock();
    Step();
    const std::chrono::milliseconds pause = Pause();
    hold.lock();
    if (pause.count() > 0)
      wake_.wait_for(hold, pause, [this] { return quit_ || asked_; });
    else
      wake_.wait(hold, [this] { return quit_ || asked_; });
  }
}

std::chrono::milliseconds GMusicStream::Pause() const {
  if (changing_) return kChangePoll;
  if (!decoder_) return std::chrono::milliseconds(0);  // nothing to do until asked
  // Sleep until half the ring has played.
  const uint64_t filled =
      written_.load(std::memory_order_relaxed) - read_.load(std::memory_order_acquire);
  const uint64_t half = capacity_ / 2;
  const int64_t ms = filled > half ? static_cast<int64_t>((filled - half) * 1000 / rate_) : 0;
  return std::chrono::milliseconds(std::max<int64_t>(ms, kChangePoll.count()));
}

void GMusicStream::Step() {
  Request wanted;
  {
    std::lock_guard<std::mutex> hold(lock_);
    wanted = wanted_;
  }
  changing_ = wanted.serial != current_.serial;
  if (changing_) {
    int state = state_.load(std::memory_order_acquire);
    const bool jingle = current_.mode == MusicMode::Once && !wanted.path.empty();
    if (state == kPlaying && !jingle) state_.compare_exchange_strong(state, kFading);
    if (state_.load(std::memory_order_acquire) == kIdle) {
      Switch(wanted);
      changing_ = false;
      return;
    }
  }
  Fill();
}

void GMusicStream::Switch(const Request& next) {
  decoder_.reset();
  written_.store(0, std::memory_order_relaxed);
  read_.store(0, std::memory_order_relaxed);
  ended_.store(false, std::memory_order_relaxed);
  current_ = next;
  if (next.path.empty() || faulty_.count(next.path)) return;
  auto decoder = std::make_unique<GMusicDecoder>();
  if (decoder->Open(next.path.c_str(), rate_) != GMusicDecoder::OpenResult::Ok) {
    Report(decoder->GetFault());
    return;
  }
  decoder_ = std::move(decoder);
  Fill();
  // The audio thread takes the ring over with the frames already in it.
  state_.store(kPlaying, std::memory_order_release);
}

void GMusicStream::Fill() {
  if (!decoder_) return;
  uint64_t written = written_.load(std::memory_order_relaxed);
  const uint64_t read = read_.load(std::memory_order_acquire);
  size_t space = capacity_ - static_cast<size_t>(written - read);
  while (space > 0) {
    const size_t at = static_cast<size_t>(written % capacity_);
    const size_t run = std::min({space, capacity_ - at, kChunkFrames});
    const size_t got = decoder_->Read(ring_.get() + 2 * at, run, current_.mode == MusicMode::Loop);
    written += got;
    space -= got;
    written_.store(written, std::memory_order_release);
    if (got < run) {
      if (decoder_->IsDamaged()) Report(decoder_->GetFault());
      decoder_.reset();
      ended_.store(true, std::memory_order_release);
      return;
    }
  }
}

void GMusicStream::Report(const std::string& fault) {
  if (!faulty_.insert(current_.path).second) return;
  ReportError(("the music file " + current_.path + " " + fault + "; it is not played").c_str());
}

void GMusicStream::Mix(float* out, size_t frames, float gain) {
  const int state = state_.load(std::memory_order_acquire);
  const float from = gain_ < 0.0f ? gain : gain_;
  gain_ = gain;
  if (state == kIdle || frames == 0) {
    fadeLeft_ = -1;
    return;
  }
  // Ended is read before written, so a piece seen to have ended has all its
  // frames counted in written.
  const bool ended = ended_.load(std::memory_order_acquire);
  const uint64_t read = read_.load(std::memory_order_relaxed);
  const uint64_t written = written_.load(std::memory_order_acquire);
  const size_t n = static_cast<size_t>(std::min<uint64_t>(frames, written - read));
  if (state == kFading && fadeLeft_ < 0) fadeLeft_ = fadeFrames_;
  const float step = (gain - from) / static_cast<float>(frames);
  const float* ring = ring_.get();
  for (size_t i = 0; i < n; ++i) {
    float g = from + step * static_cast<float>(i + 1);
    if (fadeLeft_ >= 0)
      g *= static_cast<float>(std::max<int64_t>(fadeLeft_ - static_cast<int64_t>(i), 0)) /
           static_cast<float>(fadeFrames_);
    const size_t at = static_cast<size_t>((read + i) % capacity_);
    out[2 * i] += ring[2 * at] * g;
    out[2 * i + 1] += ring[2 * at + 1] * g;
  }
  read_.store(read + n, std::memory_order_release);
  int now = state;
  if (fadeLeft_ >= 0) {
    fadeLeft_ -= static_cast<int64_t>(frames);
    if (fadeLeft_ <= 0) {
      fadeLeft_ = -1;
      state_.compare_exchange_strong(now, kIdle, std::memory_order_acq_rel);
      return;
    }
  }
  if (n < frames) {
    if (ended)
      state_.compare_exchange_strong(now, kIdle, std::memory_order_acq_rel);
    else
      underruns_.fetch_add(1, std::memory_order_relaxed);
  }
}

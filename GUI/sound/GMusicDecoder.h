#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "GUI/sound/VorbisMemory.h"

struct stb_vorbis;

// Reads one Ogg Vorbis file a frame at a time into interleaved float stereo,
// so a piece of music is never held whole in memory: the file stays open and
// only the decoder's tables (some hundred kilobytes) and the frame being read
// are kept. A mono file plays on both sides.
//
// A piece made to loop names its loop in two comments, LOOPSTART (the frame
// the loop begins with) and LOOPLENGTH (its frames). Before the loop the file
// holds the loop's last frames and after it its first ones, which are never
// played: they only give the encoder the sound on either side of the loop
// point, so the frames there decode as smoothly as anywhere else and the
// loop has no seam. Reading starts at LOOPSTART and goes back to it after
// LOOPLENGTH frames. A file without them plays whole, and loops whole.
//
// Open checks the whole file first, page by page (each page's checksum, the
// pages' order, one stream from its first page to its last), so a file that
// is truncated or has a damaged byte anywhere is refused before a single frame
// plays, rather than found out in the middle of the music.
//
// Not thread-safe; one thread at a time may use a decoder.
class GMusicDecoder {
 public:
  enum class OpenResult { Ok, Missing, Damaged };

  GMusicDecoder();
  ~GMusicDecoder();
  GMusicDecoder(const GMusicDecoder&) = delete;
  GMusicDecoder& operator=(const GMusicDecoder&) = delete;

  // Opens the file at path for playing at the given frame rate; a file at
  // another rate, or with more than two channels, is refused as damaged.
  // GetFault tells why a file was refused.
  OpenResult Open(const char* path, int rate);
  void Close();
  bool IsOpen() const { return vorbis_ != nullptr; }

  // Writes up to frames frames of interleaved stereo into out and returns how
  // many it wrote. At the end of the piece (of its loop) it goes on from the
  // first frame (of the loop) when looping. Fewer frames than
  // asked come back only at the end of a piece read once (IsFinished) or when
  // the file cannot be decoded (IsDamaged, with GetFault); either way the
  // decoder is closed.
  size_t Read(float* out, size_t frames, bool loop);
  bool IsFinished() const { return finished_; }
  bool IsDamaged() const { return damaged_; }
  const std::string& GetFault() const { return fault_; }
  // The frames of one pass through the piece: its loop, or the whole file
  // as its last page counts it.
  int64_t GetLength() const { return loopEnd_ - loopStart_; }

  // The checksum of one Ogg page (header, segment table and data; its own
  // checksum field counts as zero).
  static uint32_t PageChecksum(const unsigned char* page, size_t bytes);

 private:
  bool Fail(const std::string& why);
  // Reads the loop's comments; false when they are there but do not fit.
  bool FindLoop(int64_t fileFrames);
  // Makes the next decoded frame current; false at the end of the file or
  // when it cannot be decoded (then the decoder is closed as damaged).
  bool NextFrame();
  // Goes back to the start of the loop (or the file) and skips to it.
  bool Rewind();
  // At the end of a pass: rewinds when looping, else finishes.
  bool EndPass(bool loop);

  stb_vorbis* vorbis_ = nullptr;
  // What the decoder library holds for this file.
  VorbisMemory memory_;
  int channels_ = 0;
  // What plays: frames [loopStart_, loopEnd_) of the file.
  int64_t loopStart_ = 0;
  int64_t loopEnd_ = 0;
  // The file's frame the next one read is.
  int64_t position_ = 0;
  // The frame the decoder handed out last (one array per channel), and how
  // far it has been read.
  float** frame_ = nullptr;
  size_t frameFrames_ = 0;
  size_t frameRead_ = 0;
  bool finished_ = false;
  bool damaged_ = false;
  std::string fault_;
};

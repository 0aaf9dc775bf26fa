#pragma once

#include <cstddef>
#include <vector>

#include "tools/music/Score.h"

namespace music {

// Rendered music: interleaved stereo in -1..1 and, for a piece that loops,
// where its loop lies.
struct Audio {
  std::vector<double> samples;
  size_t frames() const { return samples.size() / 2; }
  size_t loopStart = 0;
  size_t loopLength = 0;  // 0 for a piece played once
};

// Plays the score's notes on its voices at rate frames a second, with an
// echo and a room for the voices that send to them. A looping piece comes
// back as one pass of its loop with `margin` frames of what plays before
// and after the loop point on either side: the end of the loop (its notes
// still sounding, the room still ringing) before it, the start after it. So
// the loop is cut from the middle of a piece played over and over, and its
// two ends join without a seam. A piece played once comes whole, ringing on
// for its tail. The same score always gives the same samples.
Audio Render(const Score& score, int rate, size_t margin);

}  // namespace music

#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "tools/music/Math.h"

// How loud a piece sounds, as broadcasters measure it: the mean square of
// both sides, weighted as the ear hears (a shelf lifting the highs by 4 dB
// and a cut of the lowest bass), over 400 ms blocks a quarter apart, leaving
// out near silence and the blocks 10 dB quieter than the rest; in LUFS (dB
// of full scale). Used to make the pieces equally loud, and to check that
// they are.
namespace music {

// Interleaved stereo of float or double samples.
template <class Sample>
double Loudness(const Sample* stereo, size_t frames, int rate) {
  // The two weighting filters, as biquads for this rate.
  struct Biquad {
    double b0, b1, b2, a1, a2, z1 = 0, z2 = 0;
    double Run(double x) {
      const double y = b0 * x + z1;
      z1 = b1 * x - a1 * y + z2;
      z2 = b2 * x - a2 * y;
      return y;
    }
  };
  double k = Tan(kPi * 1681.974450955533 / rate), q = 0.7071752369554196;
  const double vh = FromDecibels(3.999843853973347), vb = Exp(0.4996667741545416 * Log(vh));
  double a0 = 1.0 + k / q + k * k;
  const Biquad shelf{(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0,
                     (vh - vb * k / q + k * k) / a0, 2.0 * (k * k - 1.0) / a0,
                     (1.0 - k / q + k * k) / a0};
  k = Tan(kPi * 38.13547087602444 / rate);
  q = 0.5003270373238773;
  a0 = 1.0 + k / q + k * k;
  const Biquad cut{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
  Biquad filters[2][2] = {{shelf, cut}, {shelf, cut}};

  // Mean squares of 100 ms quarters; a block is four of them in a row.
  const size_t quarter = static_cast<size_t>(rate) / 10;
  std::vector<double> quarters;
  double sum = 0;
  for (size_t f = 0; f < frames; ++f) {
    for (int side = 0; side < 2; ++side) {
      const double y = filters[side][1].Run(filters[side][0].Run(stereo[2 * f + side]));
      sum += y * y;
    }
    if ((f + 1) % quarter == 0) {
      quarters.push_back(sum / static_cast<double>(quarter));
      sum = 0;
    }
  }
  std::vector<double> blocks;
  for (size_t i = 3; i < quarters.size(); ++i)
    blocks.push_back((quarters[i - 3] + quarters[i - 2] + quarters[i - 1] + quarters[i]) / 4);
  auto lufs = [](double power) { return -0.691 + 10.0 * Log(power) / 2.302585092994046; };
  auto gated = [&](double below) {
    double total = 0;
    size_t n = 0;
    for (double b : blocks)
      if (b > 0 && lufs(b) > below) total += b, ++n;
    return n ? total / static_cast<double>(n) : 0.0;
  };
  const double loud = gated(-70.0);
  if (loud <= 0) return -200.0;
  const double relative = gated(lufs(loud) - 10.0);
  return relative > 0 ? lufs(relative) : -200.0;
}

// The largest magnitude of any sample, in dB of full scale.
template <class Sample>
double PeakDecibels(const Sample* stereo, size_t frames) {
  double peak = 0;
  for (size_t i = 0; i < 2 * frames; ++i) peak = std::max(peak, std::fabs(double{stereo[i]}));
  return peak > 0 ? Decibels(peak) : -200.0;
}

}  // namespace music

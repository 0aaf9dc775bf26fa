#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// The bytes of a 16-bit PCM WAV file (its plain 44-byte header) holding the
// interleaved samples, each times scale, clamped to -1..1 and rounded.
inline std::vector<uint8_t> Pcm16Wav(int channels, int rate, const std::vector<double>& samples,
                                     double scale = 1.0) {
  std::vector<uint8_t> bytes;
  auto put = [&bytes](uint32_t v, int count) {
    for (int i = 0; i < count; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
  };
  const uint32_t dataSize = uint32_t(samples.size() * 2);
  bytes.insert(bytes.end(), {'R', 'I', 'F', 'F'});
  put(36 + dataSize, 4);
  bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put(16, 4);
  put(1, 2);  // PCM
  put(uint32_t(channels), 2);
  put(uint32_t(rate), 4);
  put(uint32_t(rate * channels * 2), 4);
  put(uint32_t(channels * 2), 2);
  put(16, 2);
  bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
  put(dataSize, 4);
  for (double v : samples) {
    const long q = std::lround(std::clamp(v * scale, -1.0, 1.0) * 32767.0);
    put(uint32_t(int32_t(q)), 2);
  }
  return bytes;
}

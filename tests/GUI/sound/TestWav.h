#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds a PCM WAV file image in memory: the samples are raw little-endian
// bytes laid out as the file stores them.
inline std::vector<unsigned char> MakeWav(int channels, int rate, int bits,
                                          const std::vector<unsigned char>& data) {
  std::vector<unsigned char> out;
  out.reserve(44 + data.size());
  auto tag = [&](const char* t) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(t[i]));
  };
  auto u32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  auto u16 = [&](uint32_t v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
  };
  uint32_t blockAlign = static_cast<uint32_t>(channels * bits / 8);
  tag("RIFF");
  u32(static_cast<uint32_t>(36 + data.size()));
  tag("WAVE");
  tag("fmt ");
  u32(16);
  u16(1);  // PCM
  u16(static_cast<uint32_t>(channels));
  u32(static_cast<uint32_t>(rate));
  u32(static_cast<uint32_t>(rate) * blockAlign);
  u16(blockAlign);
  u16(static_cast<uint32_t>(bits));
  tag("data");
  u32(static_cast<uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

// 16-bit stereo at 44100 Hz where every sample holds the same value.
inline std::vector<unsigned char> MakeConstantWav(int frames, int16_t value) {
  std::vector<unsigned char> data;
  for (int i = 0; i < frames * 2; ++i) {
    data.push_back(static_cast<unsigned char>(value & 0xFF));
    data.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
  }
  return MakeWav(2, 44100, 16, data);
}

#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Stored forms and file images as raw bytes. Integers in them are
// little-endian, lowest byte first.
using Bytes = std::vector<unsigned char>;

// Builds a file image piece by piece.
struct ByteBuilder {
  // The low `width` bytes of value.
  ByteBuilder& Little(uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes += static_cast<char>(value >> (8 * i));
    return *this;
  }
  ByteBuilder& Int(int32_t v) { return Little(static_cast<uint32_t>(v), 4); }
  ByteBuilder& Short(int v) { return Little(static_cast<uint32_t>(v), 2); }
  // A name as its 32-bit length and its bytes.
  ByteBuilder& Name(const std::string& name) {
    return Int(static_cast<int32_t>(name.size())).Raw(name);
  }
  ByteBuilder& Raw(std::string_view raw) { return bytes += raw, *this; }
  Bytes Vector() const { return Bytes(bytes.begin(), bytes.end()); }

  std::string bytes;
};

// 32-bit words in their stored form.
inline Bytes Words(std::initializer_list<int> values) {
  ByteBuilder words;
  for (int v : values) words.Int(v);
  return words.Vector();
}

// A copy of the bytes, string or vector, with a 32-bit value stored at offset
// `at`; what would fall past the end is dropped.
template <class Buffer>
Buffer Patched(Buffer bytes, size_t at, int32_t value) {
  const std::string word = ByteBuilder().Int(value).bytes;
  for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i)
    bytes[at + i] = static_cast<typename Buffer::value_type>(word[i]);
  return bytes;
}

// n bytes that differ from offset to offset and, by seed, from file to file.
inline std::string Pattern(size_t n, int seed) {
  std::string bytes(n, 0);
  for (size_t i = 0; i < n; ++i)
    bytes[i] = static_cast<char>((i * 7 + seed * 13 + i / 4096) & 0xFF);
  return bytes;
}

// Compares two byte strings; a failure names only the sizes and the first
// differing offset instead of printing kilobytes.
inline ::testing::AssertionResult SameBytes(const std::string& actual,
                                            const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << ", first difference at byte " << at;
}

// A PCM WAV file image around raw little-endian sample bytes.
inline Bytes WavFile(unsigned channels, unsigned rate, unsigned bits, const Bytes& data) {
  const unsigned align = channels * bits / 8, size = static_cast<unsigned>(data.size());
  ByteBuilder wav;
  wav.Raw("RIFF").Int(36 + size).Raw("WAVEfmt ").Int(16).Short(1).Short(channels).Int(rate);
  wav.Int(rate * align).Short(align).Short(bits).Raw("data").Int(size);
  Bytes out = wav.Vector();
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

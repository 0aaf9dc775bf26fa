#pragma once

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A fresh host folder for one test, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "digmaze-res-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string operator/(const std::string& name) const { return path + "/" + name; }

  std::string path;
};

inline bool WriteHostFile(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

inline std::string ReadHostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Builds expected file bytes: little-endian 32-bit integers and length-prefixed names.
struct ByteBuilder {
  ByteBuilder& Int(int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int k = 0; k < 4; ++k) bytes += static_cast<char>((u >> (8 * k)) & 0xFF);
    return *this;
  }
  ByteBuilder& Name(const std::string& name) {
    Int(static_cast<int32_t>(name.size()));
    bytes += name;
    return *this;
  }
  std::string bytes;
};

// The bytes 0, 1, 2, ... of a file of n bytes, offset by seed so files differ.
inline std::string Pattern(size_t n, int seed) {
  std::string bytes(n, 0);
  for (size_t i = 0; i < n; ++i)
    bytes[i] = static_cast<char>((i * 7 + seed * 13 + i / 4096) & 0xFF);
  return bytes;
}

// Compares two byte strings and reports only the sizes and the first differing offset.
inline ::testing::AssertionResult SameBytes(const std::string& actual,
                                            const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << ", first difference at byte " << at;
}

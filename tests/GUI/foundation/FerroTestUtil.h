#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroString.h"

// Lets GoogleTest print strings readably in failure messages.
inline void PrintTo(const CFerroString& s, std::ostream* os) {
  *os << '"' << std::string(s.c_str(), static_cast<size_t>(s.GetLength())) << '"';
}

using ByteVector = std::vector<unsigned char>;

// A path in the temporary folder that no other test process uses.
inline std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "foundation_" + std::to_string(getpid()) + "_" + name;
}

inline ByteVector ReadWholeFile(const std::string& path) {
  ByteVector out;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return out;
  int c;
  while ((c = std::fgetc(f)) != EOF) out.push_back(static_cast<unsigned char>(c));
  std::fclose(f);
  return out;
}

inline void WriteWholeFile(const std::string& path, const ByteVector& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

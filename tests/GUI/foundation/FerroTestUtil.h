#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/foundation/CFerroString.h"

// Lets GoogleTest print strings readably in failure messages.
inline void PrintTo(const CFerroString& s, std::ostream* os) {
  *os << '"' << std::string(s.c_str(), static_cast<size_t>(s.GetLength())) << '"';
}

using ByteVector = std::vector<unsigned char>;

// 32-bit words as the stored forms lay them out: little-endian.
inline ByteVector Words(std::initializer_list<int> values) {
  ByteVector out;
  for (int v : values)
    for (int b = 0; b < 4; ++b)
      out.push_back(static_cast<unsigned char>(static_cast<unsigned>(v) >> (8 * b)));
  return out;
}

// The bytes an object's Serialize writes to a fresh memory stream.
template <typename T>
ByteVector Stored(T& object) {
  CFerroStreamMemory s;
  EXPECT_TRUE(s.Open(nullptr, 0, 1));
  EXPECT_TRUE(object.Serialize(s));
  return ByteVector(s.GetBuffer(), s.GetBuffer() + s.GetLength());
}

// Serialize reading the bytes back into the object.
template <typename T>
bool Restore(T& object, const ByteVector& bytes) {
  CFerroStreamMemory s;
  EXPECT_TRUE(s.Open(bytes.data(), static_cast<unsigned>(bytes.size()), 0));
  return object.Serialize(s);
}

// A path in the temporary folder that no other test process uses.
inline std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "foundation_" + std::to_string(getpid()) + "_" + name;
}

// A temporary host file holding the bytes, read from the start.
inline FILE* FileWith(const ByteVector& bytes) {
  FILE* f = std::tmpfile();
  if (f != nullptr && !bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  if (f != nullptr) std::rewind(f);
  return f;
}

// Everything in an open host file; leaves it rewound.
inline ByteVector FileBytes(FILE* f) {
  ByteVector out;
  std::rewind(f);
  for (int c; (c = std::fgetc(f)) != EOF;) out.push_back(static_cast<unsigned char>(c));
  std::rewind(f);
  return out;
}

inline ByteVector ReadWholeFile(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return {};
  ByteVector out = FileBytes(f);
  std::fclose(f);
  return out;
}

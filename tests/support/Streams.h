#pragma once

#include <gtest/gtest.h>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "tests/support/Bytes.h"

// The bytes `write` puts into a fresh memory stream; write returns whether it
// succeeded.
template <typename F>
Bytes Written(F write) {
  CFerroStreamMemory out;
  EXPECT_TRUE(out.Open(nullptr, 0, CFerroStream::modeWrite));
  EXPECT_TRUE(write(out));
  return Bytes(out.GetBuffer(), out.GetBuffer() + out.GetLength());
}

// What `read` returns over a memory stream holding the bytes.
template <typename F>
auto ReadWith(const Bytes& bytes, F read) {
  CFerroStreamMemory in;
  EXPECT_TRUE(in.Open(bytes.data(), static_cast<unsigned>(bytes.size()), CFerroStream::modeRead));
  return read(in);
}

// The bytes an object's Serialize writes to a fresh memory stream.
template <typename T>
Bytes Stored(T& object) {
  return Written([&object](CFerroStream& s) { return object.Serialize(s); });
}

// Serialize reading the bytes back into the object.
template <typename T>
bool Restore(T& object, const Bytes& bytes) {
  return ReadWith(bytes, [&object](CFerroStream& s) { return object.Serialize(s); });
}

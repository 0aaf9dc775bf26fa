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

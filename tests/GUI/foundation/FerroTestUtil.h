#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "GUI/foundation/CFerroString.h"
#include "tests/support/Bytes.h"
#include "tests/support/Streams.h"

// Lets GoogleTest print strings readably in failure messages.
inline void PrintTo(const CFerroString& s, std::ostream* os) {
  *os << '"' << std::string(s.c_str(), static_cast<size_t>(s.GetLength())) << '"';
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

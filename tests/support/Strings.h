#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "GUI/foundation/CFerroString.h"

// Lets GoogleTest print strings readably in failure messages.
inline void PrintTo(const CFerroString& s, std::ostream* os) {
  *os << '"' << std::string(s.c_str(), static_cast<size_t>(s.GetLength())) << '"';
}

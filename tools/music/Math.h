#pragma once

#include <cmath>

#include "tools/art/DetMath.h"

// Exponentials and logarithms from basic arithmetic only (as the sine in
// tools/art/DetMath.h), so the rendered music does not depend on the C
// library's versions of them.
namespace music {

using art::kPi;
using art::Sin;

inline double Cos(double x) {
  return art::Cos(x);
}

inline double Tan(double x) {
  return Sin(x) / Cos(x);
}

// 2 to the power x.
inline double Exp2(double x) {
  const double whole = std::floor(x);
  const double y = (x - whole) * 0.6931471805599453;  // e^y, 0 <= y < ln 2
  double term = 1.0, sum = 1.0;
  for (int n = 1; n < 16; ++n) {
    term *= y / n;
    sum += term;
  }
  return std::ldexp(sum, static_cast<int>(whole));
}

inline double Exp(double x) {
  return Exp2(x * 1.4426950408889634);
}

// The natural logarithm of x > 0.
inline double Log(double x) {
  int exponent = 0;
  const double m = std::frexp(x, &exponent);  // x = m * 2^exponent, 0.5 <= m < 1
  // ln m = 2 atanh((m - 1) / (m + 1)).
  const double z = (m - 1.0) / (m + 1.0), z2 = z * z;
  double term = z, sum = 0.0;
  for (int n = 1; n < 40; n += 2) {
    sum += term / n;
    term *= z2;
  }
  return 2.0 * sum + exponent * 0.6931471805599453;
}

inline double Decibels(double ratio) {
  return 20.0 * Log(ratio) / 2.302585092994046;
}

inline double FromDecibels(double db) {
  return Exp(db / 20.0 * 2.302585092994046);
}

}  // namespace music

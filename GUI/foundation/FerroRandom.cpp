#include "GUI/foundation/FerroRandom.h"

#include <cstdint>

namespace {

uint32_t rndIndex = 0;

// Advances the state and returns it as a fraction of 0xFFFFFFFF (0 to 1 inclusive).
double Step() {
  rndIndex = rndIndex * 0x6487ED55u + 0x361962E9u;
  return static_cast<double>(rndIndex) / 4294967295.0;
}

}  // namespace

void SetRndIndex(unsigned int state) {
  rndIndex = state;
}

unsigned int GetRndIndex() {
  return rndIndex;
}

int GetRndInt(int lo, int hi) {
  const double u = Step();
  const int32_t span =
      static_cast<int32_t>(static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo) + 1u);
  const double r = static_cast<double>(lo) + static_cast<double>(span) * u;
  // Truncate toward zero; values outside the int range (possible only with
  // lo > hi or a span that wrapped) are pinned instead of converted.
  int32_t result;
  if (r >= 2147483648.0) {
    return hi;
  } else if (r < -2147483648.0) {
    result = INT32_MIN;
  } else {
    result = static_cast<int32_t>(r);
  }
  return result > hi ? hi : result;
}

unsigned int GetRndDword(unsigned int lo, unsigned int hi) {
  const double u = Step();
  const uint32_t span = hi - lo + 1u;
  const double r = static_cast<double>(lo) + static_cast<double>(span) * u;
  // r lies in 0 .. 2^33; anything above hi, including 2^32 itself, gives hi.
  const uint64_t t = static_cast<uint64_t>(r);
  return t > hi ? hi : static_cast<unsigned int>(t);
}

float GetRndFloat(float lo, float hi) {
  const double u = Step();
  const float span = hi - lo;
  return static_cast<float>(static_cast<double>(lo) + static_cast<double>(span) * u);
}

double GetRndDouble(double lo, double hi) {
  const double u = Step();
  return lo + (hi - lo) * u;
}

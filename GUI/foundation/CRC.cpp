#include "GUI/foundation/CRC.h"

#include "GUI/foundation/CFerroStream.h"

void CRC::Create(const unsigned char* data, unsigned int size) {
  if (data == nullptr) size = 0;
  length = size;
  sum = 0;
  for (unsigned int& s : steps) s = 0;
  for (unsigned int i = 0; i < size; ++i) {
    const unsigned int b = data[i];
    sum += b;
    // The zero padding of the last block adds nothing, so only real bytes count.
    for (unsigned int s = 1; s <= kSteps; ++s) {
      if (i % (2 * s) < s) {
        steps[s - 1] += b;
      } else {
        steps[s - 1] -= b;
      }
    }
  }
}

unsigned int CRC::ToInt() const {
  unsigned int v = length - sum;
  for (unsigned int s : steps) v -= s;
  return v;
}

bool CRC::operator==(const CRC& other) const {
  if (length != other.length || sum != other.sum) return false;
  for (int i = 0; i < kSteps; ++i)
    if (steps[i] != other.steps[i]) return false;
  return true;
}

bool CRC::Serialize(CFerroStream& stream) {
  if (stream.IsStoring()) {
    bool ok = (stream << 9u) == 4 && (stream << length) == 4 && (stream << sum) == 4;
    for (unsigned int s : steps) ok = ok && (stream << s) == 4;
    return ok;
  }
  int count = 0;
  unsigned int v[2 + kSteps];
  if ((stream >> count) != 4) return false;
  for (unsigned int& x : v)
    if ((stream >> x) != 4) return false;
  length = v[0];
  sum = v[1];
  for (int i = 0; i < kSteps; ++i) steps[i] = v[2 + i];
  // A newer writer may append fields; skip them as far as the stream holds them.
  unsigned int extra;
  for (int i = 9; i < count; ++i)
    if ((stream >> extra) != 4) break;
  return true;
}

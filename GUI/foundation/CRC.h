#pragma once

class CFerroStream;

// A content checksum: the data length, the plain byte sum and eight stepped
// sums. For step s the data is cut into blocks of 2s bytes (the last padded
// with zeros); each block adds its first s bytes and subtracts its last s.
// All arithmetic wraps at 32 bits.
class CRC {
 public:
  static constexpr int kSteps = 8;

  void Create(const unsigned char* data, unsigned int size);
  // The length minus each of the other nine fields.
  unsigned int ToInt() const;

  bool operator==(const CRC& other) const;
  bool operator!=(const CRC& other) const { return !(*this == other); }

  // Storing writes the field count 9 and the ten fields; loading reads them and
  // skips the extra fields of a longer record. A truncated record leaves the
  // fields and returns false.
  bool Serialize(CFerroStream& stream);

  unsigned int length = 0;
  unsigned int sum = 0;
  unsigned int steps[kSteps] = {};
};

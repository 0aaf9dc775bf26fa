#pragma once

#include <cstdint>

class CFerroStream;
class CFerroString;

// Reads the little-endian records of the map, index and saved-game files and
// refuses to read past the end of the stream, so that a truncated or hostile
// file fails cleanly instead of leaving half-read values behind. Every Read
// returns false once the stream has run short; the failure sticks.
class GRecordReader {
 public:
  explicit GRecordReader(CFerroStream& stream);

  // Bytes left between the current position and the end of the stream.
  uint64_t Remaining() const;
  // True when at least count more bytes can be read; otherwise marks failure.
  bool Has(uint64_t count);

  bool ReadInt(int& value);
  bool ReadUnsigned(unsigned& value);
  bool ReadBool(bool& value);
  // The stream string form: a length byte (or 255 and a 2-byte length), then the bytes.
  bool ReadString(CFerroString& value);

  bool Ok() const { return ok; }

 private:
  bool ReadBytes(void* buffer, unsigned count);

  CFerroStream& stream;
  bool ok = true;
  mutable bool lengthKnown = false;
  mutable unsigned length = 0;
};

// Writes the same records and remembers whether every byte reached the target.
class GRecordWriter {
 public:
  explicit GRecordWriter(CFerroStream& stream) : stream(stream) {}

  void WriteInt(int value);
  void WriteUnsigned(unsigned value);
  void WriteBool(bool value);
  void WriteString(const CFerroString& value);

  bool Ok() const { return ok; }

 private:
  void WriteBytes(const void* buffer, unsigned count);

  CFerroStream& stream;
  bool ok = true;
};

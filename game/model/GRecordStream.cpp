#include "game/model/GRecordStream.h"

#include "GUI/foundation/CFerroStream.h"
#include "GUI/foundation/CFerroString.h"

GRecordReader::GRecordReader(CFerroStream& stream) : stream(stream) {}

uint64_t GRecordReader::Remaining() const {
  // A file's length costs two seeks, and each seek throws away what the
  // file buffer had read ahead: it is asked once, since a stream being read
  // does not grow.
  if (!lengthKnown) {
    length = stream.GetLength();
    lengthKnown = true;
  }
  const unsigned position = stream.GetPosition();
  return position < length ? length - position : 0;
}

bool GRecordReader::Has(uint64_t count) {
  if (ok && Remaining() < count) ok = false;
  return ok;
}

bool GRecordReader::ReadBytes(void* buffer, unsigned count) {
  if (!Has(count)) return false;
  if (count > 0 && stream.Read(buffer, count) != count) ok = false;
  return ok;
}

bool GRecordReader::ReadUnsigned(unsigned& value) {
  unsigned char b[4];
  if (!ReadBytes(b, 4)) return false;
  value = unsigned(b[0]) | unsigned(b[1]) << 8 | unsigned(b[2]) << 16 | unsigned(b[3]) << 24;
  return true;
}

bool GRecordReader::ReadInt(int& value) {
  unsigned u = 0;
  if (!ReadUnsigned(u)) return false;
  value = static_cast<int>(u);
  return true;
}

bool GRecordReader::ReadBool(bool& value) {
  unsigned char b = 0;
  if (!ReadBytes(&b, 1)) return false;
  value = b != 0;
  return true;
}

bool GRecordReader::ReadString(CFerroString& value) {
  unsigned char first = 0;
  if (!ReadBytes(&first, 1)) return false;
  unsigned length = first;
  if (first == 255) {
    unsigned char b[2];
    if (!ReadBytes(b, 2)) return false;
    length = unsigned(b[0]) | unsigned(b[1]) << 8;
  }
  if (!Has(length)) return false;
  CFerroString text(static_cast<int>(length));
  if (!ReadBytes(text.c_str(), length)) return false;
  value = text;
  return true;
}

void GRecordWriter::WriteBytes(const void* buffer, unsigned count) {
  if (count == 0) return;
  // Memory streams report no count from Write, so progress is measured by the position.
  const unsigned before = stream.GetPosition();
  stream.Write(buffer, count);
  if (stream.GetPosition() - before != count) ok = false;
}

void GRecordWriter::WriteUnsigned(unsigned value) {
  const unsigned char b[4] = {
      static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
      static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
  WriteBytes(b, 4);
}

void GRecordWriter::WriteInt(int value) {
  WriteUnsigned(static_cast<unsigned>(value));
}

void GRecordWriter::WriteBool(bool value) {
  const unsigned char b = value ? 1 : 0;
  WriteBytes(&b, 1);
}

void GRecordWriter::WriteString(const CFerroString& value) {
  const int length = value.GetLength();
  if (length > 65535) {
    // No stored name comes near this; refusing keeps the file readable.
    ok = false;
    return;
  }
  if (length < 255) {
    const unsigned char b = static_cast<unsigned char>(length);
    WriteBytes(&b, 1);
  } else {
    const unsigned char b[3] = {255, static_cast<unsigned char>(length),
                                static_cast<unsigned char>(length >> 8)};
    WriteBytes(b, 3);
  }
  WriteBytes(value.c_str(), static_cast<unsigned>(length));
}

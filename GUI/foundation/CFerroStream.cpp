#include "GUI/foundation/CFerroStream.h"

#include <cstdint>
#include <cstring>

#include "GUI/foundation/CFerroRect.h"

namespace {

// Stores the low n bytes of v, least significant first.
void PutLE(unsigned char* out, uint64_t v, unsigned n) {
  for (unsigned i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(v >> (8 * i));
}

uint64_t GetLE(const unsigned char* in, unsigned n) {
  uint64_t v = 0;
  for (unsigned i = 0; i < n; ++i) v |= static_cast<uint64_t>(in[i]) << (8 * i);
  return v;
}

uint32_t FloatBits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

uint64_t DoubleBits(double d) {
  uint64_t u;
  std::memcpy(&u, &d, 8);
  return u;
}

}  // namespace

CFerroStream::CFerroStream() = default;

CFerroStream::~CFerroStream() = default;

void CFerroStream::SetMode(int m) {
  if (m == mode || m < modeRead || m > modeAppend) return;
  ChangeMode(m);
}

// Writing -----------------------------------------------------------------

namespace {

unsigned WriteLE(CFerroStream& s, uint64_t v, unsigned n) {
  unsigned char b[8];
  PutLE(b, v, n);
  return s.Write(b, n);
}

// Reads n bytes; false (and v untouched) when the stream holds fewer.
bool ReadLE(CFerroStream& s, uint64_t& v, unsigned n, unsigned& got) {
  unsigned char b[8];
  got = s.Read(b, n);
  if (got != n) return false;
  v = GetLE(b, n);
  return true;
}

}  // namespace

unsigned int CFerroStream::operator<<(bool value) {
  return WriteLE(*this, value ? 1 : 0, 1);
}
unsigned int CFerroStream::operator<<(char value) {
  return WriteLE(*this, static_cast<unsigned char>(value), 1);
}
unsigned int CFerroStream::operator<<(unsigned char value) {
  return WriteLE(*this, value, 1);
}
unsigned int CFerroStream::operator<<(short value) {
  return WriteLE(*this, static_cast<uint16_t>(value), 2);
}
unsigned int CFerroStream::operator<<(unsigned short value) {
  return WriteLE(*this, value, 2);
}
unsigned int CFerroStream::operator<<(int value) {
  return WriteLE(*this, static_cast<uint32_t>(value), 4);
}
unsigned int CFerroStream::operator<<(unsigned int value) {
  return WriteLE(*this, value, 4);
}
unsigned int CFerroStream::operator<<(float value) {
  return WriteLE(*this, FloatBits(value), 4);
}
unsigned int CFerroStream::operator<<(double value) {
  return WriteLE(*this, DoubleBits(value), 8);
}

unsigned int CFerroStream::operator<<(const CFerroSize& value) {
  unsigned char b[8];
  PutLE(b, static_cast<uint32_t>(value.width), 4);
  PutLE(b + 4, static_cast<uint32_t>(value.height), 4);
  return Write(b, 8);
}

unsigned int CFerroStream::operator<<(const CFerroPoint& value) {
  unsigned char b[8];
  PutLE(b, static_cast<uint32_t>(value.x), 4);
  PutLE(b + 4, static_cast<uint32_t>(value.y), 4);
  return Write(b, 8);
}

unsigned int CFerroStream::operator<<(const CFerroRect& value) {
  unsigned char b[16];
  PutLE(b, static_cast<uint32_t>(value.left), 4);
  PutLE(b + 4, static_cast<uint32_t>(value.top), 4);
  PutLE(b + 8, static_cast<uint32_t>(value.right), 4);
  PutLE(b + 12, static_cast<uint32_t>(value.bottom), 4);
  return Write(b, 16);
}

unsigned int CFerroStream::operator<<(const CFerroString& value) {
  // The stream form cannot express more than 65535 bytes; a longer text is
  // cut so that the length and the bytes that follow stay consistent.
  const unsigned n = value.GetLength() > 65535 ? 65535u : static_cast<unsigned>(value.GetLength());
  unsigned result;
  if (n < 255) {
    result = WriteLE(*this, n, 1);
  } else {
    WriteLE(*this, 255, 1);
    result = WriteLE(*this, n, 2);
  }
  if (n > 0) result = Write(value.c_str(), n);
  return result;
}

// Reading -----------------------------------------------------------------

namespace {

// Reads an integer of sizeof(T) bytes; the value is left untouched on a short
// read. The conversion from the unsigned bytes wraps, so signed types get their
// two's-complement value back.
template <class T>
unsigned ReadInteger(CFerroStream& s, T& value) {
  uint64_t v;
  unsigned got;
  if (ReadLE(s, v, sizeof(T), got)) value = static_cast<T>(v);
  return got;
}

}  // namespace

unsigned int CFerroStream::operator>>(bool& value) {
  unsigned char byte = 0;
  unsigned got = ReadInteger(*this, byte);
  if (got == 1) value = byte != 0;
  return got;
}
unsigned int CFerroStream::operator>>(char& value) {
  return ReadInteger(*this, value);
}
unsigned int CFerroStream::operator>>(unsigned char& value) {
  return ReadInteger(*this, value);
}
unsigned int CFerroStream::operator>>(short& value) {
  return ReadInteger(*this, value);
}
unsigned int CFerroStream::operator>>(unsigned short& value) {
  return ReadInteger(*this, value);
}
unsigned int CFerroStream::operator>>(int& value) {
  return ReadInteger(*this, value);
}
unsigned int CFerroStream::operator>>(unsigned int& value) {
  return ReadInteger(*this, value);
}

unsigned int CFerroStream::operator>>(float& value) {
  uint64_t v;
  unsigned got;
  if (ReadLE(*this, v, 4, got)) {
    uint32_t u = static_cast<uint32_t>(v);
    std::memcpy(&value, &u, 4);
  }
  return got;
}

unsigned int CFerroStream::operator>>(double& value) {
  uint64_t v;
  unsigned got;
  if (ReadLE(*this, v, 8, got)) std::memcpy(&value, &v, 8);
  return got;
}

namespace {

// Reads count little-endian 32-bit integers in one call; false on a short read.
bool ReadInts(CFerroStream& s, int* out, unsigned count, unsigned& got) {
  unsigned char b[16];
  got = s.Read(b, count * 4);
  if (got != count * 4) return false;
  for (unsigned i = 0; i < count; ++i)
    out[i] = static_cast<int>(static_cast<uint32_t>(GetLE(b + 4 * i, 4)));
  return true;
}

}  // namespace

unsigned int CFerroStream::operator>>(CFerroSize& value) {
  int v[2];
  unsigned got;
  if (ReadInts(*this, v, 2, got)) value = CFerroSize(v[0], v[1]);
  return got;
}

unsigned int CFerroStream::operator>>(CFerroPoint& value) {
  int v[2];
  unsigned got;
  if (ReadInts(*this, v, 2, got)) value = CFerroPoint(v[0], v[1]);
  return got;
}

unsigned int CFerroStream::operator>>(CFerroRect& value) {
  int v[4];
  unsigned got;
  if (ReadInts(*this, v, 4, got)) value = CFerroRect(v[0], v[1], v[2], v[3]);
  return got;
}

namespace {

// Reads the stream form of a text into out; got receives the result of the
// last Read and the return value tells whether every announced byte came.
bool ReadText(CFerroStream& s, CFerroString& out, unsigned& got, bool keepPartial) {
  uint64_t n;
  if (!ReadLE(s, n, 1, got)) return false;
  if (n == 255 && !ReadLE(s, n, 2, got)) return false;
  if (n == 0) {
    out = "";
    return true;
  }
  // At most 65535 bytes, so the buffer is bounded whatever the stream says.
  CFerroString text(static_cast<int>(n));
  got = s.Read(text.c_str(), static_cast<unsigned>(n));
  if (got == n) {
    out = text;
    return true;
  }
  if (keepPartial) out = text.Left(static_cast<int>(got));
  return false;
}

}  // namespace

unsigned int CFerroStream::operator>>(CFerroString& value) {
  unsigned got = 0;
  ReadText(*this, value, got, true);
  return got;
}

bool CFerroStream::ReadString(CFerroString& value) {
  unsigned got = 0;
  return ReadText(*this, value, got, false);
}

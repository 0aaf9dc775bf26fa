#include "GUI/foundation/FerroHostFile.h"

long FerroFileRemaining(FILE* file) {
  if (file == nullptr) return -1;
  long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
  long end = std::ftell(file);
  if (std::fseek(file, here, SEEK_SET) != 0 || end < here) return -1;
  return end - here;
}

bool FerroReadBlock(FILE* file, size_t count, std::vector<unsigned char>& out) {
  out.clear();
  if (file == nullptr) return false;
  long remaining = FerroFileRemaining(file);
  if (remaining >= 0) {
    if (static_cast<unsigned long>(remaining) < count) return false;
    out.resize(count);
    return count == 0 || std::fread(out.data(), 1, count, file) == count;
  }
  // Unknown size: grow in bounded steps so a huge announced count costs no
  // more memory than the stream really delivers.
  const size_t step = 64 * 1024;
  while (out.size() < count) {
    size_t want = count - out.size() < step ? count - out.size() : step;
    size_t old = out.size();
    out.resize(old + want);
    size_t got = std::fread(out.data() + old, 1, want, file);
    if (got != want) {
      out.clear();
      return false;
    }
  }
  return true;
}

bool FerroReadInt32(FILE* file, int32_t& value) {
  unsigned char b[4];
  if (file == nullptr || std::fread(b, 1, 4, file) != 4) return false;
  value = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                               (static_cast<uint32_t>(b[2]) << 16) |
                               (static_cast<uint32_t>(b[3]) << 24));
  return true;
}

bool FerroReadUInt16(FILE* file, uint16_t& value) {
  unsigned char b[2];
  if (file == nullptr || std::fread(b, 1, 2, file) != 2) return false;
  value = static_cast<uint16_t>(b[0] | (b[1] << 8));
  return true;
}

bool FerroWriteInt32(FILE* file, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                        static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  return FerroWriteBytes(file, b, 4);
}

bool FerroWriteUInt16(FILE* file, uint16_t value) {
  unsigned char b[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
  return FerroWriteBytes(file, b, 2);
}

bool FerroWriteBytes(FILE* file, const void* bytes, size_t count) {
  if (file == nullptr) return false;
  return count == 0 || std::fwrite(bytes, 1, count, file) == count;
}

#include "GUI/foundation/CFerroStreamMemory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>

CFerroStreamMemory::CFerroStreamMemory() = default;

CFerroStreamMemory::~CFerroStreamMemory() {
  Release();
}

void CFerroStreamMemory::Release() {
  if (ownsBuffer) std::free(buffer);
  buffer = nullptr;
  ownsBuffer = false;
  position = length = capacity = 0;
}

bool CFerroStreamMemory::ResetOwned() {
  Release();
  buffer = static_cast<unsigned char*>(std::malloc(kInitialCapacity));
  if (buffer == nullptr) return false;
  ownsBuffer = true;
  capacity = kInitialCapacity;
  return true;
}

bool CFerroStreamMemory::Open(const void* data, unsigned int size, int m) {
  // Reopening over this stream's own buffer would read it after release.
  const auto* at = static_cast<const unsigned char*>(data);
  const std::less<const unsigned char*> before;
  if (ownsBuffer && at != nullptr && !before(at, buffer) && before(at, buffer + capacity))
    return false;
  if (m == modeAppend && (data == nullptr || size == 0)) m = modeWrite;
  Close();
  mode = m;
  switch (m) {
    case modeRead:
      Release();
      buffer = static_cast<unsigned char*>(const_cast<void*>(data));
      length = capacity = data != nullptr ? size : 0;
      return true;
    case modeWrite:
      if (data != nullptr || size != 0) return false;
      return ResetOwned();
    case modeAppend: {
      const uint64_t want = static_cast<uint64_t>(size) + kInitialCapacity;
      if (want > UINT32_MAX) return false;
      unsigned char* block = static_cast<unsigned char*>(std::malloc(want));
      if (block == nullptr) return false;
      std::memcpy(block, data, size);
      Release();
      buffer = block;
      ownsBuffer = true;
      capacity = static_cast<unsigned int>(want);
      length = position = size;
      return true;
    }
    default:
      return false;
  }
}

void CFerroStreamMemory::Close() {
  if (buffer == nullptr) return;
  ResetOwned();
}

unsigned int CFerroStreamMemory::GetLength() {
  return buffer != nullptr ? length : 0;
}

unsigned int CFerroStreamMemory::GetPosition() {
  return buffer != nullptr ? position : 0;
}

void CFerroStreamMemory::SetPosition(unsigned int offset) {
  if (buffer == nullptr || mode != modeRead) return;
  position = offset < length ? offset : length;
}

unsigned int CFerroStreamMemory::Write(const void* bytes, unsigned int count) {
  lastCount = 0;
  if (buffer == nullptr || mode == modeRead || bytes == nullptr || count == 0) return 0;
  const uint64_t needed = static_cast<uint64_t>(position) + count;
  if (needed > UINT32_MAX) return 0;
  if (needed > capacity || !ownsBuffer) {
    // A borrowed block (a reader switched to writing) is never written or
    // reallocated: its content moves into an owned buffer first.
    uint64_t grown = needed > capacity ? needed + needed / 4 : capacity;
    if (grown > UINT32_MAX) grown = UINT32_MAX;
    unsigned char* block;
    if (ownsBuffer) {
      block = static_cast<unsigned char*>(std::realloc(buffer, grown));
    } else {
      block = static_cast<unsigned char*>(std::malloc(grown));
      if (block != nullptr && length > 0) std::memcpy(block, buffer, length);
    }
    if (block == nullptr) return 0;
    buffer = block;
    ownsBuffer = true;
    capacity = static_cast<unsigned int>(grown);
  }
  std::memcpy(buffer + position, bytes, count);
  position += count;
  if (position > length) length = position;
  lastCount = static_cast<int>(count);
  return count;
}

unsigned int CFerroStreamMemory::Read(void* bytes, unsigned int count) {
  lastCount = 0;
  if (buffer == nullptr || mode != modeRead || bytes == nullptr) return 0;
  if (position >= length) return 0;
  if (count > length - position) count = length - position;
  if (count == 0) return 0;
  std::memcpy(bytes, buffer + position, count);
  position += count;
  lastCount = static_cast<int>(count);
  return count;
}

bool CFerroStreamMemory::ChangeMode(int m) {
  if (m < modeRead || m > modeAppend) return false;
  if (m == modeWrite) {
    if (!ResetOwned()) return false;
  } else if (m == modeAppend) {
    position = length;
  } else {
    position = 0;
  }
  mode = m;
  return true;
}

#pragma once

#include "GUI/foundation/CFerroStream.h"

// A stream over a memory block. Mode 0 reads the caller's block in place (the
// block must outlive the stream); modes 1 and 2 write into an owned buffer that
// starts at 4096 bytes (or the appended block plus 4096) and grows to 1.25
// times the needed size.
class CFerroStreamMemory : public CFerroStream {
 public:
  static constexpr unsigned int kInitialCapacity = 4096;

  CFerroStreamMemory();
  ~CFerroStreamMemory() override;

  // Mode 0 borrows data; mode 1 needs null data and size 0; mode 2 copies the
  // block and continues after it (with no block it becomes mode 1).
  bool Open(const void* data, unsigned int size, int mode);

  // Releases the content and leaves a fresh empty owned buffer.
  void Close() override;
  unsigned int GetLength() override;
  unsigned int GetPosition() override;
  // Only in mode 0; clamped to the length.
  void SetPosition(unsigned int offset) override;
  // Returns the bytes written (all or nothing).
  unsigned int Write(const void* buffer, unsigned int count) override;
  unsigned int Read(void* buffer, unsigned int count) override;
  // 0 rewinds, 1 empties, 2 moves to the end.
  bool ChangeMode(int m) override;

  const unsigned char* GetBuffer() const { return buffer; }
  unsigned int GetCapacity() const { return capacity; }
  bool OwnsBuffer() const { return ownsBuffer; }

 private:
  // Replaces the buffer by a fresh owned empty one of the initial capacity.
  bool ResetOwned();
  void Release();

  unsigned char* buffer = nullptr;
  unsigned int position = 0;
  unsigned int length = 0;
  unsigned int capacity = 0;
  bool ownsBuffer = false;
};

// Memory streams kept by the networking layer; they add nothing.
class GMemReader : public CFerroStreamMemory {};
class GMemWriter : public CFerroStreamMemory {};

#pragma once

#include <cstddef>

// The Ogg Vorbis decoder library allocates through VorbisAllocate and
// VorbisRelease (StbVorbis.cpp points its malloc and free here), and each
// decoder's blocks are kept in a VorbisMemory of its own:
// - while a VorbisMemoryScope lives on a thread, what the library allocates
//   there belongs to the scope's memory and counts against its limit, and a
//   request past the limit is refused, which the library reports as running
//   out of memory; so a damaged file can make the decoder neither take a
//   great deal of memory nor, through sizes that overflow, get too little
//   and write past it. Without a scope the library gets nothing;
// - blocks come zeroed, and FreeAll frees what the library left behind (when
//   it gives up half way through a file it forgets some of its tables).
class VorbisMemory {
 public:
  explicit VorbisMemory(size_t limit) : limit_(limit) {}
  ~VorbisMemory() { FreeAll(); }
  VorbisMemory(const VorbisMemory&) = delete;
  VorbisMemory& operator=(const VorbisMemory&) = delete;

  size_t GetUsed() const { return used_; }
  void FreeAll();

 private:
  struct Block;

  size_t limit_;
  size_t used_ = 0;
  Block* blocks_ = nullptr;

  friend void* VorbisAllocate(size_t bytes);
  friend void VorbisRelease(void* block);
};

// Gives the library's allocations on this thread to memory while it lives.
class VorbisMemoryScope {
 public:
  explicit VorbisMemoryScope(VorbisMemory& memory);
  ~VorbisMemoryScope();
  VorbisMemoryScope(const VorbisMemoryScope&) = delete;
  VorbisMemoryScope& operator=(const VorbisMemoryScope&) = delete;

 private:
  VorbisMemory* outer_;
};

void* VorbisAllocate(size_t bytes);
void VorbisRelease(void* block);

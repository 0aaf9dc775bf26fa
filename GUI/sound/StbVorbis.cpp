// The Ogg Vorbis decoder shipped with the system, compiled once here as it is
// (without our warning flags), and its memory. The options match
// GMusicDecoder.cpp's, which sees only its declarations: files are read
// through stdio, frames come out as floats, and the push interface and
// integer output are left out. Its malloc and free are ours (VorbisMemory.h):
// its size arithmetic trusts the file, so every request is counted and
// bounded.

#include <alloca.h>
#include <assert.h>
#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <cstddef>
#include <cstdint>

#include "GUI/sound/VorbisMemory.h"

// Each block starts with a header: its size, its memory and its neighbours
// there, padded so the block after it stays aligned.
struct VorbisMemory::Block {
  alignas(std::max_align_t) VorbisMemory* owner;
  Block* previous;
  Block* next;
  size_t size;
};

namespace {

thread_local VorbisMemory* current = nullptr;

}  // namespace

VorbisMemoryScope::VorbisMemoryScope(VorbisMemory& memory) : outer_(current) {
  current = &memory;
}

VorbisMemoryScope::~VorbisMemoryScope() {
  current = outer_;
}

void VorbisMemory::FreeAll() {
  while (blocks_) VorbisRelease(blocks_ + 1);
}

void* VorbisAllocate(size_t bytes) {
  VorbisMemory* memory = current;
  if (!memory || bytes > memory->limit_ || memory->used_ > memory->limit_ - bytes) return nullptr;
  // Zeroed: when the library gives up half way it frees the pointers of
  // tables it has not filled yet, which must then be null.
  auto* block = static_cast<VorbisMemory::Block*>(calloc(1, sizeof(VorbisMemory::Block) + bytes));
  if (!block) return nullptr;
  block->owner = memory;
  block->size = bytes;
  block->next = memory->blocks_;
  if (block->next) block->next->previous = block;
  memory->blocks_ = block;
  memory->used_ += bytes;
  return block + 1;
}

void VorbisRelease(void* pointer) {
  if (!pointer) return;
  VorbisMemory::Block* block = static_cast<VorbisMemory::Block*>(pointer) - 1;
  VorbisMemory* memory = block->owner;
  if (block->previous)
    block->previous->next = block->next;
  else
    memory->blocks_ = block->next;
  if (block->next) block->next->previous = block->previous;
  memory->used_ -= block->size;
  free(block);
}

#define malloc(bytes) VorbisAllocate(bytes)
#define free(block) VorbisRelease(block)
#define STB_VORBIS_NO_PUSHDATA_API
#define STB_VORBIS_NO_INTEGER_CONVERSION
#include <stb/stb_vorbis.h>

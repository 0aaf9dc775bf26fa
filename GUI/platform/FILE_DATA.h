#pragma once

#include "GUI/foundation/MEM_DATA.h"

// An in-memory file image: an owned byte block and its size, the currency of
// every loader. Copying is disabled because the block has a single owner.
// Defined here in full so every loader, whatever library it lives in, can
// hold one.
struct FILE_DATA : MEM_DATA {
  FILE_DATA() = default;
  FILE_DATA(const FILE_DATA&) = delete;
  FILE_DATA& operator=(const FILE_DATA&) = delete;
  ~FILE_DATA() { Clear(); }

  // Frees the old block and allocates n zeroed bytes (none for n below 1).
  void Create(int n) {
    Clear();
    if (n < 1) return;
    data = new unsigned char[n]();
    size = n;
  }
  // Frees the block; size becomes 0.
  void Clear() {
    delete[] data;
    data = nullptr;
    size = 0;
  }
  // Forgets the block without freeing it: the caller has taken ownership
  // and releases it with delete[].
  unsigned char* DetachData() {
    unsigned char* block = data;
    data = nullptr;
    size = 0;
    return block;
  }
};

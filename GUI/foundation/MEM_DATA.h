#pragma once

// A byte block passed between loaders: a pointer and its size. MEM_DATA does
// not own the block; FILE_DATA, which derives from it, does.
struct MEM_DATA {
  unsigned char* data = nullptr;
  int size = 0;
};

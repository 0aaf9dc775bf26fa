#include "GUI/platform/FILE_DATA.h"

FILE_DATA::~FILE_DATA() {
  Clear();
}

void FILE_DATA::Create(int n) {
  Clear();
  if (n < 1) return;
  data = new unsigned char[n]();
  size = n;
}

void FILE_DATA::Clear() {
  delete[] data;
  data = nullptr;
  size = 0;
}

unsigned char* FILE_DATA::DetachData() {
  unsigned char* block = data;
  data = nullptr;
  size = 0;
  return block;
}

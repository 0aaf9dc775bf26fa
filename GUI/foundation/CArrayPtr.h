#pragma once

#include "GUI/foundation/CArrayValues.h"

// A slot array of pointers it does not own; a free slot holds null. Stored
// pointers are written as 8 bytes and mean nothing after loading.
class CArrayPtr : public CArrayValues<void*> {
 public:
  // The slot holding p, searching the slots in use in order; -1 when none does.
  int FindIndex(void* p) const {
    for (int i = 0; i < GetCount(); ++i)
      if (Get(GetSlot(i)) == p) return GetSlot(i);
    return -1;
  }
};

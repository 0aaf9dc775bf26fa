#pragma once

#include <memory>
#include <vector>

#include "GUI/foundation/CFerroString.h"

class CFerroStream;

// A growable array of owned strings. The capacity is part of the stored form,
// so it is tracked exactly: it grows by the larger of 10 and a quarter.
class CFerroStringArray {
 public:
  CFerroStringArray();
  CFerroStringArray(const CFerroStringArray& other);
  CFerroStringArray& operator=(const CFerroStringArray& other);
  ~CFerroStringArray();

  // Appends a copy of the text (an empty text for null) and returns its index.
  int Add(const CFerroString* text);
  int Add(const CFerroString& text);
  // The string at index i, or null outside the array.
  CFerroString* Get(int i) const;
  int GetCount() const { return static_cast<int>(items.size()); }
  int GetCapacity() const { return capacity; }
  void Clear();

  // Clears, then adds every run of characters between spaces or tabs.
  void FromString(const char* text);

  // Storing writes the capacity, the count and every string; loading reads the
  // same and replaces the content. False on a failed write or a truncated or
  // inconsistent form, which leaves the array unchanged.
  bool Serialize(CFerroStream& stream);

 private:
  int capacity = 0;
  std::vector<std::unique_ptr<CFerroString>> items;
};

#pragma once

#include <cstdint>
#include <cstdio>

class CFerroString;

// Reads a drive's table file with the file's end as the bound for every announced count, so a
// truncated or hostile table fails cleanly instead of allocating or reading past the end.
struct VIRTUAL_TABLE_READER {
  VIRTUAL_TABLE_READER(FILE* file, uint32_t clusterSize);

  bool IsValid() const { return end >= 0; }
  long Remaining() const;
  bool ReadInt(int32_t& value);
  bool ReadName(CFerroString& name);

  FILE* file;
  uint32_t clusterSize;
  // Where the reads have come to, and the file's end; every read goes
  // through this reader, so neither is asked of the file again.
  long position = -1;
  long end = -1;
};

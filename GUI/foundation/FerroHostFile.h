#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// Little-endian helpers over C files, shared by the host-file forms of the
// foundation types. Every reader checks the announced size against what the
// file still holds before it allocates, so a hostile length fails cleanly.

// Bytes left between the current position and the end, or -1 when the file
// cannot seek (a pipe, for instance).
long FerroFileRemaining(FILE* file);

// Reads exactly count bytes into out; false when the file ends earlier.
bool FerroReadBlock(FILE* file, size_t count, std::vector<unsigned char>& out);

bool FerroReadInt32(FILE* file, int32_t& value);
bool FerroReadUInt16(FILE* file, uint16_t& value);
bool FerroWriteInt32(FILE* file, int32_t value);
bool FerroWriteUInt16(FILE* file, uint16_t value);
bool FerroWriteBytes(FILE* file, const void* bytes, size_t count);

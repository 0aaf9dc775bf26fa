// The libFuzzer program of one entry; DIGMAZE_FUZZ_ENTRY names it.
#include "tests/fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return DIGMAZE_FUZZ_ENTRY(data, size);
}

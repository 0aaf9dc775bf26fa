#include "tests/fuzz/FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

#include "tests/support/TempDir.h"

void FuzzCheck(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz: broken promise: %s\n", what);
  std::abort();
}

const std::string& FuzzScratchFolder() {
  static const TempDir folder;  // removed at exit
  return folder.Path();
}

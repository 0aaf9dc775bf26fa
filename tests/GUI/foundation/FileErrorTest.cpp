#include "GUI/foundation/FileError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

TEST(FileErrorTest, FirstMessageStartsTheFileLaterOnesAppend) {
  const std::string path = TempPath("log_error.log");
  FILE* old = std::fopen(path.c_str(), "wb");
  ASSERT_NE(old, nullptr);
  std::fputs("old", old);
  std::fclose(old);
  FileError("before a folder is known");  // Nothing to write to yet.
  EXPECT_EQ(ReadWholeFile(path), (ByteVector{'o', 'l', 'd'}));

  SetFileErrorFolder([] { return CFerroString(TempPath("log_").c_str()); });
  FileError("one");
  FileError("two");
  disable_game_log = true;
  FileError("hidden");
  disable_game_log = false;
  SetFileErrorFolder(nullptr);
  EXPECT_EQ(ReadWholeFile(path),
            (ByteVector{'o', 'n', 'e', '\r', '\n', 't', 'w', 'o', '\r', '\n'}));
  std::remove(path.c_str());
}

}  // namespace

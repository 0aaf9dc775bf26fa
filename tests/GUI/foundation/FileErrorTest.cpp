#include "GUI/foundation/FileError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

CFerroString TestFolder() {
  return CFerroString(TempPath("log_").c_str());
}

TEST(FileErrorTest, FirstMessageStartsTheFileLaterOnesAppend) {
  const std::string path = TempPath("log_error.log");
  WriteWholeFile(path, {'o', 'l', 'd'});
  FileError("before a folder is known");  // Nothing to write to yet.
  EXPECT_EQ(ReadWholeFile(path), (ByteVector{'o', 'l', 'd'}));

  SetFileErrorFolder(TestFolder);
  FileError("one");
  FileError("two");
  disable_game_log = true;
  FileError("hidden");
  disable_game_log = false;
  SetFileErrorFolder(nullptr);
  const ByteVector text = ReadWholeFile(path);
  EXPECT_EQ(std::string(text.begin(), text.end()), "one\r\ntwo\r\n");
  std::remove(path.c_str());
}

}  // namespace

#include "GUI/foundation/FileError.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/Files.h"
#include "tests/support/Scoped.h"

namespace {

std::string logFolder;  // Where the provider below sends error.log.

TEST(FileErrorTest, FirstMessageStartsTheFileLaterOnesAppend) {
  TempDir dir;
  logFolder = dir.Path();
  const std::string path = dir / "error.log";
  ASSERT_TRUE(WriteText(path, "old"));
  FileError("before a folder is known");  // Nothing to write to yet.
  EXPECT_EQ(ReadText(path), "old");

  {
    ScopedHook folder(SetFileErrorFolder, [] { return CFerroString(logFolder.c_str()); });
    FileError("one");
    FileError("two");
    ScopedValue hidden(disable_game_log, true);
    FileError("hidden");
  }
  EXPECT_EQ(ReadText(path), "one\r\ntwo\r\n");
}

}  // namespace

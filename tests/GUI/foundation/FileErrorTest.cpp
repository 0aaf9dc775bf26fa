#include "GUI/foundation/FileError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
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
  {
    ScopedHook folder(SetFileErrorFolder, [] { return CFerroString(logFolder.c_str()); });
    FileError("one");
    FileError("two");
    ScopedValue hidden(disable_game_log, true);
    FileError("hidden");
  }
  EXPECT_EQ(ReadText(path), "one\r\ntwo\r\n");
}

TEST(FileErrorTest, AProviderWithoutAFolderWritesNothingInTheWorkingDirectory) {
  TempDir dir;
  const std::filesystem::path before = std::filesystem::current_path();
  ScopeExit back([&before] { std::filesystem::current_path(before); });
  std::filesystem::current_path(dir.Path());
  ScopedHook folder(SetFileErrorFolder, [] { return CFerroString(); });
  FileError("nowhere to go");
  EXPECT_FALSE(std::filesystem::exists(dir / "error.log"));
}

// A platform that reports while it is still finding its data folder asks the
// log for that very folder: the message must wait and then come first, not
// deadlock or recurse.
TEST(FileErrorTest, ReportsGoToStandardErrorAndTheLogEvenWhileTheFolderIsFound) {
  TempDir dir;
  logFolder = dir.Path();
  ScopedHook folder(SetFileErrorFolder, [] {
    FileError("found on the way");
    return CFerroString(logFolder.c_str());
  });
  testing::internal::CaptureStderr();
  ReportError("the picture x.png is missing");
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, std::string(program_invocation_short_name) + ": the picture x.png is missing\n");
  EXPECT_EQ(ReadText(dir / "error.log"), "found on the way\r\nthe picture x.png is missing\r\n");
}

}  // namespace

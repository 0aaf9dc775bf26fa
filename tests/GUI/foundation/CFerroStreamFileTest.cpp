#include "GUI/foundation/CFerroStreamFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "tests/GUI/foundation/FerroTestUtil.h"
#include "tests/support/Files.h"
#include "tests/support/Scoped.h"

namespace {

class CFerroStreamFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  const std::string path = dir / "stream";
};

int opens = 0;  // Host files opened through CountingOpen.

FILE* CountingOpen(const char* path, const char* mode) {
  ++opens;
  return std::fopen(path, mode);
}

TEST_F(CFerroStreamFileTest, WriteAppendReadAndReopenThroughTheHostOpener) {
  opens = 0;
  std::optional<ScopedHook> counting(std::in_place, CFerroStreamFile::SetHostOpener, CountingOpen);
  {
    CFerroStreamFile s;
    ASSERT_TRUE(s.Open(path.c_str(), 1));
    EXPECT_EQ(s << 0x01020304, 4u);
    s.SetPosition(0);  // Ignored while writing.
    EXPECT_EQ(s.GetPosition(), 4u);
    s << CFerroString("ab");
  }
  EXPECT_EQ(ReadBytes(path), (Bytes{4, 3, 2, 1, 2, 'a', 'b'}));
  {
    CFerroStreamFile s;
    ASSERT_TRUE(s.Open(path.c_str(), 2));
    EXPECT_EQ(s.GetPosition(), 7u);  // Appending continues after the content.
    s << static_cast<unsigned char>(9);
  }
  EXPECT_EQ(ReadBytes(path), (Bytes{4, 3, 2, 1, 2, 'a', 'b', 9}));

  CFerroStreamFile s;
  ASSERT_TRUE(s.Open(path.c_str(), 0));
  s.SetPosition(4);
  CFerroString text;
  s >> text;
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(s.Write("x", 1), 0u);
  char more[4];
  EXPECT_EQ(s.Read(more, 4), 1u);  // Short read at the end.
  EXPECT_EQ(more[0], 9);

  s.SetMode(1);  // Reopens the same path for writing, which truncates.
  counting.reset();
  s.SetMode(0);
  EXPECT_EQ(s.GetLength(), 0u);
  EXPECT_EQ(opens, 4);  // Every open and reopen but the last went through the hook.
}

TEST_F(CFerroStreamFileTest, FailedOpenLeavesTheStreamClosed) {
  CFerroStreamFile s;
  EXPECT_FALSE(s.Open(path.c_str(), 0));  // Does not exist.
  EXPECT_FALSE(s.Open((path + "/no/such/folder").c_str(), 1));
  EXPECT_FALSE(s.Open(path.c_str(), 5));
  EXPECT_FALSE(s.Open(nullptr, 1));
  EXPECT_EQ(s.GetFile(), nullptr);
  char b;
  EXPECT_EQ(s.Read(&b, 1), 0u);
  EXPECT_EQ(s.Write(&b, 1), 0u);
}

}  // namespace

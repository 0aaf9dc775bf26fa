#include "GUI/foundation/CFerroStreamFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

class CFerroStreamFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = TempPath(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::remove(path.c_str());
  }
  void TearDown() override { std::remove(path.c_str()); }
  std::string path;
};

int opens = 0;  // Host files opened through the hook below.

TEST_F(CFerroStreamFileTest, WriteAppendReadAndReopenThroughTheHostOpener) {
  opens = 0;
  CFerroStreamFile::SetHostOpener([](const char* p, const char* m) {
    ++opens;
    return std::fopen(p, m);
  });
  {
    CFerroStreamFile s;
    ASSERT_TRUE(s.Open(path.c_str(), 1));
    EXPECT_EQ(s << 0x01020304, 4u);
    s.SetPosition(0);  // Ignored while writing.
    EXPECT_EQ(s.GetPosition(), 4u);
    s << CFerroString("ab");
  }
  EXPECT_EQ(ReadWholeFile(path), (ByteVector{4, 3, 2, 1, 2, 'a', 'b'}));
  {
    CFerroStreamFile s;
    ASSERT_TRUE(s.Open(path.c_str(), 2));
    EXPECT_EQ(s.GetPosition(), 7u);  // Appending continues after the content.
    s << static_cast<unsigned char>(9);
  }
  EXPECT_EQ(ReadWholeFile(path), (ByteVector{4, 3, 2, 1, 2, 'a', 'b', 9}));

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
  CFerroStreamFile::SetHostOpener(nullptr);
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

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

TEST_F(CFerroStreamFileTest, WriteAppendRead) {
  {
    CFerroStreamFile s;
    ASSERT_TRUE(s.Open(path.c_str(), 1));
    EXPECT_EQ(s.GetName(), path.c_str());
    EXPECT_TRUE(s.IsStoring());
    EXPECT_EQ(s << 0x01020304, 4u);
    EXPECT_EQ(s.GetLastCount(), 4);
    EXPECT_EQ(s.GetPosition(), 4u);
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
  EXPECT_EQ(s.GetLength(), 8u);
  s.SetPosition(4);
  CFerroString text;
  unsigned char last = 0;
  s >> text;
  s >> last;
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(last, 9);
  EXPECT_EQ(s.Write("x", 1), 0u);
  EXPECT_EQ(s.GetLastCount(), 0);
  char more[4];
  EXPECT_EQ(s.Read(more, 4), 0u);
  s.SetPosition(6);
  EXPECT_EQ(s.Read(more, 4), 2u);  // Short read at the end.
}

TEST_F(CFerroStreamFileTest, SetModeReopensTheSamePath) {
  CFerroStreamFile s;
  ASSERT_TRUE(s.Open(path.c_str(), 1));
  s << 5;
  s.SetMode(0);
  EXPECT_EQ(s.GetName(), path.c_str());
  int v = 0;
  s >> v;
  EXPECT_EQ(v, 5);
  s.SetMode(2);
  s << 6;
  s.SetMode(0);
  EXPECT_EQ(s.GetLength(), 8u);
  s.SetMode(1);  // Truncates.
  s.SetMode(0);
  EXPECT_EQ(s.GetLength(), 0u);
}

TEST_F(CFerroStreamFileTest, FailedOpenLeavesTheStreamClosed) {
  CFerroStreamFile s;
  EXPECT_FALSE(s.Open(path.c_str(), 0));  // Does not exist.
  EXPECT_EQ(s.GetMode(), 0);
  EXPECT_EQ(s.GetName(), "");
  EXPECT_EQ(s.GetFile(), nullptr);
  EXPECT_FALSE(s.Open((path + "/no/such/folder").c_str(), 1));
  EXPECT_EQ(s.GetMode(), 0);
  EXPECT_FALSE(s.Open(path.c_str(), 5));
  EXPECT_EQ(s.GetName(), "");
  EXPECT_FALSE(s.Open(nullptr, 1));
  EXPECT_EQ(s.GetLength(), 0u);
  EXPECT_EQ(s.GetPosition(), 0u);
  char b;
  EXPECT_EQ(s.Read(&b, 1), 0u);
  EXPECT_EQ(s.Write(&b, 1), 0u);
}

TEST_F(CFerroStreamFileTest, CloseForgetsTheNameButKeepsTheMode) {
  CFerroStreamFile s;
  ASSERT_TRUE(s.Open(path.c_str(), 1));
  s.Close();
  EXPECT_EQ(s.GetName(), "");
  EXPECT_EQ(s.GetMode(), 1);
  EXPECT_EQ(s.GetFile(), nullptr);
  s.Close();
}

int openerCalls = 0;
FILE* CountingOpener(const char* p, const char* m) {
  ++openerCalls;
  return std::fopen(p, m);
}

TEST_F(CFerroStreamFileTest, HostOpenerRoutesEveryOpen) {
  openerCalls = 0;
  CFerroStreamFile::SetHostOpener(CountingOpener);
  {
    CFerroStreamFile s;
    ASSERT_TRUE(s.Open(path.c_str(), 1));
    s.SetMode(0);
  }
  CFerroStreamFile::SetHostOpener(nullptr);
  EXPECT_EQ(openerCalls, 2);
  CFerroStreamFile s;
  EXPECT_TRUE(s.Open(path.c_str(), 0));
  EXPECT_EQ(openerCalls, 2);
}

}  // namespace

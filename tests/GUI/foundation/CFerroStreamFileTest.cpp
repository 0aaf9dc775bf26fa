#include "GUI/foundation/CFerroStreamFile.h"

#include <gtest/gtest.h>

#include <cerrno>
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

// A full disk shows up at different moments: a write larger than the stdio
// buffer fails inside Write, a small one only when the buffer is flushed on
// closing. Either way the previous file must survive whole, no temporary may
// be left, and errno must say why.
TEST(WriteFileReplacingTest, APartialWriteNeverReplacesThePreviousFile) {
  struct Case {
    const char* what;
    size_t bytes;
    bool writerSucceeds;
    rlim_t limit;
    int error;
  };
  const Case cases[] = {
      {"small write, disk full when the buffer is flushed", 100, true, 10, EFBIG},
      {"large write, disk full inside the write", 256 * 1024, true, 1000, EFBIG},
      {"the writer gives up", 10, false, RLIM_INFINITY, EIO},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string target = dir / "file.bin";
    ASSERT_TRUE(WriteText(target, "previous"));
    const std::string bytes(c.bytes, 'x');
    bool ok = true;
    int error = 0;
    {
      ScopedFileSizeLimit limit(c.limit);
      ok = WriteFileReplacing(target.c_str(), [&](CFerroStream& stream) {
        stream.Write(bytes.data(), static_cast<unsigned>(bytes.size()));
        return c.writerSucceeds;
      });
      error = errno;
    }
    EXPECT_FALSE(ok) << c.what;
    EXPECT_EQ(error, c.error) << c.what;
    EXPECT_EQ(ReadText(target), "previous") << c.what;
    EXPECT_FALSE(std::filesystem::exists(target + ".tmp")) << c.what;
  }

  // A complete write replaces the file; a folder that does not exist fails.
  TempDir dir;
  const std::string target = dir / "file.bin";
  ASSERT_TRUE(WriteText(target, "previous"));
  EXPECT_TRUE(WriteFileReplacing(target.c_str(),
                                 [](CFerroStream& stream) { return stream.Write("new", 3) == 3; }));
  EXPECT_EQ(ReadText(target), "new");
  EXPECT_FALSE(std::filesystem::exists(target + ".tmp"));
  EXPECT_FALSE(
      WriteFileReplacing((dir / "none/file.bin").c_str(), [](CFerroStream&) { return true; }));
  EXPECT_EQ(errno, ENOENT);
}

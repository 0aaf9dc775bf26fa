#include "GUI/foundation/CFerroStream.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <tuple>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/CFerroStreamMemory.h"
#include "tests/support/Files.h"
#include "tests/support/Geometry.h"
#include "tests/support/Scoped.h"
#include "tests/support/Streams.h"
#include "tests/support/Strings.h"

namespace {

template <typename T>
Bytes Encode(const T& value) {
  return Written([&value](CFerroStream& s) {
    s << value;
    return true;
  });
}

// Reads a value of type T back from bytes; a short read leaves `start`.
template <typename T>
T Decode(const Bytes& bytes, T start = T()) {
  return ReadWith(bytes, [&start](CFerroStream& s) {
    s >> start;
    return start;
  });
}

template <typename T>
void ExpectForm(const T& value, const Bytes& bytes) {
  EXPECT_EQ(Encode(value), bytes) << ::testing::PrintToString(value);
  EXPECT_EQ(Decode<T>(bytes), value) << ::testing::PrintToString(value);
}

TEST(CFerroStreamTest, PrimitivesAreLittleEndianAndShortReadsChangeNothing) {
  ExpectForm(true, {1});
  ExpectForm(static_cast<short>(-2), {0xFE, 0xFF});
  ExpectForm(0x89ABCDEFu, {0xEF, 0xCD, 0xAB, 0x89});
  ExpectForm(1.0f, {0, 0, 0x80, 0x3F});
  ExpectForm(-2.5, {0, 0, 0, 0, 0, 0, 0x04, 0xC0});
  ExpectForm(CFerroRect(1, 2, 3, -4), {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0xFC, 0xFF, 0xFF, 0xFF});
  ExpectForm(CFerroString('\0') + 'z', {2, 0, 'z'});  // Embedded zero bytes are text.

  // Short reads keep what was there.
  EXPECT_EQ(Decode<int>({1, 2, 3}, 77), 77);
  EXPECT_EQ(Decode<CFerroRect>(Bytes(15, 1), CFerroRect(1, 1, 1, 1)), CFerroRect(1, 1, 1, 1));
  EXPECT_EQ(Decode<CFerroString>({255, 1}, CFerroString("kept")), "kept");
  // A text cut by the end keeps the bytes that were there.
  EXPECT_EQ(Decode<CFerroString>({255, 0xFF, 0xFF, 'a', 'b'}), "ab");
}

TEST(CFerroStreamTest, StringFormByLength) {
  // Length, the stored length bytes, the stored text length.
  const std::tuple<int, Bytes, int> cases[] = {
      {254, {254}, 254},
      {255, {255, 255, 0}, 255},
      {300, {255, 0x2C, 0x01}, 300},
      {70000, {255, 255, 255}, 65535},  // Cut to the largest stored length.
  };
  for (const auto& [length, header, stored] : cases) {
    const std::string text(static_cast<size_t>(length), 'x');
    Bytes expected = header;
    expected.insert(expected.end(), text.begin(), text.begin() + stored);
    const Bytes bytes = Encode(CFerroString(text.c_str()));
    EXPECT_EQ(bytes, expected) << length;
    EXPECT_EQ(Decode<CFerroString>(bytes), text.substr(0, stored).c_str()) << length;
  }
}

Bytes Content(CFerroStreamMemory& s) {
  return Bytes(s.GetBuffer(), s.GetBuffer() + s.GetLength());
}

// The editor writes into a growing memory stream.
TEST(CFerroStreamMemoryTest, GrowthModesAndClamping) {
  CFerroStreamMemory s;
  unsigned char block[4] = {1, 2, 3, 4};
  EXPECT_FALSE(s.Open(nullptr, 5, 1));
  ASSERT_TRUE(s.Open(nullptr, 0, 1));
  const Bytes big(6251, 0xAB);
  EXPECT_EQ(s.Write(big.data(), 5000), 5000u);
  s.SetPosition(1);  // Ignored while writing.
  EXPECT_EQ(s.Write(big.data() + 5000, 1251), 1251u);
  EXPECT_EQ(Content(s), big);
  EXPECT_EQ(s.Write(big.data(), 0xFFFFFFFFu), 0u);  // Would pass the 32-bit offset limit.
  s.SetMode(0);
  EXPECT_EQ(s.Write("x", 1), 0u);  // Reading streams do not write.
  // Its own buffer cannot become the block of a new opening.
  EXPECT_FALSE(s.Open(s.GetBuffer(), s.GetLength(), 2));
  EXPECT_EQ(s.GetLength(), 6251u);

  // A borrowed block is read in place; reads clamp to it.
  ASSERT_TRUE(s.Open(block, 4, 0));
  s.SetPosition(3);
  unsigned char out[100] = {0};
  EXPECT_EQ(s.Read(out, 100), 1u);
}

int opens = 0;  // Host files opened through CountingOpen.

FILE* CountingOpen(const char* path, const char* mode) {
  ++opens;
  return std::fopen(path, mode);
}

// The platform routes every file through its host opener.
TEST(CFerroStreamFileTest, WriteAppendReadAndReopenThroughTheHostOpener) {
  TempDir dir;
  const std::string path = dir / "stream";
  opens = 0;
  std::optional<ScopedHook> counting(std::in_place, CFerroStreamFile::SetHostOpener, CountingOpen);
  {
    CFerroStreamFile s;
    EXPECT_FALSE(s.Open(path.c_str(), 0));  // Does not exist.
    EXPECT_EQ(s.Write("x", 1), 0u);
    ASSERT_TRUE(s.Open(path.c_str(), 1));
    s << 0x01020304;
    s << CFerroString("ab");
  }
  {
    CFerroStreamFile s;
    ASSERT_TRUE(s.Open(path.c_str(), 2));  // Appending continues after the content.
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

  s.SetMode(1);  // Reopens the same path for writing, which truncates.
  counting.reset();
  s.SetMode(0);
  EXPECT_EQ(s.GetLength(), 0u);
  EXPECT_EQ(opens, 5);  // Every open and reopen but the last went through the hook.
}

// A full disk shows up at different moments: a write larger than the stdio
// buffer fails inside Write, a small one only when the buffer is flushed on
// closing. Either way the previous file must survive whole (or, for a new
// file, none be made), no temporary may be left, and errno must say why.
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
  for (const Case& c : cases)
    for (const bool replacing : {true, false}) {
      SCOPED_TRACE(std::string(c.what) + (replacing ? ", replacing" : ", a new file"));
      TempDir dir;
      const std::string target = dir / "file.bin";
      ASSERT_TRUE(!replacing || WriteText(target, "previous"));
      const std::string bytes(c.bytes, 'x');
      const auto writer = [&](CFerroStream& stream) {
        stream.Write(bytes.data(), static_cast<unsigned>(bytes.size()));
        return c.writerSucceeds;
      };
      bool ok = true;
      int error = 0;
      {
        ScopedFileSizeLimit limit(c.limit);
        ok = replacing ? WriteFileReplacing(target.c_str(), writer)
                       : WriteFileNew(target.c_str(), writer);
        error = errno;
      }
      EXPECT_FALSE(ok);
      EXPECT_EQ(error, c.error);
      EXPECT_EQ(Listing(dir.Path()), replacing ? "file.bin" : "");
      EXPECT_EQ(replacing ? ReadText(target) : "previous", "previous");
    }
  // No temporary can be made in a folder that does not exist.
  TempDir dir;
  EXPECT_FALSE(
      WriteFileReplacing((dir / "none/file.bin").c_str(), [](CFerroStream&) { return true; }));
  EXPECT_EQ(errno, ENOENT);
}

}  // namespace

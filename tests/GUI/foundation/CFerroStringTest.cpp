#include "GUI/foundation/CFerroString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "tests/support/Files.h"
#include "tests/support/Strings.h"

namespace {

std::string Text(const CFerroString& s) {
  return std::string(s.c_str(), s.GetLength());
}

// Stored names may hold zero bytes; indexes and searches from outside the
// text never read before or past its buffer.
TEST(CFerroStringTest, ZeroBytesCopiesIndexesAndSearches) {
  CFerroString zero('\0');
  EXPECT_FALSE(zero == CFerroString());  // One zero byte is not the empty text...
  EXPECT_TRUE(zero == "");               // ...but compares as text like it.
  CFerroString copy(zero + 'x');
  copy = copy;
  EXPECT_EQ(Text(copy), std::string("\0x", 2));
  copy = copy.c_str() + 1;  // Assigning from its own buffer.
  EXPECT_EQ(copy, "x");

  CFerroString s("abc"), empty;
  EXPECT_EQ(std::string({s[-5], s[6], s[3]}), std::string("ac\0", 3));
  for (int i : {0, 7, -1}) EXPECT_EQ(empty[i], 0) << i;
  s = "abcabc";
  EXPECT_EQ(s.Find("bc", 2), 4);
  for (int start : {-1, 6, 100}) {
    EXPECT_EQ(s.Find("a", start), -1) << start;
    EXPECT_EQ(s.FindChar('a', start), -1) << start;
  }
  EXPECT_EQ(s.Find(static_cast<const char*>(nullptr), 0), -1);
}

TEST(CFerroStringTest, PiecesAreClampedToTheText) {
  const CFerroString s("hello");
  // Start, count, the piece, and the text once the piece is deleted.
  const std::tuple<int, int, const char*, const char*> cases[] = {
      {1, 3, "ell", "ho"},
      {-4, 2, "he", "llo"},
      {2, -1, "", "hello"},
      {-2147483647 - 1, 2147483647, "hello", ""},
      {2147483647, 2147483647, "", "hello"},
  };
  for (auto [start, n, mid, rest] : cases) {
    EXPECT_EQ(s.Mid(start, n), mid) << start << "," << n;
    CFerroString t(s);
    EXPECT_EQ(t.Delete(start, n), static_cast<int>(std::strlen(rest)));
    EXPECT_EQ(t, rest) << start << "," << n;
  }
  EXPECT_EQ(s.Left(-1) + ',' + s.Right(99), ",hello");
}

TEST(CFerroStringTest, PathHelpers) {
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {":0/image/a.png", ":0/image", "a.png", "png"},
      {"archive.tar.gz", "", "archive.tar.gz", "gz"},
      {"dir.d\\file", "dir.d", "file", "d\\file"},
      {"", "", "", ""},
  };
  for (auto [path, dir, file, ext] : cases) {
    CFerroString s(path);
    EXPECT_EQ(s.GetPathOnly(), dir) << path;
    EXPECT_EQ(s.GetFileNameOnly(), file) << path;
    EXPECT_EQ(s.GetExtension(), ext) << path;
  }
  CFerroString slash("dir//\\");
  slash.DeleteLastSlash();
  EXPECT_EQ(slash, "dir");
}

TEST(CFerroStringTest, FormattingAndNumbers) {
  CFerroString s;
  EXPECT_EQ(s.Format("%.2f", 1.5f), "1.50");
  // Longer output is cut to 31 bytes instead of overflowing the work buffer.
  EXPECT_EQ(Text(s.Format("%060d", 7)), std::string(31, '0'));
  EXPECT_EQ(s.Format(nullptr, 1), "");
  EXPECT_EQ(CFerroString("  12abc").StringToInt(), 12);
}

// The drive table stores names in this form.
TEST(CFerroStringTest, FileFormAndHostileLengths) {
  HostFile f = TempFileWith({});
  ASSERT_TRUE(f);
  EXPECT_TRUE(CFerroString("ab").SaveToStream(f.get()));
  EXPECT_EQ(ReadBytes(f.get()), (Bytes{2, 0, 0, 0, 'a', 'b'}));
  CFerroString back;
  EXPECT_TRUE(back.LoadFromStream(f.get()));
  EXPECT_EQ(back, "ab");

  back = "kept";
  const Bytes bad[] = {
      {5, 0},                                  // Cut inside the length.
      {5, 0, 0, 0, 'a', 'b'},                  // Fewer bytes than announced.
      {0xFF, 0xFF, 0xFF, 0x7F, 'a'},           // Two gigabytes announced.
      {0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'}  // Negative length.
  };
  for (const auto& bytes : bad) {
    EXPECT_FALSE(back.LoadFromStream(TempFileWith(bytes).get())) << bytes.size();
    EXPECT_EQ(back, "kept");
  }
  EXPECT_FALSE(back.LoadFromStream(nullptr));
}

}  // namespace

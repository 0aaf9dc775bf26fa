#include "GUI/foundation/CFerroString.h"

#include "tests/GUI/foundation/FerroTestUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Bytes(const CFerroString& s) {
  return std::string(s.c_str(), s.GetLength());
}

TEST(CFerroStringTest, ConstructionKeepsExactLengthAndTerminator) {
  CFerroString zero('\0');
  EXPECT_EQ(zero.GetLength(), 1);
  EXPECT_FALSE(zero == CFerroString());
  EXPECT_TRUE(zero == "");

  CFerroString filled(4);
  EXPECT_EQ(filled.GetLength(), 4);
  EXPECT_EQ(Bytes(filled), std::string(4, '\0'));
  EXPECT_EQ(CFerroString(-3).GetLength(), 0);
  EXPECT_EQ(CFerroString(static_cast<const char*>(nullptr)).GetLength(), 0);

  // A deep copy keeps embedded zero bytes.
  CFerroString copy(zero + 'x');
  EXPECT_EQ(Bytes(copy), std::string("\0x", 2));
  copy = copy;
  EXPECT_EQ(copy.GetLength(), 2);
  copy = copy.c_str() + 1;  // Assigning from its own buffer.
  EXPECT_EQ(copy, "x");

  // SetLength discards the text and clears the first byte even at the same length.
  CFerroString s("abc");
  s.SetLength(3);
  EXPECT_EQ(Bytes(s), std::string("\0bc", 3));
  s.SetLength(5);
  EXPECT_EQ(Bytes(s), std::string(5, '\0'));
}

TEST(CFerroStringTest, IndexIsClampedToTheText) {
  CFerroString s("abc");
  EXPECT_EQ(s[-5], 'a');
  EXPECT_EQ(s[3], 0);
  EXPECT_EQ(s[6], 'c');
  s[1] = 'X';
  EXPECT_EQ(s, "aXc");
  CFerroString empty;
  EXPECT_EQ(empty[0], 0);
  EXPECT_EQ(empty[7], 0);  // Must not read before the buffer.
  EXPECT_EQ(empty[-1], 0);
}

TEST(CFerroStringTest, ConcatenationAndComparison) {
  CFerroString a("ab");
  CFerroString r = a += CFerroString("cd");
  EXPECT_EQ(a, "abcd");
  EXPECT_EQ(r, "abcd");
  EXPECT_EQ(a + 'e', "abcde");
  EXPECT_EQ("x" + a, "xabcd");
  EXPECT_TRUE(CFerroString("B") < CFerroString("a"));
  EXPECT_TRUE(CFerroString("b") > CFerroString("a"));
  EXPECT_TRUE(CFerroString() == static_cast<const char*>(nullptr));
  EXPECT_EQ(CFerroString("MiXed \xC4").toLower(), "mixed \xC4");
}

TEST(CFerroStringTest, SearchHonoursStart) {
  CFerroString s("abcabc");
  EXPECT_EQ(s.FindChar('c', 0), 2);
  EXPECT_EQ(s.FindChar('c', 3), 5);
  EXPECT_EQ(s.FindChar('z', 0), -1);
  EXPECT_EQ(s.Find("bc", 2), 4);
  EXPECT_EQ(s.Find(CFerroString("ca"), 0), 2);
  for (int start : {-1, 6, 100}) {
    EXPECT_EQ(s.Find("a", start), -1) << start;
    EXPECT_EQ(s.FindChar('a', start), -1) << start;
  }
  EXPECT_EQ(s.Find(static_cast<const char*>(nullptr), 0), -1);
}

struct PieceCase {
  int start;
  int n;
  const char* mid;
};

TEST(CFerroStringTest, PiecesAreClampedToTheText) {
  const CFerroString s("hello");
  const PieceCase cases[] = {
      {0, 5, "hello"},
      {1, 3, "ell"},
      {-4, 2, "he"},
      {3, 100, "lo"},
      {5, 1, ""},
      {9, 2, ""},
      {2, -1, ""},
      {-2147483647 - 1, 2147483647, "hello"},
      {2147483647, 2147483647, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(s.Mid(c.start, c.n), c.mid) << c.start << "," << c.n;
    EXPECT_EQ(s.substr(c.start, c.n), c.mid);
  }
  EXPECT_EQ(s.Left(2), "he");
  EXPECT_EQ(s.Left(-1), "");
  EXPECT_EQ(s.Left(99), "hello");
  EXPECT_EQ(s.Right(2), "lo");
  EXPECT_EQ(s.Right(99), "hello");
  EXPECT_EQ(s.Right(-3), "");

  struct {
    int start, n;
    const char* rest;
  } deletes[] = {
      {1, 2, "hlo"}, {-3, 1, "ello"}, {4, 10, "hell"}, {7, 1, "hello"}, {0, -2, "hello"}};
  for (const auto& d : deletes) {
    CFerroString t(s);
    EXPECT_EQ(t.Delete(d.start, d.n), static_cast<int>(std::string(d.rest).size()));
    EXPECT_EQ(t, d.rest) << d.start << "," << d.n;
  }
}

TEST(CFerroStringTest, TrimPadAndSlashes) {
  CFerroString t(" \t a b\t ");
  t.Trim();
  EXPECT_EQ(t, "a b");
  CFerroString blank(" \t\t ");
  blank.Trim();
  EXPECT_EQ(blank.GetLength(), 0);
  CFerroString newline("\na\n");
  newline.Trim();
  EXPECT_EQ(newline, "\na\n");

  CFerroString p("abc");
  p.ToSize(10);
  EXPECT_EQ(p, "   abc    ");
  CFerroString q("abc");
  q.ToSize(2);
  EXPECT_EQ(q, "abc");

  CFerroString d("dir//\\");
  d.DeleteLastSlash();
  EXPECT_EQ(d, "dir");
  CFerroString only("/\\/");
  only.DeleteLastSlash();
  EXPECT_EQ(only, "");
}

TEST(CFerroStringTest, PathHelpers) {
  struct {
    const char* path;
    const char* dir;
    const char* file;
    const char* ext;
  } cases[] = {
      {":0/image/a.png", ":0/image", "a.png", "png"},
      {":abc", "", "abc", ""},
      {"a.png", "", "a.png", "png"},
      {"archive.tar.gz", "", "archive.tar.gz", "gz"},
      {"noext", "", "noext", ""},
      {"dir.d\\file", "dir.d", "file", "d\\file"},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    CFerroString s(c.path);
    EXPECT_EQ(s.GetPathOnly(), c.dir) << c.path;
    EXPECT_EQ(s.GetFileNameOnly(), c.file) << c.path;
    EXPECT_EQ(s.GetExtension(), c.ext) << c.path;
  }
}

TEST(CFerroStringTest, NamespaceDivideAndNames) {
  CFerroString ns("a::b::Name");
  EXPECT_TRUE(ns.DeleteNamespace());
  EXPECT_EQ(ns, "Name");
  for (const char* text : {"plain", ":0/drive", "a:b", ":"}) {
    CFerroString s(text);
    EXPECT_FALSE(s.DeleteNamespace()) << text;
    EXPECT_EQ(s, text);
  }

  CFerroString left("L"), right("R");
  EXPECT_TRUE(CFerroString("key = value").Divide(" = ", left, right));
  EXPECT_EQ(left, "key");
  EXPECT_EQ(right, "value");
  EXPECT_FALSE(CFerroString("novalue").Divide("=", left, right));
  EXPECT_FALSE(CFerroString().Divide("=", left, right));
  EXPECT_EQ(left, "key");
  CFerroString self("x=y");
  EXPECT_TRUE(self.Divide("=", self, right));
  EXPECT_EQ(self, "x");
  EXPECT_EQ(right, "y");

  EXPECT_TRUE(CFerroString("_a1").IsVariableName());
  EXPECT_TRUE(CFerroString("9lives").IsVariableName());
  EXPECT_FALSE(CFerroString("").IsVariableName());
  EXPECT_FALSE(CFerroString("a-b").IsVariableName());
}

TEST(CFerroStringTest, NumbersAndFormatting) {
  CFerroString s;
  EXPECT_EQ(s.IntToString(-42), "-42");
  EXPECT_EQ(s.Format("%d", 5), "5");
  EXPECT_EQ(s.Format("%x", 255u), "ff");
  EXPECT_EQ(s.Format("[%c]", 'q'), "[q]");
  EXPECT_EQ(s.Format("%.2f", 1.5f), "1.50");
  EXPECT_EQ(s.Format("%.3f", 2.25), "2.250");
  // Longer output is cut to 31 bytes instead of overflowing the work buffer.
  s.Format("%060d", 7);
  EXPECT_EQ(s.GetLength(), 31);
  EXPECT_EQ(s, std::string(31, '0').c_str());
  EXPECT_EQ(s.Format(nullptr, 1), "");
  EXPECT_EQ(CFerroString("  12abc").StringToInt(), 12);
  EXPECT_DOUBLE_EQ(CFerroString("2.5e1").StringToDouble(), 25.0);

  CFerroString hex("\x0A\xFFz");
  EXPECT_EQ(hex.StringToHexCodes(), "0AFF7A");
  CFerroString none;
  EXPECT_EQ(none.StringToHexCodes(), "");
}

TEST(CFerroStringTest, DumpUsesTheLineTerminator) {
  const unsigned char bytes[] = {0x0A, 0xFF, 0x10};
  CFerroString d;
  EXPECT_EQ(d.Dump(3, bytes, 2), "0A FF \r\n10 ");
  EXPECT_EQ(d.Dump(3, bytes, 0), "0A FF 10 ");
  EXPECT_EQ(d.Dump(2, bytes, 1), "0A \r\nFF \r\n");
  EXPECT_EQ(d.Dump(0, bytes, 2), "");
  EXPECT_EQ(d.Dump(3, nullptr, 2), "");

  SetReturn("|");
  EXPECT_EQ(GetReturn(), "|");
  EXPECT_EQ(d.Dump(3, bytes, 2), "0A FF |10 ");
  SetReturn("\r\n");
  EXPECT_EQ(return_str, "\r\n");
}

TEST(CFerroStringTest, TimeOfReadingCountsNonSpaces) {
  EXPECT_EQ(CFerroString("a b").TimeOfReading(), 1100);
  EXPECT_EQ(CFerroString("").TimeOfReading(), 1000);
  EXPECT_EQ(CFerroString("abc").TimeOfReading(), 1150);
}

TEST(CFerroStringTest, Params) {
  CFerroString s("  one\t two  \"three four\" five ");
  EXPECT_EQ(s.GetParam(0), "one");
  EXPECT_EQ(s.GetParam(1), "two");
  EXPECT_EQ(s.GetParam(2), "three four");
  EXPECT_EQ(s.GetParam(3), "five");
  EXPECT_EQ(s.GetParam(4), "");
  EXPECT_EQ(s.GetParam(-1), "");
  EXPECT_EQ(s.GetParamCount(), 4);
  EXPECT_EQ(CFerroString("   ").GetParamCount(), 0);
}

class CFerroStringFileTest : public ::testing::Test {
 protected:
  void SetUp() override { file = std::tmpfile(); }
  void TearDown() override {
    if (file != nullptr) std::fclose(file);
  }
  void Put(const std::vector<unsigned char>& bytes) {
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
  }
  std::vector<unsigned char> All() {
    std::rewind(file);
    std::vector<unsigned char> out;
    int c;
    while ((c = std::fgetc(file)) != EOF) out.push_back(static_cast<unsigned char>(c));
    return out;
  }
  FILE* file = nullptr;
};

TEST_F(CFerroStringFileTest, SaveWritesLengthThenBytes) {
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(CFerroString("ab").SaveToStream(file));
  EXPECT_TRUE(CFerroString("xy").SaveText(file));
  EXPECT_EQ(All(), (std::vector<unsigned char>{2, 0, 0, 0, 'a', 'b', 'x', 'y'}));
  std::rewind(file);
  CFerroString back;
  EXPECT_TRUE(back.LoadFromStream(file));
  EXPECT_EQ(back, "ab");
}

TEST_F(CFerroStringFileTest, ClassStringFormHasTwoByteLength) {
  ASSERT_NE(file, nullptr);
  Put({3, 0, 'a', 'b', 'c', 0, 0});
  CFerroString s;
  EXPECT_TRUE(s.LoadFromStreamForClassString(file));
  EXPECT_EQ(s, "abc");
  EXPECT_TRUE(s.LoadFromStreamForClassString(file));
  EXPECT_EQ(s, "");
}

TEST_F(CFerroStringFileTest, HostileLengthsFailWithoutChangingTheText) {
  ASSERT_NE(file, nullptr);
  const std::vector<std::vector<unsigned char>> bad = {
      {},                                      // No length at all.
      {5, 0},                                  // Cut inside the length.
      {5, 0, 0, 0, 'a', 'b'},                  // Fewer bytes than announced.
      {0xFF, 0xFF, 0xFF, 0x7F, 'a'},           // Two gigabytes announced.
      {0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'}  // Negative length.
  };
  for (const auto& bytes : bad) {
    std::fclose(file);
    file = std::tmpfile();
    Put(bytes);
    CFerroString s("kept");
    EXPECT_FALSE(s.LoadFromStream(file)) << bytes.size();
    EXPECT_EQ(s, "kept");
  }
  std::fclose(file);
  file = std::tmpfile();
  Put({0xFF, 0xFF, 'a'});
  CFerroString s("kept");
  EXPECT_FALSE(s.LoadFromStreamForClassString(file));
  EXPECT_EQ(s, "kept");
  EXPECT_FALSE(s.LoadFromStream(nullptr));
  EXPECT_FALSE(s.SaveToStream(nullptr));
}

}  // namespace

#include "GUI/foundation/CFerroStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/foundation/CFerroStreamMemory.h"
#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

ByteVector Written(CFerroStreamMemory& s) {
  return ByteVector(s.GetBuffer(), s.GetBuffer() + s.GetLength());
}

// Writes with one operator and returns the bytes it produced.
template <typename T>
ByteVector Encode(const T& value) {
  CFerroStreamMemory s;
  EXPECT_TRUE(s.Open(nullptr, 0, 1));
  s << value;
  return Written(s);
}

// Reads a value of type T back from bytes.
template <typename T>
T Decode(const ByteVector& bytes, T start = T()) {
  CFerroStreamMemory s;
  EXPECT_TRUE(s.Open(bytes.data(), static_cast<unsigned>(bytes.size()), 0));
  s >> start;
  return start;
}

// The value is written as exactly these bytes and reads back from them.
template <typename T>
void ExpectForm(const T& value, const ByteVector& bytes) {
  EXPECT_EQ(Encode(value), bytes) << ::testing::PrintToString(value);
  EXPECT_EQ(Decode<T>(bytes), value) << ::testing::PrintToString(value);
}

TEST(CFerroStreamTest, PrimitivesAreLittleEndian) {
  ExpectForm(true, {1});
  ExpectForm(false, {0});
  ExpectForm('A', {0x41});
  ExpectForm(static_cast<unsigned char>(0xFE), {0xFE});
  ExpectForm(static_cast<short>(-2), {0xFE, 0xFF});
  ExpectForm(static_cast<unsigned short>(0x1234), {0x34, 0x12});
  ExpectForm(1, {1, 0, 0, 0});
  ExpectForm(-2, {0xFE, 0xFF, 0xFF, 0xFF});
  ExpectForm(0x89ABCDEFu, {0xEF, 0xCD, 0xAB, 0x89});
  ExpectForm(1.0f, {0, 0, 0x80, 0x3F});
  ExpectForm(-2.5, {0, 0, 0, 0, 0, 0, 0x04, 0xC0});
  ExpectForm(CFerroPoint(1, -1), {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
  ExpectForm(CFerroSize(640, 2), {0x80, 2, 0, 0, 2, 0, 0, 0});
  ExpectForm(CFerroRect(1, 2, 3, -4), {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0xFC, 0xFF, 0xFF, 0xFF});
}

TEST(CFerroStreamTest, ShortReadLeavesTheVariable) {
  EXPECT_EQ(Decode<int>({1, 2, 3}, 77), 77);
  EXPECT_EQ(Decode<double>({1, 2, 3, 4, 5, 6, 7}, 1.5), 1.5);
  EXPECT_EQ(Decode<CFerroRect>(ByteVector(15, 1), CFerroRect(1, 1, 1, 1)), CFerroRect(1, 1, 1, 1));
  EXPECT_EQ(Decode<CFerroString>({}, CFerroString("kept")), "kept");
  EXPECT_EQ(Decode<CFerroString>({255, 1}, CFerroString("kept")), "kept");
}

TEST(CFerroStreamTest, StringFormByLength) {
  struct {
    int length;
    ByteVector header;
  } cases[] = {
      {0, {0}},
      {1, {1}},
      {254, {254}},
      {255, {255, 255, 0}},
      {300, {255, 0x2C, 0x01}},
      {65535, {255, 255, 255}},
  };
  for (const auto& c : cases) {
    std::string text(static_cast<size_t>(c.length), 'x');
    for (int i = 0; i < c.length; ++i) text[i] = static_cast<char>('a' + i % 26);
    const CFerroString s(text.c_str());
    ByteVector bytes = Encode(s);
    ByteVector expected = c.header;
    expected.insert(expected.end(), text.begin(), text.end());
    EXPECT_EQ(bytes, expected) << c.length;
    EXPECT_EQ(Decode<CFerroString>(bytes), s) << c.length;
  }
}

TEST(CFerroStreamTest, OverlongTextIsCutToTheLargestStoredLength) {
  const CFerroString s(std::string(70000, 'q').c_str());
  ByteVector bytes = Encode(s);
  ASSERT_EQ(bytes.size(), 3u + 65535u);
  EXPECT_EQ(bytes[1], 0xFF);
  EXPECT_EQ(bytes[2], 0xFF);
  EXPECT_EQ(Decode<CFerroString>(bytes).GetLength(), 65535);
}

TEST(CFerroStreamTest, StringCutByTheEndKeepsWhatWasThere) {
  EXPECT_EQ(Decode<CFerroString>({255, 0xFF, 0xFF, 'a', 'b'}), "ab");
  EXPECT_EQ(Decode<CFerroString>({5, 'a'}), "a");
  EXPECT_EQ(Decode<CFerroString>({0}, CFerroString("old")), "");
  // Embedded zero bytes are part of the stored text.
  CFerroString zero = CFerroString('\0') + 'z';
  EXPECT_EQ(Encode(zero), (ByteVector{2, 0, 'z'}));
  EXPECT_EQ(Decode<CFerroString>({2, 0, 'z'}), zero);
}

TEST(CFerroStreamTest, OperatorsReturnTheLastTransferCount) {
  CFerroStreamMemory s;
  ASSERT_TRUE(s.Open(nullptr, 0, 1));
  EXPECT_EQ(s << 7, 4u);
  EXPECT_EQ(s << CFerroString("abc"), 3u);
  EXPECT_EQ(s << CFerroString(), 1u);
  s.SetMode(0);
  int i = 0;
  CFerroString t;
  EXPECT_EQ(s >> i, 4u);
  EXPECT_EQ(s >> t, 3u);
  EXPECT_EQ(t, "abc");
  EXPECT_EQ(s >> t, 1u);
  EXPECT_EQ(s >> i, 0u);
}

TEST(CFerroStreamTest, SetModeIgnoresTheCurrentAndUnknownModes) {
  CFerroStreamMemory s;
  ASSERT_TRUE(s.Open(nullptr, 0, 1));
  s << 1;
  for (int m : {1, 3, -1}) {
    s.SetMode(m);
    EXPECT_EQ(s.GetMode(), 1);
    EXPECT_EQ(s.GetLength(), 4u);
  }
  EXPECT_TRUE(s.IsStoring());
  s.SetMode(0);
  EXPECT_TRUE(s.IsLoading());
  EXPECT_EQ(s.GetPosition(), 0u);
}

}  // namespace

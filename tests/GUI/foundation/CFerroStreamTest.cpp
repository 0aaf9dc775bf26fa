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

TEST(CFerroStreamTest, PrimitivesAreLittleEndian) {
  EXPECT_EQ(Encode(true), (ByteVector{1}));
  EXPECT_EQ(Encode(false), (ByteVector{0}));
  EXPECT_EQ(Encode('A'), (ByteVector{0x41}));
  EXPECT_EQ(Encode(static_cast<unsigned char>(0xFE)), (ByteVector{0xFE}));
  EXPECT_EQ(Encode(static_cast<short>(-2)), (ByteVector{0xFE, 0xFF}));
  EXPECT_EQ(Encode(static_cast<unsigned short>(0x1234)), (ByteVector{0x34, 0x12}));
  EXPECT_EQ(Encode(1), (ByteVector{1, 0, 0, 0}));
  EXPECT_EQ(Encode(-2), (ByteVector{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Encode(0x89ABCDEFu), (ByteVector{0xEF, 0xCD, 0xAB, 0x89}));
  EXPECT_EQ(Encode(1.0f), (ByteVector{0, 0, 0x80, 0x3F}));
  EXPECT_EQ(Encode(-2.5), (ByteVector{0, 0, 0, 0, 0, 0, 0x04, 0xC0}));
  EXPECT_EQ(Encode(CFerroPoint(1, -1)), (ByteVector{1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Encode(CFerroSize(640, 2)), (ByteVector{0x80, 2, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(Encode(CFerroRect(1, 2, 3, 4)),
            (ByteVector{1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0}));
}

TEST(CFerroStreamTest, PrimitivesReadBack) {
  EXPECT_EQ(Decode<bool>({1}), true);
  EXPECT_EQ(Decode<char>({0x41}), 'A');
  EXPECT_EQ(Decode<unsigned char>({0xFE}), 0xFE);
  EXPECT_EQ(Decode<short>({0xFE, 0xFF}), -2);
  EXPECT_EQ(Decode<unsigned short>({0x34, 0x12}), 0x1234);
  EXPECT_EQ(Decode<int>({0xFE, 0xFF, 0xFF, 0xFF}), -2);
  EXPECT_EQ(Decode<unsigned int>({0xEF, 0xCD, 0xAB, 0x89}), 0x89ABCDEFu);
  EXPECT_EQ(Decode<float>({0, 0, 0x80, 0x3F}), 1.0f);
  EXPECT_EQ(Decode<double>({0, 0, 0, 0, 0, 0, 0x04, 0xC0}), -2.5);
  EXPECT_EQ(Decode<CFerroRect>(Encode(CFerroRect(-5, 6, 7, 8))), CFerroRect(-5, 6, 7, 8));
  EXPECT_EQ(Decode<CFerroPoint>(Encode(CFerroPoint(9, -9))), CFerroPoint(9, -9));
  EXPECT_EQ(Decode<CFerroSize>(Encode(CFerroSize(3, 4))), CFerroSize(3, 4));
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

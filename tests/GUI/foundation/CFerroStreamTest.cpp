#include "GUI/foundation/CFerroStream.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "GUI/foundation/CFerroRect.h"
#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

// Writes with one operator and returns the bytes it produced.
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

// The value is written as exactly these bytes and reads back from them.
template <typename T>
void ExpectForm(const T& value, const Bytes& bytes) {
  EXPECT_EQ(Encode(value), bytes) << ::testing::PrintToString(value);
  EXPECT_EQ(Decode<T>(bytes), value) << ::testing::PrintToString(value);
}

TEST(CFerroStreamTest, PrimitivesAreLittleEndianAndShortReadsChangeNothing) {
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
  ExpectForm(CFerroString('\0') + 'z', {2, 0, 'z'});  // Embedded zero bytes are text.

  // Short reads keep what was there.
  EXPECT_EQ(Decode<int>({1, 2, 3}, 77), 77);
  EXPECT_EQ(Decode<double>({1, 2, 3, 4, 5, 6, 7}, 1.5), 1.5);
  EXPECT_EQ(Decode<CFerroRect>(Bytes(15, 1), CFerroRect(1, 1, 1, 1)), CFerroRect(1, 1, 1, 1));
  EXPECT_EQ(Decode<CFerroString>({}, CFerroString("kept")), "kept");
  EXPECT_EQ(Decode<CFerroString>({255, 1}, CFerroString("kept")), "kept");
  // A text cut by the end keeps the bytes that were there.
  EXPECT_EQ(Decode<CFerroString>({255, 0xFF, 0xFF, 'a', 'b'}), "ab");
  EXPECT_EQ(Decode<CFerroString>({5, 'a'}), "a");
}

TEST(CFerroStreamTest, StringFormByLength) {
  // Length, the stored length bytes, the stored text length.
  const std::tuple<int, Bytes, int> cases[] = {
      {0, {0}, 0},
      {254, {254}, 254},
      {255, {255, 255, 0}, 255},
      {300, {255, 0x2C, 0x01}, 300},
      {65535, {255, 255, 255}, 65535},
      {70000, {255, 255, 255}, 65535},  // Cut to the largest stored length.
  };
  for (const auto& [length, header, stored] : cases) {
    std::string text(static_cast<size_t>(length), 'x');
    for (int i = 0; i < length; ++i) text[i] = static_cast<char>('a' + i % 26);
    Bytes expected = header;
    expected.insert(expected.end(), text.begin(), text.begin() + stored);
    const Bytes bytes = Encode(CFerroString(text.c_str()));
    EXPECT_EQ(bytes, expected) << length;
    EXPECT_EQ(Decode<CFerroString>(bytes), text.substr(0, stored).c_str()) << length;
  }
}

}  // namespace

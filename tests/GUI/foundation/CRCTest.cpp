#include "GUI/foundation/CRC.h"

#include <gtest/gtest.h>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

ByteVector Ints(std::initializer_list<unsigned> values) {
  ByteVector out;
  for (unsigned v : values)
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<unsigned char>(v >> (8 * b)));
  return out;
}

TEST(CRCTest, SumsOfOneTwoThree) {
  const unsigned char data[] = {1, 2, 3};
  CRC c;
  c.Create(data, 3);
  EXPECT_EQ(c.length, 3u);
  EXPECT_EQ(c.sum, 6u);
  EXPECT_EQ(c.steps[0], 2u);
  EXPECT_EQ(c.steps[1], 0u);
  for (int s = 2; s < CRC::kSteps; ++s) EXPECT_EQ(c.steps[s], 6u) << s + 1;
  EXPECT_EQ(c.ToInt(), 3u - 6u - 2u - 0u - 6u * 6u);

  const unsigned char four[] = {1, 2, 3, 4};
  CRC d;
  d.Create(four, 4);
  EXPECT_EQ(d.steps[0], static_cast<unsigned>(-2));  // (1 - 2) + (3 - 4), wrapped.
  EXPECT_EQ(d.steps[1], static_cast<unsigned>(-4));  // (1 + 2) - (3 + 4).
  EXPECT_NE(c, d);
  d = c;
  EXPECT_EQ(c, d);

  CRC empty;
  empty.Create(nullptr, 10);
  EXPECT_EQ(empty, CRC());
}

TEST(CRCTest, StoredFormAndLongerRecords) {
  const unsigned char data[] = {1, 2, 3};
  CRC c;
  c.Create(data, 3);
  CFerroStreamMemory out;
  ASSERT_TRUE(out.Open(nullptr, 0, 1));
  ASSERT_TRUE(c.Serialize(out));
  const ByteVector bytes(out.GetBuffer(), out.GetBuffer() + out.GetLength());
  EXPECT_EQ(bytes, Ints({9, 3, 6, 2, 0, 6, 6, 6, 6, 6, 6}));

  // A newer writer's extra fields are skipped, so what follows is still read.
  ByteVector longer = Ints({11, 3, 6, 2, 0, 6, 6, 6, 6, 6, 6, 100, 200, 77});
  CFerroStreamMemory in;
  ASSERT_TRUE(in.Open(longer.data(), static_cast<unsigned>(longer.size()), 0));
  CRC back;
  ASSERT_TRUE(back.Serialize(in));
  EXPECT_EQ(back, c);
  int next = 0;
  in >> next;
  EXPECT_EQ(next, 77);

  CFerroStreamMemory cut;
  ASSERT_TRUE(cut.Open(bytes.data(), 40, 0));
  CRC kept;
  EXPECT_FALSE(kept.Serialize(cut));
  EXPECT_EQ(kept, CRC());

  ByteVector hugeCount = Ints({0x7FFFFFFF, 3, 6, 2, 0, 6, 6, 6, 6, 6, 6});
  CFerroStreamMemory huge;
  ASSERT_TRUE(huge.Open(hugeCount.data(), static_cast<unsigned>(hugeCount.size()), 0));
  EXPECT_TRUE(back.Serialize(huge));
}

}  // namespace

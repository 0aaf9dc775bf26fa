#include "GUI/foundation/CFerroStreamMemory.h"

#include <gtest/gtest.h>

#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

Bytes Content(CFerroStreamMemory& s) {
  return Bytes(s.GetBuffer(), s.GetBuffer() + s.GetLength());
}

TEST(CFerroStreamMemoryTest, OpenAndModeChanges) {
  CFerroStreamMemory s;
  EXPECT_EQ(s.Write("x", 1), 0u);  // No buffer yet.
  unsigned char block[4] = {1, 2, 3, 4};
  EXPECT_FALSE(s.Open(block, 4, 1));
  EXPECT_FALSE(s.Open(nullptr, 5, 1));
  EXPECT_FALSE(s.Open(nullptr, 0, 7));

  ASSERT_TRUE(s.Open(nullptr, 0, 2));  // Nothing to append: plain writing.
  s.Write("hello", 5);
  s.SetPosition(1);  // Ignored while writing, as are the current and unknown modes.
  for (int ignored : {1, 3, -1}) s.SetMode(ignored);
  EXPECT_EQ(s.GetPosition(), 5u);
  s.SetMode(0);
  EXPECT_EQ(s.GetPosition(), 0u);
  EXPECT_EQ(s.Write("x", 1), 0u);  // Reading streams do not write.
  s.SetMode(2);
  s.Write("!", 1);
  EXPECT_EQ(Content(s), (Bytes{'h', 'e', 'l', 'l', 'o', '!'}));
  s.SetMode(1);  // Empties the stream.
  EXPECT_EQ(s.GetLength(), 0u);

  // A borrowed block is read in place and copied before anything is written.
  ASSERT_TRUE(s.Open(block, 4, 0));
  EXPECT_EQ(s.GetBuffer(), block);
  s.SetMode(2);
  s.Write("ab", 2);
  EXPECT_EQ(Content(s), (Bytes{1, 2, 3, 4, 'a', 'b'}));
  ASSERT_TRUE(s.Open(block, 4, 2));
  EXPECT_EQ(s.Write("ab", 2), 2u);
  EXPECT_EQ(Content(s), (Bytes{1, 2, 3, 4, 'a', 'b'}));
  EXPECT_EQ(s.GetCapacity(), 4100u);
  // Its own buffer cannot become the block of a new opening.
  EXPECT_FALSE(s.Open(s.GetBuffer(), s.GetLength(), 2));
  EXPECT_EQ(s.GetLength(), 6u);
}

TEST(CFerroStreamMemoryTest, GrowthAndClamping) {
  CFerroStreamMemory s;
  ASSERT_TRUE(s.Open(nullptr, 0, 1));
  EXPECT_EQ(s.GetCapacity(), 4096u);
  Bytes big(5000, 0xAB);
  EXPECT_EQ(s.Write(big.data(), 5000), 5000u);
  EXPECT_EQ(s.GetCapacity(), 6250u);
  EXPECT_EQ(s.Write(big.data(), 1250), 1250u);
  EXPECT_EQ(s.GetCapacity(), 6250u);  // Exactly full: no growth.
  EXPECT_EQ(s.Write(big.data(), 1), 1u);
  EXPECT_EQ(s.GetCapacity(), 6251u + 6251u / 4);
  EXPECT_EQ(Content(s), Bytes(6251, 0xAB));
  unsigned char b = 0;
  EXPECT_EQ(s.Write(&b, 0xFFFFFFFFu), 0u);  // Would pass the 32-bit offset limit.
  EXPECT_EQ(s.Write(nullptr, 4), 0u);
  EXPECT_EQ(s.GetLength(), 6251u);

  // Reads clamp to the block.
  const Bytes block = Words({1, 2, 3});
  ASSERT_TRUE(s.Open(block.data(), 12, 0));
  s.SetPosition(8);
  unsigned char out[100] = {0};
  EXPECT_EQ(s.Read(out, 100), 4u);
  EXPECT_EQ(out[0], 3);
  EXPECT_EQ(s.Read(out, 1), 0u);
  s.SetPosition(1000);
  EXPECT_EQ(s.GetPosition(), 12u);
  s.SetPosition(0);
  EXPECT_EQ(s.Read(nullptr, 5), 0u);
  EXPECT_EQ(s.GetPosition(), 0u);
}

}  // namespace

#include "GUI/foundation/CFerroStreamMemory.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

TEST(CFerroStreamMemoryTest, OpenModes) {
  CFerroStreamMemory s;
  EXPECT_EQ(s.GetLength(), 0u);
  EXPECT_EQ(s.Write("x", 1), 0u);  // No buffer yet.

  unsigned char block[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_FALSE(s.Open(block, 10, 1));
  EXPECT_FALSE(s.Open(nullptr, 5, 1));
  EXPECT_FALSE(s.Open(nullptr, 0, 7));

  ASSERT_TRUE(s.Open(nullptr, 0, 2));  // Nothing to append: plain writing.
  EXPECT_EQ(s.GetMode(), 1);
  EXPECT_EQ(s.GetCapacity(), 4096u);

  ASSERT_TRUE(s.Open(block, 10, 2));
  EXPECT_EQ(s.GetLength(), 10u);
  EXPECT_EQ(s.GetPosition(), 10u);
  EXPECT_EQ(s.Write("abcde", 5), 5u);
  EXPECT_EQ(s.GetLength(), 15u);
  EXPECT_EQ(s.GetCapacity(), 4106u);
  EXPECT_EQ(std::memcmp(s.GetBuffer(), block, 10), 0);
  EXPECT_EQ(std::memcmp(s.GetBuffer() + 10, "abcde", 5), 0);

  ASSERT_TRUE(s.Open(block, 10, 0));
  EXPECT_FALSE(s.OwnsBuffer());
  EXPECT_EQ(s.GetBuffer(), block);
  EXPECT_EQ(s.Write("z", 1), 0u);  // Reading streams do not write.
}

TEST(CFerroStreamMemoryTest, GrowthIsAQuarterAboveTheNeed) {
  CFerroStreamMemory s;
  ASSERT_TRUE(s.Open(nullptr, 0, 1));
  ByteVector big(5000, 0xAB);
  EXPECT_EQ(s.Write(big.data(), 5000), 5000u);
  EXPECT_EQ(s.GetCapacity(), 6250u);
  EXPECT_EQ(s.GetLastCount(), 5000);
  EXPECT_EQ(s.Write(big.data(), 1250), 1250u);
  EXPECT_EQ(s.GetCapacity(), 6250u);  // Exactly full: no growth.
  EXPECT_EQ(s.Write(big.data(), 1), 1u);
  EXPECT_EQ(s.GetCapacity(), 6251u + 6251u / 4);
  EXPECT_EQ(s.GetLength(), 6251u);
  EXPECT_EQ(ByteVector(s.GetBuffer(), s.GetBuffer() + 6251), ByteVector(6251, 0xAB));
}

TEST(CFerroStreamMemoryTest, ReadsClampToTheBlock) {
  ByteVector block(40);
  for (int i = 0; i < 40; ++i) block[i] = static_cast<unsigned char>(i);
  CFerroStreamMemory s;
  ASSERT_TRUE(s.Open(block.data(), 40, 0));
  s.SetPosition(30);
  unsigned char out[100] = {0};
  EXPECT_EQ(s.Read(out, 100), 10u);
  EXPECT_EQ(s.GetPosition(), 40u);
  EXPECT_EQ(out[0], 30);
  EXPECT_EQ(out[9], 39);
  EXPECT_EQ(s.Read(out, 1), 0u);
  EXPECT_EQ(s.GetLastCount(), 0);
  s.SetPosition(1000);
  EXPECT_EQ(s.GetPosition(), 40u);
  s.SetPosition(0);
  EXPECT_EQ(s.Read(nullptr, 5), 0u);
  EXPECT_EQ(s.GetPosition(), 0u);
}

TEST(CFerroStreamMemoryTest, ModeChanges) {
  CFerroStreamMemory s;
  ASSERT_TRUE(s.Open(nullptr, 0, 1));
  s.Write("hello", 5);
  s.SetPosition(1);  // Ignored while writing.
  EXPECT_EQ(s.GetPosition(), 5u);

  s.SetMode(0);
  EXPECT_EQ(s.GetPosition(), 0u);
  char out[5];
  EXPECT_EQ(s.Read(out, 5), 5u);
  EXPECT_EQ(s.Write("x", 1), 0u);

  s.SetMode(2);
  EXPECT_EQ(s.GetPosition(), 5u);
  s.Write("!", 1);
  EXPECT_EQ(s.GetLength(), 6u);

  s.SetMode(1);  // Empties the stream.
  EXPECT_EQ(s.GetLength(), 0u);
  EXPECT_EQ(s.GetCapacity(), 4096u);

  s.Write("abc", 3);
  s.Close();
  EXPECT_EQ(s.GetLength(), 0u);
  EXPECT_EQ(s.GetPosition(), 0u);
  EXPECT_NE(s.GetBuffer(), nullptr);
  EXPECT_TRUE(s.OwnsBuffer());
}

TEST(CFerroStreamMemoryTest, WritingAfterReadingABorrowedBlockLeavesTheBlockAlone) {
  unsigned char block[4] = {1, 2, 3, 4};
  CFerroStreamMemory s;
  ASSERT_TRUE(s.Open(block, 4, 0));
  s.SetMode(2);
  EXPECT_EQ(s.Write("abcdefgh", 8), 8u);
  EXPECT_EQ(s.GetLength(), 12u);
  EXPECT_TRUE(s.OwnsBuffer());
  EXPECT_EQ((ByteVector{block, block + 4}), (ByteVector{1, 2, 3, 4}));
  EXPECT_EQ(ByteVector(s.GetBuffer(), s.GetBuffer() + 12),
            (ByteVector{1, 2, 3, 4, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'}));

  // Rewinding a borrowed block and writing over it also copies first.
  ASSERT_TRUE(s.Open(block, 4, 0));
  s.SetMode(1);
  s.Write("zz", 2);
  EXPECT_EQ(block[0], 1);
}

TEST(CFerroStreamMemoryTest, HugeWritesFailCleanly) {
  CFerroStreamMemory s;
  ASSERT_TRUE(s.Open(nullptr, 0, 1));
  s.Write("abc", 3);
  unsigned char b = 0;
  EXPECT_EQ(s.Write(&b, 0xFFFFFFFFu), 0u);  // Would pass the 32-bit offset limit.
  EXPECT_EQ(s.GetLength(), 3u);
  EXPECT_EQ(s.Write(nullptr, 4), 0u);
  // Its own buffer cannot become the block of a new opening.
  EXPECT_FALSE(s.Open(s.GetBuffer(), s.GetLength(), 2));
  EXPECT_EQ(s.GetLength(), 3u);
}

}  // namespace

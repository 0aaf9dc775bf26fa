#include "GUI/foundation/CFerroStringArray.h"

#include <gtest/gtest.h>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

TEST(CFerroStringArrayTest, AddCopiesAndGrowsByTenOrAQuarter) {
  CFerroStringArray a;
  CFerroString text("one");
  EXPECT_EQ(a.Add(&text), 0);
  text = "changed";
  EXPECT_EQ(*a.Get(0), "one");
  EXPECT_EQ(a.GetCapacity(), 10);
  EXPECT_EQ(a.Add(nullptr), 1);
  EXPECT_EQ(*a.Get(1), "");
  EXPECT_EQ(a.Get(2), nullptr);
  EXPECT_EQ(a.Get(-1), nullptr);
  for (int i = 2; i < 51; ++i) a.Add(CFerroString("x"));
  EXPECT_EQ(a.GetCapacity(), 62);  // 10, 20, 30, 40, 50, then 50 + 50 / 4.
}

TEST(CFerroStringArrayTest, FromStringSplitsAtBlanks) {
  CFerroStringArray a;
  a.Add(CFerroString("old"));
  a.FromString("  a\tbc");
  ASSERT_EQ(a.GetCount(), 2);
  EXPECT_EQ(*a.Get(0), "a");
  EXPECT_EQ(*a.Get(1), "bc");
  a.FromString(" \t ");
  EXPECT_EQ(a.GetCount(), 0);
  a.FromString(nullptr);
  EXPECT_EQ(a.GetCount(), 0);
}

TEST(CFerroStringArrayTest, StoredFormAndHostileCounts) {
  CFerroStringArray a;
  a.Add(CFerroString("ab"));
  a.Add(CFerroString(""));
  CFerroStreamMemory out;
  ASSERT_TRUE(out.Open(nullptr, 0, 1));
  ASSERT_TRUE(a.Serialize(out));
  const ByteVector bytes(out.GetBuffer(), out.GetBuffer() + out.GetLength());
  EXPECT_EQ(bytes, (ByteVector{10, 0, 0, 0, 2, 0, 0, 0, 2, 'a', 'b', 0}));

  CFerroStringArray b;
  CFerroStreamMemory in;
  ASSERT_TRUE(in.Open(bytes.data(), static_cast<unsigned>(bytes.size()), 0));
  ASSERT_TRUE(b.Serialize(in));
  EXPECT_EQ(b.GetCount(), 2);
  EXPECT_EQ(b.GetCapacity(), 10);
  EXPECT_EQ(*b.Get(0), "ab");

  const ByteVector bad[] = {
      {10, 0, 0, 0, 3, 0, 0, 0, 2, 'a', 'b', 0},  // One string missing.
      {10, 0, 0, 0, 2, 0, 0, 0, 5, 'a', 'b', 0},  // A string cut short.
      {1, 0, 0, 0, 2, 0, 0, 0, 2, 'a', 'b', 0},   // Count above capacity.
      {10, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0},   // Huge count.
      {0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0, 0},    // Huge capacity.
      {10, 0, 0},                                 // Cut in the header.
  };
  for (const auto& hostile : bad) {
    CFerroStreamMemory s;
    ASSERT_TRUE(s.Open(hostile.data(), static_cast<unsigned>(hostile.size()), 0));
    EXPECT_FALSE(b.Serialize(s));
    EXPECT_EQ(b.GetCount(), 2);
    EXPECT_EQ(*b.Get(0), "ab");
  }
}

}  // namespace

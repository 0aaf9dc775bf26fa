#include "GUI/foundation/CFerroStringArray.h"

#include <gtest/gtest.h>

#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

TEST(CFerroStringArrayTest, AddSplitStoreAndRefuseHostileCounts) {
  CFerroStringArray a;
  CFerroString text("one");
  EXPECT_EQ(a.Add(&text), 0);
  text = "changed";
  EXPECT_EQ(*a.Get(0), "one");
  EXPECT_EQ(a.Add(nullptr), 1);
  EXPECT_EQ(*a.Get(1), "");
  EXPECT_EQ(a.Get(-1), a.Get(2));  // Both outside: null.
  for (int i = 2; i < 51; ++i) a.Add(CFerroString("x"));
  EXPECT_EQ(a.GetCapacity(), 62);  // 10, 20, 30, 40, 50, then 50 + 50 / 4.

  a.FromString("  a\tbc");
  ASSERT_EQ(a.GetCount(), 2);
  EXPECT_EQ(*a.Get(0), "a");
  EXPECT_EQ(*a.Get(1), "bc");
  a.FromString(nullptr);
  EXPECT_EQ(a.GetCount(), 0);

  a.Add(CFerroString("ab"));
  a.Add(CFerroString(""));
  const Bytes bytes = Stored(a);
  EXPECT_EQ(bytes, (Bytes{10, 0, 0, 0, 2, 0, 0, 0, 2, 'a', 'b', 0}));

  const Bytes inputs[] = {
      bytes,
      {10, 0, 0, 0, 3, 0, 0, 0, 2, 'a', 'b', 0},  // One string missing.
      {10, 0, 0, 0, 2, 0, 0, 0, 5, 'a', 'b', 0},  // A string cut short.
      {1, 0, 0, 0, 2, 0, 0, 0, 2, 'a', 'b', 0},   // Count above capacity.
      {10, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0},   // Huge count.
      {0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0, 0},    // Huge capacity.
      {10, 0, 0},                                 // Cut in the header.
  };
  CFerroStringArray b;
  for (const Bytes& in : inputs) {  // Only the first is whole.
    EXPECT_EQ(Restore(b, in), &in == &inputs[0]);
    EXPECT_EQ(b.GetCount(), 2);
    EXPECT_EQ(b.GetCapacity(), 10);
    EXPECT_EQ(*b.Get(0), "ab");
  }
}

}  // namespace

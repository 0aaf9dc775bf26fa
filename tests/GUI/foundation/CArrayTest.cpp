#include <gtest/gtest.h>

#include <vector>

#include "GUI/foundation/CArrayInt.h"
#include "tests/support/Files.h"
#include "tests/support/Streams.h"
#include "tests/support/Strings.h"

namespace {

std::vector<int> Slots(const CArrayBase& a) {
  std::vector<int> out;
  for (int i = 0; i < a.GetCount(); ++i) out.push_back(a.GetSlot(i));
  return out;
}

// The drive keeps its free clusters in one of these, so the drive table
// stores this slot order.
TEST(CArrayTest, SlotOrderGrowthAndReuse) {
  CArrayInt a;
  std::vector<int> got;
  for (int i = 0; i < 9; ++i) got.push_back(a.Add(100 + i));
  EXPECT_EQ(got, (std::vector<int>{3, 2, 1, 0, 7, 6, 5, 4, 11}));
  EXPECT_EQ(a.Get(11), 108);
  EXPECT_EQ(a.Get(10), -1);  // Free slot.

  // Deleting moves the last slot into the gap; freed slots are reused first.
  a = CArrayInt();
  for (int i = 0; i < 5; ++i) a.Add(10 * i);  // Slots 3, 2, 1, 0, 7.
  EXPECT_TRUE(a.Delete(3));
  EXPECT_EQ(Slots(a), (std::vector<int>{7, 2, 1, 0}));
  for (int bad : {3, 5, 8, -1}) EXPECT_FALSE(a.Delete(bad)) << bad;
  EXPECT_EQ(a.Add(77), 3);
  EXPECT_TRUE(a.Delete(a.Add(-1)));  // A slot holding the empty value is still in use.

  // Copies own their lists.
  CArrayInt b(a);
  b.Delete(3);
  EXPECT_EQ(a.Get(3), 77);
}

TEST(CArrayTest, FileFormListsEveryIndexArray) {
  CArrayInt a;
  a.Add(5);  // Slot 3.
  a.Add(6);  // Slot 2.
  a.Delete(3);
  const Bytes expected = Words({4, 1, 2,               // Existing list.
                                4, 3, 0, 1, 3,         // Free stack, bottom first.
                                5, -1, -1, 0, -1, -1,  // Slot map: 3 + 4 / 4 + 1 entries.
                                4, -1, -1, 6, -1});    // Values.
  EXPECT_EQ(Stored(a), expected);

  CArrayInt b;
  b.Add(1);
  ASSERT_TRUE(Restore(b, expected));
  EXPECT_EQ(b.Add(9), 3);  // The free stack survives: its top comes first.
  EXPECT_EQ(Stored(b), Words({4, 2, 2, 3, 4, 2, 0, 1, 5, -1, -1, 0, 1, -1, 4, -1, -1, 6, 9}));

  // Host files (the drive table) hold the same form.
  HostFile f = TempFileWith({});
  ASSERT_TRUE(b.SaveToFile(f.get()));
  EXPECT_EQ(ReadBytes(f.get()), Stored(b));
  ASSERT_TRUE(a.LoadFromFile(f.get()));
  EXPECT_EQ(Stored(a), Stored(b));
}

TEST(CArrayTest, HostileFormsFailAndLeaveTheArray) {
  const Bytes good = Words({4, 1, 2, 4, 3, 0, 1, 3, 5, -1, -1, 0, -1, -1, 4, -1, -1, 6, -1});
  auto with = [&good](size_t word, int value) { return Patched(good, 4 * word, value); };
  std::vector<std::pair<const char*, Bytes>> bad = {
      {"truncated", Bytes(good.begin(), good.end() - 1)},
      {"count above capacity", with(1, 5)},
      {"huge capacity", with(0, 0x7FFFFFFF)},
      {"huge slot count", with(14, 0x7FFFFFFF)},
      {"slot both used and free", with(7, 2)},
      {"map disagrees", with(11, -1)},
      {"stray map entry", with(9, 0)},
      {"too few slots", with(14, 2)},
  };
  CArrayInt kept;
  kept.Add(42);
  for (const auto& [what, bytes] : bad) {
    CArrayInt a(kept);
    EXPECT_FALSE(Restore(a, bytes)) << what;
    EXPECT_EQ(Stored(a), Stored(kept)) << what;
  }
  // Counts are checked against what the file still holds before anything is allocated.
  CArrayInt c;
  EXPECT_FALSE(c.LoadFromFile(TempFileWith(Words({0x7FFFFFFF, 1, 0})).get()));
  EXPECT_FALSE(c.LoadFromFile(nullptr));
}

}  // namespace

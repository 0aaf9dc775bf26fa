#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "GUI/foundation/CArrayInt.h"
#include "GUI/foundation/CArrayPtr.h"
#include "GUI/foundation/CFerroStreamMemory.h"
#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

std::vector<int> Slots(const CArrayBase& a) {
  std::vector<int> out;
  for (int i = 0; i < a.GetCount(); ++i) out.push_back(a.GetSlot(i));
  return out;
}

ByteVector Ints(std::initializer_list<int> values) {
  ByteVector out;
  for (int v : values)
    for (int b = 0; b < 4; ++b)
      out.push_back(static_cast<unsigned char>(static_cast<unsigned>(v) >> (8 * b)));
  return out;
}

ByteVector Saved(CArrayBase& a) {
  CFerroStreamMemory s;
  EXPECT_TRUE(s.Open(nullptr, 0, 1));
  EXPECT_TRUE(a.Serialize(s));
  return ByteVector(s.GetBuffer(), s.GetBuffer() + s.GetLength());
}

bool LoadBytes(CArrayBase& a, const ByteVector& bytes) {
  CFerroStreamMemory s;
  EXPECT_TRUE(s.Open(bytes.data(), static_cast<unsigned>(bytes.size()), 0));
  return a.Serialize(s);
}

TEST(CArrayTest, SlotsAreHandedOutFromTheTopOfEachBatch) {
  CArrayInt a;
  std::vector<int> got;
  for (int i = 0; i < 9; ++i) got.push_back(a.Add(100 + i));
  EXPECT_EQ(got, (std::vector<int>{3, 2, 1, 0, 7, 6, 5, 4, 11}));
  EXPECT_EQ(a.GetSlotCount(), 12);
  EXPECT_EQ(a.Get(3), 100);
  EXPECT_EQ(a.Get(11), 108);
  EXPECT_EQ(a.Get(10), -1);  // Free slot.
  EXPECT_EQ(a.Get(12), 0);   // Outside the slots.
  EXPECT_EQ(a.Get(-1), 0);
  EXPECT_EQ(Slots(a), got);

  // Growth is a quarter of the slot count once that exceeds four.
  CArrayInt big;
  for (int i = 0; i < 21; ++i) big.Add(i);
  EXPECT_EQ(big.GetSlotCount(), 25);  // 4, 8, 12, 16, 20, 25.
}

TEST(CArrayTest, DeleteReusesSlotsAndMovesTheLastIntoTheGap) {
  CArrayInt a;
  for (int i = 0; i < 5; ++i) a.Add(10 * i);  // Slots 3, 2, 1, 0, 7.
  EXPECT_TRUE(a.Delete(3));                   // The first added.
  EXPECT_EQ(Slots(a), (std::vector<int>{7, 2, 1, 0}));
  EXPECT_EQ(a.Get(3), -1);
  EXPECT_FALSE(a.Delete(3));  // Twice.
  EXPECT_FALSE(a.Delete(5));  // Never used.
  EXPECT_FALSE(a.Delete(8));  // Out of range.
  EXPECT_FALSE(a.Delete(-1));
  EXPECT_EQ(a.Add(77), 3);
  EXPECT_TRUE(a.Delete(2));
  EXPECT_EQ(a.Add(78), 2);
  EXPECT_EQ(a.Add(79), 6);
  EXPECT_EQ(a.GetCount(), 6);

  // An in-use slot that happens to hold the empty value can still be deleted.
  const int slot = a.Add(-1);
  EXPECT_TRUE(a.Delete(slot));
}

TEST(CArrayTest, BookkeepingMovesSlotsBetweenTheLists) {
  CArrayInt a;
  a.IncreaseDeleted(0, 3);
  EXPECT_EQ(a.GetFreeCount(), 4);
  EXPECT_EQ(a.FromDeletedToExisting(1), 1);
  EXPECT_EQ(a.FromDeletedToExisting(1), -1);
  EXPECT_EQ(a.FromDeletedToExisting(), 3);
  EXPECT_EQ(Slots(a), (std::vector<int>{1, 3}));
  a.FromExistingToDeleted(1);
  EXPECT_EQ(Slots(a), (std::vector<int>{3}));
  EXPECT_EQ(a.FromDeletedToExisting(), 1);
  a.ClearExistingAndDeleted();
  EXPECT_EQ(a.GetCount(), 0);
  EXPECT_EQ(a.FromDeletedToExisting(), -1);
}

TEST(CArrayTest, PointerArrayFindsAndForgets) {
  int x = 0, y = 0;
  CArrayPtr a;
  const int sx = a.Add(&x);
  const int sy = a.Add(&y);
  EXPECT_EQ(a.FindIndex(&y), sy);
  EXPECT_EQ(a.FindIndex(&x), sx);
  EXPECT_EQ(a.FindIndex(nullptr), -1);
  EXPECT_TRUE(a.Delete(sx));
  EXPECT_EQ(a.Get(sx), nullptr);
  EXPECT_EQ(a.FindIndex(&x), -1);
  a.Clear();
  EXPECT_EQ(a.GetSlotCount(), 0);
  EXPECT_EQ(a.Get(sy), nullptr);
}

TEST(CArrayTest, EmptyFormIsSixZeros) {
  CArrayInt a;
  EXPECT_EQ(Saved(a), ByteVector(24, 0));
  const std::string path = TempPath("empty_array");
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(a.SaveToFile(f));
  std::fclose(f);
  EXPECT_EQ(ReadWholeFile(path), ByteVector(24, 0));
  std::remove(path.c_str());
}

TEST(CArrayTest, FileFormListsEveryIndexArray) {
  CArrayInt a;
  a.Add(5);  // Slot 3.
  a.Add(6);  // Slot 2.
  a.Delete(3);
  const ByteVector expected = Ints({4, 1, 2,               // Existing list.
                                    4, 3, 0, 1, 3,         // Free stack, bottom first.
                                    5, -1, -1, 0, -1, -1,  // Slot map: 3 + 4 / 4 + 1 entries.
                                    4, -1, -1, 6, -1});    // Values.
  EXPECT_EQ(Saved(a), expected);

  CArrayInt b;
  b.Add(1);
  ASSERT_TRUE(LoadBytes(b, expected));
  EXPECT_EQ(Slots(b), (std::vector<int>{2}));
  EXPECT_EQ(b.Get(2), 6);
  EXPECT_EQ(b.Add(9), 3);  // The free stack survives: its top comes first.
  EXPECT_EQ(Saved(b), Ints({4, 2, 2, 3, 4, 2, 0, 1, 5, -1, -1, 0, 1, -1, 4, -1, -1, 6, 9}));

  CArrayPtr p;
  p.Add(reinterpret_cast<void*>(0x1122334455667788ull));
  const ByteVector pbytes = Saved(p);
  ASSERT_EQ(pbytes.size(), 4u * (2 + 1 + 2 + 3 + 1 + 5 + 1) + 8u * 4);
  EXPECT_EQ(ByteVector(pbytes.end() - 8, pbytes.end()),
            (ByteVector{0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11}));
}

TEST(CArrayTest, FileRoundTripThroughHostFile) {
  CArrayInt a;
  for (int i = 0; i < 30; ++i) a.Add(i * i);
  for (int s : {0, 5, 17, 29}) a.Delete(s);
  const std::string path = TempPath("array_round_trip");
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_TRUE(a.SaveToFile(f));
  std::fclose(f);
  CArrayInt b;
  f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  ASSERT_TRUE(b.LoadFromFile(f));
  std::fclose(f);
  std::remove(path.c_str());
  EXPECT_EQ(Saved(b), Saved(a));
  EXPECT_EQ(Slots(b), Slots(a));
  EXPECT_FALSE(b.LoadFromFile(nullptr));
}

TEST(CArrayTest, HostileFormsFailAndLeaveTheArray) {
  const ByteVector good = Ints({4, 1, 2, 4, 3, 0, 1, 3, 5, -1, -1, 0, -1, -1, 4, -1, -1, 6, -1});
  auto with = [&](size_t word, int value) {
    ByteVector b = good;
    for (int i = 0; i < 4; ++i)
      b[word * 4 + i] = static_cast<unsigned char>(static_cast<unsigned>(value) >> (8 * i));
    return b;
  };
  std::vector<std::pair<const char*, ByteVector>> bad = {
      {"truncated", ByteVector(good.begin(), good.end() - 1)},
      {"count above capacity", with(1, 5)},
      {"negative count", with(1, -1)},
      {"huge capacity", with(0, 0x7FFFFFFF)},
      {"huge free count", with(4, 0x7FFFFFFF)},
      {"huge map", with(8, 0x7FFFFFFF)},
      {"huge slot count", with(14, 0x7FFFFFFF)},
      {"slot beyond the slot count", with(2, 9)},
      {"slot both used and free", with(7, 2)},
      {"negative free slot", with(7, -3)},
      {"map disagrees", with(11, -1)},
      {"stray map entry", with(9, 0)},
      {"map points past the list", with(12, 4)},
      {"too few slots", with(14, 2)},
  };
  for (const auto& [what, bytes] : bad) {
    CArrayInt a;
    a.Add(42);
    EXPECT_FALSE(LoadBytes(a, bytes)) << what;
    EXPECT_EQ(Slots(a), (std::vector<int>{3})) << what;
    EXPECT_EQ(a.Get(3), 42) << what;
    EXPECT_EQ(a.Add(1), 2) << what;
  }
  CArrayInt ok;
  EXPECT_TRUE(LoadBytes(ok, good));
}

TEST(CArrayTest, CopiesAreIndependent) {
  CArrayInt a;
  a.Add(1);
  a.Add(2);
  CArrayInt b(a);
  b.Delete(3);
  EXPECT_EQ(a.Get(3), 1);
  EXPECT_EQ(b.Get(3), -1);
  a = b;
  EXPECT_EQ(Saved(a), Saved(b));
}

}  // namespace

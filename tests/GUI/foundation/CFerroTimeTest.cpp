#include "GUI/foundation/CFerroTime.h"

#include <gtest/gtest.h>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "tests/GUI/foundation/FerroTestUtil.h"

namespace {

TEST(CFerroTimeTest, NewRecordStoresItsDefaults) {
  CFerroTime t;
  t.reserved = 7;  // Never stored as anything but 0.
  CFerroStreamMemory out;
  ASSERT_TRUE(out.Open(nullptr, 0, 1));
  ASSERT_TRUE(t.Serialize(out));
  EXPECT_EQ(t.reserved, 0);
  const ByteVector bytes(out.GetBuffer(), out.GetBuffer() + out.GetLength());
  EXPECT_EQ(bytes, (ByteVector{0, 0, 0,  0, 0xB7, 7, 0,  0, 4, 0, 0, 0, 14, 0,
                               0, 0, 13, 0, 0,    0, 40, 0, 0, 0, 0, 0, 0,  0}));

  ByteVector other = bytes;
  other[0] = 9;     // Leading word read but reset.
  other[4] = 0xD0;  // Year 2000.
  other[24] = 59;
  CFerroStreamMemory in;
  ASSERT_TRUE(in.Open(other.data(), static_cast<unsigned>(other.size()), 0));
  CFerroTime back;
  ASSERT_TRUE(back.Serialize(in));
  EXPECT_EQ(back.reserved, 0);
  EXPECT_EQ(back.year, 2000);
  EXPECT_EQ(back.second, 59);

  CFerroStreamMemory cut;
  ASSERT_TRUE(cut.Open(other.data(), 27, 0));
  CFerroTime kept;
  EXPECT_FALSE(kept.Serialize(cut));
  EXPECT_EQ(kept.year, 1975);
}

TEST(CFerroTimeTest, MonthNames) {
  EXPECT_EQ(ferro_month_names[0], "January");
  EXPECT_EQ(ferro_month_names[4], "May");
  EXPECT_EQ(ferro_month_names[11], "December");
}

}  // namespace

#include "GUI/foundation/CFerroTime.h"

#include <gtest/gtest.h>

#include "tests/support/Streams.h"
#include "tests/support/Strings.h"

namespace {

TEST(CFerroTimeTest, NewRecordStoresItsDefaults) {
  CFerroTime t;
  t.reserved = 7;  // Never stored as anything but 0.
  Bytes bytes = Stored(t);
  EXPECT_EQ(bytes, Words({0, 1975, 4, 14, 13, 40, 0}));

  bytes[0] = 9;     // Leading word read but reset.
  bytes[4] = 0xD0;  // Year 2000.
  bytes[24] = 59;
  ASSERT_TRUE(Restore(t, bytes));
  EXPECT_EQ(t.reserved, 0);
  EXPECT_EQ(t.year, 2000);
  EXPECT_EQ(t.second, 59);
  CFerroTime kept;
  EXPECT_FALSE(Restore(kept, Bytes(bytes.begin(), bytes.end() - 1)));
  EXPECT_EQ(kept.year, 1975);
}

}  // namespace

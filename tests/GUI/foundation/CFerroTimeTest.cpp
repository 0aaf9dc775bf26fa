#include "GUI/foundation/CFerroTime.h"

#include <gtest/gtest.h>

#include "tests/support/Streams.h"
#include "tests/support/Strings.h"

namespace {

TEST(CFerroTimeTest, StoredFormAndACutRecordChangesNothing) {
  CFerroTime t;
  t.reserved = 7;  // Never stored as anything but 0.
  Bytes bytes = Stored(t);
  EXPECT_EQ(bytes, Words({0, 1975, 4, 14, 13, 40, 0}));
  bytes[4] = 0xD0;  // Year 2000.
  ASSERT_TRUE(Restore(t, bytes));
  EXPECT_EQ(t.year, 2000);
  CFerroTime kept;
  EXPECT_FALSE(Restore(kept, Bytes(bytes.begin(), bytes.end() - 1)));
  EXPECT_EQ(kept.year, 1975);
}

}  // namespace

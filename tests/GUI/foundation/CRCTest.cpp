#include "GUI/foundation/CRC.h"

#include <gtest/gtest.h>

#include "tests/support/Streams.h"
#include "tests/support/Strings.h"

namespace {

TEST(CRCTest, SumsOfOneTwoThreeAndTheirStoredForm) {
  const unsigned char data[] = {1, 2, 3, 4};
  CRC c, d;
  c.Create(data, 3);
  const Bytes bytes = Stored(c);
  EXPECT_EQ(bytes, Words({9, 3, 6, 2, 0, 6, 6, 6, 6, 6, 6}));
  d.Create(data, 4);
  EXPECT_EQ(d.steps[1], static_cast<unsigned>(-4));  // (1 + 2) - (3 + 4), wrapped.

  // A newer writer's extra fields are skipped, so what follows is still read.
  const Bytes longer = Words({11, 3, 6, 2, 0, 6, 6, 6, 6, 6, 6, 100, 200, 77});
  CFerroStreamMemory in;
  ASSERT_TRUE(in.Open(longer.data(), static_cast<unsigned>(longer.size()), 0));
  ASSERT_TRUE(d.Serialize(in));
  EXPECT_EQ(d, c);
  int next = 0;
  in >> next;
  EXPECT_EQ(next, 77);

  CRC kept;
  EXPECT_FALSE(Restore(kept, Bytes(bytes.begin(), bytes.end() - 4)));
  EXPECT_EQ(kept, CRC());
}

}  // namespace

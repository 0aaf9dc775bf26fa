#include "GUI/graphics/CShownPicture.h"

#include <gtest/gtest.h>

#include "GUI/graphics/GSurface16.h"

namespace {

TEST(CShownPicture, TellsWhatChangedOnlyOnceAllOfThePictureWasShown) {
  GSurface16 picture, larger;
  ASSERT_TRUE(picture.Create(40, 30));
  ASSERT_TRUE(larger.Create(41, 30));
  CShownPicture shown;
  const CFerroRect all(0, 0, 40, 30), area(5, 5, 20, 20);
  EXPECT_EQ(shown.Changed(picture, area), area) << "nothing shown yet";
  shown.Shown(picture, CFerroRect(0, 0, 40, 29));
  EXPECT_EQ(shown.Changed(picture, area), area) << "a black row was never shown";
  shown.Shown(picture, CFerroRect(-5, -5, 50, 50));
  EXPECT_TRUE(shown.Changed(picture, all).IsEmpty());

  picture.FillRect(7, 8, 3, 2, 0xFFFFFF);
  picture.FillRect(12, 9, 1, 1, 0x00FF00);
  EXPECT_EQ(shown.Changed(picture, area), CFerroRect(7, 8, 13, 10));
  EXPECT_EQ(shown.Changed(picture, CFerroRect(8, 0, 40, 9)), CFerroRect(8, 8, 10, 9))
      << "only inside the area asked about";
  EXPECT_EQ(shown.Changed(picture, CFerroRect(30, -4, 60, 50)), CFerroRect());
  shown.Shown(picture, CFerroRect(7, 8, 13, 10));
  EXPECT_TRUE(shown.Changed(picture, all).IsEmpty());

  EXPECT_EQ(shown.Changed(larger, all), all) << "another size was never shown";
  shown.Reset();
  EXPECT_EQ(shown.Changed(picture, area), area);
}

}  // namespace

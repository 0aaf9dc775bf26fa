#include <gtest/gtest.h>

#include <string>

#include "GUI/foundation/CFerroTime.h"
#include "GUI/resources/Localizer.h"
#include "tests/support/Scoped.h"

namespace {

std::string Formatted(CFerroTime time, FERRO_TIME_ENUM kind) {
  CFerroString out;
  time.Format(kind, out);
  return out.c_str();
}

TEST(CFerroTimeFormatTest, EnglishWithoutALanguageTranslatedWithOne) {
  Localizer* localizer = Localizer::GetInstance();
  localizer->Unload();
  ScopeExit unload([localizer] { localizer->Unload(); });
  CFerroTime time;
  EXPECT_EQ(Formatted(time, FERRO_TIME_DATE_TIME), "April 14, 1975 13:40:00");
  time.month = 13;  // a damaged record still formats
  EXPECT_EQ(Formatted(time, FERRO_TIME_DATE), "13 14, 1975");

  const std::string resource =
      "[LANGUAGE]\r\nNAME=GERMAN\r\nLABEL=de\r\n"
      "[First Month than Day]\r\nde=no\r\n"
      "[April]\r\nde=Apr.\r\n";
  localizer->Load(resource.data(), static_cast<int>(resource.size()), "GERMAN");
  time.month = 4;
  EXPECT_EQ(Formatted(time, FERRO_TIME_DATE), "14 Apr. 1975");
  time.month = 5;  // no translation: the English name
  EXPECT_EQ(Formatted(time, FERRO_TIME_DATE), "14 May 1975");
}

}  // namespace

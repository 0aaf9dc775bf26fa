#include <gtest/gtest.h>

#include <string>

#include "GUI/foundation/CFerroTime.h"
#include "GUI/resources/Language.h"
#include "GUI/resources/Localizer.h"
#include "tests/support/Files.h"

namespace {

const std::string kResource =
    "; Languages of the test resource\r\nLANG_DEFAULT=ENGLISH\r\nTEXT_DEFAULT=Missing\r\n"
    "[LANGUAGE]\r\nNAME=ENGLISH\r\nINSTALL_NAME=English\r\nLABEL=en\r\n"
    "[LANGUAGE]\r\nINSTALL_NAME=Deutsch\r\nNAME=GERMAN\r\nLABEL=de\r\nFONT=Sans\r\n"
    "HEIGHT=20\r\nWEIGHT=750\r\nITALIC=YES\r\nCOLOR=255\r\n"
    "[Open]\r\nen=Open\r\nde = \xC3\x96"
    "ffnen ; umlaut\r\n"
    "[Close]\r\nen Close\r\n"
    "[Save]\r\ndel=Wrong line\r\nen=Save\r\n"
    "[First Month than Day]\r\nen=Yes\r\nde=No\r\n";

// The process-wide localizer starts and ends every test empty.
class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { localizer.Unload(); }
  void TearDown() override { localizer.Unload(); }
  Localizer& localizer = *Localizer::GetInstance();
};

TEST_F(LanguageTest, DescriptionsAreReadAtLineStarts) {
  Language language(kResource.data(), static_cast<int>(kResource.size()), "GERMAN");
  ASSERT_EQ(language.GetLanguageCount(), 2);
  const LangProperty* english = language.GetDescription(0);
  const LangProperty* german = language.GetDescription(1);
  EXPECT_EQ(english->height, 16);  // a default: the German values must not leak into it
  // INSTALL_NAME= comes first but does not count as NAME=.
  EXPECT_EQ(german->name, CFerroString("GERMAN"));
  EXPECT_EQ(german->weight, 700);
  EXPECT_TRUE(german->italic);
  EXPECT_EQ(language.GetNameLabel("KLINGON"), CFerroString("NOT_LABEL"));
  EXPECT_EQ(language.GetCurrent().height, 20);  // the current language is the one asked for
}

TEST_F(LanguageTest, TranslationFallbacks) {
  EXPECT_STREQ(localizer.Translate("Open"), "Error of the resource file.");
  EXPECT_EQ(localizer.GetPtr("Open"), nullptr);

  localizer.Load(kResource.data(), static_cast<int>(kResource.size()), "GERMAN");
  ASSERT_TRUE(localizer.HasLanguage());
  EXPECT_STREQ(localizer.Translate("Open"),
               "\xC3\x96"
               "ffnen");
  EXPECT_STREQ(localizer.Translate("Close"), "Close");  // only the default language has it
  EXPECT_STREQ(localizer.Translate("Save"), "Save");    // "del=" is not the label "de"
  EXPECT_STREQ(localizer.Translate("Nowhere"), "Missing");
  EXPECT_EQ(localizer.GetPtr("Nowhere"), nullptr);

  // Without TEXT_DEFAULT the default text is "?"; an empty language asks for LANG_DEFAULT.
  const std::string bare = "LANG_DEFAULT=ENGLISH\r\n[LANGUAGE]\r\nNAME=ENGLISH\r\nLABEL=en\r\n";
  localizer.Unload();
  localizer.Load(bare.data(), static_cast<int>(bare.size()), "");
  EXPECT_EQ(localizer.GetLanguageName(), CFerroString("ENGLISH"));
  EXPECT_STREQ(localizer.Translate("Anything"), "?");
}

TEST_F(LanguageTest, ResourcesWithoutLanguagesAndRepeatedLoads) {
  TempDir folder;
  ASSERT_TRUE(WriteText(folder / "a.lng", kResource));
  ASSERT_TRUE(WriteText(folder / "none.lng", "[Open]\r\nen=Open\r\n"));

  localizer.Load((folder / "none.lng").c_str(), "ENGLISH");
  EXPECT_FALSE(localizer.HasLanguage());
  EXPECT_TRUE(localizer.GetPath().IsEmpty());

  localizer.Load((folder / "a.lng").c_str(), "ENGLISH");
  const Language* first = localizer.GetLanguage();
  ASSERT_NE(first, nullptr);
  localizer.Load((folder / "a.lng").c_str(), "GERMAN");
  EXPECT_EQ(localizer.GetLanguage(), first);
  EXPECT_STREQ(localizer.Translate("Open"), "Open");

  // A '*' path loads every file of the folder with that extension.
  Language all(CFerroString((folder / "*.lng").c_str()), "ENGLISH");
  EXPECT_EQ(all.GetLanguageCount(), 2);
}

TEST_F(LanguageTest, IndexSeparatesKeysSharingBytes) {
  // Keys that share first, last and middle bytes in every combination.
  const char* keys[] = {"ab", "aXb", "aYb", "aXXb", "a", "abc", "aXc", "b"};
  std::string text = "[LANGUAGE]\r\nNAME=L\r\nLABEL=t\r\n";
  for (const char* key : keys) text += std::string("[") + key + "]\r\nt=text " + key + "\r\n";
  Language language(text.data(), static_cast<int>(text.size()), "L");
  EXPECT_EQ(language.GetPairCount(), 8);
  for (const char* key : keys)
    EXPECT_EQ(std::string(language.Label(key, true)), std::string("text ") + key);
  EXPECT_EQ(language.Label("aZb", true), nullptr);
  EXPECT_STREQ(language.Label("aZb", false), "?");
  EXPECT_EQ(language.Label("", true), nullptr);
}

// Dates take their month names and order from the current language.
TEST_F(LanguageTest, DatesInEnglishWithoutALanguageAndTranslatedWithOne) {
  const auto formatted = [](CFerroTime time, FERRO_TIME_ENUM kind) {
    CFerroString out;
    time.Format(kind, out);
    return std::string(out.c_str());
  };
  CFerroTime time;
  EXPECT_EQ(formatted(time, FERRO_TIME_DATE_TIME), "April 14, 1975 13:40:00");
  time.month = 13;  // a damaged record still formats
  EXPECT_EQ(formatted(time, FERRO_TIME_DATE), "13 14, 1975");

  const std::string resource =
      "[LANGUAGE]\r\nNAME=GERMAN\r\nLABEL=de\r\n"
      "[First Month than Day]\r\nde=no\r\n"
      "[April]\r\nde=Apr.\r\n";
  localizer.Load(resource.data(), static_cast<int>(resource.size()), "GERMAN");
  time.month = 4;
  EXPECT_EQ(formatted(time, FERRO_TIME_DATE), "14 Apr. 1975");
  time.month = 5;  // no translation: the English name
  EXPECT_EQ(formatted(time, FERRO_TIME_DATE), "14 May 1975");
}

}  // namespace

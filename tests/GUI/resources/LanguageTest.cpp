#include <gtest/gtest.h>

#include <string>

#include "GUI/resources/Language.h"
#include "GUI/resources/Localizer.h"

namespace {

const std::string kResource =
    "; Languages of the test resource\r\nLANG_DEFAULT=ENGLISH\r\nTEXT_DEFAULT=Missing\r\n"
    "[LANGUAGE]\r\nNAME=ENGLISH\r\nINSTALL_NAME=English\r\nLABEL=en\r\n"
    "[LANGUAGE]\r\nINSTALL_NAME=Deutsch\r\nNAME=GERMAN\r\nLABEL=de\r\n"
    "[Open]\r\nen=Open\r\nde = \xC3\x96"
    "ffnen ; umlaut\r\n"
    "[Close]\r\nen Close\r\n"
    "[Save]\r\ndel=Wrong line\r\nen=Save\r\n";

// The process-wide localizer starts and ends every test empty.
class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { localizer.Unload(); }
  void TearDown() override { localizer.Unload(); }
  Localizer& localizer = *Localizer::GetInstance();
};

// Nothing in the game loads a language yet, so the localizer is checked
// from memory only. INSTALL_NAME= comes first but does not count as NAME=.
TEST_F(LanguageTest, TranslationFallbacks) {
  EXPECT_STREQ(localizer.Translate("Open"), "Error of the resource file.");
  const std::string none = "[Open]\r\nen=Open\r\n";
  localizer.Load(none.data(), static_cast<int>(none.size()), "ENGLISH");
  EXPECT_FALSE(localizer.HasLanguage());

  localizer.Load(kResource.data(), static_cast<int>(kResource.size()), "GERMAN");
  ASSERT_TRUE(localizer.HasLanguage());
  EXPECT_STREQ(localizer.Translate("Open"),
               "\xC3\x96"
               "ffnen");
  EXPECT_STREQ(localizer.Translate("Close"), "Close");  // only the default language has it
  EXPECT_STREQ(localizer.Translate("Save"), "Save");    // "del=" is not the label "de"
  EXPECT_STREQ(localizer.Translate("Nowhere"), "Missing");
}

}  // namespace

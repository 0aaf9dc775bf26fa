// The credits text as the credits dialog's static text formats it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "GUI/themes/GThemeRavlin.h"
#include "GUI/toolkit/GStatic.h"
#include "game/app/GameLinks.h"
#include "tests/support/ThemeFixture.h"

namespace {

class CreditsTest : public ThemeTest {
 protected:
  void SetUp() override {
    ThemeTest::SetUp();
    Install<GThemeRavlin>();
  }
};

// The links with their colour: green, while the text around them (after
// them too) keeps the plain colour.
TEST_F(CreditsTest, TwoGreenLinksToTheShippedPages) {
  auto* s = new GStatic;
  const std::string text =
      std::string("Digmaze v1.0\n\n\n") +
      game_links::Credits("Programming", "Art",
                          "How to play:", "Fonts:", game_links::HelpPage("en"));
  ASSERT_TRUE(s->Create(scene, STYLE_VISIBLE | STYLE_NOERASE, 0, 0, 0, 0, 1, text.c_str()));
  std::vector<std::string> links;
  for (int i = 0; i < s->GetSegmentCount(); ++i) {
    const STATIC_TEXT* run = s->GetSegment(i);
    if (!run->link.IsEmpty()) {
      EXPECT_EQ(run->color, 0x00FF00u) << run->text.c_str();
      links.push_back(run->text.c_str() + std::string(" -> ") + run->link.c_str());
    } else if (run->text != " ") {
      EXPECT_EQ(run->color, s->GetSegment(0)->color) << run->text.c_str();
    }
  }
  EXPECT_EQ(links, (std::vector<std::string>{"help/index.html -> help/index.html",
                                             "help/fonts.html -> help/fonts.html"}));
  EXPECT_NE(s->GetSegment(0)->color, 0x00FF00u);
  for (const std::string& page : {game_links::HelpPage("en"), game_links::HelpPage("de"),
                                  game_links::HelpPage("fr"), game_links::HelpPage("es"),
                                  game_links::HelpPage("ru"), std::string(game_links::kFontsPage)})
    EXPECT_TRUE(std::filesystem::is_regular_file(SourceDir() / "data" / page)) << page;
}

}  // namespace

// The credits text as the credits dialog shows it: formatted by a static text
// under the game's look, its lines and its two links.
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
  // A static as the credits dialog makes it: automatic size, the version
  // line, three line feeds, then the credits block.
  GStatic* Credits() {
    auto* s = new GStatic;
    const std::string text = std::string("Digmaze v1.0\n\n\n") + game_links::kCredits;
    EXPECT_TRUE(s->Create(scene, STYLE_VISIBLE | STYLE_NOERASE, 0, 0, 0, 0, 1, text.c_str()));
    return s;
  }
};

// The text of each line, runs joined in order. A line that ends in a tag
// ends in a space run (the formatter's way of keeping empty lines tall),
// which is not part of the text; an empty line is one space.
std::vector<std::string> Lines(const GStatic* s) {
  std::vector<std::string> lines;
  for (int i = 0; i < s->GetSegmentCount(); ++i) {
    const STATIC_TEXT* run = s->GetSegment(i);
    if (run->lineStart) lines.emplace_back();
    lines.back() += run->text.c_str();
  }
  for (std::string& line : lines)
    while (line.size() > 1 && line.back() == ' ') line.pop_back();
  return lines;
}

TEST_F(CreditsTest, RolesThenTwoGreenLinksToTheShippedPages) {
  const GStatic* s = Credits();
  ASSERT_GT(s->GetSegmentCount(), 0);
  EXPECT_EQ(Lines(s), (std::vector<std::string>{
                          "Digmaze v1.0", " ", " ", "Programming: the Digmaze team", " ",
                          "Graphics and sounds: the Digmaze team", " ", " ",
                          "How to play: help/index.html", " ", "Fonts: DejaVu help/fonts.html"}));

  struct Link {
    std::string text, link;
    unsigned color;
    bool operator==(const Link&) const = default;
  };
  std::vector<Link> links;
  const unsigned plain = s->GetSegment(0)->color;
  for (int i = 0; i < s->GetSegmentCount(); ++i) {
    const STATIC_TEXT* run = s->GetSegment(i);
    if (!run->link.IsEmpty()) {
      links.push_back({run->text.c_str(), run->link.c_str(), run->color});
      continue;
    }
    // Outside the links only the space before each one is green: <default>
    // puts the colour back after a link.
    if (run->color == 0x00FF00u) {
      const STATIC_TEXT* next = s->GetSegment(i + 1);
      EXPECT_STREQ(run->text.c_str(), " ") << "run " << i;
      EXPECT_TRUE(next && !next->link.IsEmpty()) << "run " << i;
    } else {
      EXPECT_EQ(run->color, plain) << "run " << i;
    }
  }
  EXPECT_NE(plain, 0x00FF00u);
  const std::vector<Link> expected = {
      {game_links::kHelpPage, game_links::kHelpPage, 0x00FF00},
      {game_links::kFontsPage, game_links::kFontsPage, 0x00FF00},
  };
  EXPECT_TRUE(links == expected);
  EXPECT_TRUE(s->HasLinks());
}

TEST(GameLinks, ThePagesShipWithTheGame) {
  for (const char* page : {game_links::kHelpPage, game_links::kFontsPage})
    EXPECT_TRUE(std::filesystem::is_regular_file(SourceDir() / "data" / page)) << page;
}

}  // namespace

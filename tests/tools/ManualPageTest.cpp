// The manual pages made from a program's tables: the roff a template is
// filled with.
#include "tools/manual/ManualPage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr HELP_ITEM kItems[] = {
    {"FILE", nullptr, HELP_REQUIRED, "the file to read",
     "It is read once. 'Quoted' names are kept."},
    {"--level", "N", HELP_OPTIONAL, ".start at level N", nullptr},
    {"--help", nullptr, HELP_ALONE, "print this help and quit", nullptr},
};

constexpr HELP_KEY kKeys[] = {
    {"In a level", "Space", "dig", "the south button"},
    {"Anywhere", "F1 \\ F2", "show the help", nullptr},
    {"Anywhere", "Tab", "move to the next button", "the right shoulder button"},
};

MANUAL_PAGE Page(bool withKeys) {
  MANUAL_PAGE page{"prog", "a test program", kItems, {}, "2.5", "2026-12-06"};
  if (withKeys) page.keys = kKeys;
  return page;
}

}  // namespace

TEST(ManualPageTest, FillsTheSectionsAndEscapesTheText) {
  const std::string source =
      ".TH PROG 6 @DATE@ \"Prog @VERSION@\"\n"
      "@PROGRAM@ \\- @SUMMARY@, mail a@b.org\n"
      "@SYNOPSIS@\n"
      "@OPTIONS@\n"
      "@KEYS@\n";
  std::string out, error;
  ASSERT_TRUE(manual_page::Fill(source, Page(true), out, error)) << error;
  EXPECT_EQ(out,
            ".TH PROG 6 2026-12-06 \"Prog 2.5\"\n"
            "prog \\- a test program, mail a@b.org\n"
            // The options that go together, then one line for each alone.
            ".B prog\n"
            "\\fIFILE\\fR\n"
            "[\\fB\\-\\-level\\fR \\fIN\\fR]\n"
            ".br\n"
            ".B prog\n"
            "\\fB\\-\\-help\\fR\n"
            // One sentence a line; a line that would start with a control
            // character stays text.
            ".TP\n\\fIFILE\\fR\nThe file to read.\nIt is read once.\n\\&'Quoted' names are kept.\n"
            ".TP\n\\fB\\-\\-level\\fR \\fIN\\fR\n\\&.start at level N.\n"
            ".TP\n\\fB\\-\\-help\\fR\nPrint this help and quit.\n"
            ".SS In a level\n"
            ".TP\n\\fBSpace\\fR\nDig.\nGamepad: the south button.\n"
            ".SS Anywhere\n"
            ".TP\n\\fBF1 \\e F2\\fR\nShow the help.\n"
            ".TP\n\\fBTab\\fR\nMove to the next button.\nGamepad: the right shoulder button.\n");
}

// A placeholder the page has no value for, or @KEYS@ for a program without
// keys, fails naming its line.
TEST(ManualPageTest, MistakesInTheTemplateAreRefused) {
  std::string out, error;
  EXPECT_FALSE(manual_page::Fill("ok\n@VERSON@\n", Page(true), out, error));
  EXPECT_EQ(error, "line 2: unknown or misplaced placeholder @VERSON@");
  EXPECT_FALSE(manual_page::Fill(".SH KEYS\n@KEYS@\n", Page(false), out, error));
  EXPECT_EQ(error, "line 2: @KEYS@ on the page of a program without keys");
}

#include <gtest/gtest.h>

#include <string>

#include "GUI/resources/ConfigFile.h"

namespace {

// ConfigFile is what the settings and the languages read with; the settings
// tests read keys with and without '=', comments and LF line ends through it.
TEST(ConfigTest, ValuesStopAtCommentsAndLineEnds) {
  const struct {
    const char* text;
    const char* key;
    const char* value;
  } cases[] = {
      {"SPEED= \t5 ; note\r\n", "SPEED", "= \t5"},
      {"KEY\t v a l \t; note\r\nNEXT 1\r\n", "KEY", "v a l"},
      {"NNAME x\r\n", "NAME", ""},
      {"KEY\r\nOTHER 1\r\n", "KEY", ""},
      {"KEY value without line end", "KEY", "value without line end"},
  };
  for (const auto& c : cases) {
    ConfigFile file;
    ASSERT_TRUE(file.OpenMemory(c.text, static_cast<int>(std::string(c.text).size())));
    EXPECT_EQ(std::string(file.FindParametrFile(0, c.key).c_str()), c.value) << c.text;
  }
}

// A commented label and "[open", which has no ']' on its line, are skipped,
// and an over-long label is cut to the limit.
TEST(ConfigTest, LabelsAreFoundAtLineStarts) {
  const std::string text =
      "[FIRST]\r\n; [NOT A LABEL]\r\n[open\r\n[SECOND]\r\n[" + std::string(400, 'L') + "]";
  ConfigFile file;
  ASSERT_TRUE(file.OpenMemory(text.data(), static_cast<int>(text.size())));
  CFerroString label;
  int at = file.FindLineLabel(0, label, 0);
  EXPECT_EQ(label, CFerroString("FIRST"));
  at = file.FindLineLabel(0, label, at);
  EXPECT_EQ(label, CFerroString("SECOND"));
  at = file.FindLineLabel(0, label, at);
  EXPECT_EQ(label.GetLength(), ConfigScanner::kMaxLabel);
  EXPECT_EQ(file.FindLineLabel(0, label, at), -1);
}

TEST(ConfigTest, LimitsOnTextsAndValueLengths) {
  ConfigFile file;
  const std::string text = "KEY " + std::string(5000, 'v') + "\r\n";
  for (int i = 0; i < ConfigScanner::kMaxTexts; ++i)
    ASSERT_TRUE(file.OpenMemory(text.data(), static_cast<int>(text.size())));
  EXPECT_FALSE(file.OpenMemory(text.data(), static_cast<int>(text.size())));
  EXPECT_EQ(file.GetCountFile(), 25);
  EXPECT_EQ(file.FindParametrFile(24, "KEY").GetLength(), 2999);
  EXPECT_TRUE(file.FindParametrFile(25, "KEY").IsEmpty());
}

}  // namespace

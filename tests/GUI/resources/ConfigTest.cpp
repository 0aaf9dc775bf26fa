#include <gtest/gtest.h>

#include <string>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/resources/Config.h"
#include "GUI/resources/ConfigFile.h"

namespace {

bool LoadConfig(Config& config, const std::string& text) {
  CFerroStreamMemory stream;
  return stream.Open(text.data(), static_cast<unsigned int>(text.size()), 0) &&
         config.ReadStream(stream);
}

struct ParseCase {
  const char* text;
  const char* key;
  const char* configValue;  // Config drops a leading '='
  const char* fileValue;    // ConfigFile keeps it
};

const ParseCase kParseCases[] = {
    {"[MAIN]\r\nSPEED = 5\r\n", "SPEED", "5", "= 5"},
    {"SPEED= \t5 ; note\r\n", "SPEED", "5", "= \t5"},
    {"KEY\t v a l \t; note\r\nNEXT 1\r\n", "KEY", "v a l", "v a l"},
    {"; SPEED 9\r\nSPEED 5\r\n", "SPEED", "5", "5"},
    {"NNAME x\r\n", "NAME", "", ""},
    {"KEY\r\nOTHER 1\r\n", "KEY", "", ""},
    {"A 1\nB 2\n", "B", "2", "2"},
    {"KEY value without line end", "KEY", "value without line end", "value without line end"},
};

TEST(ConfigTest, ValuesWithAndWithoutEqualsCommentsAndLineEnds) {
  for (const ParseCase& c : kParseCases) {
    SCOPED_TRACE(c.text);
    Config config;
    ConfigFile file;
    ASSERT_TRUE(LoadConfig(config, c.text));
    ASSERT_TRUE(file.OpenMemory(c.text, static_cast<int>(std::string(c.text).size())));
    EXPECT_EQ(std::string(config.FindParametrFile(0, c.key).c_str()), c.configValue);
    EXPECT_EQ(std::string(file.FindParametrFile(0, c.key).c_str()), c.fileValue);
  }
}

// Config and ConfigFile share one scanner (the settings find their sections
// with it): a commented label and "[open", which has no ']' on its line, are
// skipped, and an over-long label is cut to the limit.
TEST(ConfigTest, LabelsAreFoundInsideTheText) {
  const std::string text =
      "[FIRST]\r\n; [NOT A LABEL]\r\n[open\r\n[SECOND]\r\n[" + std::string(400, 'L') + "]";
  Config config;
  ASSERT_TRUE(LoadConfig(config, text));
  CFerroString label;
  int at = config.FindLabel(0, label, 0);
  EXPECT_EQ(label, CFerroString("FIRST"));
  at = config.FindLabel(0, label, at);
  EXPECT_EQ(label, CFerroString("SECOND"));
  at = config.FindLabel(0, label, at);
  EXPECT_EQ(label.GetLength(), ConfigScanner::kMaxLabel);
  EXPECT_EQ(config.FindLabel(0, label, at), -1);
}

TEST(ConfigTest, LimitsOnTextsAndValueLengths) {
  Config config;
  ConfigFile file;
  const std::string text = "KEY " + std::string(5000, 'v') + "\r\n";
  for (int i = 0; i < ConfigScanner::kMaxTexts; ++i) {
    ASSERT_TRUE(LoadConfig(config, text));
    ASSERT_TRUE(file.OpenMemory(text.data(), static_cast<int>(text.size())));
  }
  EXPECT_FALSE(LoadConfig(config, text));
  EXPECT_FALSE(file.OpenMemory(text.data(), static_cast<int>(text.size())));
  EXPECT_EQ(config.GetCountFile(), 25);
  EXPECT_EQ(file.GetCountFile(), 25);
  EXPECT_EQ(config.FindParametrFile(24, "KEY").GetLength(), 255);
  EXPECT_EQ(file.FindParametrFile(24, "KEY").GetLength(), 2999);
  EXPECT_TRUE(config.FindParametrFile(25, "KEY").IsEmpty());
}

}  // namespace

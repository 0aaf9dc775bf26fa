#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/resources/Config.h"
#include "GUI/resources/ConfigFile.h"
#include "GUI/resources/Language.h"

// Feeds damaged copies of real texts to the parsers. The checks that matter are the sanitizer's:
// no read outside a buffer, no overflow, no leak. The expectations only keep results sane.

namespace {

const std::string kSample =
    "LANG_DEFAULT=ENGLISH\r\nTEXT_DEFAULT=?\r\n[LANGUAGE]\r\nNAME=ENGLISH\r\nLABEL=en\r\n"
    "WIDTH=7\r\n[LANGUAGE]\r\nNAME=GERMAN\r\nLABEL=de\r\n[MAIN]\r\nSPEED = 5 ; fast\r\n"
    "en=Main\r\nde Haupt\r\n[Other]\r\nen=Other\r\n";

// Truncations at every length, then random byte flips, insertions of the format's special bytes
// and deletions.
std::vector<std::string> DamagedCopies(const std::string& sample, int mutations) {
  std::vector<std::string> copies;
  for (size_t n = 0; n <= sample.size(); ++n) copies.push_back(sample.substr(0, n));
  std::mt19937 random(20260);
  const char special[] = {'[', ']', ';', '=', '\r', '\n', ' ', '\t', 0, '\xFF'};
  for (int m = 0; m < mutations; ++m) {
    std::string copy = sample;
    int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits && !copy.empty(); ++e) {
      size_t at = random() % copy.size();
      switch (random() % 4) {
        case 0:
          copy[at] = static_cast<char>(copy[at] ^ (1 << (random() % 8)));
          break;
        case 1:
          copy.insert(at, 1, special[random() % sizeof special]);
          break;
        case 2:
          copy.erase(at, 1 + random() % 16);
          break;
        default:
          copy.insert(at, std::string(random() % 300, special[random() % 2]));
          break;
      }
    }
    copies.push_back(copy);
  }
  return copies;
}

TEST(ResourcesFuzzTest, ParsersSurviveDamagedTexts) {
  const char* keys[] = {"SPEED", "NAME=", "[", "LABEL=", "en", "MAIN", "="};
  for (const std::string& copy : DamagedCopies(kSample, 1500)) {
    Config config;
    CFerroStreamMemory stream;
    ASSERT_TRUE(stream.Open(copy.data(), static_cast<unsigned int>(copy.size()), 0));
    ASSERT_TRUE(config.ReadStream(stream));
    ConfigFile file;
    ASSERT_TRUE(file.OpenMemory(copy.data(), static_cast<int>(copy.size())));
    for (const char* key : keys) {
      EXPECT_LE(config.FindParametrFile(0, key).GetLength(), 255);
      EXPECT_LE(file.FindParametrDir(key).GetLength(), 2999);
      file.FindParametrToLabel(0, key, static_cast<int>(copy.size() / 2));
    }
    CFerroString label;
    int p = 0, labels = 0;
    while ((p = config.FindLabel(0, label, p)) >= 0) {
      ASSERT_LE(label.GetLength(), ConfigScanner::kMaxLabel);
      ASSERT_LT(++labels, 10000);
    }
    char c;
    file.SetCursor(0, 0);
    while (file.ReadChar(0, c)) {
    }

    Language language(copy.data(), static_cast<int>(copy.size()), "GERMAN");
    EXPECT_LE(language.GetLanguageCount(), Language::kMaxLanguages);
    language.Label("MAIN", false);
    language.Label("Other", true);
  }
}

}  // namespace

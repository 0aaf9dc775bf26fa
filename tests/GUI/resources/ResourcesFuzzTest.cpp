#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/resources/CFerroStreamVirtualFile.h"
#include "GUI/resources/Config.h"
#include "GUI/resources/ConfigFile.h"
#include "GUI/resources/GVirtualDrive.h"
#include "GUI/resources/Language.h"
#include "tests/support/Files.h"

// Feeds damaged copies of real texts to the parsers. The checks that matter are the sanitizer's:
// no read outside a buffer, no overflow, no leak. The expectations only keep results sane.

namespace {

const std::string kSample =
    "LANG_DEFAULT=ENGLISH\r\nTEXT_DEFAULT=?\r\n[LANGUAGE]\r\nNAME=ENGLISH\r\nLABEL=en\r\n"
    "WIDTH=7\r\n[LANGUAGE]\r\nNAME=GERMAN\r\nLABEL=de\r\n[MAIN]\r\nSPEED = 5 ; fast\r\n"
    "en=Main\r\nde Haupt\r\n[Other]\r\nen=Other\r\n";

// Truncations at every length, then copies with 1 to 8 random edits: bit flips only for binary
// files; for texts also insertions of the format's special bytes, long runs of them and deletions.
std::vector<std::string> DamagedCopies(const std::string& sample, int mutations, bool text) {
  std::vector<std::string> copies;
  for (size_t n = 0; n <= sample.size(); ++n) copies.push_back(sample.substr(0, n));
  std::mt19937 random(20260);
  const char special[] = {'[', ']', ';', '=', '\r', '\n', ' ', '\t', 0, '\xFF'};
  for (int m = 0; m < mutations; ++m) {
    std::string copy = sample;
    for (int e = 1 + static_cast<int>(random() % 8); e > 0 && !copy.empty(); --e) {
      size_t at = random() % copy.size();
      const unsigned kind = text ? random() % 4 : 0;
      if (kind == 0)
        copy[at] = static_cast<char>(copy[at] ^ (1 << (random() % 8)));
      else if (kind == 1)
        copy.insert(at, 1, special[random() % sizeof special]);
      else if (kind == 2)
        copy.erase(at, 1 + random() % 16);
      else
        copy.insert(at, std::string(random() % 300, special[random() % 2]));
    }
    copies.push_back(copy);
  }
  return copies;
}

TEST(ResourcesFuzzTest, ParsersSurviveDamagedTexts) {
  const char* keys[] = {"SPEED", "NAME=", "[", "LABEL=", "en", "MAIN", "="};
  for (const std::string& copy : DamagedCopies(kSample, 1500, true)) {
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

// A real table: folders in several buckets, files of several sizes, released clusters.
std::string BuildSampleDrive(const TempDir& folder, std::string& table) {
  GVirtualDrive drive;
  table = drive.Create(folder.Path().c_str(), "sample").c_str();
  if (table.empty() || !drive.Open(table.c_str())) return "";
  drive.CreateDirectory(":img");
  drive.CreateDirectory(":img/cells");
  drive.CreateDirectory(":snd");
  const char* files[] = {":img/a.png", ":img/cells/b.png", ":snd/c.wav", ":d", ":img/e"};
  for (size_t i = 0; i < std::size(files); ++i) {
    auto stream = drive.OpenStream(files[i], 1);
    std::string bytes = Pattern(1500 * i * i + 7, static_cast<int>(i));
    if (stream) stream->Write(bytes.data(), static_cast<unsigned int>(bytes.size()));
  }
  drive.RemoveFile(":d");
  drive.Close();
  return ReadText(table);
}

TEST(ResourcesFuzzTest, DriveOpenSurvivesDamagedTables) {
  TempDir folder;
  std::string table;
  const std::string sample = BuildSampleDrive(folder, table);
  ASSERT_GT(sample.size(), 200u);

  int opened = 0;
  std::vector<char> buffer(64 * 1024);
  for (const std::string& copy : DamagedCopies(sample, 800, false)) {
    ASSERT_TRUE(WriteText(table, copy));
    GVirtualDrive drive;
    if (!drive.Open(table.c_str())) continue;
    ++opened;
    // Whatever opened must read safely: walk the tree and read every file to its end.
    std::vector<std::string> paths;
    VIRTUAL_FIND_ITEM find;
    drive.GetRoot().Walk([&](VIRTUAL_ITEM& item) {
      if (!item.IsFile()) return;
      // Names from the root down, joined by appending only (GCC 12 at -O3
      // wrongly reports overlapping copies when a literal is prepended).
      std::vector<std::string> names;
      for (VIRTUAL_ITEM* at = &item; at->parent != nullptr; at = at->parent)
        names.emplace_back(at->itemName.c_str());
      std::string path = ":";
      for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (name != names.rbegin()) path += '/';
        path += *name;
      }
      paths.push_back(path);
    });
    for (const std::string& path : paths) {
      auto stream = drive.OpenStream(path.c_str(), 0);
      if (!stream) continue;
      while (stream->Read(buffer.data(), static_cast<unsigned int>(buffer.size())) > 0) {
      }
    }
    drive.GetRoot().GetFirstItem(find, true, "png");
  }
  EXPECT_GT(opened, 0);  // some flips only touch file contents' sizes or names
}

}  // namespace

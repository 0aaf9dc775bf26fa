#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/Files.h"

namespace fs = std::filesystem;

namespace {

struct FUZZ_TARGET {
  const char* name;  // the program is fuzz_<name>; kept inputs live in regressions/<name>/
  int (*entry)(const uint8_t* data, size_t size);
};

const FUZZ_TARGET kTargets[] = {
    {"map_file", FuzzMapFile},  {"map_index", FuzzMapIndex}, {"saved_game", FuzzSavedGame},
    {"drive", FuzzDrive},       {"font", FuzzFont},          {"settings", FuzzSettings},
    {"language", FuzzLanguage}, {"markup", FuzzMarkup},      {"image", FuzzImage},
    {"wav", FuzzWav},           {"music", FuzzMusic},        {"replay", FuzzReplay},
};

// Every input kept under regressions/<target>/ (the ones a fuzzer once found
// crashing, and samples of each format) and an empty one must load or be
// refused cleanly: a crash, a sanitizer report or a broken promise stops this test.
class FuzzRegressionsTest : public ::testing::TestWithParam<FUZZ_TARGET> {};

TEST_P(FuzzRegressionsTest, EveryKeptInputIsHandledCleanly) {
  EXPECT_EQ(GetParam().entry(nullptr, 0), 0);
  std::vector<fs::path> inputs;
  std::error_code none;  // a target without kept inputs has no folder
  for (const auto& entry :
       fs::directory_iterator(fs::path(DIGMAZE_FUZZ_REGRESSIONS) / GetParam().name, none))
    inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& input : inputs) {
    const Bytes bytes = ReadBytes(input);
    EXPECT_EQ(GetParam().entry(bytes.data(), bytes.size()), 0) << input;
  }
}

INSTANTIATE_TEST_SUITE_P(Loaders, FuzzRegressionsTest, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

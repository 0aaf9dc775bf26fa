#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/Files.h"

namespace fs = std::filesystem;

namespace {

// Every input kept under regressions/<target>/ (the ones a fuzzer once found
// crashing, and samples of the text formats) and an empty one must load or be
// refused cleanly: a crash, a sanitizer report or a broken promise stops this test.
class FuzzRegressionsTest : public ::testing::TestWithParam<FUZZ_TARGET> {};

TEST_P(FuzzRegressionsTest, EveryKeptInputIsHandledCleanly) {
  const FUZZ_TARGET& target = GetParam();
  EXPECT_EQ(target.entry(nullptr, 0), 0);
  std::vector<fs::path> inputs;
  std::error_code error;
  for (const auto& entry :
       fs::directory_iterator(fs::path(DIGMAZE_FUZZ_REGRESSIONS) / target.name, error))
    inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& input : inputs) {
    SCOPED_TRACE(input.string());
    const Bytes bytes = ReadBytes(input);
    EXPECT_EQ(target.entry(bytes.data(), bytes.size()), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Loaders, FuzzRegressionsTest, ::testing::ValuesIn(FuzzTargets()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

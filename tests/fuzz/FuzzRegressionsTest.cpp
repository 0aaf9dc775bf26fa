#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/Files.h"

namespace fs = std::filesystem;

// Names the target in test output instead of dumping its bytes.
void PrintTo(const FUZZ_TARGET& target, std::ostream* out) {
  *out << target.name;
}

namespace {

// Every input a fuzzer ever found crashing is kept under regressions/<target>/
// and must now load (or be refused) cleanly: a crash, a sanitizer report or a
// broken promise stops this test. An empty input is replayed for every target.
class FuzzRegressionsTest : public ::testing::TestWithParam<FUZZ_TARGET> {};

TEST_P(FuzzRegressionsTest, EveryKeptInputIsHandledCleanly) {
  const FUZZ_TARGET& target = GetParam();
  EXPECT_EQ(target.entry(nullptr, 0), 0);
  const fs::path folder = fs::path(DIGMAZE_FUZZ_REGRESSIONS) / target.name;
  std::vector<fs::path> inputs;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error))
    if (entry.is_regular_file()) inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& input : inputs) {
    SCOPED_TRACE(input.string());
    const Bytes bytes = ReadBytes(input.string());
    EXPECT_EQ(target.entry(bytes.data(), bytes.size()), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Loaders, FuzzRegressionsTest, ::testing::ValuesIn(FuzzTargets()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

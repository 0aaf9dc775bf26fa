#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "GUI/toolkit/CText.h"

namespace {

TEST(CText, ReadWordC) {
  struct Case {
    std::string text;
    std::vector<std::string> tokens;
    int size = -1;  // bytes handed to the tokenizer; -1: the whole text
  } cases[] = {
      {"\"a b\"'c'\"it's\" x=\"open", {"\"a b\"", "'c'", "\"it's\"", "x", "=", "\"open"}},
      {"color=red/url\xE9 a:b", {"color", "=", "red", "/", "url", "\xE9", "a", ":", "b"}},
      // The buffer ends at its size or at a zero byte.
      {"abcdef", {"abc"}, 3},
      {std::string("ab\0cd", 5), {"ab"}},
      {"\"abc\"", {"\"a"}, 2},
  };
  for (const Case& c : cases) {
    const int size = c.size < 0 ? static_cast<int>(c.text.size()) : c.size;
    CText reader;
    ASSERT_TRUE(reader.Create(size));
    std::memcpy(reader.GetBuffer(), c.text.data(), size);
    std::vector<std::string> tokens;
    CFerroString word;
    while (reader.ReadWordC(word)) tokens.push_back(word.c_str());
    EXPECT_EQ(tokens, c.tokens) << c.text;
    EXPECT_TRUE(word.IsEmpty()) << c.text;
  }
  CText none;
  EXPECT_FALSE(none.Create(-1));
}

}  // namespace

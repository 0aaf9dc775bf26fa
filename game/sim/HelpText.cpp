#include "game/sim/HelpText.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// Lines of --help stay within a terminal of 80 columns.
constexpr size_t kLineWidth = 79;

// Two spaces of indent, the terms padded to the longest one, three spaces,
// then the summary, wrapped at spaces with its later lines under its first.
std::string Aligned(const std::string& term, size_t width, const std::string& text) {
  const size_t column = 2 + width + 3;
  std::string out = "  " + term + std::string(width - term.size() + 3, ' ');
  size_t used = column;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    const size_t length = end - at;
    if (used > column && used + 1 + length > kLineWidth) {
      out += "\n" + std::string(column, ' ');
      used = column;
    } else if (used > column) {
      out += ' ';
      ++used;
    }
    out.append(text, at, length);
    used += length;
    at = end + 1;
  }
  return out + "\n";
}

std::string KeySummary(const HELP_KEY& key) {
  std::string text = key.summary;
  if (key.gamepad) text += std::string(" (gamepad: ") + key.gamepad + ")";
  return text;
}

}  // namespace

namespace help_text {

std::string Sentence(const char* summary) {
  std::string text = summary;
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text + ".";
}

std::string Term(const HELP_ITEM& item) {
  std::string term = item.name;
  if (item.argument) term += std::string(" ") + item.argument;
  return term;
}

std::string UsageLine(const char* program, std::span<const HELP_ITEM> items) {
  std::string line = std::string("usage: ") + program;
  for (const HELP_ITEM& item : items) {
    switch (item.use) {
      case HELP_OPTIONAL:
        line += " [" + Term(item) + "]";
        break;
      case HELP_ALONE:
        line += " | " + Term(item);
        break;
      case HELP_REQUIRED:
        line += " " + Term(item);
        break;
    }
  }
  return line;
}

std::string ItemLines(std::span<const HELP_ITEM> items) {
  size_t width = 0;
  for (const HELP_ITEM& item : items) width = std::max(width, Term(item).size());
  std::string text;
  for (const HELP_ITEM& item : items) text += Aligned(Term(item), width, item.summary);
  return text;
}

std::string KeyLines(std::span<const HELP_KEY> keys) {
  size_t width = 0;
  for (const HELP_KEY& key : keys) width = std::max(width, std::strlen(key.keys));
  std::string text;
  const char* heading = nullptr;
  for (const HELP_KEY& key : keys) {
    if (!heading || std::strcmp(heading, key.where) != 0) {
      if (heading) text += "\n";
      heading = key.where;
      text += std::string(heading) + ":\n";
    }
    text += Aligned(key.keys, width, KeySummary(key));
  }
  return text;
}

}  // namespace help_text

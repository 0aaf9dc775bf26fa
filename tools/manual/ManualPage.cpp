#include "tools/manual/ManualPage.h"

#include <cctype>

namespace {

// An option's or argument's name: bold for an option, italic for a
// placeholder, with roff's minus sign for every "-".
std::string Name(std::string_view name) {
  std::string text;
  for (char c : name) text += c == '-' ? std::string("\\-") : std::string(1, c);
  const bool option = !name.empty() && name[0] == '-';
  return (option ? "\\fB" : "\\fI") + text + "\\fR";
}

std::string Term(const HELP_ITEM& item) {
  std::string term = Name(item.name);
  if (item.argument) term += " " + Name(item.argument);
  return term;
}

std::string Synopsis(const MANUAL_PAGE& page) {
  const std::string program = ".B " + manual_page::Text(page.program) + "\n";
  std::string together = program;
  std::string alone;
  for (const HELP_ITEM& item : page.options) {
    if (item.use == HELP_ALONE) {
      alone += ".br\n" + program + Term(item) + "\n";
    } else {
      together += (item.use == HELP_OPTIONAL ? "[" + Term(item) + "]" : Term(item)) + "\n";
    }
  }
  return together + alone;
}

// Roff wants every sentence on a line of its own (it puts the wider space
// after a sentence only at a line's end).
std::string Sentences(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool end = text[i] == ' ' && i > 0 && text[i - 1] == '.';
    out += end ? '\n' : text[i];
  }
  return manual_page::Text(out);
}

std::string Options(const MANUAL_PAGE& page) {
  std::string text;
  for (const HELP_ITEM& item : page.options) {
    std::string body = help_text::Sentence(item.summary);
    if (item.details) body += " " + std::string(item.details);
    text += ".TP\n" + Term(item) + "\n" + Sentences(body) + "\n";
  }
  return text;
}

std::string Keys(const MANUAL_PAGE& page) {
  std::string text;
  std::string_view heading;
  for (const HELP_KEY& key : page.keys) {
    if (text.empty() || heading != key.where) {
      heading = key.where;
      text += ".SS " + manual_page::Text(key.where) + "\n";
    }
    std::string body = help_text::Sentence(key.summary);
    if (key.gamepad) body += " Gamepad: " + std::string(key.gamepad) + ".";
    text += ".TP\n\\fB" + manual_page::Text(key.keys) + "\\fR\n" + Sentences(body) + "\n";
  }
  return text;
}

bool IsWordChar(char c) {
  return std::isupper(static_cast<unsigned char>(c)) || c == '_';
}

}  // namespace

namespace manual_page {

std::string Text(std::string_view text) {
  std::string out;
  bool lineStart = true;
  for (char c : text) {
    if (lineStart && (c == '.' || c == '\'')) out += "\\&";
    out += c == '\\' ? std::string("\\e") : std::string(1, c);
    lineStart = c == '\n';
  }
  return out;
}

bool Fill(std::string_view source, const MANUAL_PAGE& page, std::string& out, std::string& error) {
  out.clear();
  int number = 0;
  while (!source.empty()) {
    const size_t end = source.find('\n');
    std::string_view line = source.substr(0, end);
    source = end == std::string_view::npos ? std::string_view() : source.substr(end + 1);
    ++number;
    const std::string where = "line " + std::to_string(number) + ": ";
    if (line == "@SYNOPSIS@") {
      out += Synopsis(page);
      continue;
    }
    if (line == "@OPTIONS@") {
      out += Options(page);
      continue;
    }
    if (line == "@KEYS@") {
      if (page.keys.empty()) {
        error = where + "@KEYS@ on the page of a program without keys";
        return false;
      }
      out += Keys(page);
      continue;
    }
    for (size_t at = 0; at < line.size(); ++at) {
      if (line[at] != '@') {
        out += line[at];
        continue;
      }
      size_t close = at + 1;
      while (close < line.size() && IsWordChar(line[close])) ++close;
      if (close == at + 1 || close >= line.size() || line[close] != '@') {
        out += '@';  // an at sign that starts no placeholder
        continue;
      }
      const std::string_view word = line.substr(at, close - at + 1);
      if (word == "@PROGRAM@") {
        out += Text(page.program);
      } else if (word == "@SUMMARY@") {
        out += Text(page.summary);
      } else if (word == "@VERSION@") {
        out += Text(page.version);
      } else if (word == "@DATE@") {
        out += Text(page.date);
      } else {
        error = where + "unknown or misplaced placeholder " + std::string(word);
        return false;
      }
      at = close;
    }
    out += '\n';
  }
  return true;
}

}  // namespace manual_page

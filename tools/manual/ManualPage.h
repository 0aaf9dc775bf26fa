#pragma once

#include <span>
#include <string>
#include <string_view>

#include "game/sim/HelpText.h"

// A program's manual page: its prose written in roff in a template, its
// synopsis, options and keys set in from the tables its --help text is made
// of (game/sim/HelpText.h).
struct MANUAL_PAGE {
  const char* program;  // "digmaze"
  const char* summary;  // the phrase of the NAME line
  std::span<const HELP_ITEM> options;
  std::span<const HELP_KEY> keys;  // empty for a program without keys
  std::string version;             // "1.0"
  std::string date;                // "2026-12-06"
};

namespace manual_page {

// Plain text as roff: backslashes kept, a line that would start with a
// control character ('.' or "'") kept as text.
std::string Text(std::string_view text);

// The template with its placeholders filled. A line that is exactly
// @SYNOPSIS@, @OPTIONS@ or @KEYS@ becomes that section's body; @PROGRAM@,
// @SUMMARY@, @VERSION@ and @DATE@ are replaced anywhere. Any other @WORD@, a
// section placeholder inside a line, or @KEYS@ for a page without keys is a
// mistake in the template: false, with error naming the line.
bool Fill(std::string_view source, const MANUAL_PAGE& page, std::string& out, std::string& error);

}  // namespace manual_page

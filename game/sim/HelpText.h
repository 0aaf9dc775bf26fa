#pragma once

#include <span>
#include <string>

// The words of a command line and the keys of a program, as its --help text
// and its manual page describe them. The tables themselves live beside each
// program (game/app/GameHelp.h, game/sim/SimHelp.h); both texts are made from
// them, so the two never disagree.

// How a word takes part in the usage line.
enum HELP_USE {
  HELP_OPTIONAL,  // "[--windowed]": may be given with the others
  HELP_ALONE,     // "| --help": given instead of all the others
  HELP_REQUIRED,  // "MAPFILE": always given, in this order
};

// One option or argument.
struct HELP_ITEM {
  const char* name;      // "--record", or an argument's placeholder "MAPFILE"
  const char* argument;  // the option's own argument ("FOLDER"), or nullptr
  HELP_USE use;
  const char* summary;  // one lower-case phrase, without a full stop, for --help
  const char* details;  // further sentences for the manual page, or nullptr
};

// One key (or a few keys doing the same) and what it does where.
struct HELP_KEY {
  const char* where;    // the heading it is listed under: "In a level"
  const char* keys;     // "Left, Right, Up, Down"
  const char* summary;  // lower-case phrase, as HELP_ITEM::summary
  const char* gamepad;  // the gamepad's equivalent ("the south button"), or nullptr
};

namespace help_text {

// A summary as a sentence: the first letter in upper case, a full stop after.
std::string Sentence(const char* summary);
// "--record FOLDER": the name with its argument.
std::string Term(const HELP_ITEM& item);
// "usage: digmaze [--windowed] [--record FOLDER] | --help | --version"
std::string UsageLine(const char* program, std::span<const HELP_ITEM> items);
// The items as indented, aligned lines: "  --record FOLDER   record ...",
// a summary too long for 80 columns wrapped under its first line.
std::string ItemLines(std::span<const HELP_ITEM> items);
// The keys under their headings, "In a level:" followed by aligned lines.
std::string KeyLines(std::span<const HELP_KEY> keys);

}  // namespace help_text

#pragma once

#include <string>
#include <vector>

// One level of the readable source: its file name and its rows (see GMapText).
struct LEVEL_SOURCE {
  std::string name;
  std::string rows;
  int line = 0;  // where "level NAME" stands in the source, for messages
};

// The shipped levels are all of the size the editor makes.
constexpr int LEVEL_WIDTH = 30;
constexpr int LEVEL_HEIGHT = 20;

// Parses a level source: "level NAME" starts a level and the rows follow, one
// text line each, up to a blank line or the next "level". Lines starting with
// '#' outside a level are comments. False with a message on error.
bool ParseLevelSource(const std::string& text, std::vector<LEVEL_SOURCE>& levels,
                      std::string& error);

// Loads a level into the map and checks its content: 30 x 20, one runner, one
// exit, at least one treasure. Empty when fine, otherwise the problem.
std::string LoadLevel(const LEVEL_SOURCE& level);

// Where a runner can get from its start by the movement rules, ignoring aliens
// and letting it dig. Empty when every treasure is reachable from the start and
// from every other treasure, and the exit from every treasure; else the problem.
// The map must hold the level as loaded (before the level starts).
std::string CheckReachable();

// Writes every level as NAME into folder (which ends with a separator) and the
// index "index.dml" listing them in source order. False with a message.
bool WriteLevels(const std::vector<LEVEL_SOURCE>& levels, const std::string& folder,
                 std::string& error);

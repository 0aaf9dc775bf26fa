#pragma once

#include <string>
#include <vector>

// One level of the readable source: its file name, its rows (see GMapText)
// and the name of the set of levels it belongs to.
struct LEVEL_SOURCE {
  std::string name;
  std::string rows;
  int line = 0;  // where "level NAME" stands in the source, for messages
  std::string set;
};

// The shipped levels are all of the size the editor makes.
constexpr int LEVEL_WIDTH = 30;
constexpr int LEVEL_HEIGHT = 20;

// Parses a level source: "set NAME" starts a set of levels, which runs to the
// next "set"; "level NAME" starts a level of the set and the rows follow, one
// text line each, up to a blank line or the next "level". Every level belongs
// to a set, and no two sets share a name. Lines starting with '#' outside a
// level are comments. False with a message on error.
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

// Writes every level as NAME into folder (which ends with a separator), the
// index "index.dml" listing them in source order, and the sets as
// "campaign.cfg" (see CampaignText). False with a message.
// The sets of levels in the settings-file format, CR LF line ends: a section
// "[set N]" per set, N from 1 in source order, with the set's name and the
// file names of its first and last level.
std::string CampaignText(const std::vector<LEVEL_SOURCE>& levels);

bool WriteLevels(const std::vector<LEVEL_SOURCE>& levels, const std::string& folder,
                 std::string& error);

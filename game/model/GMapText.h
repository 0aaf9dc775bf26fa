#pragma once

#include <string>

class GMap;

// A readable form of a grid, one character a cell and one line a row, used by
// the level sources and the tests:
//   '.' or ' ' empty   '#' brick     '=' floor      '-' line     'H' ladder
//   '$' treasure       'X' exit      'R' runner     'A' alien    'o' hole
class GMapText {
 public:
  // The cell code of a character, or -1.
  static int CodeOf(char c);
  // The character of a cell code ('.' for empty, '?' for none).
  static char CharOf(int code);
  // Replaces the map's grid by the text's rows (all of one length, at least one
  // row); false and the map untouched for an unknown character or ragged rows.
  // The units are not created; GMap::StartLoaded does that.
  static bool ToMap(const std::string& text, GMap& map);
  // The grid as text, rows ending with '\n'.
  static std::string FromMap(GMap& map);
};

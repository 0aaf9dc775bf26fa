#pragma once

#include <string>
#include <vector>

#include "GUI/foundation/CFerroString.h"

class GMapList;

// The campaign as the game folder ships it: its maps in play order (the
// shipped index) and the named sets they come in (the sets file written by
// the level generator). It tells the level select where each set's heading
// stands in the player's level order, and brings shipped maps the player's
// maps folder has never been given into it.
class CCampaign {
 public:
  // A set of shipped levels: its name and the range first..last of GetLevels().
  struct LEVEL_SET {
    CFerroString name;
    int first = 0;
    int last = 0;
  };
  // A heading of the level select, above the level at position of the order.
  struct HEADING {
    int position = 0;
    CFerroString title;

    bool operator==(const HEADING&) const = default;
  };

  // The sets file of a maps folder; one section a set, in play order, each
  // with its name, first and last level.
  static constexpr const char* kSetsFile = "campaign.cfg";
  // Kept in the player's maps folder: the shipped maps it has been given.
  static constexpr const char* kGivenFile = "shipped.txt";

  // Reads the order and the sets of a shipped maps folder (ending with a
  // separator). False, with nothing shipped, when its index cannot be read.
  // A sets file that is missing or damaged (a section without its three
  // keys, a level the order lacks, sets out of order or overlapping) leaves
  // no sets, with a line in the error log; the order is read all the same.
  bool Load(const CFerroString& folder);
  const std::vector<CFerroString>& GetLevels() const { return levels; }
  const std::vector<LEVEL_SET>& GetSets() const { return sets; }

  // The headings of a level order: each set's name above the first of its
  // levels the order lists, and ownTitle above the first level after the
  // sets' last that no set holds (the player's own maps). None without sets.
  std::vector<HEADING> Headings(const std::vector<CFerroString>& order,
                                const CFerroString& ownTitle) const;

  // Brings the shipped maps that the list's maps folder has never been given
  // into it: each is copied in (a file of that name already there, the
  // player's, is left as it is) and listed right after the last shipped map
  // the order lists, before the player's own, in shipped order. A shipped map
  // given once and deleted since stays deleted. A folder without the record
  // of what it was given was filled by an earlier version: it counts as
  // given every shipped map up to the last one its order lists (all of them
  // when it lists none: it once held them all). The order and the
  // record are written once, each through a temporary, and only when they
  // change; a damaged index is left alone. Returns the number of maps listed.
  int JoinInto(GMapList& list) const;

 private:
  // The sets of a sets file's text; false when it is damaged.
  bool ReadSets(const std::string& text);
  int Find(const CFerroString& name) const;

  CFerroString folder;
  std::vector<CFerroString> levels;
  std::vector<LEVEL_SET> sets;
};

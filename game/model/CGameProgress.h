#pragma once

#include <optional>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "GUI/resources/CConfigText.h"

// One level's record: whether it was ever won, and the best time (tenths of
// a second, from the first key to the exit) and the best score the level
// itself earned, when known.
struct LEVEL_RECORD {
  bool cleared = false;
  std::optional<int> bestTime;
  std::optional<int> bestScore;

  bool operator==(const LEVEL_RECORD&) const = default;
};

// What a won level changed in its record: it was won for the first time, or
// it beat the time or the score of a record that had one.
struct WIN_NEWS {
  bool firstClear = false;
  bool bestTime = false;
  bool bestScore = false;

  bool operator==(const WIN_NEWS&) const = default;
};

// The player's records, kept in "progress.cfg" beside the player's maps
// folder: a text of the settings format with one section per map file name,
//
//   [level07.dmm]
//   cleared = yes
//   best-time = 41.5         seconds, one decimal
//   best-score = 230
//   digest = 9c1f0e6b2a4d8e70
//
// where the digest is that of the map file's content when it was won: a
// record counts only for a map of that content, so an edited map is a new
// level. A value that cannot be read costs only its own key; lines, comments
// and sections the game does not know are written back as they were.
class CGameProgress {
 public:
  static constexpr const char* kFileName = "progress.cfg";
  // A larger file is not read (nor written over).
  static constexpr size_t kMaxFileSize = 4 * 1024 * 1024;
  // How many of the levels not cleared yet are open, from the first.
  static constexpr int kOpenAhead = 3;

  enum class LoadResult {
    loaded,      // the records are the file's
    missing,     // no file: no records
    unreadable,  // too large, or reading failed: no records, and the file
                 // must not be written over
  };
  // Reads the file at path into this object.
  LoadResult Load(const char* path);
  // Writes the file through a temporary renamed over it (the previous file
  // survives a failed write); false with errno telling why.
  bool Save(const char* path) const;

  // Takes a file's text as the records.
  void Parse(std::string text);
  // The file's text: the text read with the records written in, or a new
  // text when there was none.
  std::string Format() const;

  // The record of the map file name that counts for a map whose content has
  // digest: an empty one when there is none or it was won on another content.
  LEVEL_RECORD Find(const CFerroString& name, const std::string& digest) const;
  // Records a won level of the map name (of that digest) in time (tenths of
  // a second) for score: cleared, and each best kept unless beaten. Without
  // bests (a level won after play was taken back) it is only cleared: its
  // time and score beat nothing and become no best. A record of another
  // content is replaced. False (nothing recorded) for a name that cannot
  // head a section.
  bool RecordWin(const CFerroString& name, const std::string& digest, int time, int score,
                 WIN_NEWS& news, bool bests = true);

  // Which levels of a level order can be played, given which are cleared:
  // every cleared one and the first kOpenAhead that are not.
  static std::vector<bool> OpenLevels(const std::vector<bool>& cleared);
  // The first level not cleared, or 0 when all are (or there are none).
  static int FirstNotCleared(const std::vector<bool>& cleared);
  // The digest of a map file's content, or empty when it cannot be read.
  static std::string MapDigest(const char* path);
  // Tenths of a second as "12.3".
  static std::string FormatTime(int tenths);

 private:
  CConfigText text;
};

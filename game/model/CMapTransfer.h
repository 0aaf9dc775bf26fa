#pragma once

#include <string>

#include "GUI/foundation/CFerroString.h"

// Maps that travel between players: a map file from elsewhere imported into
// the player's maps folder and level order, and a map of that folder
// exported for someone else. A file is taken only when it is exactly one
// map file as the map loader reads it; files are written whole or not at all.
class CMapTransfer {
 public:
  enum class Result {
    done,
    notAMap,      // the file is not a map (or a damaged one)
    folder,       // the path is a folder
    unreadable,   // the file cannot be read
    cannotWrite,  // the copy could not be written (errno tells why)
  };

  // The largest map file: the largest grid the loader takes.
  static constexpr size_t kMaxFileSize = 20 + size_t{8} * 1024 * 1024;

  // Whether bytes are one whole map file: it loads, and nothing follows it.
  static bool IsMapFile(const std::string& bytes);

  // Copies the map file at path into the maps folder under a fresh name (in
  // name), drawn with seed, and appends it to the level order, which first
  // takes in the folder's files it does not list yet, so the map is the last
  // level. Nothing is written unless the file is a map.
  static Result Import(const char* path, unsigned seed, CFerroString& name);

  // Writes the map file mapName of the maps folder into folder (ending with
  // a separator) as "digmaze-<its name without .dmm>.dmm", or with "-2",
  // "-3" ... before ".dmm" when that name is taken: an existing file is never
  // written over. path gets the file written.
  static Result Export(const CFerroString& mapName, const CFerroString& folder, CFerroString& path);
  // The file name of an export: "digmaze-level07.dmm", then (copy 2 and on)
  // "digmaze-level07-2.dmm".
  static CFerroString ExportName(const CFerroString& mapName, int copy);

  // A path, and the last part of a path, with control characters shown as
  // '?', to name a file in a message.
  static CFerroString ShownPath(const char* path);
  static CFerroString ShownName(const char* path);
};

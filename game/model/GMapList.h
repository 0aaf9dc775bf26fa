#pragma once

#include <vector>

#include "GUI/foundation/CFerroString.h"

class CFerroStream;
class GRecordReader;

// The ordered list of map file names (the level order), kept in the index
// file of the maps folder, and the name of the map being played.
class GMapList {
 public:
  static GMapList* GetInstance();

  // Reads the index file; without one the list starts empty.
  GMapList();
  GMapList(const GMapList&) = delete;
  GMapList& operator=(const GMapList&) = delete;

  // The index file: the maps folder followed by "index.dml".
  static CFerroString GetFile();

  // Writes or reads the index layout, or with currentOnly the reserved word and
  // currentName. Reading is all or nothing: false leaves the list as it was.
  bool Serialize(CFerroStream& stream, bool currentOnly);
  // Rereads the index file; false (list unchanged) when it is missing or broken.
  bool Load();
  // Whether the last Load found an index file it could not read (and no
  // Save has replaced it since).
  bool HasDamagedIndex() const { return damagedIndex; }
  // Reads the names of an index file at path (another folder's); false, with
  // names unchanged, when it does not open or is damaged.
  static bool ReadIndex(const CFerroString& path, std::vector<CFerroString>& names);
  // Writes the index file through a temporary; false leaves the old file.
  bool Save();
  // Appends a map name and saves; false (nothing changes) for a name already
  // listed or one that is not a map file name.
  bool Add(const char* name);
  void Delete(int index);
  void Exchange(int i, int j);
  void Clear();
  // Brings the list in line with the maps folder (FollowFiles with the
  // folder's map files); false, with nothing changed, when the folder cannot
  // be listed.
  bool FollowFolder();
  // Brings the list in line with the map files of a folder: entries without
  // a file go (the order of the others kept), and files it does not list join
  // its end in the order given. The index is written once, and only when the
  // list changed; true when it did.
  bool FollowFiles(const std::vector<CFerroString>& files);
  // Advances currentName; false when the last level has been played.
  bool SelectNextMapForGame();
  int GetMapForGameIndex() const;
  int GetMapGameIndex(const char* name) const;
  int GetCount() const { return static_cast<int>(names.size()); }
  // Whether a name from a shared file may be joined to the maps folder: a
  // file name ending in ".dmm" with no separator, no "..", no zero byte.
  static bool IsMapFileName(const CFerroString& name);
  // A name for a new map: ten random digits and ".dmm" (the generator seeded
  // with seed), drawn again while the maps folder has a file of that name or
  // the list names it.
  CFerroString NewMapName(unsigned seed) const;

  unsigned reserved = 0;
  std::vector<CFerroString> names;
  CFerroString currentName;

 private:
  // The count and names of the index layout, after its reserved word; all or
  // nothing, entries that are no map file names or listed twice dropped.
  static bool ReadNames(GRecordReader& r, std::vector<CFerroString>& read);

  bool damagedIndex = false;
};

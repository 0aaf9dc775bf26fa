#pragma once

#include <cstdio>
#include <memory>
#include <vector>

#include "GUI/foundation/CFerroString.h"

// The entries of a resource drive's folder tree: folders and files, kept in
// per-folder buckets indexed by the first byte of the entry name.

class GVirtualDrive;
class VIRTUAL_FOLDER;
struct VIRTUAL_TABLE_READER;

class VIRTUAL_ITEM {
 public:
  VIRTUAL_ITEM() = default;
  VIRTUAL_ITEM(const VIRTUAL_ITEM&) = delete;
  VIRTUAL_ITEM& operator=(const VIRTUAL_ITEM&) = delete;
  virtual ~VIRTUAL_ITEM() = default;

  // Asked by lookups and by the table writer to tell the two entry kinds apart.
  virtual bool IsFolder() const = 0;
  // Asked by lookups and by the table writer to tell the two entry kinds apart.
  virtual bool IsFile() const = 0;
  // Called by the drive's Flush (through the parent folder) to write this entry's record.
  virtual bool SaveToFile(FILE* file) const = 0;
  // Called by the drive's Open (through the parent folder) to read this entry's record; the
  // whole rest of the file bounds what the record may announce.
  virtual bool LoadFromFile(FILE* file);

  // A name a path can reach as one component: not empty, not "." or "..", and without a
  // separator, ':' or zero byte.
  static bool IsEntryName(const CFerroString& name);

  CFerroString itemName;
  VIRTUAL_FOLDER* parent = nullptr;

 protected:
  friend class VIRTUAL_FOLDER;
  friend class GVirtualDrive;
  // Reads the record with the reader's bounds and nesting depth; used by LoadFromFile.
  virtual bool Load(VIRTUAL_TABLE_READER& reader, int depth) = 0;
};

// Entries sharing a first name byte, in insertion order (a removal moves the last entry into the
// freed place).
struct VIRTUAL_ITEM_LIST {
  std::vector<std::unique_ptr<VIRTUAL_ITEM>> items;
  int GetCount() const { return static_cast<int>(items.size()); }
};

// State of a search through one folder; see VIRTUAL_FOLDER::GetFirstItem.
struct VIRTUAL_FIND_ITEM {
  const VIRTUAL_FOLDER* folder = nullptr;
  CFerroString foundName;
  int bucketIndex = 0;
  int itemIndex = 0;
  bool wantFiles = true;
  CFerroString extensionFilter;
};

class VIRTUAL_FILE : public VIRTUAL_ITEM {
 public:
  bool IsFolder() const override { return false; }
  bool IsFile() const override { return true; }
  bool SaveToFile(FILE* file) const override;

  int GetClusterCount() const { return static_cast<int>(clusters.size()); }

  unsigned int size = 0;
  // Cluster numbers in file order: byte p of the file lies in cluster clusters[p / clusterSize].
  std::vector<int> clusters;

 protected:
  bool Load(VIRTUAL_TABLE_READER& reader, int depth) override;
};

class VIRTUAL_FOLDER : public VIRTUAL_ITEM {
 public:
  bool IsFolder() const override { return true; }
  bool IsFile() const override { return false; }
  bool SaveToFile(FILE* file) const override;

  // One more than the highest non-empty bucket, or 0 for an empty folder.
  int GetBucketCount() const { return static_cast<int>(buckets.size()); }
  bool IsEmpty() const { return buckets.empty(); }

  // The entry with exactly this name, or null.
  VIRTUAL_ITEM* Find(const CFerroString& name) const;
  // Takes ownership of item, files it in the bucket of its first name byte and sets its parent.
  VIRTUAL_ITEM* Add(std::unique_ptr<VIRTUAL_ITEM> item);
  // Removes and returns a direct child; null when item is not one.
  std::unique_ptr<VIRTUAL_ITEM> Remove(VIRTUAL_ITEM* item);
  void Clear();

  // Calls visit for every entry below this folder, buckets in index order, lists in order,
  // descending into a folder right after visiting it.
  template <typename Visit>
  void Walk(Visit&& visit);

  // Starts a search through this folder's entries: files when wantFiles is set (only those whose
  // extension equals extension, unless it is null, empty or "*"), folders otherwise.
  bool GetFirstItem(VIRTUAL_FIND_ITEM& find, bool wantFiles, const char* extension) const;
  // Continues a search; false with an empty found name at the end.
  bool GetNextItem(VIRTUAL_FIND_ITEM& find) const;

  // Indexed by the first byte of the entry names; null where no entry starts with that byte.
  std::vector<std::unique_ptr<VIRTUAL_ITEM_LIST>> buckets;

 protected:
  bool Load(VIRTUAL_TABLE_READER& reader, int depth) override;
};

template <typename Visit>
void VIRTUAL_FOLDER::Walk(Visit&& visit) {
  for (auto& bucket : buckets) {
    if (!bucket) continue;
    for (auto& item : bucket->items) {
      visit(*item);
      if (item->IsFolder()) static_cast<VIRTUAL_FOLDER&>(*item).Walk(visit);
    }
  }
}

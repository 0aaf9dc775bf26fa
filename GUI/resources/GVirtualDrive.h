#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "GUI/foundation/CArrayInt.h"
#include "GUI/foundation/CFerroString.h"
#include "GUI/resources/VIRTUAL_ITEM.h"

class CFerroStreamVirtualFile;

// Where a path goes among the mounted drives; see GVirtualDrive::RoutePath.
enum class VIRTUAL_ROUTE {
  host,     // an absolute host path
  current,  // the drive holding the current directory, or the host's when there is none
  slot,     // the drive mounted in the slot the path names
  none,     // a malformed drive path that nothing serves
};

// A resource drive: a small file system kept in two host files, a table file (".vdt") with the
// folder tree and a data file (".vdd") with the file contents in fixed-size clusters.
//
// Paths inside a drive start with ':' for the drive's root (":img/a.png"); any other path is
// relative to the current folder set by SetDirectory (the root until then). Components are
// separated by '/' or '\'; "." and ".." work as usual.
//
// Tree changes only mark the table dirty; Flush (also run by Close) rewrites the table file
// through a temporary file, so a failed write never damages the table on disk. Cluster data is
// written at once.
class GVirtualDrive {
 public:
  static constexpr uint32_t kTableSignature = 0x6F9AE7D9;
  static constexpr uint32_t kDataSignature = 0xF984AB4C;
  static constexpr uint32_t kDefaultClusterSize = 4096;
  static constexpr uint32_t kOffsetNotSet = 0xFFFFFFFF;

  GVirtualDrive();
  GVirtualDrive(const GVirtualDrive&) = delete;
  GVirtualDrive& operator=(const GVirtualDrive&) = delete;
  virtual ~GVirtualDrive();

  // Makes a new, empty drive name.vdt / name.vdd in the host folder dir and leaves this object
  // closed. Returns the absolute table path, or an empty text when this object is open, the table
  // file exists already, or a file cannot be written.
  CFerroString Create(const char* dir, const char* name);
  // Mounts the drive whose table file is tablePath. Fails, leaving the object closed, for a
  // missing or damaged table or data file, a cluster outside the data file, or a cluster that
  // two files (or a file and the free-cluster list) both claim.
  bool Open(const char* tablePath);
  // Writes the table when dirty, closes the data file, forgets the tree and detaches every open
  // stream of this drive. Returns whether the table was written (or did not need to be).
  bool Close();
  // Pushes buffered cluster data to the data file and rewrites the table file when the tree
  // changed; dirty stays set when that fails.
  bool Flush();
  bool IsOpen() const { return dataFile != nullptr; }

  // The folder or file at path, or null.
  VIRTUAL_ITEM* GetItem(const char* path);
  bool CreateDirectory(const char* path);
  // Removes an empty folder.
  bool RemoveDirectory(const char* path);
  bool CreateFile(const char* path);
  // Removes a file; its clusters go to the free-cluster list.
  bool RemoveFile(const char* path);
  // Makes the folder at path the base of relative paths.
  bool SetDirectory(const char* path);
  // The current folder as a drive path ending with a separator (":" for the root); empty until
  // SetDirectory succeeds, when relative paths start from the root.
  const CFerroString& GetDirectory() const { return currentFolder; }

  // A new stream over the file at path: mode 0 reads an existing file, 1 writes it afresh
  // (creating it when needed), 2 continues at its end. Null when the path names a folder or cannot
  // be resolved, or mode 0 finds nothing.
  std::unique_ptr<CFerroStreamVirtualFile> OpenStream(const char* path, int mode);

  // Shuffles the physical order of the clusters, seeded with the host's millisecond tick.
  bool Mix();
  // The same with an explicit seed for the global random generator. Afterwards the data file holds
  // exactly the clusters of the files, 4 + n * clusterSize bytes, and the table is rewritten.
  bool Mix(unsigned int seed);
  // Appends a cluster to the free-cluster list, from which new clusters are taken first.
  void AddDeletedClaster(int cluster);

  // Copies the host folder hostFolder (files and subfolders, in name order) into the drive folder
  // drivePath, each file with one whole-file write.
  bool ImportFolder(const char* hostFolder, const char* drivePath);

  // Builds the drive name.vdt / name.vdd in the host folder dir from the host folder
  // sourceFolder and shuffles it with seed. The work is done under temporary names that are
  // renamed at the end, so a build that fails half-way leaves nothing that looks like a drive.
  // Fails when the table file exists already.
  static bool BuildFromFolder(const char* dir, const char* name, const char* sourceFolder,
                              unsigned int seed);
  // Deletes the two host files of the drive name in dir (used to discard a damaged drive).
  static bool RemoveDriveFiles(const char* dir, const char* name);

  // Routes a path for a table of slotCount mounted drives. ":N/rest" (or ":N\\rest") with N below
  // slotCount goes to slot N with innerPath ":rest" (":" when nothing follows N); ":N" followed by
  // anything but a separator goes nowhere; a ':' path without a usable slot number, a relative
  // path and the empty path go to the current drive with innerPath unchanged; a path starting
  // with '/' goes to the host.
  static VIRTUAL_ROUTE RoutePath(const char* path, int slotCount, int& slot,
                                 CFerroString& innerPath);

  const CFerroString& GetTablePath() const { return tablePath; }
  const CFerroString& GetDriveName() const { return driveName; }
  const CFerroString& GetDataFileName() const { return dataFileName; }
  uint32_t GetDataLength() const { return dataLength; }
  uint32_t GetClusterSize() const { return clusterSize; }
  bool IsDirty() const { return dirty; }
  bool IsReadOnly() const { return readOnly; }
  VIRTUAL_FOLDER& GetRoot() { return root; }
  const CArrayInt& GetFreeClusters() const { return freeClusters; }

 private:
  friend class CFerroStreamVirtualFile;

  // Reads up to count bytes of file from offset position; returns the bytes really read.
  unsigned int ReadFileBytes(VIRTUAL_FILE& file, uint32_t position, void* buffer,
                             unsigned int count);
  // Writes count bytes into file at position, taking clusters as needed; returns the bytes really
  // written.
  unsigned int WriteFileBytes(VIRTUAL_FILE& file, uint32_t position, const void* buffer,
                              unsigned int count);
  // Moves the data file to offset unless it is there already; switching between reading and
  // writing always seeks, as C streams require.
  bool SeekData(uint32_t offset, bool forWriting);
  // Takes the next cluster for a growing file: the most recently released one, else a new one at
  // the end of the data file.
  int TakeCluster(bool& fromFreeList);
  // The free-cluster list: its values, and removing the most recently released one (-1 if none).
  std::vector<int> FreeClusterValues() const;
  int PopFreeCluster();
  // Loads the free-cluster list after checking its announced sizes against the file.
  bool LoadFreeClusters(FILE* file);

  VIRTUAL_ITEM* CreateEntry(const char* path, bool folder);
  bool PadDataFile();
  bool OpenFiles(const char* tableFile, const char* dataPath);
  bool CheckClusters();
  void Reset();
  void RegisterStream(CFerroStreamVirtualFile* stream);
  void UnregisterStream(CFerroStreamVirtualFile* stream);
  // Closes the streams that use file, or every stream when file is null.
  void DetachStreams(const VIRTUAL_FILE* file);
  static bool WriteEmptyDrive(const CFerroString& tableFile, const CFerroString& dataPath,
                              const CFerroString& dataName);
  bool WriteTable(FILE* file);

  CFerroString tablePath;
  CFerroString driveName;
  CFerroString dataFileName;
  FILE* dataFile = nullptr;
  uint32_t lastOffset = kOffsetNotSet;
  uint32_t dataLength = 0;
  VIRTUAL_FOLDER root;
  uint32_t clusterSize = kDefaultClusterSize;
  CArrayInt freeClusters;
  bool dirty = false;
  CFerroString currentFolder;
  CFerroString workPath;

  bool readOnly = false;
  bool lastWasWrite = false;
  std::vector<CFerroStreamVirtualFile*> streams;
};

// Index of this file:
//   Table and data files   Create, Open, Flush, Close and their checks of damaged files
//   Lookup and tree        GetItem, creating and removing entries, the current folder
//   Streams and clusters   cluster allocation and the transfers behind drive file streams
//   Shuffling              Mix
//   Building               ImportFolder, BuildFromFolder, RemoveDriveFiles, RoutePath

#include "GUI/resources/GVirtualDrive.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/FerroHostFile.h"
#include "GUI/foundation/FerroRandom.h"
#include "GUI/resources/CFerroStreamVirtualFile.h"
#include "GUI/resources/VIRTUAL_TABLE_READER.h"

namespace {

// Cluster sizes a table may announce; anything else is treated as damage.
constexpr uint32_t kSmallestCluster = 512;
constexpr uint32_t kLargestCluster = 1u << 20;
constexpr uint64_t kLargestData = 0xFFFFFFFFull;

bool HostFileExists(const char* path) {
  struct stat info;
  return stat(path, &info) == 0;
}

// The absolute form of an existing host folder, ending with '/'; empty when it cannot be resolved.
CFerroString AbsoluteFolder(const char* dir) {
  const char* folder = dir != nullptr && dir[0] != 0 ? dir : ".";
  char* resolved = realpath(folder, nullptr);
  if (resolved == nullptr) return CFerroString();
  CFerroString result(resolved);
  std::free(resolved);
  return WithPathSeparator(result);
}

// Walks the bytes [position, position + count) of a drive file one cluster part at a time, the
// loop reads and writes share. reach(c, within) makes sure the file has cluster c (false stops
// the walk); move(offset, done, part) transfers part bytes at the data file offset, starting with
// byte done of the caller's buffer, and returns how many it moved; a short move stops the walk.
// Returns the bytes moved.
template <typename Reach, typename Move>
unsigned int WalkClusters(const VIRTUAL_FILE& file, uint32_t clusterSize, uint32_t position,
                          unsigned int count, Reach reach, Move move) {
  unsigned int done = 0;
  while (done < count) {
    uint32_t at = position + done;
    uint32_t c = at / clusterSize;
    uint32_t within = at % clusterSize;
    uint32_t part = std::min(clusterSize - within, count - done);
    if (!reach(c, within)) break;
    uint64_t offset = 4 + static_cast<uint64_t>(file.clusters[c]) * clusterSize + within;
    size_t moved = move(offset, done, part);
    done += static_cast<unsigned int>(moved);
    if (moved < part) break;
  }
  return done;
}

unsigned int HostTick() {
  timeval now;
  gettimeofday(&now, nullptr);
  return static_cast<unsigned int>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                   static_cast<uint64_t>(now.tv_usec) / 1000u);
}

// The index of the last separator in path, or -1.
int LastSeparator(const CFerroString& path) {
  for (int i = path.GetLength() - 1; i >= 0; --i)
    if (IsPathSeparator(path.c_str()[i])) return i;
  return -1;
}

bool ReadHostFile(const std::string& path, std::vector<unsigned char>& bytes) {
  FILE* file = fopen_ferro(path.c_str(), "rb");
  if (file == nullptr) return false;
  bool ok =
      FerroReadBlock(file, static_cast<size_t>(std::max(0L, FerroFileRemaining(file))), bytes);
  std::fclose(file);
  return ok;
}

}  // namespace

GVirtualDrive::GVirtualDrive() = default;

GVirtualDrive::~GVirtualDrive() {
  Close();
}

void GVirtualDrive::Reset() {
  if (dataFile != nullptr) std::fclose(dataFile);
  dataFile = nullptr;
  tablePath = "";
  driveName = "";
  dataFileName = "";
  lastOffset = kOffsetNotSet;
  dataLength = 0;
  root.Clear();
  clusterSize = kDefaultClusterSize;
  freeClusters.Clear();
  dirty = false;
  currentFolder = "";
  workPath = "";
  readOnly = false;
  lastWasWrite = false;
}

// ---------------------------------------------------------------------------------------------
// Table and data files
// ---------------------------------------------------------------------------------------------

bool GVirtualDrive::WriteTable(FILE* file) {
  return FerroWriteInt32(file, static_cast<int32_t>(kTableSignature)) &&
         FerroWriteInt32(file, static_cast<int32_t>(clusterSize)) &&
         dataFileName.SaveToStream(file) && root.SaveToFile(file) &&
         freeClusters.SaveToFile(file) && std::ferror(file) == 0;
}

bool GVirtualDrive::Flush() {
  // Cluster data reaches the disk before a table that refers to it.
  if (dataFile != nullptr && !readOnly && std::fflush(dataFile) != 0) return false;
  if (!dirty) return true;
  if (tablePath.IsEmpty()) return false;
  // The new table goes to a temporary file that replaces the old one only once it is complete.
  CFerroString temporary = tablePath + ".tmp";
  FILE* file = fopen_ferro(temporary.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = WriteTable(file);
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  ok = ok && std::rename(temporary.c_str(), tablePath.c_str()) == 0;
  if (!ok) {
    std::remove(temporary.c_str());
    return false;
  }
  dirty = false;
  return true;
}

bool GVirtualDrive::WriteEmptyDrive(const CFerroString& tableFile, const CFerroString& dataPath,
                                    const CFerroString& dataName) {
  GVirtualDrive empty;
  empty.tablePath = tableFile;
  empty.dataFileName = dataName;
  empty.dirty = true;
  if (!empty.Flush()) return false;
  empty.Reset();
  FILE* data = fopen_ferro(dataPath.c_str(), "wb");
  bool ok = data != nullptr && FerroWriteInt32(data, static_cast<int32_t>(kDataSignature));
  if (data != nullptr) ok = std::fclose(data) == 0 && ok;
  if (!ok) {
    std::remove(dataPath.c_str());
    std::remove(tableFile.c_str());
  }
  return ok;
}

CFerroString GVirtualDrive::Create(const char* dir, const char* name) {
  if (IsOpen() || name == nullptr || !VIRTUAL_ITEM::IsEntryName(name)) return CFerroString();
  CFerroString folder = AbsoluteFolder(dir);
  if (folder.IsEmpty()) return CFerroString();
  CFerroString base = folder + name;
  CFerroString table = base + ".vdt";
  if (HostFileExists(table.c_str())) return CFerroString();
  if (!WriteEmptyDrive(table, base + ".vdd", CFerroString(name) + ".vdd")) return CFerroString();
  return table;
}

bool GVirtualDrive::Open(const char* path) {
  if (IsOpen() || path == nullptr) return false;
  return OpenFiles(path, nullptr);
}

bool GVirtualDrive::OpenFiles(const char* tableFile, const char* dataPathOverride) {
  FILE* table = fopen_ferro(tableFile, "rb");
  if (table == nullptr) return false;
  int32_t signature = 0, storedClusterSize = 0;
  bool ok = FerroReadInt32(table, signature) &&
            static_cast<uint32_t>(signature) == kTableSignature &&
            FerroReadInt32(table, storedClusterSize) &&
            static_cast<uint32_t>(storedClusterSize) >= kSmallestCluster &&
            static_cast<uint32_t>(storedClusterSize) <= kLargestCluster &&
            dataFileName.LoadFromStream(table) && VIRTUAL_ITEM::IsEntryName(dataFileName);
  if (ok) {
    clusterSize = static_cast<uint32_t>(storedClusterSize);
    VIRTUAL_TABLE_READER reader(table, clusterSize);
    ok = reader.IsValid() && static_cast<VIRTUAL_ITEM&>(root).Load(reader, 0) &&
         root.itemName.IsEmpty() && LoadFreeClusters(table);
  }
  std::fclose(table);

  char* resolved = ok ? realpath(tableFile, nullptr) : nullptr;
  if (resolved == nullptr) {
    Reset();
    return false;
  }
  tablePath = resolved;
  std::free(resolved);

  CFerroString dataPath = dataPathOverride != nullptr
                              ? CFerroString(dataPathOverride)
                              : tablePath.GetPathOnly() + CFerroString('/') + dataFileName;
  struct stat info;
  if (stat(dataPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 4 ||
      static_cast<uint64_t>(info.st_size) > kLargestData) {
    Reset();
    return false;
  }
  dataFile = fopen_ferro(dataPath.c_str(), "rb+");
  if (dataFile == nullptr) {
    dataFile = fopen_ferro(dataPath.c_str(), "rb");
    readOnly = true;
  }
  // Unbuffered, so a write reports the bytes that really reached the file and a failure shows at
  // once instead of at a later flush. Transfers are whole cluster parts, so buffering gains little.
  if (dataFile != nullptr) std::setvbuf(dataFile, nullptr, _IONBF, 0);
  int32_t dataSignature = 0;
  if (dataFile == nullptr || !FerroReadInt32(dataFile, dataSignature) ||
      static_cast<uint32_t>(dataSignature) != kDataSignature) {
    Reset();
    return false;
  }
  dataLength = static_cast<uint32_t>(info.st_size);
  lastOffset = kOffsetNotSet;
  if (!CheckClusters()) {
    Reset();
    return false;
  }
  CFerroString fileName = tablePath.GetFileNameOnly();
  int dot = -1;
  for (int i = 0; i < fileName.GetLength(); ++i)
    if (fileName.c_str()[i] == '.') dot = i;
  driveName = dot >= 0 ? fileName.Left(dot) : fileName;
  dirty = false;
  return true;
}

bool GVirtualDrive::CheckClusters() {
  // Every cluster a file or the free list names must lie inside the data file, and no cluster
  // may be named twice: two files sharing one would overwrite each other, and a free cluster
  // that a file still uses would be handed to the next growing file.
  const uint64_t available =
      (static_cast<uint64_t>(dataLength) - 4 + clusterSize - 1) / clusterSize;
  std::vector<bool> claimed(static_cast<size_t>(available), false);
  bool ok = true;
  auto claim = [&](int cluster) {
    if (cluster < 0 || static_cast<uint64_t>(cluster) >= available || claimed[cluster])
      ok = false;
    else
      claimed[cluster] = true;
  };
  root.Walk([&](VIRTUAL_ITEM& item) {
    if (!item.IsFile()) return;
    for (int cluster : static_cast<VIRTUAL_FILE&>(item).clusters) claim(cluster);
  });
  for (int cluster : FreeClusterValues()) claim(cluster);
  return ok;
}

bool GVirtualDrive::Close() {
  bool ok = true;
  if (IsOpen()) {
    ok = Flush();
    DetachStreams(nullptr);
  }
  Reset();
  return ok;
}

// ---------------------------------------------------------------------------------------------
// Lookup and tree changes
// ---------------------------------------------------------------------------------------------

VIRTUAL_ITEM* GVirtualDrive::GetItem(const char* path) {
  CFerroString text(path != nullptr ? path : "");
  if (text.IsEmpty()) {
    workPath = ":";
    return &root;
  }
  if (text.c_str()[0] == ':')
    workPath = text;
  else  // Relative paths start from the current folder, the root until one is set.
    workPath = (currentFolder.IsEmpty() ? CFerroString(":") : currentFolder) + text;

  const char* p = workPath.c_str();
  int n = workPath.GetLength();
  VIRTUAL_FOLDER* folder = &root;
  int i = 1;
  while (i < n) {
    if (IsPathSeparator(p[i])) {
      ++i;
      continue;
    }
    int start = i;
    while (i < n && !IsPathSeparator(p[i])) ++i;
    CFerroString component = workPath.Mid(start, i - start);
    if (component == ".") continue;
    if (component == "..") {
      if (folder->parent == nullptr) return nullptr;
      folder = folder->parent;
      continue;
    }
    VIRTUAL_ITEM* item = folder->Find(component);
    if (item == nullptr) return nullptr;
    if (item->IsFolder()) {
      folder = static_cast<VIRTUAL_FOLDER*>(item);
      continue;
    }
    // A file ends the path; anything after it, even a separator, finds nothing.
    return i == n ? item : nullptr;
  }
  return folder;
}

VIRTUAL_ITEM* GVirtualDrive::CreateEntry(const char* path, bool folder) {
  if (!IsOpen() || readOnly || path == nullptr) return nullptr;
  CFerroString text(path);
  text.DeleteLastSlash();
  if (text.IsEmpty() || GetItem(text.c_str()) != nullptr) return nullptr;
  CFerroString full = workPath;
  int cut = LastSeparator(full);
  CFerroString name =
      cut >= 0 ? full.Mid(cut + 1, full.GetLength() - cut - 1) : full.Mid(1, full.GetLength() - 1);
  if (!VIRTUAL_ITEM::IsEntryName(name)) return nullptr;
  VIRTUAL_ITEM* parentItem = GetItem(cut > 0 ? full.Left(cut).c_str() : ":");
  workPath = full;
  if (parentItem == nullptr || !parentItem->IsFolder()) return nullptr;
  // Every file starts on a cluster boundary of its own.
  if (!folder && !PadDataFile()) return nullptr;

  std::unique_ptr<VIRTUAL_ITEM> item;
  if (folder)
    item = std::make_unique<VIRTUAL_FOLDER>();
  else
    item = std::make_unique<VIRTUAL_FILE>();
  item->itemName = name;
  dirty = true;
  return static_cast<VIRTUAL_FOLDER*>(parentItem)->Add(std::move(item));
}

bool GVirtualDrive::CreateDirectory(const char* path) {
  return CreateEntry(path, true) != nullptr;
}

bool GVirtualDrive::CreateFile(const char* path) {
  return CreateEntry(path, false) != nullptr;
}

bool GVirtualDrive::RemoveFile(const char* path) {
  if (!IsOpen() || readOnly) return false;
  VIRTUAL_ITEM* item = GetItem(path);
  if (item == nullptr || !item->IsFile()) return false;
  auto* file = static_cast<VIRTUAL_FILE*>(item);
  DetachStreams(file);
  std::unique_ptr<VIRTUAL_ITEM> removed = file->parent->Remove(file);
  if (!removed) return false;
  for (int cluster : file->clusters) AddDeletedClaster(cluster);
  dirty = true;
  return true;
}

bool GVirtualDrive::RemoveDirectory(const char* path) {
  if (!IsOpen() || readOnly) return false;
  VIRTUAL_ITEM* item = GetItem(path);
  if (item == nullptr || !item->IsFolder() || item == &root) return false;
  if (!static_cast<VIRTUAL_FOLDER*>(item)->IsEmpty()) return false;
  if (!item->parent->Remove(item)) return false;
  dirty = true;
  return true;
}

bool GVirtualDrive::SetDirectory(const char* path) {
  if (!IsOpen()) return false;
  VIRTUAL_ITEM* item = GetItem(path);
  if (item == nullptr || !item->IsFolder()) return false;
  // Relative paths are appended to this text, so it always ends with a separator.
  currentFolder = workPath;
  char last = currentFolder.c_str()[currentFolder.GetLength() - 1];
  if (!IsPathSeparator(last) && last != ':') currentFolder += CFerroString('/');
  return true;
}

void GVirtualDrive::AddDeletedClaster(int cluster) {
  freeClusters.Add(cluster);
}

std::vector<int> GVirtualDrive::FreeClusterValues() const {
  std::vector<int> values;
  for (int i = 0; i < freeClusters.GetCount(); ++i)
    values.push_back(freeClusters.Get(freeClusters.GetSlot(i)));
  return values;
}

int GVirtualDrive::PopFreeCluster() {
  // Clusters are only ever taken from the end of the list, so its order stays the release order.
  int count = freeClusters.GetCount();
  if (count == 0) return -1;
  int slot = freeClusters.GetSlot(count - 1);
  int cluster = freeClusters.Get(slot);
  freeClusters.Delete(slot);
  return cluster;
}

bool GVirtualDrive::LoadFreeClusters(FILE* file) {
  return freeClusters.LoadFromFile(file);
}

// ---------------------------------------------------------------------------------------------
// Streams and cluster transfers
// ---------------------------------------------------------------------------------------------

std::unique_ptr<CFerroStreamVirtualFile> GVirtualDrive::OpenStream(const char* path, int mode) {
  auto stream = std::make_unique<CFerroStreamVirtualFile>();
  if (!stream->Open(this, path, mode)) return nullptr;
  return stream;
}

void GVirtualDrive::RegisterStream(CFerroStreamVirtualFile* stream) {
  streams.push_back(stream);
}

void GVirtualDrive::UnregisterStream(CFerroStreamVirtualFile* stream) {
  streams.erase(std::remove(streams.begin(), streams.end(), stream), streams.end());
}

void GVirtualDrive::DetachStreams(const VIRTUAL_FILE* file) {
  std::vector<CFerroStreamVirtualFile*> keep;
  for (CFerroStreamVirtualFile* stream : streams) {
    if (file == nullptr || stream->item == file)
      stream->Detach();
    else
      keep.push_back(stream);
  }
  streams.swap(keep);
}

bool GVirtualDrive::SeekData(uint32_t offset, bool forWriting) {
  if (offset == lastOffset && forWriting == lastWasWrite) return true;
  if (std::fseek(dataFile, static_cast<long>(offset), SEEK_SET) != 0) {
    lastOffset = kOffsetNotSet;
    return false;
  }
  lastOffset = offset;
  lastWasWrite = forWriting;
  return true;
}

bool GVirtualDrive::PadDataFile() {
  uint32_t rest = (dataLength - 4) % clusterSize;
  if (rest == 0) return true;
  uint32_t missing = clusterSize - rest;
  if (!SeekData(dataLength, true)) return false;
  std::vector<unsigned char> zeros(missing, 0);
  size_t put = std::fwrite(zeros.data(), 1, missing, dataFile);
  dataLength += static_cast<uint32_t>(put);
  lastOffset = put == missing ? dataLength : kOffsetNotSet;
  return put == missing;
}

int GVirtualDrive::TakeCluster(bool& fromFreeList) {
  fromFreeList = false;
  int released = PopFreeCluster();
  if (released >= 0) {
    fromFreeList = true;
    dirty = true;
    return released;
  }
  // A new cluster starts after every cluster the data file holds, even a partly written last
  // one, so it never overlaps another file's tail.
  uint64_t next = (static_cast<uint64_t>(dataLength) - 4 + clusterSize - 1) / clusterSize;
  if (4 + (next + 1) * clusterSize > kLargestData || next > 0x7FFFFFFF) return -1;
  return static_cast<int>(next);
}

unsigned int GVirtualDrive::ReadFileBytes(VIRTUAL_FILE& file, uint32_t position, void* buffer,
                                          unsigned int count) {
  if (!IsOpen() || position >= file.size) return 0;
  count = std::min<uint32_t>(count, file.size - position);
  auto* bytes = static_cast<unsigned char*>(buffer);
  auto reach = [&](uint32_t c, uint32_t) { return c < file.clusters.size(); };
  auto move = [&](uint64_t offset, unsigned int done, uint32_t part) -> size_t {
    if (offset > kLargestData || !SeekData(static_cast<uint32_t>(offset), false)) return 0;
    size_t got = std::fread(bytes + done, 1, part, dataFile);
    lastOffset += static_cast<uint32_t>(got);
    if (got < part) {
      // A data file shorter than its clusters: the caller gets the bytes that were there.
      std::clearerr(dataFile);
      lastOffset = kOffsetNotSet;
    }
    return got;
  };
  return WalkClusters(file, clusterSize, position, count, reach, move);
}

unsigned int GVirtualDrive::WriteFileBytes(VIRTUAL_FILE& file, uint32_t position,
                                           const void* buffer, unsigned int count) {
  if (!IsOpen() || readOnly) return 0;
  if (static_cast<uint64_t>(position) + count > kLargestData)
    count = static_cast<unsigned int>(kLargestData - position);
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  bool fresh = false, fromFreeList = false;
  // A write may go on past the file's last cluster only at the start of the next one.
  auto reach = [&](uint32_t c, uint32_t within) {
    fresh = false;
    if (c < file.clusters.size()) return true;
    if (within != 0 || c != file.clusters.size()) return false;
    int cluster = TakeCluster(fromFreeList);
    if (cluster < 0) return false;
    file.clusters.push_back(cluster);
    fresh = true;
    dirty = true;
    return true;
  };
  auto move = [&](uint64_t offset, unsigned int done, uint32_t part) -> size_t {
    size_t put = 0;
    if (offset + part <= kLargestData && SeekData(static_cast<uint32_t>(offset), true))
      put = std::fwrite(bytes + done, 1, part, dataFile);
    lastOffset += static_cast<uint32_t>(put);
    if (put > 0) dataLength = std::max<uint32_t>(dataLength, static_cast<uint32_t>(offset + put));
    if (put < part) {
      std::clearerr(dataFile);
      lastOffset = kOffsetNotSet;
      if (fresh && put == 0) {
        // Nothing landed in the new cluster: give it back.
        int cluster = file.clusters.back();
        file.clusters.pop_back();
        if (fromFreeList) AddDeletedClaster(cluster);
      }
    }
    return put;
  };
  unsigned int done = WalkClusters(file, clusterSize, position, count, reach, move);
  if (position + done > file.size) {
    file.size = position + done;
    dirty = true;
  }
  return done;
}

// ---------------------------------------------------------------------------------------------
// Shuffling
// ---------------------------------------------------------------------------------------------

bool GVirtualDrive::Mix() {
  return Mix(HostTick());
}

bool GVirtualDrive::Mix(unsigned int seed) {
  if (!IsOpen() || readOnly) return false;
  struct Pair {
    int oldCluster;
    int newCluster;
    int* place;
  };
  std::vector<Pair> pairs;
  root.Walk([&](VIRTUAL_ITEM& item) {
    if (!item.IsFile()) return;
    for (int& cluster : static_cast<VIRTUAL_FILE&>(item).clusters)
      pairs.push_back({cluster, -1, &cluster});
  });
  const size_t n = pairs.size();
  if (n < 2) return true;
  const uint64_t total = 4 + static_cast<uint64_t>(n) * clusterSize;
  if (total > kLargestData) return false;

  SetRndIndex(seed);
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const Pair& a, const Pair& b) { return a.oldCluster < b.oldCluster; });
  for (size_t i = 0; i < n; ++i) pairs[i].newCluster = static_cast<int>(i);
  for (size_t i = 0; i < n; ++i) {
    size_t j = static_cast<size_t>(GetRndInt(0, static_cast<int>(n) - 1));
    std::swap(pairs[i].newCluster, pairs[j].newCluster);
  }

  // Each pair's content is read by its own old number, so clusters released earlier (gaps in the
  // numbering) are simply dropped from the new data file.
  std::vector<unsigned char> buffer(static_cast<size_t>(total), 0);
  uint32_t signature = kDataSignature;
  for (int k = 0; k < 4; ++k) buffer[k] = static_cast<unsigned char>(signature >> (8 * k));
  for (const Pair& pair : pairs) {
    uint64_t from = 4 + static_cast<uint64_t>(pair.oldCluster) * clusterSize;
    if (from >= dataLength) continue;
    if (!SeekData(static_cast<uint32_t>(from), false)) return false;
    unsigned char* to = buffer.data() + 4 + static_cast<size_t>(pair.newCluster) * clusterSize;
    size_t got = std::fread(to, 1, clusterSize, dataFile);
    lastOffset = got == clusterSize ? lastOffset + clusterSize : kOffsetNotSet;
    std::clearerr(dataFile);
  }
  lastOffset = kOffsetNotSet;
  bool ok =
      SeekData(0, true) && std::fwrite(buffer.data(), 1, buffer.size(), dataFile) == buffer.size();
  ok = std::fflush(dataFile) == 0 && ok;
  ok = ok && ftruncate(fileno(dataFile), static_cast<off_t>(total)) == 0;
  lastOffset = kOffsetNotSet;
  if (!ok) return false;

  for (const Pair& pair : pairs) *pair.place = pair.newCluster;
  dataLength = static_cast<uint32_t>(total);
  freeClusters.Clear();
  dirty = true;
  return Flush();
}

// ---------------------------------------------------------------------------------------------
// Building from a host folder, and routing
// ---------------------------------------------------------------------------------------------

bool GVirtualDrive::ImportFolder(const char* hostFolder, const char* drivePath) {
  if (!IsOpen() || hostFolder == nullptr || drivePath == nullptr) return false;
  DIR* dir = opendir(hostFolder);
  if (dir == nullptr) return false;
  std::vector<std::string> names;
  while (dirent* entry = readdir(dir)) {
    std::string entryName = entry->d_name;
    if (entryName != "." && entryName != "..") names.push_back(entryName);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());

  std::string source = hostFolder;
  if (source.empty() || source.back() != '/') source += '/';
  CFerroString target(drivePath);
  if (target.IsEmpty()) target = ":";
  char last = target.c_str()[target.GetLength() - 1];
  if (!IsPathSeparator(last) && last != ':') target += CFerroString('/');

  for (const std::string& entryName : names) {
    std::string hostPath = source + entryName;
    CFerroString innerPath = target + entryName.c_str();
    struct stat info;
    if (stat(hostPath.c_str(), &info) != 0) return false;
    if (S_ISDIR(info.st_mode)) {
      VIRTUAL_ITEM* existing = GetItem(innerPath.c_str());
      if (existing == nullptr && !CreateDirectory(innerPath.c_str())) return false;
      if (existing != nullptr && !existing->IsFolder()) return false;
      if (!ImportFolder(hostPath.c_str(), innerPath.c_str())) return false;
    } else if (S_ISREG(info.st_mode)) {
      std::vector<unsigned char> bytes;
      if (!ReadHostFile(hostPath, bytes)) return false;
      auto stream = OpenStream(innerPath.c_str(), CFerroStream::modeWrite);
      if (!stream) return false;
      auto size = static_cast<unsigned int>(bytes.size());
      if (size > 0 && stream->Write(bytes.data(), size) != size) return false;
    }
  }
  return true;
}

bool GVirtualDrive::BuildFromFolder(const char* dir, const char* name, const char* sourceFolder,
                                    unsigned int seed) {
  if (name == nullptr || !VIRTUAL_ITEM::IsEntryName(name) || sourceFolder == nullptr) return false;
  CFerroString folder = AbsoluteFolder(dir);
  if (folder.IsEmpty()) return false;
  CFerroString base = folder + name;
  CFerroString table = base + ".vdt", data = base + ".vdd";
  if (HostFileExists(table.c_str())) return false;
  CFerroString buildTable = table + ".build", buildData = data + ".build";
  std::remove(buildTable.c_str());
  std::remove(buildData.c_str());

  bool ok = WriteEmptyDrive(buildTable, buildData, CFerroString(name) + ".vdd");
  if (ok) {
    GVirtualDrive drive;
    ok = drive.OpenFiles(buildTable.c_str(), buildData.c_str()) &&
         drive.ImportFolder(sourceFolder, ":") && drive.Mix(seed);
    ok = drive.Close() && ok;
  }
  // The table is renamed last: its presence is what marks a finished drive.
  ok = ok && std::rename(buildData.c_str(), data.c_str()) == 0 &&
       std::rename(buildTable.c_str(), table.c_str()) == 0;
  if (!ok) {
    std::remove(buildTable.c_str());
    std::remove(buildData.c_str());
    if (!HostFileExists(table.c_str())) std::remove(data.c_str());
  }
  return ok;
}

bool GVirtualDrive::RemoveDriveFiles(const char* dir, const char* name) {
  if (name == nullptr || !VIRTUAL_ITEM::IsEntryName(name)) return false;
  CFerroString folder = AbsoluteFolder(dir);
  if (folder.IsEmpty()) return false;
  CFerroString base = folder + name;
  CFerroString table = base + ".vdt", data = base + ".vdd";
  std::remove(table.c_str());
  std::remove(data.c_str());
  return !HostFileExists(table.c_str()) && !HostFileExists(data.c_str());
}

VIRTUAL_ROUTE GVirtualDrive::RoutePath(const char* path, int slotCount, int& slot,
                                       CFerroString& innerPath) {
  slot = -1;
  innerPath = path != nullptr ? path : "";
  const char* p = innerPath.c_str();
  if (p[0] != ':') return p[0] == '/' ? VIRTUAL_ROUTE::host : VIRTUAL_ROUTE::current;
  int i = 1;
  int64_t number = 0;
  while (p[i] >= '0' && p[i] <= '9') {
    if (number <= slotCount) number = number * 10 + (p[i] - '0');
    ++i;
  }
  if (i == 1 || number >= slotCount) return VIRTUAL_ROUTE::current;
  if (p[i] != 0 && !IsPathSeparator(p[i])) return VIRTUAL_ROUTE::none;
  slot = static_cast<int>(number);
  innerPath = p[i] == 0 ? CFerroString(":") : CFerroString(":") + (p + i + 1);
  return VIRTUAL_ROUTE::slot;
}

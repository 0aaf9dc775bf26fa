#include "game/model/CMapTransfer.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/CFerroStreamMemory.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GModelMedia.h"
#include "game/model/GRecordStream.h"
#include "game/model/GUnit.h"

namespace {

constexpr int kMostCopies = 999;

// Reads the file at path when it is one map file.
CMapTransfer::Result ReadMapFile(const char* path, std::string& bytes) {
  struct stat st;
  if (!path || stat(path, &st) != 0) return CMapTransfer::Result::unreadable;
  if (S_ISDIR(st.st_mode)) return CMapTransfer::Result::folder;
  switch (ReadWholeFile(path, CMapTransfer::kMaxFileSize, bytes)) {
    case WholeFile::read:
      break;
    case WholeFile::tooLarge:
      return CMapTransfer::Result::notAMap;
    case WholeFile::missing:
    case WholeFile::failed:
      return CMapTransfer::Result::unreadable;
  }
  return CMapTransfer::IsMapFile(bytes) ? CMapTransfer::Result::done
                                        : CMapTransfer::Result::notAMap;
}

bool WriteBytes(CFerroStream& stream, const std::string& bytes) {
  return stream.Write(bytes.data(), static_cast<unsigned>(bytes.size())) == bytes.size();
}

}  // namespace

bool CMapTransfer::IsMapFile(const std::string& bytes) {
  if (bytes.size() > kMaxFileSize) return false;
  CFerroStreamMemory stream;
  stream.Open(reinterpret_cast<const unsigned char*>(bytes.data()),
              static_cast<unsigned>(bytes.size()), CFerroStream::modeRead);
  GRecordReader reader(stream);
  GMap::Content content;
  return GMap::ReadContent(reader, false, content) && !reader.Has(1);
}

CMapTransfer::Result CMapTransfer::Import(const char* path, unsigned seed, CFerroString& name) {
  std::string bytes;
  const Result read = ReadMapFile(path, bytes);
  if (read != Result::done) return read;
  GMapList* list = GMapList::GetInstance();
  list->FollowFolder();
  name = list->NewMapName(seed);
  const CFerroString target = GModelMedia::GetPathToMaps() + name;
  if (GModelMedia::GetPathToMaps().IsEmpty() ||
      !WriteFileReplacing(target.c_str(),
                          [&bytes](CFerroStream& stream) { return WriteBytes(stream, bytes); }))
    return Result::cannotWrite;
  if (!list->Add(name.c_str())) {
    const int error = errno;
    std::remove(target.c_str());
    errno = error;
    return Result::cannotWrite;
  }
  return Result::done;
}

CFerroString CMapTransfer::ExportName(const CFerroString& mapName, int copy) {
  std::string stem = mapName.c_str();
  if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".dmm") == 0)
    stem.resize(stem.size() - 4);
  if (copy > 1) stem += "-" + std::to_string(copy);
  return CFerroString(("digmaze-" + stem + ".dmm").c_str());
}

CMapTransfer::Result CMapTransfer::Export(const CFerroString& mapName, const CFerroString& folder,
                                          CFerroString& path) {
  std::string bytes;
  if (!GMapList::IsMapFileName(mapName)) return Result::notAMap;
  const Result read = ReadMapFile((GModelMedia::GetPathToMaps() + mapName).c_str(), bytes);
  if (read != Result::done) return read;
  for (int copy = 1; copy <= kMostCopies; ++copy) {
    path = folder + ExportName(mapName, copy);
    if (WriteFileNew(path.c_str(),
                     [&bytes](CFerroStream& stream) { return WriteBytes(stream, bytes); }))
      return Result::done;
    if (errno != EEXIST) break;
  }
  path = "";
  return Result::cannotWrite;
}

CFerroString CMapTransfer::ShownPath(const char* path) {
  std::string shown = path ? path : "";
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  return CFerroString(shown.c_str());
}

CFerroString CMapTransfer::ShownName(const char* path) {
  std::string name = path ? path : "";
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  const size_t slash = name.find_last_of('/');
  if (slash != std::string::npos && name.size() > 1) name.erase(0, slash + 1);
  return ShownPath(name.c_str());
}

#include "game/model/GMapList.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "GUI/foundation/CFerroStream.h"
#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/FerroRandom.h"
#include "GUI/foundation/FileError.h"
#include "game/model/GMap.h"
#include "game/model/GModelMedia.h"
#include "game/model/GRecordStream.h"

namespace {

// A name as it can stand in the error log: control bytes (a zero byte among
// them) shown as '?'.
CFerroString SafeForLog(const CFerroString& name) {
  std::string shown;
  for (int i = 0; i < name.GetLength(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    shown += c < 32 || c == 127 ? '?' : static_cast<char>(c);
  }
  return CFerroString(shown.c_str());
}

}  // namespace

GMapList* GMapList::GetInstance() {
  static GMapList instance;
  return &instance;
}

GMapList::GMapList() {
  Load();
}

CFerroString GMapList::GetFile() {
  return GModelMedia::GetPathToMaps() + CFerroString("index.dml");
}

bool GMapList::Serialize(CFerroStream& stream, bool currentOnly) {
  bool ok = true;
  if (stream.IsStoring()) {
    GRecordWriter w(stream);
    w.WriteUnsigned(0);
    if (currentOnly) {
      w.WriteString(currentName);
    } else {
      w.WriteInt(GetCount());
      for (const auto& name : names) w.WriteString(name);
    }
    ok = w.Ok();
  } else {
    GRecordReader r(stream);
    unsigned unused = 0;
    ok = r.ReadUnsigned(unused);
    if (ok && currentOnly) {
      CFerroString name;
      ok = r.ReadString(name) && IsMapFileName(name);
      if (ok) currentName = name;
    } else if (ok) {
      std::vector<CFerroString> read;
      ok = ReadNames(r, read);
      if (ok) names = std::move(read);
    }
  }
  reserved = 0;
  return ok;
}

bool GMapList::ReadNames(GRecordReader& r, std::vector<CFerroString>& read) {
  int count = 0;
  // Every name takes at least its length byte, so the count cannot pass the file.
  if (!r.ReadInt(count) || count < 0 || !r.Has(static_cast<uint64_t>(count))) return false;
  for (int i = 0; i < count; ++i) {
    CFerroString name;
    if (!r.ReadString(name)) return false;
    // The index may come from someone else: an entry that would reach
    // outside the maps folder, or one listed twice, is dropped.
    if (!IsMapFileName(name)) {
      ReportError((CFerroString("the map index lists \"") + SafeForLog(name) +
                   "\", which is not a map file name; the entry is dropped")
                      .c_str());
    } else if (std::find(read.begin(), read.end(), name) != read.end()) {
      ReportError(
          (CFerroString("the map index lists ") + name + " twice; the later entry is dropped")
              .c_str());
    } else {
      read.push_back(name);
    }
  }
  return true;
}

bool GMapList::ReadIndex(const CFerroString& path, std::vector<CFerroString>& read) {
  CFerroStreamFile file;
  if (!file.Open(path.c_str(), CFerroStream::modeRead)) return false;
  GRecordReader r(file);
  unsigned unused = 0;
  std::vector<CFerroString> names;
  if (!r.ReadUnsigned(unused) || !ReadNames(r, names)) return false;
  read = std::move(names);
  return true;
}

bool GMapList::Load() {
  const CFerroString path = GetFile();
  CFerroStreamFile file;
  damagedIndex = false;
  if (!file.Open(path.c_str(), CFerroStream::modeRead)) {
    // Without a maps folder (tools, tests) there is no index to miss.
    if (path != "index.dml")
      ReportError(
          (CFerroString("the map index ") + path + " is missing; the level order starts empty")
              .c_str());
    return false;
  }
  if (Serialize(file, false)) return true;
  damagedIndex = true;
  ReportError((CFerroString("the map index ") + path + " is damaged; the level order starts empty")
                  .c_str());
  return false;
}

bool GMapList::Save() {
  const CFerroString path = GetFile();
  if (WriteFileReplacing(path.c_str(),
                         [this](CFerroStream& stream) { return Serialize(stream, false); }))
    return true;
  ReportError((CFerroString("cannot write the map index ") + path + ": " + strerror(errno) +
               "; the previous index is kept")
                  .c_str());
  return false;
}

bool GMapList::IsMapFileName(const CFerroString& name) {
  static const CFerroString kExtension(".dmm");
  const int length = name.GetLength();
  return length > kExtension.GetLength() && GMap::IsSafeFileName(name) &&
         CFerroString(name.c_str() + length - kExtension.GetLength()) == kExtension;
}

CFerroString GMapList::NewMapName(unsigned seed) const {
  SetRndIndex(seed);
  const CFerroString folder = GModelMedia::GetPathToMaps();
  for (;;) {
    char digits[11];
    for (int i = 0; i < 10; ++i) digits[i] = static_cast<char>('0' + GetRndInt(0, 9));
    digits[10] = '\0';
    const CFerroString name = CFerroString(digits) + ".dmm";
    CFerroStreamFile existing;
    if (!existing.Open((folder + name).c_str(), CFerroStream::modeRead) &&
        GetMapGameIndex(name.c_str()) < 0)
      return name;
  }
}

bool GMapList::Add(const char* name) {
  const CFerroString added(name ? name : "");
  if (!IsMapFileName(added) || GetMapGameIndex(added.c_str()) >= 0) return false;
  names.push_back(added);
  Save();
  return true;
}

void GMapList::Delete(int index) {
  if (index < 0 || index >= GetCount()) return;
  names.erase(names.begin() + index);
  Save();
}

void GMapList::Exchange(int i, int j) {
  if (i < 0 || j < 0 || i >= GetCount() || j >= GetCount()) return;
  std::swap(names[i], names[j]);
  Save();
}

void GMapList::Clear() {
  names.clear();
}

bool GMapList::FollowFolder() {
  std::vector<CFerroString> files;
  if (!GModelMedia::ListMapFiles(files)) return false;
  FollowFiles(files);
  return true;
}

bool GMapList::FollowFiles(const std::vector<CFerroString>& files) {
  const auto has = [](const std::vector<CFerroString>& in, const CFerroString& name) {
    return std::find(in.begin(), in.end(), name) != in.end();
  };
  std::vector<CFerroString> followed;
  for (const CFerroString& name : names)
    if (has(files, name)) followed.push_back(name);
  for (const CFerroString& name : files)
    if (IsMapFileName(name) && !has(followed, name)) followed.push_back(name);
  if (followed == names) return false;
  names = std::move(followed);
  Save();
  return true;
}

bool GMapList::SelectNextMapForGame() {
  if (names.empty()) {
    // No level to go to: the caller stays where it is.
    currentName = "";
    return false;
  }
  const int i = GetMapForGameIndex();
  if (i >= 0 && i + 1 < GetCount()) {
    currentName = names[i + 1];
    return true;
  }
  currentName = names.front();
  return i < 0;
}

int GMapList::GetMapForGameIndex() const {
  for (int i = 0; i < GetCount(); ++i)
    if (names[i] == currentName) return i;
  return -1;
}

int GMapList::GetMapGameIndex(const char* name) const {
  const CFerroString wanted(name ? name : "");
  for (int i = 0; i < GetCount(); ++i)
    if (names[i] == wanted) return i;
  return -1;
}

#include "game/model/CCampaign.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/FileError.h"
#include "GUI/resources/CConfigText.h"
#include "game/model/GMapList.h"
#include "game/model/GModelMedia.h"

namespace {

// Far more than any sets file, record or map of the game.
constexpr size_t kMaxFileSize = 1 << 20;

bool Contains(const std::vector<CFerroString>& names, const CFerroString& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool Exists(const CFerroString& path) {
  CFerroStreamFile file;
  return file.Open(path.c_str(), CFerroStream::modeRead);
}

bool WriteText(const CFerroString& path, const std::string& text) {
  return WriteFileReplacing(path.c_str(), [&text](CFerroStream& stream) {
    const auto length = static_cast<unsigned int>(text.size());
    return stream.Write(text.data(), length) == length;
  });
}

bool CopyFile(const CFerroString& from, const CFerroString& to) {
  std::string bytes;
  return ReadWholeFile(from.c_str(), kMaxFileSize, bytes) == WholeFile::read &&
         WriteText(to, bytes);
}

// The record of the shipped maps a folder has been given: a comment line,
// then one map file name a line. False when there is none to read.
bool ReadGiven(const CFerroString& path, std::vector<CFerroString>& given) {
  std::string text;
  if (ReadWholeFile(path.c_str(), kMaxFileSize, text) != WholeFile::read) return false;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    at = end + 1;
    const CFerroString name(line.c_str());
    // A line that is no map file name (the comment among them) is passed over.
    if (name.GetLength() == static_cast<int>(line.size()) && GMapList::IsMapFileName(name) &&
        !Contains(given, name))
      given.push_back(name);
  }
  return true;
}

bool WriteGiven(const CFerroString& path, const std::vector<CFerroString>& given) {
  std::string text =
      "; The shipped maps this folder was given; one deleted since is not given again.\r\n";
  for (const CFerroString& name : given) text += std::string(name.c_str()) + "\r\n";
  return WriteText(path, text);
}

}  // namespace

bool CCampaign::Load(const CFerroString& from) {
  folder = from;
  levels.clear();
  sets.clear();
  if (!GMapList::ReadIndex(folder + "index.dml", levels)) return false;
  std::string text;
  const CFerroString path = folder + kSetsFile;
  const WholeFile read = ReadWholeFile(path.c_str(), kMaxFileSize, text);
  if (read == WholeFile::read && ReadSets(text)) return true;
  sets.clear();
  ReportError((CFerroString("the campaign's sets file ") + path +
               (read == WholeFile::missing ? " is missing" : " is damaged") +
               "; the level select shows no headings")
                  .c_str());
  return true;
}

bool CCampaign::ReadSets(const std::string& text) {
  const CConfigText config(text);
  int after = -1;  // the last level of the set before
  for (const std::string& section : config.GetSections()) {
    std::string name, first, last;
    if (!config.Find(section, "name", name) || !config.Find(section, "first", first) ||
        !config.Find(section, "last", last) || name.empty())
      return false;
    LEVEL_SET set{CFerroString(name.c_str()), Find(first.c_str()), Find(last.c_str())};
    if (set.first <= after || set.last < set.first) return false;
    after = set.last;
    sets.push_back(set);
  }
  return !sets.empty();
}

int CCampaign::Find(const CFerroString& name) const {
  const auto at = std::find(levels.begin(), levels.end(), name);
  return at == levels.end() ? -1 : static_cast<int>(at - levels.begin());
}

std::vector<CCampaign::HEADING> CCampaign::Headings(const std::vector<CFerroString>& order,
                                                    const CFerroString& ownTitle) const {
  std::vector<HEADING> headings;
  if (sets.empty()) return headings;
  // The set of each entry of the order, or -1 for a map no set holds.
  std::vector<int> setOf(order.size(), -1);
  int lastInSet = -1;
  for (size_t i = 0; i < order.size(); ++i) {
    const int level = Find(order[i]);
    for (size_t s = 0; level >= 0 && s < sets.size(); ++s)
      if (level >= sets[s].first && level <= sets[s].last) setOf[i] = static_cast<int>(s);
    if (setOf[i] >= 0) lastInSet = static_cast<int>(i);
  }
  for (size_t s = 0; s < sets.size(); ++s) {
    const auto at = std::find(setOf.begin(), setOf.end(), static_cast<int>(s));
    if (at != setOf.end()) headings.push_back({static_cast<int>(at - setOf.begin()), sets[s].name});
  }
  for (size_t i = static_cast<size_t>(lastInSet + 1); i < order.size(); ++i)
    if (setOf[i] < 0) {
      headings.push_back({static_cast<int>(i), ownTitle});
      break;
    }
  std::sort(headings.begin(), headings.end(),
            [](const HEADING& a, const HEADING& b) { return a.position < b.position; });
  return headings;
}

int CCampaign::JoinInto(GMapList& list) const {
  const CFerroString own = GModelMedia::GetPathToMaps();
  if (own.IsEmpty() || levels.empty() || list.HasDamagedIndex()) return 0;
  const CFerroString record = own + kGivenFile;
  std::vector<CFerroString> given;
  const bool recorded = ReadGiven(record, given);
  if (!recorded) {
    // Its order lists what it held (the maps manager lists every map file);
    // it held every shipped level once, so listing none means they were all
    // removed, or the folder was emptied.
    int lastHeld = -1;
    for (int i = 0; i < static_cast<int>(levels.size()); ++i)
      if (list.GetMapGameIndex(levels[i].c_str()) >= 0) lastHeld = i;
    if (lastHeld < 0) lastHeld = static_cast<int>(levels.size()) - 1;
    given.assign(levels.begin(), levels.begin() + lastHeld + 1);
  }
  std::vector<CFerroString> nowGiven = given, joined;
  for (const CFerroString& name : levels) {
    if (Contains(given, name)) continue;
    if (!Exists(own + name) && !CopyFile(folder + name, own + name)) {
      // Not counted as given: the next start tries again.
      ReportError((CFerroString("cannot copy the shipped map ") + folder + name + " into " + own +
                   ": " + strerror(errno))
                      .c_str());
      continue;
    }
    nowGiven.push_back(name);
    if (list.GetMapGameIndex(name.c_str()) < 0) joined.push_back(name);
  }
  if (!joined.empty()) {
    size_t at = 0;
    for (size_t i = 0; i < list.names.size(); ++i)
      if (Find(list.names[i]) >= 0) at = i + 1;
    list.names.insert(list.names.begin() + static_cast<std::ptrdiff_t>(at), joined.begin(),
                      joined.end());
    // An order that could not be written leaves the maps to be listed again
    // at the next start, so the record waits for it.
    if (!list.Save()) return static_cast<int>(joined.size());
  }
  if ((!recorded || nowGiven != given) && !WriteGiven(record, nowGiven))
    ReportError((CFerroString("cannot write ") + record + ": " + strerror(errno)).c_str());
  return static_cast<int>(joined.size());
}

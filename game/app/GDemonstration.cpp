#include "game/app/GDemonstration.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/foundation/FileError.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GPlatform.h"
#include "game/model/CGameProgress.h"
#include "game/model/GMap.h"
#include "game/model/GRecordStream.h"
#include "game/model/GUnit.h"

namespace {

constexpr const char* kReplayExtension = "txt";

// The part of a search result after its last separator.
CFerroString BareName(const char* found) {
  const std::string name(found);
  const size_t slash = name.find_last_of("/\\");
  return CFerroString(slash == std::string::npos ? found : name.substr(slash + 1).c_str());
}

// The number the name ends in (its last six digits at most), or 0.
int TrailingNumber(const std::string& stem) {
  size_t from = stem.size();
  while (from > 0 && std::isdigit(static_cast<unsigned char>(stem[from - 1]))) --from;
  int number = 0;
  for (size_t i = std::max(from, stem.size() - std::min<size_t>(stem.size(), 6)); i < stem.size();
       ++i)
    number = number * 10 + (stem[i] - '0');
  return number;
}

}  // namespace

bool GDemonstration::Begin(GPlatform* from) {
  End();
  if (!from) return false;
  const CFerroString game = from->GetPathToGame(), slash(from->GetSlash());
  const CFerroString folder = game + kFolder + slash;
  std::vector<CFerroString> found;
  if (from->CanListFolder(folder.c_str())) {
    // The search runs to its end, so it leaves nothing open.
    for (const char* name = from->GetFirstFile(folder.c_str(), kReplayExtension); name;
         name = from->GetNextFile())
      found.push_back(BareName(name));
  }
  if (found.empty()) {
    ReportError(
        (CFerroString("the demonstration has no replays in ") + folder + "; the main menu stays")
            .c_str());
    return false;
  }
  std::sort(found.begin(), found.end(), [](const CFerroString& a, const CFerroString& b) {
    return std::string(a.c_str()) < std::string(b.c_str());
  });
  for (const CFerroString& name : found) {
    std::string stem = name.c_str();
    stem.erase(stem.size() - 1 - std::string(kReplayExtension).size());
    replays.push_back({folder + name, game + "Maps" + slash + stem.c_str() + ".dmm"});
  }
  kind = Kind::demonstration;
  platform = from;
  return true;
}

bool GDemonstration::FindSolution(GPlatform* from, const CFerroString& mapPath,
                                  REPLAY_FILE* found) {
  if (!from) return false;
  FILE_DATA table;
  const CFerroString folder =
      from->GetPathToGame() + kSolutionsFolder + CFerroString(from->GetSlash());
  const std::string digest = CGameProgress::MapDigest(mapPath.c_str());
  if (digest.empty() || !from->LoadFile((folder + kSolutionsTable).c_str(), &table)) return false;
  std::istringstream lines(std::string(reinterpret_cast<const char*>(table.data),
                                       static_cast<size_t>(std::max(table.size, 0))));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string hex, name;
    // A line naming anything but a file of the folder is passed over.
    if (!(fields >> hex >> name) || hex != digest ||
        !GMap::IsSafeFileName(CFerroString(name.c_str())))
      continue;
    if (found) *found = {folder + name.c_str(), mapPath};
    return true;
  }
  return false;
}

bool GDemonstration::BeginSolution(GPlatform* from, const CFerroString& mapPath) {
  End();
  REPLAY_FILE solution;
  if (!FindSolution(from, mapPath, &solution)) return false;
  replays.push_back(solution);
  kind = Kind::solution;
  platform = from;
  return true;
}

bool GDemonstration::BeginSolution(GPlatform* from, const std::string& mapBytes,
                                   std::vector<SIM_EVENT> solution, unsigned winTick, int level) {
  End();
  if (!from) return false;
  CFerroStreamMemory stream;
  GRecordReader reader(stream);
  GMap::Content content;
  stream.Open(reinterpret_cast<const unsigned char*>(mapBytes.data()),
              static_cast<unsigned>(mapBytes.size()), CFerroStream::modeRead);
  if (!GMap::ReadContent(reader, false, content)) return false;
  solutionMap = mapBytes;
  events = std::move(solution);
  endTick = winTick;
  levelNumber = level;
  replayPath = "of the map check";
  kind = Kind::solution;
  platform = from;
  return true;
}

bool GDemonstration::StartSolution() {
  if (nextReplay++ > 0) return false;
  CFerroStreamMemory stream;
  stream.Open(reinterpret_cast<const unsigned char*>(solutionMap.data()),
              static_cast<unsigned>(solutionMap.size()), CFerroStream::modeRead);
  if (!GMap::GetInstance()->Serialize(stream, false)) return false;
  keys.Begin();
  nextTick = GMap::GetInstance()->tick;
  return true;
}

void GDemonstration::End() {
  platform = nullptr;
  replays.clear();
  events.clear();
  solutionMap.clear();
  nextReplay = 0;
}

void GDemonstration::Report(const CFerroString& what) const {
  const char* shown = kind == Kind::solution ? "solution" : "demonstration";
  ReportError((CFerroString("the ") + shown + "'s replay " + replayPath + " " + what + "; the " +
               shown + " ends")
                  .c_str());
}

bool GDemonstration::StartNext() {
  if (platform && !solutionMap.empty()) return StartSolution();
  if (!platform || nextReplay >= replays.size()) return false;
  const REPLAY_FILE& next = replays[nextReplay++];
  replayPath = next.replay;

  FILE_DATA file;
  if (!platform->LoadFile(replayPath.c_str(), &file)) {
    Report("cannot be read");
    return false;
  }
  const std::string text(reinterpret_cast<const char*>(file.data),
                         static_cast<size_t>(std::max(file.size, 0)));
  SIM_START start;
  std::string error, end;
  if (!GSimulation::ParseScript(text, events, error, &start)) {
    Report(CFerroString("is damaged (") + error.c_str() + ")");
    return false;
  }
  if (!GSimulation::ParseEnd(text, end, endTick)) {
    Report("does not say where it wins (no \"# end T ...\" line)");
    return false;
  }
  if (!GSimulation::LoadMap(next.map.c_str())) {
    Report(CFerroString("plays the map ") + next.map + ", which cannot be read");
    return false;
  }
  keys.Begin(start);
  nextTick = GMap::GetInstance()->tick;
  std::string stem = BareName(next.map.c_str()).c_str();
  stem.erase(stem.find_last_of('.') == std::string::npos ? stem.size() : stem.find_last_of('.'));
  levelNumber = TrailingNumber(stem);
  return true;
}

bool GDemonstration::FeedKeys() {
  if (!platform) return false;
  if (nextTick > endTick) {
    CFerroString tick;
    tick.IntToString(static_cast<int>(endTick));
    Report(CFerroString("has not won by tick ") + tick + ", where it should");
    return false;
  }
  keys.ApplyEvents(nextTick++, events);
  return true;
}

void GDemonstration::ReportLost() {
  CFerroString tick;
  tick.IntToString(static_cast<int>(GetLastTick()));
  Report(CFerroString("loses a life at tick ") + tick);
}

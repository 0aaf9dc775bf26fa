#include "game/app/GReplayRecorder.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "GUI/foundation/CFerroStreamFile.h"
#include "game/sim/GSimulation.h"

namespace {

// A line of the script for an action.
std::string Event(unsigned tick, bool down, PLAYER_KEY action) {
  return std::to_string(tick) + (down ? " down " : " up ") + GetPlayerKeyName(action);
}

bool Exists(const std::string& path) {
  CFerroStreamFile probe;
  return probe.Open(path.c_str(), CFerroStream::modeRead);
}

}  // namespace

GReplayRecorder::GReplayRecorder() = default;

GReplayRecorder::~GReplayRecorder() {
  if (file) file->Close();
}

void GReplayRecorder::SetFolder(const CFerroString& name) {
  folder = name;
  if (folder.GetLength() > 0 && folder.c_str()[folder.GetLength() - 1] != '/')
    folder = folder + CFerroString("/");
}

void GReplayRecorder::BeginLevel(const CFerroString& mapName, unsigned tick, bool fromSavedGame,
                                 const std::string& startLine) {
  if (file) file->Close();
  file.reset();
  path.clear();
  for (bool& h : held) h = false;
  notedSpeed.reset();
  notedSteering.reset();
  if (!IsOn()) return;
  std::error_code ignored;
  std::filesystem::create_directories(folder.c_str(), ignored);
  std::string base = mapName.c_str();
  if (const size_t dot = base.rfind(".dmm"); dot != std::string::npos && dot + 4 == base.size())
    base.erase(dot);
  if (base.empty()) base = "level";
  // The first free name: a recording made earlier is never replaced.
  std::string candidate;
  for (int attempt = 1; attempt <= 9999; ++attempt) {
    candidate = std::string(folder.c_str()) + base +
                (attempt == 1 ? std::string() : "-" + std::to_string(attempt)) + ".txt";
    if (!Exists(candidate)) break;
    candidate.clear();
  }
  if (candidate.empty()) return;
  auto stream = std::make_unique<CFerroStreamFile>();
  if (!stream->Open(candidate.c_str(), CFerroStream::modeWrite)) return;
  file = std::move(stream);
  path = candidate;
  Line("# " + std::string(mapName.c_str()));
  if (!startLine.empty()) Line(startLine);
  if (fromSavedGame)
    Line("# resumed from a saved game at tick " + std::to_string(tick) +
         "; a replay of the map alone starts at tick 0 and differs");
}

void GReplayRecorder::KeyDown(unsigned tick, PLAYER_KEY action, bool changedPlay) {
  if (!file) return;
  if (action < 0 || action >= PLAYER_SCRIPTED) {
    // Any other key only starts a waiting level; a dig pressed and released
    // on the same tick does the same in a replay and leaves dig off.
    if (!changedPlay) return;
    if (held[PLAYER_DIG]) Line(Event(tick, false, PLAYER_DIG));
    Line(Event(tick, true, PLAYER_DIG));
    Line(Event(tick, false, PLAYER_DIG));
    held[PLAYER_DIG] = false;
    return;
  }
  if (held[action]) {
    // A repeat (or a press whose release went to a dialog): a replay ignores a
    // press of a held key, so one that mattered is written as release and press.
    if (!changedPlay) return;
    Line(Event(tick, false, action));
  }
  Line(Event(tick, true, action));
  held[action] = true;
}

void GReplayRecorder::KeyUp(unsigned tick, PLAYER_KEY action) {
  if (!file || action < 0 || action >= PLAYER_SCRIPTED) return;
  Line(Event(tick, false, action));
  held[action] = false;
}

void GReplayRecorder::NoteChoices(unsigned tick, GameSpeed speed, Steering steering) {
  if (!file) return;
  if (notedSpeed != speed) Line(GSimulation::SpeedLine(tick, speed));
  if (notedSteering != steering) Line(GSimulation::SteeringLine(tick, steering));
  notedSpeed = speed;
  notedSteering = steering;
}

void GReplayRecorder::Note(const std::string& text) {
  if (file) Line("# " + text);
}

void GReplayRecorder::EndLevel(const std::string& text) {
  if (!file) return;
  Line("# " + text);
  file->Close();
  file.reset();
  path.clear();
}

void GReplayRecorder::Line(const std::string& text) {
  // A failed write of an earlier line of the same event closed the file.
  if (!file) return;
  const std::string line = text + "\n";
  const auto size = static_cast<unsigned>(line.size());
  // A failed write ends this recording; the level plays on.
  if (file->Write(line.data(), size) != size || std::fflush(file->GetFile()) != 0) {
    file->Close();
    file.reset();
    path.clear();
  }
}

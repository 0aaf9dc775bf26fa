#include "game/app/GReplayRecorder.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/toolkit/InputCodes.h"
#include "game/model/GPlayerKeys.h"

namespace {

constexpr int kSpace = PLAYER_DIG;

// The slot of a key that steers the runner (its PLAYER_KEY), or -1 for any other key.
int Slot(unsigned code) {
  const PLAYER_KEY key = GetPlayerKey(code);
  return key == PLAYER_OTHER ? -1 : static_cast<int>(key);
}

// A line of the script for a key of play.
std::string Event(unsigned tick, bool down, unsigned code) {
  return std::to_string(tick) + (down ? " down " : " up ") + GetPlayerKeyName(code);
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

void GReplayRecorder::KeyDown(unsigned tick, unsigned code, bool changedPlay) {
  if (!file) return;
  const int slot = Slot(code);
  if (slot < 0) {
    // Any other key only starts a waiting level; Space pressed and released
    // on the same tick does the same in a replay and leaves dig off.
    if (!changedPlay) return;
    if (held[kSpace]) Line(Event(tick, false, KEY_SPACE));
    Line(Event(tick, true, KEY_SPACE));
    Line(Event(tick, false, KEY_SPACE));
    held[kSpace] = false;
    return;
  }
  if (held[slot]) {
    // A repeat (or a press whose release went to a dialog): a replay ignores a
    // press of a held key, so one that mattered is written as release and press.
    if (!changedPlay) return;
    Line(Event(tick, false, code));
  }
  Line(Event(tick, true, code));
  held[slot] = true;
}

void GReplayRecorder::KeyUp(unsigned tick, unsigned code) {
  const int slot = Slot(code);
  if (!file || slot < 0) return;
  Line(Event(tick, false, code));
  held[slot] = false;
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
  const std::string line = text + "\n";
  const auto size = static_cast<unsigned>(line.size());
  // A failed write ends this recording; the level plays on.
  if (file->Write(line.data(), size) != size || std::fflush(file->GetFile()) != 0) {
    file->Close();
    file.reset();
    path.clear();
  }
}

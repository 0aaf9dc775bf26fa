#include "game/sim/GSimulation.h"

#include <ostream>
#include <sstream>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "game/model/ANIMATION_LIST.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GPlayerKeys.h"
#include "game/model/GSavedGame.h"
#include "game/model/GUnit.h"

int GSimulation::KeyOf(const std::string& name) {
  const unsigned code = FindPlayerKeyCode(name.c_str());
  return code == KEY_NONE ? -1 : static_cast<int>(code);
}

namespace {

// Reads the rest of a start line after its keyword; false when it is malformed.
bool ParseStart(std::istringstream& words, bool restarted, SIM_START& start) {
  long long tick = -1;
  std::string score, lives, treasures;
  start = SIM_START();
  start.restarted = restarted;
  if (!(words >> tick >> score >> start.score >> lives >> start.lives >> treasures >>
        start.treasures) ||
      tick < 0 || tick > 0xFFFFFFFFll || score != "score" || lives != "lives" ||
      treasures != "treasures" || start.score < 0 || start.lives < 0 || start.treasures < 0)
    return false;
  start.tick = static_cast<unsigned>(tick);
  std::string word;
  if (!(words >> word)) return true;
  if (!restarted || word != "taken") return false;
  while (words >> word) {
    std::istringstream square(word);
    int x = -1, y = -1;
    char comma = 0;
    std::string extra;
    if (!(square >> x >> comma >> y) || comma != ',' || (square >> extra) || x < 0 || y < 0)
      return false;
    start.taken.emplace_back(x, y);
  }
  return true;
}

// Reads the hexadecimal level state of a resume line; false unless it is one
// word of digit pairs that reads whole as a level state.
bool ParseResume(std::istringstream& words, SIM_START& start) {
  start = SIM_START();
  std::string hex, extra;
  if (!(words >> hex) || (words >> extra) || hex.size() % 2 != 0) return false;
  const auto digit = [](char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
  };
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int high = digit(hex[i]), low = digit(hex[i + 1]);
    if (high < 0 || low < 0) return false;
    start.state.push_back(static_cast<unsigned char>(high * 16 + low));
  }
  CFerroStreamMemory stream;
  LEVEL_STATE state;
  if (start.state.empty() ||
      !stream.Open(start.state.data(), static_cast<unsigned>(start.state.size()),
                   CFerroStream::modeRead) ||
      !ParseLevelState(stream, state))
    return false;
  start.tick = state.content.tick;
  return true;
}

}  // namespace

bool GSimulation::ParseScript(const std::string& text, std::vector<SIM_EVENT>& events,
                              std::string& error, SIM_START* start) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  std::vector<SIM_EVENT> parsed;
  SIM_START from;
  bool started = false;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
    std::istringstream words(line);
    std::string first;
    words >> first;
    if (first == "start" || first == "restart" || first == "resume") {
      const bool read = first == "resume" ? ParseResume(words, from)
                                          : ParseStart(words, first == "restart", from);
      if (started || !read) {
        error = "line " + std::to_string(number) +
                (started ? ": a second start line: " : ": a malformed start line: ") + line;
        return false;
      }
      started = true;
      continue;
    }
    std::istringstream event(line);
    long long tick = -1;
    std::string what, value, extra;
    event >> tick >> what >> value;
    SIM_EVENT read;
    read.tick = static_cast<unsigned>(tick);
    bool ok = event && tick >= 0 && tick <= 0xFFFFFFFFll && !(event >> extra);
    if (what == "steering") {
      read.kind = SIM_EVENT_KIND::steering;
      ok = ok && FindSteering(value.c_str(), read.steering);
    } else if (what == "speed") {
      read.kind = SIM_EVENT_KIND::speed;
      ok = ok && FindSpeed(value.c_str(), read.speed);
    } else {
      const int code = KeyOf(value);
      read.down = what == "down";
      read.key = static_cast<SIM_KEY>(code);
      ok = ok && (what == "down" || what == "up") && code >= 0;
    }
    if (!ok) {
      error = "line " + std::to_string(number) +
              ": expected 't down KEY', 't up KEY', 't steering WAY' or 't speed SPEED': " + line;
      return false;
    }
    parsed.push_back(read);
  }
  events = std::move(parsed);
  if (start) *start = from;
  return true;
}

std::string GSimulation::StartLine(const SIM_START& start) {
  if (!start.state.empty()) {
    static const char kDigits[] = "0123456789abcdef";
    std::string line = "resume ";
    for (const unsigned char byte : start.state) {
      line += kDigits[byte >> 4];
      line += kDigits[byte & 15];
    }
    return line;
  }
  std::string line = std::string(start.restarted ? "restart " : "start ") +
                     std::to_string(start.tick) + " score " + std::to_string(start.score) +
                     " lives " + std::to_string(start.lives) + " treasures " +
                     std::to_string(start.treasures);
  if (start.restarted && !start.taken.empty()) {
    line += " taken";
    for (const auto& [x, y] : start.taken)
      line += " " + std::to_string(x) + "," + std::to_string(y);
  }
  return line;
}

bool GSimulation::ParseEnd(const std::string& text, std::string& line, unsigned& tick) {
  static const std::string kMark = "# end ";
  size_t at = text.rfind("\n" + kMark);
  if (at != std::string::npos)
    ++at;
  else if (text.compare(0, kMark.size(), kMark) == 0)
    at = 0;
  else
    return false;
  at += kMark.size();
  std::string found = text.substr(at, text.find('\n', at) - at);
  if (!found.empty() && found.back() == '\r') found.pop_back();
  std::istringstream words(found);
  std::string t;
  long long n = -1;
  if (!(words >> t >> n) || t != "T" || n < 0 || n > 0xFFFFFFFFll) return false;
  line = found;
  tick = static_cast<unsigned>(n);
  return true;
}

bool GSimulation::LoadMap(const char* path) {
  return GMap::GetInstance()->LoadFromPath(path);
}

void GSimulation::Begin(const SIM_START& start) {
  for (bool& h : held) h = false;
  ANIMATION_LIST_UNIT* counters = ANIMATION_LIST_UNIT::GetInstance();
  counters->steering = Steering::keepGoing;
  counters->NewGame();
  counters->score = start.score;
  counters->lives = start.lives;
  counters->treasures = start.treasures;
  GMap* map = GMap::GetInstance();
  map->StartLoaded();
  if (!start.state.empty()) {
    // As the game leaves a level after a rewind: the state taken back to,
    // waiting for a key. ParseScript checked that it reads.
    CFerroStreamMemory stream;
    LEVEL_STATE state;
    if (stream.Open(start.state.data(), static_cast<unsigned>(start.state.size()),
                    CFerroStream::modeRead) &&
        ParseLevelState(stream, state))
      ApplyLevelState(state);
    map->RefreshMapBackground();
    return;
  }
  if (start.restarted) {
    // As the game leaves a level after a lost life: the treasures taken stay
    // taken, and the units go back to their start squares.
    for (const auto& [x, y] : start.taken)
      if (map->IsInside(x, y) && map->GetCell(x, y)->GetType() == CELL_TREASURE)
        map->ClearCell(x, y);
    map->ShowExit();
    map->Restart();
  }
  map->tick = start.tick;
}

void GSimulation::KeyDown(SIM_KEY key) {
  // Escape belongs to the menu button in the game, never to the scene's key handler.
  if (key == SIM_ESCAPE || key > KEY_LAST || held[key]) return;
  held[key] = true;
  GMap::GetInstance()->PressKey(GetPlayerKey(key));
}

void GSimulation::KeyUp(SIM_KEY key) {
  if (key == SIM_ESCAPE || key > KEY_LAST) return;
  held[key] = false;
  GMap::GetInstance()->ReleaseKey(GetPlayerKey(key));
}

std::string GSimulation::SteeringLine(unsigned tick, Steering steering) {
  return std::to_string(tick) + " steering " + GetSteeringName(steering);
}

std::string GSimulation::SpeedLine(unsigned tick, GameSpeed speed) {
  return std::to_string(tick) + " speed " + GetSpeedName(speed);
}

void GSimulation::ApplyEvents(unsigned t, const std::vector<SIM_EVENT>& events) {
  for (const auto& event : events) {
    if (event.tick != t) continue;
    switch (event.kind) {
      case SIM_EVENT_KIND::key:
        event.down ? KeyDown(event.key) : KeyUp(event.key);
        break;
      case SIM_EVENT_KIND::steering:
        ANIMATION_LIST_UNIT::GetInstance()->steering = event.steering;
        break;
      case SIM_EVENT_KIND::speed:
        break;
    }
  }
}

void GSimulation::Tick(unsigned t, const std::vector<SIM_EVENT>& events) {
  ApplyEvents(t, events);
  GMap* map = GMap::GetInstance();
  if (map->state == GMap::STATE_PLAYING) map->Update();
}

std::string GSimulation::StatusLine(unsigned t) {
  GMap* map = GMap::GetInstance();
  const ANIMATION_LIST_UNIT* counters = ANIMATION_LIST_UNIT::GetInstance();
  std::ostringstream line;
  line << "T " << t << " S " << map->state << " SC " << counters->score << " L " << counters->lives
       << " TR " << counters->treasures;
  if (map->runner) {
    const GUnit& r = *map->runner;
    line << " R " << r.x << ' ' << r.y << ' ' << r.animation << ' ' << r.frame;
  }
  for (const auto& alien : map->aliens)
    line << " A " << alien->x << ' ' << alien->y << ' ' << alien->animation << ' ' << alien->frame;
  return line.str();
}

void GSimulation::Run(const std::vector<SIM_EVENT>& events, unsigned ticks, std::ostream& out) {
  GMap* map = GMap::GetInstance();
  for (unsigned t = map->tick; t < ticks; ++t) {
    Tick(t, events);
    out << StatusLine(t) << '\n';
    if (map->state == GMap::STATE_WON || map->state == GMap::STATE_CAUGHT) break;
  }
}

#include "game/sim/GSimulation.h"

#include <ostream>
#include <sstream>

#include "game/model/ANIMATION_LIST.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GUnit.h"

namespace {
const char* const keyNames[SIM_KEY_COUNT] = {"Left", "Right", "Up", "Down", "Space", "Escape"};
}

int GSimulation::KeyOf(const std::string& name) {
  for (int k = 0; k < SIM_KEY_COUNT; ++k)
    if (name == keyNames[k]) return k;
  return -1;
}

bool GSimulation::ParseScript(const std::string& text, std::vector<SIM_EVENT>& events,
                              std::string& error) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  std::vector<SIM_EVENT> parsed;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
    std::istringstream words(line);
    long long tick = -1;
    std::string direction, key, extra;
    words >> tick >> direction >> key;
    const int code = KeyOf(key);
    if (!words || tick < 0 || tick > 0xFFFFFFFFll || (direction != "down" && direction != "up") ||
        code < 0 || (words >> extra)) {
      error = "line " + std::to_string(number) + ": expected 't down KEY' or 't up KEY': " + line;
      return false;
    }
    parsed.push_back(
        SIM_EVENT{static_cast<unsigned>(tick), direction == "down", static_cast<SIM_KEY>(code)});
  }
  events = std::move(parsed);
  return true;
}

bool GSimulation::LoadMap(const char* path) {
  return GMap::GetInstance()->LoadFromPath(path);
}

void GSimulation::Begin() {
  for (bool& h : held) h = false;
  ANIMATION_LIST_UNIT::GetInstance()->NewGame();
  GMap::GetInstance()->StartLoaded();
}

namespace {

PLAYER_KEY PlayerKey(SIM_KEY key) {
  switch (key) {
    case SIM_LEFT:
      return PLAYER_LEFT;
    case SIM_RIGHT:
      return PLAYER_RIGHT;
    case SIM_UP:
      return PLAYER_UP;
    case SIM_DOWN:
      return PLAYER_DOWN;
    case SIM_SPACE:
      return PLAYER_DIG;
    default:
      return PLAYER_OTHER;
  }
}

}  // namespace

void GSimulation::KeyDown(SIM_KEY key) {
  // Escape belongs to the menu button in the game, never to the scene's key handler.
  if (key == SIM_ESCAPE || held[key]) return;
  held[key] = true;
  GMap::GetInstance()->PressKey(PlayerKey(key));
}

void GSimulation::KeyUp(SIM_KEY key) {
  if (key == SIM_ESCAPE) return;
  held[key] = false;
  GMap::GetInstance()->ReleaseKey(PlayerKey(key));
}

void GSimulation::Tick(unsigned t, const std::vector<SIM_EVENT>& events) {
  for (const auto& event : events)
    if (event.tick == t) event.down ? KeyDown(event.key) : KeyUp(event.key);
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
  for (unsigned t = 0; t < ticks; ++t) {
    Tick(t, events);
    out << StatusLine(t) << '\n';
    if (map->state == GMap::STATE_WON || map->state == GMap::STATE_CAUGHT) break;
  }
}

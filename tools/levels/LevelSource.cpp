#include "tools/levels/LevelSource.h"

#include <fstream>
#include <queue>
#include <set>
#include <sstream>
#include <tuple>

#include "game/model/GCell.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GMapText.h"
#include "game/model/GModelMedia.h"

namespace {
// A set's name goes into a settings file as a value: printable, without the
// bytes that start a comment or a label there, and without outer blanks.
bool IsPlainSetName(const std::string& name) {
  if (name.empty() || name.front() == ' ' || name.back() == ' ') return false;
  for (const char c : name)
    if (c < ' ' || c > '~' || c == ';' || c == '[' || c == ']') return false;
  return true;
}
}  // namespace

bool ParseLevelSource(const std::string& text, std::vector<LEVEL_SOURCE>& levels,
                      std::string& error) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  std::vector<LEVEL_SOURCE> parsed;
  std::set<std::string> sets;
  std::string set;
  bool inLevel = false;
  while (std::getline(lines, line)) {
    ++number;
    const std::string where = "line " + std::to_string(number) + ": ";
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("set ", 0) == 0) {
      inLevel = false;
      set = line.substr(4);
      if (!IsPlainSetName(set)) {
        error = where + "a set's name is printable text without ';', '[' or ']'";
        return false;
      }
      if (!sets.insert(set).second) {
        error = where + "a second set named " + set;
        return false;
      }
    } else if (line.rfind("level ", 0) == 0) {
      parsed.push_back(LEVEL_SOURCE{line.substr(6), "", number, set});
      if (!GMap::IsSafeFileName(CFerroString(parsed.back().name.c_str()))) {
        error = where + "not a plain file name";
        return false;
      }
      if (set.empty()) {
        error = where + "a level before the first set";
        return false;
      }
      inLevel = true;
    } else if (line.empty()) {
      inLevel = false;
    } else if (inLevel) {
      parsed.back().rows += line + "\n";
    } else if (line[0] != '#') {
      error = where + "rows outside a level";
      return false;
    }
  }
  levels = std::move(parsed);
  return true;
}

std::string LoadLevel(const LEVEL_SOURCE& level) {
  GMap* map = GMap::GetInstance();
  const std::string where = level.name + " (line " + std::to_string(level.line) + "): ";
  if (!GMapText::ToMap(level.rows, *map)) return where + "ragged rows or an unknown character";
  if (map->width != LEVEL_WIDTH || map->height != LEVEL_HEIGHT)
    return where + "not 30 x 20 squares";
  if (map->CountCells(CELL_UNIT) != 1) return where + "needs exactly one runner";
  if (map->CountCells(CELL_EXIT) != 1) return where + "needs exactly one exit";
  if (map->CountCells(CELL_TREASURE) < 1) return where + "needs a treasure";
  return "";
}

namespace {
// A square where the runner stands aligned; dug marks a square it entered
// through a hole it dug, which then holds nothing.
struct SPOT {
  int x, y;
  bool dug;
  bool operator<(const SPOT& o) const { return std::tie(x, y, dug) < std::tie(o.x, o.y, o.dug); }
};

class Reach {
 public:
  explicit Reach(GMap& map) : map(map) {}

  // Every square reachable from (x, y).
  std::set<std::pair<int, int>> From(int x, int y) {
    std::set<SPOT> seen;
    std::set<std::pair<int, int>> squares;
    std::queue<SPOT> todo;
    todo.push({x, y, false});
    seen.insert({x, y, false});
    while (!todo.empty()) {
      const SPOT s = todo.front();
      todo.pop();
      squares.insert({s.x, s.y});
      for (const SPOT& n : Moves(s))
        if (map.IsInside(n.x, n.y) && seen.insert(n).second) todo.push(n);
    }
    return squares;
  }

 private:
  // Start markers and the hidden exit are empty squares during play.
  GCell* Cell(int x, int y) {
    GCell* cell = map.GetCell(x, y);
    const int type = cell->GetType();
    return type == CELL_UNIT || type == CELL_ALIEN || type == CELL_EXIT ? &empty : cell;
  }

  std::vector<SPOT> Moves(const SPOT& s) {
    GCell* own = s.dug ? &empty : Cell(s.x, s.y);
    GCell* below = Cell(s.x, s.y + 1);
    if (!below->IsFloor() && !own->IsLadder()) return {{s.x, s.y + 1, false}};  // falls
    std::vector<SPOT> moves;
    for (int d : {-1, 1})
      if (!Cell(s.x + d, s.y)->IsObstacle()) moves.push_back({s.x + d, s.y, false});
    if (own->IsLadder() && Cell(s.x, s.y - 1)->IsLadder()) moves.push_back({s.x, s.y - 1, false});
    if (below->IsLadder() || below->IsThrough()) moves.push_back({s.x, s.y + 1, false});
    // Digging: dig the brick below, step aside onto support, and walk back into the hole.
    if (below->IsHoled()) {
      for (int d : {-1, 1}) {
        const bool sideFree = !Cell(s.x + d, s.y)->IsObstacle();
        const bool sideHolds = Cell(s.x + d, s.y + 1)->IsFloor() || Cell(s.x + d, s.y)->IsLadder();
        if (sideFree && sideHolds) moves.push_back({s.x, s.y + 1, true});
      }
    }
    return moves;
  }

  GMap& map;
  GCellEmpty empty;
};

// Appended piece by piece: GCC 12 at -O3 wrongly reports overlapping copies
// (-Wrestrict) when a literal is prepended to a temporary string.
std::string Square(int x, int y) {
  std::string text = "(";
  text += std::to_string(x);
  text += ", ";
  text += std::to_string(y);
  text += ")";
  return text;
}
}  // namespace

std::string CheckReachable() {
  GMap& map = *GMap::GetInstance();
  std::vector<std::pair<int, int>> treasures;
  int runnerX = -1, runnerY = -1, exitX = -1, exitY = -1;
  for (int x = 0; x < map.width; ++x)
    for (int y = 0; y < map.height; ++y) {
      const int type = map.GetCell(x, y)->GetType();
      if (type == CELL_TREASURE) treasures.push_back({x, y});
      if (type == CELL_UNIT) runnerX = x, runnerY = y;
      if (type == CELL_EXIT) exitX = x, exitY = y;
    }
  if (runnerX < 0 || exitX < 0) return "no runner or no exit";
  Reach reach(map);
  const auto fromStart = reach.From(runnerX, runnerY);
  for (const auto& t : treasures)
    if (!fromStart.count(t)) return "treasure " + Square(t.first, t.second) + " unreachable";
  for (const auto& t : treasures) {
    const auto fromTreasure = reach.From(t.first, t.second);
    for (const auto& other : treasures)
      if (!fromTreasure.count(other))
        return "treasure " + Square(other.first, other.second) + " unreachable from treasure " +
               Square(t.first, t.second);
    if (!fromTreasure.count({exitX, exitY}))
      return "exit unreachable from treasure " + Square(t.first, t.second);
  }
  return "";
}

std::string CampaignText(const std::vector<LEVEL_SOURCE>& levels) {
  std::string text =
      "; The campaign's sets of levels in play order, each with its first and last\r\n"
      "; level. Written by digmaze-levels from tools/levels/levels.txt.\r\n";
  int sets = 0;
  for (size_t i = 0; i < levels.size(); ++i) {
    if (i == 0 || levels[i].set != levels[i - 1].set)
      text += "[set " + std::to_string(++sets) + "]\r\nname = " + levels[i].set +
              "\r\nfirst = " + levels[i].name + "\r\n";
    if (i + 1 == levels.size() || levels[i].set != levels[i + 1].set)
      text += "last = " + levels[i].name + "\r\n";
  }
  return text;
}

bool WriteLevels(const std::vector<LEVEL_SOURCE>& levels, const std::string& folder,
                 std::string& error) {
  GModelMedia::SetPathToMaps(folder.c_str());
  GMapList list;
  list.Clear();
  for (const auto& level : levels) {
    error = LoadLevel(level);
    if (error.empty() && !GMap::GetInstance()->SaveToFile(level.name.c_str()))
      error = level.name + ": cannot write it";
    if (!error.empty()) return false;
    list.names.emplace_back(level.name.c_str());
  }
  if (!list.Save()) {
    error = "cannot write the index";
    return false;
  }
  std::ofstream campaign(folder + "campaign.cfg", std::ios::binary | std::ios::trunc);
  campaign << CampaignText(levels);
  if (!campaign.flush()) {
    error = "cannot write campaign.cfg";
    return false;
  }
  return true;
}

#include "tools/levels/LevelSolver.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <queue>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "game/model/ANIMATION_LIST.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GCell.h"
#include "game/model/GMap.h"
#include "game/model/GPlayerKeys.h"
#include "game/model/GUnit.h"

namespace {

constexpr int kUnreachable = INT_MAX / 4;

// Everything of the running level that play changes.
struct SNAPSHOT {
  struct UNIT {
    int x, y, animation, frame, savedAnimation;
    bool fallFlag;
  };
  std::vector<signed char> codes;
  std::vector<int> timers;
  std::vector<UNIT> units;  // the runner first
  unsigned tick = 0;
  int state = 0;
  int exitX = 0, exitY = 0;
  int moveX = 0, moveY = 0, score = 0, treasures = 0, lives = 0;
  bool dig = false;

  static SNAPSHOT Take() {
    GMap& map = *GMap::GetInstance();
    const ANIMATION_LIST_UNIT& c = *ANIMATION_LIST_UNIT::GetInstance();
    SNAPSHOT s;
    s.codes.reserve(map.cells.size());
    s.timers.reserve(map.cells.size());
    for (const auto& cell : map.cells) {
      s.codes.push_back(static_cast<signed char>(cell->GetType()));
      s.timers.push_back(cell->timer);
    }
    auto keep = [&s](const GUnit& u) {
      s.units.push_back({u.x, u.y, u.animation, u.frame, u.savedAnimation, u.fallFlag});
    };
    keep(*map.runner);
    for (const auto& alien : map.aliens) keep(*alien);
    s.tick = map.tick;
    s.state = map.state;
    s.exitX = map.exitX;
    s.exitY = map.exitY;
    s.moveX = c.moveX;
    s.moveY = c.moveY;
    s.dig = c.dig;
    s.score = c.score;
    s.treasures = c.treasures;
    s.lives = c.lives;
    return s;
  }

  void Put() const {
    GMap& map = *GMap::GetInstance();
    ANIMATION_LIST_UNIT& c = *ANIMATION_LIST_UNIT::GetInstance();
    for (size_t i = 0; i < codes.size(); ++i) {
      if (map.cells[i]->GetType() != codes[i]) map.cells[i] = GCell::CreateCell(codes[i]);
      map.cells[i]->timer = timers[i];
    }
    auto put = [](GUnit& u, const UNIT& v) {
      u.x = v.x;
      u.y = v.y;
      u.animation = v.animation;
      u.frame = v.frame;
      u.savedAnimation = v.savedAnimation;
      u.fallFlag = v.fallFlag;
    };
    put(*map.runner, units[0]);
    for (size_t i = 0; i < map.aliens.size(); ++i) put(*map.aliens[i], units[i + 1]);
    map.tick = tick;
    map.state = state;
    map.stateCounter = 0;
    map.exitX = exitX;
    map.exitY = exitY;
    c.moveX = moveX;
    c.moveY = moveY;
    c.dig = dig;
    c.score = score;
    c.treasures = treasures;
    c.lives = lives;
  }

  // Identifies states that play on alike, whatever the time they took.
  uint64_t Key() const {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](int64_t v) {
      h ^= static_cast<uint64_t>(v);
      h *= 1099511628211ull;
    };
    for (size_t i = 0; i < codes.size(); ++i)
      if (codes[i] == CELL_HOLE || codes[i] == CELL_TREASURE || codes[i] == CELL_EXIT) {
        mix(static_cast<int64_t>(i) * 16 + codes[i]);
        mix(timers[i]);
      }
    for (const UNIT& u : units) mix((int64_t{u.x} << 40) ^ (int64_t{u.y} << 20) ^ u.animation);
    mix(moveX * 3 + moveY);
    return h;
  }
};

// The squares from which each target can be reached, and in how many squares,
// by the movement rules on the grid as it starts (digging included).
class Distances {
 public:
  Distances(GMap& map, const std::vector<std::pair<int, int>>& targets)
      : w(map.width), h(map.height) {
    // Forward edges first, then one backward search per target.
    std::vector<std::vector<int>> into(static_cast<size_t>(w * h));
    for (int x = 0; x < w; ++x)
      for (int y = 0; y < h; ++y)
        for (int to : Moves(map, x, y)) into[static_cast<size_t>(to)].push_back(y * w + x);
    for (const auto& t : targets) {
      std::vector<int> d(static_cast<size_t>(w * h), kUnreachable);
      std::queue<int> todo;
      d[static_cast<size_t>(t.second * w + t.first)] = 0;
      todo.push(t.second * w + t.first);
      while (!todo.empty()) {
        const int at = todo.front();
        todo.pop();
        for (int from : into[static_cast<size_t>(at)])
          if (d[static_cast<size_t>(from)] == kUnreachable) {
            d[static_cast<size_t>(from)] = d[static_cast<size_t>(at)] + 1;
            todo.push(from);
          }
      }
      table.push_back(std::move(d));
    }
  }

  int To(size_t target, int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return kUnreachable;
    return table[target][static_cast<size_t>(y * w + x)];
  }

 private:
  std::vector<int> Moves(GMap& map, int x, int y) const {
    auto cell = [&map](int cx, int cy) -> GCell* {
      GCell* c = map.GetCell(cx, cy);
      const int type = c->GetType();
      static GCellEmpty empty;
      return type == CELL_UNIT || type == CELL_ALIEN || type == CELL_EXIT ? &empty : c;
    };
    std::vector<int> out;
    auto add = [&](int tx, int ty) {
      if (tx >= 0 && ty >= 0 && tx < w && ty < h) out.push_back(ty * w + tx);
    };
    static GCellEmpty hole;
    GCell* own = cell(x, y);
    // A brick the runner is in has been dug: it is an open square for now.
    if (own->IsObstacle()) own = &hole;
    GCell* below = cell(x, y + 1);
    if (!below->IsFloor() && !own->IsLadder()) {
      add(x, y + 1);
      return out;
    }
    for (int d : {-1, 1})
      if (!cell(x + d, y)->IsObstacle()) add(x + d, y);
    if (own->IsLadder() && cell(x, y - 1)->IsLadder()) add(x, y - 1);
    if (below->IsLadder() || below->IsThrough() || below->IsHoled()) add(x, y + 1);
    return out;
  }

  int w, h;
  std::vector<std::vector<int>> table;
};

// A state of the search and how it was reached.
struct NODE {
  SNAPSHOT state;
  std::shared_ptr<const NODE> parent;
  std::vector<SIM_EVENT> events;  // pressed at this node's decision
  int digs = 0;                   // Space presses on the way here
  double score = 0;
};

enum ACTION { ACT_NONE, ACT_LEFT, ACT_RIGHT, ACT_UP, ACT_DOWN, ACT_DIG, ACT_COUNT };

// Applies the action at tick t and plays on until the runner stands on a
// square again (at least one square's time) or the level ends.
std::vector<SIM_EVENT> Play(ACTION action, unsigned t) {
  GMap& map = *GMap::GetInstance();
  std::vector<SIM_EVENT> events;
  static const SIM_KEY arrows[] = {SIM_LEFT, SIM_RIGHT, SIM_UP, SIM_DOWN};
  static const PLAYER_KEY keys[] = {PLAYER_LEFT, PLAYER_RIGHT, PLAYER_UP, PLAYER_DOWN};
  if (action >= ACT_LEFT && action <= ACT_DOWN) {
    const int i = action - ACT_LEFT;
    events.push_back({t, true, arrows[i]});
    events.push_back({t, false, arrows[i]});
    map.PressKey(keys[i]);
  } else if (action == ACT_DIG) {
    events.push_back({t, true, SIM_SPACE});
    events.push_back({t + 1, false, SIM_SPACE});
    map.PressKey(PLAYER_DIG);
  }
  for (int ticks = 0; ticks < 400; ++ticks) {
    if (map.state != GMap::STATE_PLAYING) break;
    if (action == ACT_DIG && ticks == 1) map.ReleaseKey(PLAYER_DIG);
    map.Update();
    if (map.state != GMap::STATE_PLAYING) break;
    if (ticks >= 7 && map.runner->IsAligned()) break;
  }
  return events;
}

}  // namespace

bool LevelSolver::Solve(const Options& options, std::vector<SIM_EVENT>& events,
                        long long* searched) {
  long long unused = 0;
  long long& played = searched ? *searched : unused;
  played = 0;
  GMap& map = *GMap::GetInstance();
  std::vector<std::pair<int, int>> targets;
  std::pair<int, int> exit{-1, -1};
  for (int x = 0; x < map.width; ++x)
    for (int y = 0; y < map.height; ++y) {
      const int type = map.GetCell(x, y)->GetType();
      if (type == CELL_TREASURE) targets.push_back({x, y});
      if (type == CELL_EXIT) exit = {x, y};
    }
  if (exit.first < 0) return false;
  const size_t treasureCount = targets.size();
  targets.push_back(exit);
  const Distances distances(map, targets);

  ANIMATION_LIST_UNIT::GetInstance()->NewGame();
  map.StartLoaded();

  auto rank = [&](const SNAPSHOT& s) {
    const int rx = s.units[0].x / 32, ry = s.units[0].y / 32;
    int nearest = kUnreachable;
    int left = 0;
    for (size_t i = 0; i < treasureCount; ++i) {
      const auto& t = targets[i];
      if (s.codes[static_cast<size_t>(t.second * map.width + t.first)] != CELL_TREASURE) continue;
      ++left;
      nearest = std::min(nearest, distances.To(i, rx, ry));
    }
    if (left == 0) nearest = distances.To(treasureCount, rx, ry);
    if (nearest >= kUnreachable) return -1e18;
    double danger = 0;
    for (size_t i = 1; i < s.units.size(); ++i) {
      const int dx = std::abs(s.units[i].x - s.units[0].x) / 32;
      const int dy = std::abs(s.units[i].y - s.units[0].y) / 32;
      if (dx + dy < 3) danger += 3 - (dx + dy);
    }
    return (static_cast<double>(treasureCount) - left) * 1000.0 - nearest * 10.0 -
           danger * options.dangerCost - s.tick * 0.01;
  };

  auto root = std::make_shared<NODE>();
  root->state = SNAPSHOT::Take();
  std::vector<std::shared_ptr<const NODE>> beam{root};
  std::unordered_set<uint64_t> seen{root->state.Key()};
  for (int depth = 0; depth < options.maxDecisions && !beam.empty(); ++depth) {
    std::vector<std::shared_ptr<NODE>> next;
    for (const auto& node : beam) {
      for (int a = 0; a < ACT_COUNT; ++a) {
        // The waiting level needs a key; digging while not on a square does nothing.
        if (depth == 0 && a == ACT_NONE) continue;
        node->state.Put();
        auto child = std::make_shared<NODE>();
        child->events = Play(static_cast<ACTION>(a), node->state.tick);
        ++played;
        child->parent = node;
        child->state = SNAPSHOT::Take();
        if (child->state.state == GMap::STATE_CAUGHT) continue;
        if (child->state.state == GMap::STATE_WON) {
          std::vector<std::vector<SIM_EVENT>> parts;
          for (const NODE* n = child.get(); n; n = n->parent.get()) parts.push_back(n->events);
          events.clear();
          for (auto it = parts.rbegin(); it != parts.rend(); ++it)
            events.insert(events.end(), it->begin(), it->end());
          return true;
        }
        if (!seen.insert(child->state.Key()).second) continue;
        child->digs = node->digs + (a == ACT_DIG ? 1 : 0);
        // A dig costs a little, so that a replay digs only where it helps.
        child->score = rank(child->state) - child->digs * options.digCost;
        if (child->score < -1e17) continue;
        next.push_back(std::move(child));
      }
    }
    // The best states first, but only a few per square and treasure count, so
    // that the beam keeps other ways open when the aliens close one.
    std::stable_sort(next.begin(), next.end(),
                     [](const auto& a, const auto& b) { return a->score > b->score; });
    std::vector<std::shared_ptr<NODE>> kept;
    std::unordered_map<int64_t, int> perSquare;
    for (auto& n : next) {
      if (kept.size() >= static_cast<size_t>(options.beamWidth)) break;
      const auto& r = n->state.units[0];
      const int64_t square = (int64_t{n->state.treasures} << 32) ^ ((r.y / 32) << 16) ^ (r.x / 32);
      if (++perSquare[square] > options.perSquare) continue;
      kept.push_back(std::move(n));
    }
    next = std::move(kept);
    if (options.trace && !next.empty())
      std::fprintf(stderr,
                   "decision %d: %zu states, best at tick %u on square %d,%d with %d treasures\n",
                   depth, next.size(), next[0]->state.tick, next[0]->state.units[0].x / 32,
                   next[0]->state.units[0].y / 32, next[0]->state.treasures);
    beam.assign(next.begin(), next.end());
    if (options.progress) options.progress(played, next.empty() ? 0 : next[0]->state.treasures);
  }
  return false;
}

std::string LevelSolver::ScriptText(const std::vector<SIM_EVENT>& events) {
  std::ostringstream out;
  for (const SIM_EVENT& e : events) {
    const char* name = GetPlayerKeyName(GetPlayerKey(e.key));
    out << e.tick << (e.down ? " down " : " up ") << (name ? name : "?") << '\n';
  }
  return out.str();
}

#include "tools/levels/MapCheck.h"

#include <chrono>
#include <vector>

#include "game/model/GCell.h"
#include "game/model/GMap.h"
#include "game/sim/CCheckReport.h"
#include "game/sim/GSimulation.h"
#include "tools/levels/LevelSolver.h"

namespace {

// Plays events on the map from its start as digmaze-sim does; true when they
// win, with the ticks played and the holes dug.
bool Replay(const char* path, const std::vector<SIM_EVENT>& events, unsigned& ticks, int& holes) {
  if (!GSimulation::LoadMap(path)) return false;
  GSimulation sim;
  sim.Begin();
  GMap* map = GMap::GetInstance();
  const unsigned last = events.empty() ? 0 : events.back().tick;
  // A win comes within a few seconds of the last key.
  for (unsigned t = 0; t <= last + 2000 && map->state != GMap::STATE_WON; ++t) {
    sim.Tick(t, events);
    if (map->state == GMap::STATE_CAUGHT) return false;
  }
  ticks = map->tick;
  holes = map->tally.holesDug;
  return map->state == GMap::STATE_WON;
}

CCheckReport::Answer Refusal(GMap& map) {
  if (map.CountCells(CELL_UNIT) == 0) return CCheckReport::Answer::noRunner;
  if (map.CountCells(CELL_EXIT) == 0) return CCheckReport::Answer::noExit;
  if (map.CountCells(CELL_TREASURE) == 0) return CCheckReport::Answer::noTreasure;
  return CCheckReport::Answer::none;
}

}  // namespace

bool RunMapCheck(const char* path, const std::function<void(const std::string&)>& say) {
  if (!GSimulation::LoadMap(path)) return false;
  GMap* map = GMap::GetInstance();
  if (const CCheckReport::Answer refusal = Refusal(*map); refusal != CCheckReport::Answer::none) {
    say(CCheckReport::RefusedLine(refusal));
    return true;
  }
  const int treasures = map->CountCells(CELL_TREASURE);

  // A narrow beam that digs freely finds each campaign level fastest (a
  // second of a core or a few); the solver's own ranking, and a wide beam,
  // for the maps where it finds nothing.
  struct ATTEMPT {
    int beam;
    double digCost;
  };
  const LevelSolver::Options defaults;
  const ATTEMPT attempts[] = {{defaults.beamWidth / 2, 0.0},
                              {defaults.beamWidth, defaults.digCost},
                              {defaults.beamWidth, 0.0},
                              {defaults.beamWidth * 4, 0.0}};
  using Clock = std::chrono::steady_clock;
  // At most ten progress lines a second: the game reads them on its ticks.
  constexpr auto kProgressPeriod = std::chrono::milliseconds(100);
  auto lastSaid = Clock::now() - kProgressPeriod;
  long long before = 0, searched = 0;
  for (const ATTEMPT& attempt : attempts) {
    if (!GSimulation::LoadMap(path)) return false;
    LevelSolver::Options options;
    options.beamWidth = attempt.beam;
    options.digCost = attempt.digCost;
    options.progress = [&](long long states, int taken) {
      searched = before + states;
      if (Clock::now() - lastSaid < kProgressPeriod) return;
      lastSaid = Clock::now();
      say(CCheckReport::ProgressLine(searched, taken, treasures));
    };
    std::vector<SIM_EVENT> events;
    long long states = 0;
    const bool found = LevelSolver::Solve(options, events, &states);
    before += states;
    searched = before;
    unsigned ticks = 0;
    int holes = 0;
    if (found && Replay(path, events, ticks, holes)) {
      say(CCheckReport::WonText(ticks, holes, searched, events));
      return true;
    }
  }
  say(CCheckReport::NoWinLine(searched));
  return true;
}

// digmaze-solve MAPFILE OUT [BEAM]: searches a winning input for a map with the
// game's rules, checks it by replaying its script text from the start, and
// writes it as a digmaze-sim script: a first comment line with the search's
// measures, the events, and the comment "# end " with the last status line.
// BEAM (default 400) is how many states each step keeps; with the environment
// variable DIGMAZE_SOLVE_TRACE set it reports its progress on stderr.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "game/sim/GSimulation.h"
#include "tools/levels/LevelSolver.h"

namespace {
// The last status line of a replay of the script on the map at path, or an
// empty text when the script does not read back.
std::string Replay(const char* path, const std::string& script) {
  std::vector<SIM_EVENT> events;
  std::string error;
  if (!GSimulation::ParseScript(script, events, error) || !GSimulation::LoadMap(path)) return "";
  GSimulation sim;
  sim.Begin();
  std::ostringstream lines;
  sim.Run(events, 200000, lines);
  std::string text = lines.str(), last;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) last = line;
  return last;
}

// A found replay weighed as a player would: its length, and every dig as
// five seconds more (a replay that digs less is easier to follow).
long long Weight(const std::vector<SIM_EVENT>& events) {
  long long weight = events.empty() ? 0 : events.back().tick;
  for (const SIM_EVENT& e : events)
    if (e.down && e.key == SIM_SPACE) weight += 100;
  return weight;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: digmaze-solve MAPFILE OUT [BEAM]\n");
    return 2;
  }
  LevelSolver::Options options;
  if (argc == 4) options.beamWidth = std::atoi(argv[3]);
  options.trace = std::getenv("DIGMAZE_SOLVE_TRACE") != nullptr;
  if (options.beamWidth <= 0) {
    std::fprintf(stderr, "digmaze-solve: BEAM must be a positive number\n");
    return 2;
  }
  if (!GSimulation::LoadMap(argv[1])) {
    std::fprintf(stderr, "digmaze-solve: cannot load map %s\n", argv[1]);
    return 1;
  }
  // Two searches, with and without the cost of digging, and the lighter win
  // of the two is kept. When neither wins, the two again keeping well clear
  // of the aliens, then all four with a beam twice and four times as wide.
  // Every state played counts, so a level that needs more shows it.
  std::vector<SIM_EVENT> best;
  long long searched = 0;
  std::string how;
  for (int width = options.beamWidth; best.empty() && width <= 4 * options.beamWidth; width *= 2)
    for (const double danger : {options.dangerCost, 40.0}) {
      for (const double digCost : {options.digCost, 0.0}) {
        if (!GSimulation::LoadMap(argv[1])) return 1;
        LevelSolver::Options attempt = options;
        attempt.beamWidth = width;
        attempt.digCost = digCost;
        attempt.dangerCost = danger;
        std::vector<SIM_EVENT> events;
        long long states = 0;
        const bool won = LevelSolver::Solve(attempt, events, &states);
        searched += states;
        if (won && (best.empty() || Weight(events) < Weight(best))) best = std::move(events);
      }
      if (!best.empty()) {
        how = "beam " + std::to_string(width) + (danger != options.dangerCost ? ", wary" : "");
        break;
      }
    }
  if (best.empty()) {
    std::fprintf(stderr, "digmaze-solve: no win found for %s\n", argv[1]);
    return 1;
  }
  std::ostringstream script;
  script << "# digmaze-solve, " << how << ": " << searched << " states searched\n"
         << LevelSolver::ScriptText(best);
  const std::string last = Replay(argv[1], script.str());
  if (last.find(" S 2 ") == std::string::npos) {
    std::fprintf(stderr, "digmaze-solve: the replay does not win: %s\n", last.c_str());
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << script.str() << "# end " << last << '\n';
  if (!out.flush()) {
    std::fprintf(stderr, "digmaze-solve: cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s\n", last.c_str());
  return 0;
}

// digmaze-solve MAPFILE OUT [BEAM]: searches a winning input for a map with the
// game's rules, checks it by replaying it from the start, and writes it as a
// digmaze-sim script ending with the comment "# end " and the last status line.
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
// The last status line of a replay of events on the map at path.
std::string Replay(const char* path, const std::vector<SIM_EVENT>& events) {
  if (!GSimulation::LoadMap(path)) return "";
  GSimulation sim;
  sim.Begin();
  std::ostringstream lines;
  sim.Run(events, 200000, lines);
  std::string text = lines.str(), last;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) last = line;
  return last;
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
  // A search that finds nothing is tried again without the cost of digging,
  // then with a wider beam, up to eight times the one asked for.
  std::vector<SIM_EVENT> events;
  const int beam = options.beamWidth;
  bool found = false;
  for (int width = beam; !found && width <= 8 * beam; width *= 2)
    for (double digCost : {options.digCost, 0.0}) {
      if (found) break;
      if (!GSimulation::LoadMap(argv[1])) return 1;
      LevelSolver::Options attempt = options;
      attempt.beamWidth = width;
      attempt.digCost = digCost;
      found = LevelSolver::Solve(attempt, events);
    }
  if (!found) {
    std::fprintf(stderr, "digmaze-solve: no win found for %s\n", argv[1]);
    return 1;
  }
  const std::string last = Replay(argv[1], events);
  if (last.find(" S 2 ") == std::string::npos) {
    std::fprintf(stderr, "digmaze-solve: the replay does not win: %s\n", last.c_str());
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << LevelSolver::ScriptText(events) << "# end " << last << '\n';
  if (!out.flush()) {
    std::fprintf(stderr, "digmaze-solve: cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s\n", last.c_str());
  return 0;
}

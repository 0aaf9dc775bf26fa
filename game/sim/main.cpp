// digmaze-sim MAPFILE SCRIPT TICKS: plays a level headless and prints one
// status line per tick.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "game/sim/GSimulation.h"
#include "game/sim/SimHelp.h"

int main(int argc, char** argv) {
  const std::string usage = help_text::UsageLine(sim_help::kProgram, sim_help::kArguments);
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::printf("%s\n%s\n\n%s", usage.c_str(), help_text::Sentence(sim_help::kSummary).c_str(),
                help_text::ItemLines(sim_help::kArguments).c_str());
    return 0;
  }
  if (argc != 4) {
    std::fprintf(stderr, "%s\n", usage.c_str());
    return 2;
  }
  char* end = nullptr;
  const unsigned long long ticks = std::strtoull(argv[3], &end, 10);
  if (*argv[3] == '\0' || *argv[3] == '-' || *end != '\0' || ticks > 100000000ull) {
    std::fprintf(stderr, "digmaze-sim: TICKS must be a whole number from 0 to 100000000\n");
    return 2;
  }
  std::ifstream scriptFile(argv[2], std::ios::binary);
  if (!scriptFile) {
    std::fprintf(stderr, "digmaze-sim: cannot read script %s\n", argv[2]);
    return 2;
  }
  std::ostringstream text;
  text << scriptFile.rdbuf();
  std::vector<SIM_EVENT> events;
  SIM_START start;
  std::string error;
  if (!GSimulation::ParseScript(text.str(), events, error, &start)) {
    std::fprintf(stderr, "digmaze-sim: %s: %s\n", argv[2], error.c_str());
    return 2;
  }
  if (!GSimulation::LoadMap(argv[1])) {
    std::fprintf(stderr, "digmaze-sim: cannot load map %s\n", argv[1]);
    return 1;
  }
  GSimulation sim;
  sim.Begin(start);
  sim.Run(events, static_cast<unsigned>(ticks), std::cout);
  return 0;
}

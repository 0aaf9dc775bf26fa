#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "game/sim/GSimulation.h"

// What digmaze-sim prints for a recorded script (its start line included) on
// a map file, a line a tick, without the line ends.
inline std::vector<std::string> ReplayedLines(const std::string& script,
                                              const std::filesystem::path& map) {
  std::vector<SIM_EVENT> events;
  SIM_START start;
  std::string error;
  EXPECT_TRUE(GSimulation::ParseScript(script, events, error, &start)) << error;
  EXPECT_TRUE(GSimulation::LoadMap(map.c_str())) << map;
  GSimulation sim;
  sim.Begin(start);
  std::ostringstream out;
  sim.Run(events, 100000, out);
  std::vector<std::string> lines;
  std::istringstream printed(out.str());
  for (std::string line; std::getline(printed, line);) lines.push_back(line);
  return lines;
}

// The status line a recording stores in its closing "# end " line (which
// must be its last), or "<none>".
inline std::string RecordedEnd(const std::string& recording) {
  const size_t end = recording.rfind("# end ");
  if (end == std::string::npos || recording.back() != '\n') return "<none>";
  return recording.substr(end + 6, recording.size() - end - 7);
}

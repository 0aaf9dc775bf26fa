// digmaze-manual PROGRAM TEMPLATE OUT VERSION DATE: writes the manual page of
// PROGRAM (digmaze or digmaze-sim) to OUT from its roff TEMPLATE and the
// tables its --help text is made of. The same input gives the same bytes.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "game/app/GameHelp.h"
#include "game/sim/SimHelp.h"
#include "tools/manual/ManualPage.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: digmaze-manual PROGRAM TEMPLATE OUT VERSION DATE\n");
    return 2;
  }
  MANUAL_PAGE page{nullptr, nullptr, {}, {}, argv[4], argv[5]};
  if (std::strcmp(argv[1], game_help::kProgram) == 0) {
    page.program = game_help::kProgram;
    page.summary = game_help::kSummary;
    page.options = game_help::kOptions;
    page.keys = game_help::kKeys;
  } else if (std::strcmp(argv[1], sim_help::kProgram) == 0) {
    page.program = sim_help::kProgram;
    page.summary = sim_help::kSummary;
    page.options = sim_help::kArguments;
  } else {
    std::fprintf(stderr, "digmaze-manual: no manual page for %s\n", argv[1]);
    return 2;
  }

  std::ifstream in(argv[2], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "digmaze-manual: cannot read %s\n", argv[2]);
    return 1;
  }
  std::ostringstream source;
  source << in.rdbuf();
  std::string text, error;
  if (!manual_page::Fill(source.str(), page, text, error)) {
    std::fprintf(stderr, "digmaze-manual: %s: %s\n", argv[2], error.c_str());
    return 1;
  }
  std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    std::fprintf(stderr, "digmaze-manual: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}

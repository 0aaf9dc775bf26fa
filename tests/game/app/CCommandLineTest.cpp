#include "game/app/CCommandLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/app/GameHelp.h"

namespace {

using Action = CCommandLine::Action;

struct Case {
  std::vector<const char*> args;  // after the program's name
  Action action;
  bool windowed;
  std::string recordFolder;
  std::string complaint;
};

// What Report writes to each stream, and its exit code.
struct Printed {
  std::string out, err;
  int code;
};

std::string Drain(FILE* f) {
  std::string text;
  std::rewind(f);
  for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
  std::fclose(f);
  return text;
}

Printed Report(const CCommandLine& line) {
  FILE* out = std::tmpfile();
  FILE* err = std::tmpfile();
  Printed p;
  p.code = line.Report("1.0", out, err);
  p.out = Drain(out);
  p.err = Drain(err);
  return p;
}

}  // namespace

TEST(CommandLineTest, ArgumentsGiveOptionsOrAComplaint) {
  const Case cases[] = {
      {{}, Action::Play, false, "", ""},
      {{"--record=a b", "--windowed"}, Action::Play, true, "a b", ""},
      // A folder that looks like an option is still the folder.
      {{"--record", "--windowed"}, Action::Play, false, "--windowed", ""},
      // The first of --help, --version or a fault decides.
      {{"--windowed", "--version", "--bogus"}, Action::Version, false, "", ""},
      {{"--help", "--version"}, Action::Help, false, "", ""},
      {{"--bogus", "--help"}, Action::Usage, false, "", "unknown option --bogus"},
      {{"level01.dmm"}, Action::Usage, false, "", "unexpected argument level01.dmm"},
      {{"--record"}, Action::Usage, false, "", "--record needs a folder"},
      {{"--record="}, Action::Usage, false, "", "--record needs a folder"},
  };

  for (const Case& c : cases) {
    std::vector<const char*> argv{"/usr/games/digmaze"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    std::string shown;
    for (const char* a : c.args) shown += std::string(" [") + a + "]";
    const CCommandLine line = CCommandLine::Parse(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(line.action, c.action) << shown;
    if (c.action == Action::Play) {
      EXPECT_EQ(line.windowed, c.windowed) << shown;
      EXPECT_EQ(line.recordFolder, c.recordFolder) << shown;
    }
    EXPECT_EQ(line.complaint, c.complaint) << shown;
  }
}

TEST(CommandLineTest, ReportPrintsToTheRightStreamWithTheExitCode) {
  const char* argv[] = {"digmaze", "--fullscreen"};
  const auto asking = [](Action action) {
    CCommandLine line;
    line.action = action;
    return line;
  };
  const struct {
    CCommandLine line;
    int code;
    bool toOut, toErr;
  } cases[] = {
      {CCommandLine{}, 0, false, false},
      {asking(Action::Version), 0, true, false},
      {asking(Action::Help), 0, true, false},
      {CCommandLine::Parse(2, argv), 2, false, true},
  };
  for (const auto& c : cases) {
    const Printed p = Report(c.line);
    EXPECT_EQ(p.code, c.code);
    EXPECT_EQ(!p.out.empty(), c.toOut) << p.out;
    EXPECT_EQ(!p.err.empty(), c.toErr) << p.err;
  }
  EXPECT_EQ(Report(cases[1].line).out, "digmaze 1.0\n");
  EXPECT_EQ(Report(cases[3].line).err,
            "digmaze: unknown option --fullscreen\n" + CCommandLine::Usage() + "\n");
}

// The help text and the manual page list the options of game_help::kOptions;
// each must be one the parser takes, and one with an argument must want it.
TEST(CommandLineTest, EveryOptionTheHelpListsIsParsed) {
  for (const HELP_ITEM& option : game_help::kOptions) {
    std::vector<const char*> argv{"digmaze", option.name};
    if (option.argument) argv.push_back("x");
    const CCommandLine given = CCommandLine::Parse(static_cast<int>(argv.size()), argv.data());
    EXPECT_NE(given.action, Action::Usage) << option.name << ": " << given.complaint;
    if (option.argument) {
      const CCommandLine bare = CCommandLine::Parse(2, argv.data());
      EXPECT_EQ(bare.action, Action::Usage) << option.name << " without " << option.argument;
    }
  }
}

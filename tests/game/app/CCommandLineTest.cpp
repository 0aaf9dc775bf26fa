#include "game/app/CCommandLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "game/app/GameHelp.h"
#include "tests/support/Files.h"

namespace {

using Action = CCommandLine::Action;

CCommandLine Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "/usr/games/digmaze");
  return CCommandLine::Parse(static_cast<int>(args.size()), args.data());
}

TEST(CommandLineTest, ArgumentsGiveOptionsOrAComplaint) {
  const struct {
    std::vector<const char*> args;
    Action action = Action::Play;
    std::optional<WindowMode> windowMode{};
    std::optional<ScaleMode> scale{};
    std::string recordFolder{}, complaint{}, mapFile{};
  } cases[] = {
      // Unset options leave the choice to the settings file.
      {.args = {}},
      {.args = {"--record=a b", "--windowed"},
       .windowMode = WindowMode::Window,
       .recordFolder = "a b"},
      // A folder that looks like an option is still the folder.
      {.args = {"--record", "--windowed"}, .recordFolder = "--windowed"},
      // The last of --windowed and --fullscreen, and of the scales, counts.
      {.args = {"--windowed", "--scale", "off", "--fullscreen"},
       .windowMode = WindowMode::FullScreen,
       .scale = ScaleMode::Off},
      {.args = {"--scale=integer", "--scale", "sharp"}, .scale = ScaleMode::Sharp},
      {.args = {"--scale", "smooth"},
       .action = Action::Usage,
       .complaint = "--scale needs sharp, integer or off, not \"smooth\""},
      // The first of --help, --version or a fault decides.
      {.args = {"--windowed", "--version", "--bogus"}, .action = Action::Version},
      {.args = {"--bogus", "--help"},
       .action = Action::Usage,
       .complaint = "unknown option --bogus"},
      {.args = {"--record="}, .action = Action::Usage, .complaint = "--record needs a folder"},
      // An argument that is no option is the map file to import; after "--" any is.
      {.args = {"--windowed", "my map.dmm"},
       .windowMode = WindowMode::Window,
       .mapFile = "my map.dmm"},
      {.args = {"--", "--help"}, .mapFile = "--help"},
      {.args = {"a.dmm", "b.dmm"},
       .action = Action::Usage,
       .complaint = "one map file at a time: b.dmm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const CCommandLine line = Parse(c.args);
    EXPECT_EQ(line.action, c.action);
    EXPECT_EQ(line.complaint, c.complaint);
    if (c.action != Action::Play) continue;
    EXPECT_EQ(line.windowMode, c.windowMode);
    EXPECT_EQ(line.scale, c.scale);
    EXPECT_EQ(line.recordFolder, c.recordFolder);
    EXPECT_EQ(line.mapFile, c.mapFile);
  }
}

// The exit code of the report and what it printed to standard output and error.
std::tuple<int, std::string, std::string> Reported(std::vector<const char*> args) {
  const HostFile out(std::tmpfile()), err(std::tmpfile());
  const int code = Parse(std::move(args)).Report("1.0", out.get(), err.get());
  const Bytes said = ReadBytes(out.get()), complained = ReadBytes(err.get());
  return {code, std::string(said.begin(), said.end()),
          std::string(complained.begin(), complained.end())};
}

// Version and help go to standard output with 0, a complaint with the usage
// line to standard error with 2, and playing prints nothing.
TEST(CommandLineTest, ReportPrintsToTheRightStreamWithTheExitCode) {
  const std::string usage = CCommandLine::Usage() + "\n";
  EXPECT_EQ(Reported({}), std::tuple(0, "", ""));
  EXPECT_EQ(Reported({"--version"}), std::tuple(0, "digmaze 1.0\n", ""));
  EXPECT_EQ(Reported({"--full-screen"}),
            std::tuple(2, "", "digmaze: unknown option --full-screen\n" + usage));
  const auto [code, out, err] = Reported({"--help"});
  EXPECT_EQ(std::tuple(code, out.substr(0, usage.size()), err), std::tuple(0, usage, ""));
}

// The help text and the manual page list the options of game_help::kOptions;
// each must be one the parser takes, and one with an argument must want it.
TEST(CommandLineTest, EveryOptionTheHelpListsIsParsed) {
  for (const HELP_ITEM& option : game_help::kOptions) {
    // An argument of alternatives ("sharp|integer|off") is given its first.
    const std::string argument = option.argument ? option.argument : "";
    const std::string firstChoice = argument.substr(0, argument.find('|'));
    const CCommandLine given =
        option.argument ? Parse({option.name, firstChoice.c_str()}) : Parse({option.name});
    EXPECT_NE(given.action, Action::Usage) << option.name << ": " << given.complaint;
    if (option.argument) {
      EXPECT_EQ(Parse({option.name}).action, Action::Usage) << option.name << " without argument";
    }
  }
}

}  // namespace

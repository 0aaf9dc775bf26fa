#include "game/app/CCommandLine.h"

#include <string_view>

#include "game/app/GameHelp.h"

namespace {

CCommandLine Complain(std::string text) {
  CCommandLine bad;
  bad.action = CCommandLine::Action::Usage;
  bad.complaint = std::move(text);
  return bad;
}

}  // namespace

CCommandLine CCommandLine::Parse(int argc, const char* const* argv) {
  CCommandLine line;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i] ? argv[i] : "";
    if (optionsEnded || (!arg.empty() && arg[0] != '-')) {
      if (!line.mapFile.empty()) return Complain("one map file at a time: " + std::string(arg));
      line.mapFile = arg;
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help") {
      line.action = Action::Help;
      return line;
    }
    if (arg == "--version") {
      line.action = Action::Version;
      return line;
    }
    if (arg == "--windowed") {
      line.windowMode = WindowMode::Window;
    } else if (arg == "--fullscreen") {
      line.windowMode = WindowMode::FullScreen;
    } else if (arg == "--scale" || arg.starts_with("--scale=")) {
      std::string mode;
      if (arg == "--scale") {
        if (i + 1 >= argc || !argv[i + 1]) return Complain("--scale needs sharp, integer or off");
        mode = argv[++i];
      } else {
        mode = arg.substr(std::string_view("--scale=").size());
      }
      ScaleMode chosen;
      if (!ParseScaleMode(mode.c_str(), chosen))
        return Complain("--scale needs sharp, integer or off, not \"" + mode + "\"");
      line.scale = chosen;
    } else if (arg == "--record" || arg.starts_with("--record=")) {
      std::string_view folder;
      if (arg == "--record") {
        if (i + 1 >= argc || !argv[i + 1]) return Complain("--record needs a folder");
        folder = argv[++i];
      } else {
        folder = arg.substr(std::string_view("--record=").size());
      }
      if (folder.empty()) return Complain("--record needs a folder");
      line.recordFolder = folder;
    } else {
      return Complain((arg.starts_with("-") ? "unknown option " : "unexpected argument ") +
                      std::string(arg));
    }
  }
  return line;
}

int CCommandLine::Report(const char* version, FILE* out, FILE* err) const {
  switch (action) {
    case Action::Play:
      return 0;
    case Action::Version:
      std::fprintf(out, "%s %s\n", game_help::kProgram, version ? version : "");
      return 0;
    case Action::Help:
      std::fprintf(out, "%s\n%s\n\n%s\n%s", Usage().c_str(),
                   help_text::Sentence(game_help::kSummary).c_str(),
                   help_text::ItemLines(game_help::kOptions).c_str(),
                   help_text::KeyLines(game_help::kKeys).c_str());
      return 0;
    case Action::Usage:
      std::fprintf(err, "%s: %s\n%s\n", game_help::kProgram, complaint.c_str(), Usage().c_str());
      return 2;
  }
  return 2;
}

std::string CCommandLine::Usage() {
  return help_text::UsageLine(game_help::kProgram, game_help::kOptions);
}

#include "game/app/CCommandLine.h"

#include <string_view>

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
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i] ? argv[i] : "";
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
      std::fprintf(out, "%s %s\n", kProgram, version ? version : "");
      return 0;
    case Action::Help:
      std::fprintf(out,
                   "%s\n"
                   "Digmaze, a platform game with its own map editor.\n"
                   "\n"
                   "  --windowed        play in a window (1024 x 768, or the size it had last)\n"
                   "  --fullscreen      play in full screen\n"
                   "  --scale MODE      how the picture fills the screen: sharp (the default),\n"
                   "                    integer (whole multiples only) or off (1:1)\n"
                   "  --record FOLDER   record the games played into FOLDER\n"
                   "  --help            print this help and quit\n"
                   "  --version         print the version and quit\n"
                   "\n"
                   "Arrow keys or a gamepad's d-pad and left stick steer, Space or the south\n"
                   "button digs, Escape, Start or the east button opens the menu. Alt+Enter\n"
                   "or F11 switches between full screen and a window; the game remembers\n"
                   "the choice, the scaling and the window's size for the next start.\n",
                   kUsage);
      return 0;
    case Action::Usage:
      std::fprintf(err, "%s: %s\n%s\n", kProgram, complaint.c_str(), kUsage);
      return 2;
  }
  return 2;
}

#pragma once

#include "game/sim/HelpText.h"

// What the game's --help text and its manual page say about its command line
// and its keys; both are made from these tables. A new option is a row of
// kOptions (and a branch of CCommandLine::Parse), a new key a row of kKeys
// under its heading; the rest of the manual page is packaging/digmaze.6.in.
namespace game_help {

inline constexpr char kProgram[] = "digmaze";
inline constexpr char kSummary[] = "a platform game with its own map editor";

// In the order the usage line and both texts list them.
inline constexpr HELP_ITEM kOptions[] = {
    {"--windowed", nullptr, HELP_OPTIONAL, "play in a window (1024 x 768, or the size it had last)",
     "The player can resize the window; the picture is scaled into it as in full screen."},
    {"--fullscreen", nullptr, HELP_OPTIONAL, "play in full screen",
     "Full screen covers the desktop in its own mode; the display's mode is never switched. "
     "Alt+Enter or F11 switches between full screen and a window at any moment."},
    {"--scale", "sharp|integer|off", HELP_OPTIONAL,
     "how the picture fills the screen: sharp (the default), integer or off",
     "sharp makes the picture as large as fits, keeping its shape: scaled up by the next whole "
     "factor with nearest-neighbour, then filtered down to that size, so pixels stay crisp and "
     "evenly wide. integer takes the largest whole factor that fits, off shows the picture 1:1. "
     "A screen smaller than the picture gets it scaled down in every mode. The mode, full "
     "screen or window, and the window's size are kept for the next start in settings.cfg in "
     "the per-user data folder; what the command line gives wins and is kept too."},
    {"--record", "FOLDER", HELP_OPTIONAL, "record the games played into FOLDER",
     "FOLDER is made if missing. Every level played is written as a script that digmaze-sim "
     "replays: level07.txt for the first play of level07.dmm, then level07-2.txt, "
     "level07-3.txt and so on, so an earlier recording is never overwritten. "
     "A file that cannot be written is simply not recorded; play goes on."},
    {"MAPFILE", nullptr, HELP_OPTIONAL,
     "import the map file MAPFILE (.dmm) as the last level and show it in the maps manager",
     "The file is checked first: one that is not a map is refused with a message, and nothing "
     "is written. A map is copied into the player's Maps folder under a fresh name and joins "
     "the end of the level order; the file itself is left as it is. A .dmm file dropped on the "
     "game's window is imported the same way."},
    {"--help", nullptr, HELP_ALONE, "print this help and quit", nullptr},
    {"--version", nullptr, HELP_ALONE, "print the version and quit", nullptr},
};

// Grouped by heading; rows of one heading stay together.
inline constexpr HELP_KEY kKeys[] = {
    {"In a level", "Left, Right, Up, Down",
     "set the runner's direction; Options, Keys chooses other keys", "the d-pad or the left stick"},
    {"In a level", "Space", "dig the brick below the runner; Options, Keys chooses another key",
     "the south button"},
    {"In a level", "any key", "start a level that waits", nullptr},
    {"In a level", "Escape",
     "open the in-game menu: continue, restart, save, load, options or quit",
     "Start or the east button"},
    {"In menus and dialogs", "arrows, Tab, Shift+Tab",
     "move the keyboard focus to the next button (Left and Right along a row); in the maps "
     "manager the arrows, Home and End move the selected miniature, in the level select the "
     "frame (passing over locked levels; Page Up and Page Down too)",
     "the d-pad or the left stick; Back for Tab"},
    {"In menus and dialogs", "Enter, Space",
     "press the focused button (at first the default one); in the maps manager, edit the "
     "selected map; in the level select, play the framed level",
     "the south button"},
    {"In menus and dialogs", "Escape", "press the cancel button, go back",
     "Start or the east button"},
    {"In the options", "Left, Right", "change the value of the row with the focus",
     "the d-pad or the left stick"},
    {"In the map editor", "1 to 8, Page Up/Down",
     "choose the kind to paint: brick, floor, line, ladder, treasure, exit, runner, alien",
     "the shoulder buttons"},
    {"In the map editor", "left button, Space",
     "paint the chosen kind, Space at the keyboard's cursor; held while moving, one stroke",
     "the south button"},
    {"In the map editor", "right button, Delete", "erase; Delete erases at the keyboard's cursor",
     "the west button"},
    {"In the map editor", "arrows", "move the keyboard's cursor over the map",
     "the d-pad or the left stick"},
    {"In the map editor", "Shift+left button, Shift+right button",
     "drag a rectangle: letting go fills it with the chosen kind (the right button empties it), "
     "one stroke",
     nullptr},
    {"In the map editor", "Shift+arrows, Space, Delete",
     "stretch a rectangle from the keyboard's cursor; Space fills it, Delete empties it", nullptr},
    {"In the map editor", "Ctrl+Z", "undo the last stroke", "the left trigger"},
    {"In the map editor", "Ctrl+Shift+Z, Ctrl+Y", "redo the stroke undone last",
     "the right trigger"},
    {"In the map editor", "Enter, Escape",
     "save the map; leave it (asking first when it has unsaved changes)", nullptr},
    {"In the demonstration", "any key or click", "return to the main menu", "any button"},
    {"Anywhere", "M", "switch all sound off or on", nullptr},
    {"Anywhere", "Alt+Enter, F11", "switch between full screen and a window", nullptr},
    {"Anywhere", "Print Screen", "save the picture as a numbered TGA file", nullptr},
};

}  // namespace game_help

#pragma once

#include "GUI/toolkit/GButton.h"

// The ids of the game's command buttons; each runs one command.
enum COMMAND_ID : unsigned {
  CMD_START_GAME = 1,
  CMD_LOAD_GAME = 2,
  CMD_DEMONSTRATION = 3,
  CMD_MAP_EDITOR = 4,
  CMD_CREDITS = 5,
  CMD_EXIT = 6,
  CMD_MINIMAPS = 7,  // the maps manager's grid of miniatures; no command
  CMD_CREATE_MAP = 8,
  CMD_DESTROY_MAP = 9,
  CMD_EDIT_MAP = 10,
  CMD_MAP_UP = 11,
  CMD_MAP_DOWN = 12,
  CMD_TEST_MAP = 13,
  CMD_MAPS_EXIT = 14,
  CMD_EDITOR_SAVE = 15,
  CMD_EDITOR_CANCEL = 16,
  CMD_GAME_MENU = 17,
  CMD_CONTINUE = 18,  // closes the in-game menu as its Enter and Escape button
  CMD_RESTART_LEVEL = 19,
  CMD_SAVE_GAME = 20,
  CMD_LOAD_GAME_IN_GAME = 21,
  CMD_QUIT_TO_MENU = 22,
  CMD_HOW_TO_PLAY = 23,  // the credits' button: the how-to-play page in the browser
  CMD_LEVELS = 24,       // the level select's grid of levels; no command
  CMD_LEVELS_BACK = 25,
  CMD_SHOW_SOLUTION = 26,
  CMD_OPTIONS = 27,        // both menus: the options
  CMD_KEYS_DEFAULTS = 28,  // the keys of play: the arrows and Space again
  CMD_EDITOR_CHECK = 29,   // the editor's check of the map
  CMD_CHECK_SHOW = 30,     // the check's box: plays the win it found
  CMD_MAPS_EXPORT = 31,    // the maps manager: the selected map into the documents folder
};

// The look of the game's buttons and panels: framed, over the scene's picture.
constexpr unsigned kFramedStyle = STYLE_VISIBLE | STYLE_BORDER | STYLE_ALPHA | STYLE_FRAMED;
// A dialog's closing button, which both Enter and Escape press.
constexpr unsigned kClosingButtonStyle = STYLE_DEFAULT_BUTTON | STYLE_CANCEL_BUTTON;

// Every command button of the game: a click runs the command of its id
// (COMMAND_ID), in whichever scene or dialog the button is.
class GButtonDM : public GButton {
 public:
  // Runs the command; ids without a command do nothing.
  void OnLButtonClick(unsigned flags, int x, int y) override;
  // A double click runs the command once more.
  void OnLButtonDblClk(unsigned flags, int x, int y) override;

  // Runs the command of id as a click on a button of that id in parent would.
  static void RunCommand(unsigned id, GComponent* parent);
};

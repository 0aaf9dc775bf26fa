#pragma once

#include "GUI/toolkit/GDialog.h"

// The in-game menu: Continue Game, Restart Level, Save Game, Load Game, Show
// Solution, Options and Quit to Menu. Showing it pauses a level in play; closing it,
// however it closes, sets a waiting level playing, also one that waited for
// its first key.
class GDialogMenu : public GDialog {
 public:
  // Pauses the level and builds the buttons, the menu as high as they need
  // (saving and loading are disabled in a test run, Show Solution on a
  // level the game ships no solution for and on a level won or lost).
  void OnInitDlg() override;
  // Closes the menu, sets a waiting level playing and gives the keyboard
  // back to the game scene.
  void EndModal(int result) override;

  // The menu's width in pixels; its height follows its buttons.
  static constexpr int kWidth = 412;
};

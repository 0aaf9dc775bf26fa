#pragma once

#include "GUI/toolkit/GDialog.h"

// The in-game menu: Continue Game, Restart Level, Save Game, Load Game, Show
// Solution and Quit to Menu. Showing it pauses a level in play; closing it,
// however it closes, resumes a level it paused. A level still waiting for its
// first key goes on waiting.
class GDialogMenu : public GDialog {
 public:
  // Pauses the level and builds the buttons, the menu as high as they need
  // (saving and loading are disabled in a test run, Show Solution on a
  // level the game ships no solution for and on a level won or lost).
  void OnInitDlg() override;
  // Closes the menu, resumes a paused level and gives the keyboard back to
  // the game scene.
  void EndModal(int result) override;

  // The menu's width, and its buttons' size and place.
  static constexpr int kWidth = 412;
  static constexpr int kButtonWidth = 340;
  static constexpr int kButtonHeight = 40;
  static constexpr int kMargin = 30;
  static constexpr int kButtonStep = 64;

 private:
  // The level was in play when the menu opened.
  bool pausedPlay = false;
};

#pragma once

#include "GUI/toolkit/GDialog.h"

// The in-game menu: Continue Game, Restart Level, Save Game, Load Game and
// Quit to Menu. Showing it pauses the level; closing it, however it closes,
// resumes a level it paused.
class GDialogMenu : public GDialog {
 public:
  // Pauses the level and builds the five buttons (saving and loading are
  // disabled in a test run).
  void OnInitDlg() override;
  // Closes the menu, resumes a paused level and gives the keyboard back to
  // the game scene.
  void EndModal(int result) override;
};

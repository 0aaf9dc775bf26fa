#pragma once

#include "GUI/toolkit/GDialog.h"

// The in-game menu: Continue Game, Restart Level, Save Game, Load Game,
// Options and Quit to Menu. Showing it pauses a level in play; closing it, however it
// closes, resumes a level it paused. A level still waiting for its first key
// goes on waiting.
class GDialogMenu : public GDialog {
 public:
  // Pauses the level and builds the buttons (saving and loading are
  // disabled in a test run).
  void OnInitDlg() override;
  // Closes the menu, resumes a paused level and gives the keyboard back to
  // the game scene.
  void EndModal(int result) override;

 private:
  // The level was in play when the menu opened.
  bool pausedPlay = false;
};

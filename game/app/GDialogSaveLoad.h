#pragma once

#include "GUI/foundation/CFerroString.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GDialog.h"

// The saved-game dialog: eight slots, each a button labelled with what it
// holds (the level, score and lives of its game and when it was saved, or
// "Empty Slot"), and Cancel. In save mode a click writes the running game
// into the slot; in load mode it reads the game back and goes to the game
// scene. One instance exists (the main menu scene's); it pauses the level
// while it is shown.
class GDialogSaveLoad : public GDialog {
 public:
  static constexpr int kSlots = 8;
  // What a slot's file holds.
  enum class Slot { empty, game, damaged };

  // Reads every slot's label, builds the buttons and fits the dialog.
  void OnInitDlg() override;

  // The file of a slot (1..8): the saved-game folder + "N.dms".
  static CFerroString GetSlotPath(int slot);
  // The label of what a slot holds, and what that is: "Level 07   Score
  // 00250   Lives 10   2025-05-12 14:32" for a game (its level in the map
  // list, its counters, when its file was written), "Empty Slot" without a
  // saved game, "Level 07   cannot be loaded" for a saved game that is damaged.
  static CFerroString GetSlotLabel(int slot, Slot& holds);

  bool loadMode = false;
};

// One slot of the saved-game dialog; its id is the slot number.
class GButtonSaveLoad : public GButton {
 public:
  // Saves into or loads from the slot, then closes the dialog (and the
  // in-game menu beneath it). Saving over a kept game asks first; any answer
  // but OK leaves the dialog open.
  void OnLButtonClick(unsigned flags, int x, int y) override;
};

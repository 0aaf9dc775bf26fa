#pragma once

#include "GUI/foundation/CFerroString.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GDialog.h"

// The saved-game dialog: eight slots, each a button labelled with the level
// stored in it or "Empty Slot", and Cancel. In save mode a click writes the
// running game into the slot; in load mode it reads the game back and goes
// to the game scene. One instance exists (the main menu scene's); it pauses
// the level while it is shown.
class GDialogSaveLoad : public GDialog {
 public:
  static constexpr int kSlots = 8;

  // Reads every slot's label, builds the buttons and fits the dialog.
  void OnInitDlg() override;

  // The file of a slot (1..8): the saved-game folder + "N.dms".
  static CFerroString GetSlotPath(int slot);
  // The label of what a slot holds: "Level NN" or "Empty Slot"; filled tells
  // which.
  static CFerroString GetSlotLabel(int slot, bool& filled);

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

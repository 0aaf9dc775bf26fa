#pragma once

#include "GUI/toolkit/GScene.h"

class GDialogLevels;
class GStatic;

// The level select, where "Start Game" leads: every level of the level
// order (the player's own maps included) as a miniature with its number,
// whether it is cleared, and its best time and score, under the headings of
// the campaign's sets and one over the player's own maps. The cleared levels
// and the first three not cleared are open; the others are locked. The
// frame starts on the first level not cleared; Enter, Space (the pad's A)
// or a click on an open level starts a new game there, and "Back" (Escape,
// the pad's B) returns to the main menu.
class GSceneLevels : public GScene {
 public:
  GSceneLevels();

  // Reads the level order and the player's records into the grid, with the
  // frame on the first level not cleared.
  void OnStart() override;
  // The keyboard focus starts on the grid, or on "Back" without levels.
  GComponent* GetDefaultFocus() override;
  // A key's release reaches the grid, which starts a level on it.
  void OnKeyUp(unsigned key, unsigned count, unsigned flags) override;
  // A key whose release will not come lets its level go.
  void OnCancelPress() override;

  GDialogLevels* GetLevels() const { return levels; }

 private:
  GDialogLevels* levels = nullptr;
  // "12 of 30 levels cleared" beside "Back".
  GStatic* summary = nullptr;
};

#pragma once

#include "GUI/toolkit/GScene.h"

class GDialogMaps;

// The maps manager: every map as a miniature, and the commands to create,
// edit, delete, reorder and test-play them.
class GSceneMapsManager : public GScene {
 public:
  GSceneMapsManager();

  // Brings the map list in line with the maps folder while the grid is
  // empty (the first visit); every visit makes the grid follow the list.
  void OnStart() override;
  // The keyboard focus starts on the grid, or on "Create Map" when there
  // is no map.
  GComponent* GetDefaultFocus() override;
  // Enables the buttons that need a selected map (and a neighbour to move
  // past, for Up and Down) as the selection allows.
  void RefreshButtons();

  // The grid of miniatures (a child of the scene).
  GDialogMaps* GetMaps() const { return maps; }

 private:
  GDialogMaps* maps = nullptr;
};

#pragma once

#include "GUI/foundation/CFerroString.h"
#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GScene.h"

class GDialogMaps;

class GStatic;

// The maps manager: every map as a miniature, and the commands to create,
// edit, delete, reorder, test-play and export them. A line under the
// miniatures tells what an import or an export did.
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
  // The line under the miniatures; it is emptied when the scene is left.
  void ShowNote(const CFerroString& text);
  CFerroString GetNote() const;
  // Empties the line.
  void OnFinish(int nextScene) override;
  // Makes the map named the selected one, scrolled into sight.
  void SelectMap(const CFerroString& name);

  // The grid of miniatures (a child of the scene).
  GDialogMaps* GetMaps() const { return maps; }
  // Tells how an import went, over whichever scene is shown.
  GMessageBox importBox;

 private:
  GDialogMaps* maps = nullptr;
  GStatic* note = nullptr;
};

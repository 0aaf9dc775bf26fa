#pragma once

#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "GUI/toolkit/GDialog.h"

class GPictureMinimap;

// The maps manager's scrolling grid: one miniature per map of the map list,
// in list order, filling rows of as many cells as the width holds. It is
// one stop of the scene's keyboard focus: while it holds the focus the
// arrows move the selection (the grid scrolls to keep it in sight), and
// Enter or Space edits the selected map. Its other keys are the scene's.
class GDialogMaps : public GDialog {
 public:
  // Brings the map list in step with the maps folder and makes a miniature
  // of every map; the first one is selected.
  void Init();
  // Appends the miniature of a map file at the next cell.
  void AddMinimap(const char* name);
  // Removes miniature i; the ones after it move up one cell.
  void DeleteMinimap(int i);
  // The miniatures i and j trade places in the grid.
  void ExchangeMinimap(int i, int j);
  // The index of the selected miniature, or -1.
  int GetCurrentMinimap() const;
  GPictureMinimap* GetMinimap(int i) const;
  int GetMinimapCount() const { return GetChildCount(); }
  // Scrolls down to the last row.
  void ScrollToEnd();
  // Selects miniature i (as a click does) and scrolls it into sight.
  void SelectMinimap(int i);
  // Scrolls as little as needed to show miniature i whole.
  void ScrollToShow(int i);

  bool IsFocusStop() const override { return true; }
  bool MovesFocusByKeys() const override { return false; }
  // The arrows, Home, End, Enter and Space while the grid has the focus.
  bool OnFocusKeyDown(unsigned key, unsigned count, unsigned flags) override;

  // The children's extent and a gap below the last row.
  void GetScrollSize(int& w, int& h) override;

  int gap = 8;
  int cellWidth = 482;
  int cellHeight = 322;
  int columns = 1;
  unsigned nextId = 1;

 private:
  // The names of the map files of the maps folder, in the order found;
  // false when the folder cannot be listed.
  static bool ScanMapsFolder(std::vector<CFerroString>& names);
  // The position of cell k.
  void GetCellPosition(int k, int& x, int& y) const;
  void RefreshSceneButtons();
};

#pragma once

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
  // Makes the miniatures those of the map list, in its order: a map that
  // left the list loses its miniature, one new to it gets one, and the others
  // move to their cells. The selection stays on its map while that is
  // listed; when it left, the selection goes to the map that took its place,
  // else to the one before it. A grid that was empty selects the first map.
  void FollowList();
  // The map just saved: its miniature is drawn again, selected and scrolled
  // into sight.
  void ShowSavedMap(const CFerroString& name);
  // The index of the selected miniature, or -1.
  int GetCurrentMinimap() const;
  GPictureMinimap* GetMinimap(int i) const;
  int GetMinimapCount() const { return GetChildCount(); }
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
  // The index of the miniature of a map, or -1.
  int FindMinimap(const CFerroString& name) const;
  // The position of cell k.
  void GetCellPosition(int k, int& x, int& y) const;
  void RefreshSceneButtons();
};

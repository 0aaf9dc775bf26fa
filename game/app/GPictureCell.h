#pragma once

#include "GUI/themes/GThemeRavlin.h"
#include "GUI/toolkit/GPicture.h"

// One entry of the editor's palette: the icon of a cell kind. A click makes
// it the kind the left button paints and moves the theme's frame of the chosen entry to it.
class GPictureCell : public GPicture {
 public:
  // The frame of the chosen entry.
  static constexpr unsigned kSelectedColor = GThemeRavlin::kChosenFrameColor;

  void OnLButtonClick(unsigned flags, int x, int y) override;
  // The palette takes no keys of its own: they go to the editor, so the
  // digit and undo keys work whatever was clicked last.
  void OnKeyDown(unsigned key, unsigned count, unsigned flags) override;

  // The cell code this entry paints.
  int cellCode = 0;
};

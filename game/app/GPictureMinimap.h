#pragma once

#include "GUI/themes/GThemeRavlin.h"
#include "GUI/toolkit/GPicture.h"

// One map of the maps manager as a miniature. The theme's frame of the chosen
// picture marks the selected one; a double click opens it in the editor.
class GPictureMinimap : public GPicture {
 public:
  // The frame of the selected miniature.
  static constexpr unsigned kSelectedColor = GThemeRavlin::kChosenFrameColor;

  // Loads the map file into the game's map and draws its background, reduced
  // to the picture's size (nearest neighbour), as the picture of that map.
  void RefreshImage(const char* name);
  // The map file shown.
  const CFerroString& GetMapName() const { return mapName; }
  // Whether this miniature carries the selection frame.
  bool IsSelected() const;

  // Selects this miniature: the frame moves here and the scene's buttons follow.
  void OnLButtonClick(unsigned flags, int x, int y) override;
  // The click before it selected the map; "Edit Map" opens it.
  void OnLButtonDblClk(unsigned flags, int x, int y) override;

 private:
  CFerroString mapName;
};

// Draws src into dst reduced (or enlarged) to dst's size: every destination
// pixel takes the source pixel at the truncated scaled position. Both
// surfaces share one pixel format.
void ReduceNearest(GSurface* src, GSurface* dst);

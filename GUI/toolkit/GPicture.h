#pragma once

#include "GUI/graphics/GImageList.h"
#include "GUI/toolkit/GComponent.h"

class GSurface;

// Shows one of a list of equally sized pictures (the selected one) at its
// client origin: the miniatures of the maps manager and the editor's palette.
class GPicture : public GComponent {
 public:
  // Takes the picture drawing object of the application's theme.
  GPicture();

  // Creates the component, then the picture list with cells of the client
  // size less the theme's client gap.
  bool Create(GComponent* parent, unsigned style, int x, int y, int w, int h, unsigned id) override;

  // Appends a picture (copied into a cell); the first becomes the shown one.
  // Returns its index, or -1.
  int AddImage(GSurface* surface);
  int GetCount() const { return images.GetCount(); }
  // Shows picture i; redraws when that changes.
  void SetSel(int i);
  int GetSel() const { return selected; }
  // The shown picture's surface, or null.
  GSurface* GetImage() const;

  bool IsPicture() const override { return true; }
  // The theme draws the shown picture, then OnRender.
  void ClientOnRender() override;

 protected:
  GImageList images;
  int selected = -1;
};

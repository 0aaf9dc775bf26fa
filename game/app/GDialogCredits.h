#pragma once

#include "GUI/toolkit/GDialog.h"

class GSurface;

// The credits: the game's logo beside its name, version and credits text,
// with links to pages shipped with the game, a "How to play" button that
// opens the how-to-play page, and an OK button that Enter and Escape press
// too.
class GDialogCredits : public GDialog {
 public:
  // Loads the logo from the image drive.
  GDialogCredits();

  // Builds the text and the button and fits the dialog around them.
  void OnInitDlg() override;
  // Open on top, it is built again in the new language.
  void OnTextsChanged() override {
    if (IsModal()) Rebuild();
  }
  // Draws the logo in the top-left corner of the client area.
  void OnRender() override;

 private:
  GSurface* logo = nullptr;  // owned by the device
  int margin = 20;
};

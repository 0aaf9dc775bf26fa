#pragma once

#include "GUI/themes/GThemeWindowsComponents.h"

class GSurface;

// The drawing objects of the game's theme. Buttons have a look of their own;
// dialogs and pictures change a colour; the combo box, list box, check box
// and image button objects keep the default looks, which the game never
// shows.

// Every button of the game. A framed button (STYLE_FRAMED) sits in the
// theme's soft frame on the black grid; a plain one (message-box buttons)
// draws a notched outline with a dark-blue inside. Either way the label is
// drawn in a darker shade of the frame colour. The button holding the
// keyboard focus, while the keys were used last, has the highlighted look
// and a brighter two-pixel outline round its face.
class GThemeButtonRavlin : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;

  // The fill of the notch.
  static constexpr unsigned kNotchFill = 0x000016;
  // The focus outline is the highlighted frame colour raised by this much.
  static constexpr unsigned kFocusOutlineStep = 0x606060;

  void EraseInnerRect(GComponent*, CFerroRect*) override {}
  // Framed: the theme's black fill and grid. Plain: nothing, the outline
  // fills the face.
  void EraseClient(GComponent* button) override;
  // Framed: the theme's frame. Plain: none.
  void RenderBorder(GComponent* button) override;
  int GetBorderSize(GComponent* button) override;
  // The resolved border colour, brightened by 0x202020 while the button is
  // pressed, highlighted or shows the keyboard focus.
  unsigned GetBorderColor(GComponent* button) override;
  // Framed: the label. Plain: the notched outline, then the label. The
  // focus outline goes on top of the face, below the label.
  void RenderClient(GComponent* button) override;

  // Draws a plain button's face into target at its origin: black, a
  // one-pixel outline of colour, the notched line inside it and, when
  // filled, the area the line encloses in kNotchFill.
  static void DrawNotchedOutline(GSurface* target, int w, int h, unsigned color, bool filled);

 private:
  // The face is drawn here first and then copied: the fill must reach the
  // whole enclosed area even when only part of the button is redrawn.
  GSurface* scratch = nullptr;  // owned by the device
};

class GThemeDialogRavlin : public GThemeDialogWindows {
 public:
  using GThemeDialogWindows::GThemeDialogWindows;
  // Black, unless the dialog sets a background colour.
  unsigned GetBgColor(GComponent* dialog) override;
};

class GThemePictureRavlin : public GThemePictureWindows {
 public:
  using GThemePictureWindows::GThemePictureWindows;
  unsigned GetSelectedTextColor(GComponent*) override { return 0xE0E000; }
};

class GThemeComboBoxRavlin : public GThemeComboBoxWindows {
 public:
  using GThemeComboBoxWindows::GThemeComboBoxWindows;
};

class GThemeListBoxRavlin : public GThemeListBoxWindows {
 public:
  using GThemeListBoxWindows::GThemeListBoxWindows;
};

class GThemeCheckBoxRavlin : public GThemeCheckBoxWindows {
 public:
  using GThemeCheckBoxWindows::GThemeCheckBoxWindows;
};

class GThemeButtonImageRavlin : public GThemeButtonImageWindows {
 public:
  using GThemeButtonImageWindows::GThemeButtonImageWindows;
};

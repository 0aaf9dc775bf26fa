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

// Value rows of the game: transparent over the dialog's grid, the label in
// the frame colour's label shade, the value in white, the arrows as
// triangles in the frame colour (brighter under the pointer, dim at an end).
// Under the pointer or with the keyboard focus the label is lit as a lit
// button's is; the focus adds the buttons' two-pixel focus outline.
class GThemeValueRowRavlin : public GThemeValueRowWindows {
 public:
  using GThemeValueRowWindows::GThemeValueRowWindows;

  // The value's colour, and the share of the frame colour an arrow keeps at an end.
  static constexpr unsigned kValueColor = 0xFFFFFF;
  static constexpr double kDimArrow = 0.35;

  // The dialog beneath shows through: nothing is erased, and a redraw of
  // the row repaints what lies under it first.
  bool IsAlpha(GComponent*) override { return true; }
  void EraseInnerRect(GComponent*, CFerroRect*) override {}
  void EraseClient(GComponent*) override {}

 protected:
  unsigned GetLabelColor(GComponent* row) override;
  unsigned GetValueColor(GComponent* row) override;
  void DrawRowArrow(GComponent* row, int arrow, const CFerroRect& square, bool lit,
                    bool enabled) override;
  void DrawRowFocus(GComponent* row, int w, int h) override;

 private:
  // The frame colour, lit under the pointer or with the focus shown.
  unsigned FrameColor(GComponent* row, bool lit);
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

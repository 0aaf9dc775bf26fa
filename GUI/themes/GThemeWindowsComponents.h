#pragma once

#include "GUI/themes/GThemeComponent.h"

class GSurface;

// The drawing objects of the default theme, one per kind of control. The
// kinds the game never creates (lists, trees, menus, grids, edit and combo
// boxes, image buttons) keep the forwarding defaults.

// Push buttons: a flat face in the colour of the button's state with the
// label centred on it, and a frame whose colour tells the state.
class GThemeButtonWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;

  // Fills the client zone with the face and draws the label, one pixel right
  // and down while the button is held.
  void RenderClient(GComponent* button) override;
  // The face draws everything, so nothing is erased before it.
  void EraseInnerRect(GComponent*, CFerroRect*) override {}
  void EraseClient(GComponent*) override {}
  // The face colour: held, highlighted, normal or disabled (the button's
  // own colour for that state when set).
  unsigned GetBgColor(GComponent* button) override;
  unsigned GetBorderColor(GComponent* button) override { return GetBorderColorGeneral(button); }
  // Called by GetBorderColor: the frame colour of the button's state
  // (disabled, held, focused, highlighted, normal).
  virtual unsigned GetBorderColorGeneral(GComponent* button);
};

// Static texts: a 3-pixel margin around the text, drawn on the background of
// what lies beneath unless the static has a background of its own.
class GThemeStaticWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;

  void GetClientGap(CFerroRect* gap) override { *gap = CFerroRect(3, 3, 3, 3); }
  void GetMinSize(GComponent*, int& w, int& h) override { w = h = 4; }
  // The static's own background colour when set, else its parent's.
  unsigned GetBgColor(GComponent* staticText) override;
  // Draws the static's formatted runs, scrolled by its scroll position, with
  // links underlined and a disabled static in its text colour.
  void RenderClient(GComponent* staticText) override;
};

// Pictures: the shown image at the client origin, transparency honoured.
class GThemePictureWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;

  // The image covers what it covers; nothing is erased.
  void EraseInnerRect(GComponent*, CFerroRect*) override {}
  void EraseClient(GComponent*) override {}
  void RenderClient(GComponent* picture) override;

 protected:
  // The surface the picture shows, or null.
  GSurface* GetShownImage(GComponent* picture);
};

// Dialogs and scenes: a light background, or the dialog's background picture
// centred in the client zone.
class GThemeDialogWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;

  unsigned GetBgColor(GComponent* dialog) override;
  void GetMinSize(GComponent*, int& w, int& h) override { w = h = 32; }
  // Fills the client zone with the background colour, unless the dialog's
  // background picture covers it all, and draws the picture centred on it.
  void EraseClient(GComponent* dialog) override;
};

// Check boxes: a square box with a check mark, and the label beside it.
class GThemeCheckBoxWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;

  // The label colour.
  unsigned GetTextColor(GComponent* box) override;
  // Draws the box, its mark when checked, and the label.
  void RenderClient(GComponent* box) override;
  // Called by RenderClient: the box's frame, face and check-mark colours in
  // the box's state (normal, highlighted, disabled).
  virtual unsigned GetBoxBorderColor(GComponent* box);
  virtual unsigned GetBoxFaceColor(GComponent* box);
  virtual unsigned GetCheckColor(GComponent* box);

 protected:
  // Called by RenderClient: whether the box shows its mark. Check boxes keep
  // no checked state of their own yet, so none is shown.
  virtual bool IsChecked(GComponent* box);
};

// Value rows: the label on the left, the value centred between the theme's
// scroll-arrow pictures (in their normal, lit, held and disabled states), on
// the background of what lies beneath; a one-pixel outline in the focus
// colour while the row shows the keyboard focus.
class GThemeValueRowWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;

  // The outline of the row that shows the keyboard focus.
  static constexpr unsigned kFocusColor = 0xFF9933;
  // Where the label starts, in client pixels.
  static constexpr int kLabelLeft = 8;

  // The row's own background colour when set, else its parent's.
  unsigned GetBgColor(GComponent* row) override;
  // The label, the value, the arrows, then the focus look.
  void RenderClient(GComponent* row) override;

 protected:
  // Called by RenderClient: the colours of the label and the value.
  virtual unsigned GetLabelColor(GComponent* row) { return GetTextColor(row); }
  virtual unsigned GetValueColor(GComponent* row) { return GetTextColor(row); }
  // Called by RenderClient for each arrow whose square is not empty (client
  // coordinates); lit tells the pointer is on it or holds it, enabled that
  // it does something.
  virtual void DrawRowArrow(GComponent* row, int arrow, const CFerroRect& square, bool lit,
                            bool enabled);
  // Called by RenderClient while the row shows the keyboard focus.
  virtual void DrawRowFocus(GComponent* row, int w, int h);
};

class GThemeListBoxWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;
};

class GThemeComboBoxWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;
};

class GThemeMenuWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;
};

class GThemeEditWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;
};

class GThemeTreeWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;
};

class GThemeGridWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;
};

class GThemeButtonImageWindows : public GThemeComponent {
 public:
  using GThemeComponent::GThemeComponent;
};

#pragma once

#include "GUI/toolkit/GComponent.h"

// A push button with a label. It is shown held down from the press to the
// release, highlighted under the cursor, and a click in a dialog also acts
// as the dialog's Enter or Escape when it is that dialog's Enter or Escape
// button. Its look is the theme's.
class GButton : public GComponent {
 public:
  // Takes the button drawing object of the application's theme.
  GButton();

  // Creates the button and sets its label when text is given.
  virtual bool Create(GComponent* parent, unsigned style, int x, int y, int w, int h, unsigned id,
                      const char* text);
  using GComponent::Create;

  bool IsButton() const override { return true; }
  // Held down between press and release; the press also moves its
  // dialog's keyboard focus here.
  void ClientOnLButtonDown(unsigned flags, int x, int y) override;
  void ClientOnLButtonUp(unsigned flags, int x, int y) override;
  // The dialog's OnEnter or OnCancel when this is its Enter or Escape
  // button, then OnLButtonClick.
  void ClientOnLButtonClick(unsigned flags, int x, int y) override;
  // Redraws with or without the highlight; coming under a moving pointer
  // moves the keyboard focus here.
  void GlobalOnMouseEnter(unsigned flags, int x, int y) override;
  void GlobalOnMouseLeave(unsigned flags) override;
  // A press that ends without its release lets the button up, unclicked.
  void SysOnCancelPress() override;
  // The theme draws the face and the label.
  bool InnerOnRender() override;
  void ClientOnRender() override;
};

#pragma once

#include <vector>

#include "GUI/toolkit/GComponent.h"

// The arrows of a value row.
enum VALUE_ROW_ARROW : int {
  ARROW_NONE = -1,
  ARROW_LESS = 0,  // the left one: the previous choice
  ARROW_MORE = 1,  // the right one: the next choice, or the row's action
};

// A setting on one line: its label (the window text) on the left, and on the
// right its value between two arrows. Left and Right (a gamepad's d-pad
// arrives as those keys) or a click on an arrow step the value through its
// choices, stopping at the first and the last; each step calls OnChange.
// A row without choices is an action row: it shows a value text and only
// the right arrow, and Enter, Space, Right or a click anywhere on it run its
// OnAction. The row is a focus stop of its dialog, so Up, Down and Tab move
// on to the next row; hovering it with a moving pointer, or pressing it,
// moves the focus here. Its look is the theme's.
//
// Geometry, in client coordinates of a row w x h: the value column starts at
// the value left (w / 2 unless set); the arrows are h x h squares at the
// value column's left end and at the row's right end, the value text is
// centred between them.
class GValueRow : public GComponent {
 public:
  // Takes the value-row drawing object of the application's theme.
  GValueRow();

  // Creates the row with its label.
  virtual bool Create(GComponent* parent, unsigned style, int x, int y, int w, int h, unsigned id,
                      const char* label);
  using GComponent::Create;

  // The choices the value steps through and the one shown (clamped to them).
  void SetChoices(std::vector<CFerroString> texts, int index);
  int GetChoiceCount() const { return static_cast<int>(choices.size()); }
  int GetIndex() const { return index; }
  // Shows another choice without calling OnChange (the setting changed
  // elsewhere); clamped to the choices.
  void SetIndex(int choice);
  // The text of an action row's value; a row with choices shows its choice.
  void SetValueText(const char* text);
  CFerroString GetValueText() const;
  bool IsActionRow() const { return choices.empty(); }

  // Where the value column starts, in client pixels.
  void SetValueLeft(int left);
  // An arrow's square, and the value's place between the arrows, in client
  // coordinates; an action row's left arrow is empty.
  CFerroRect GetArrowRect(int arrow);
  CFerroRect GetValueRect();
  // Whether the arrow does something now (the value is not at that end).
  bool IsArrowEnabled(int arrow) const;
  // The arrow under the pointer and the one held down by it, or ARROW_NONE.
  int GetHoverArrow() const { return hoverArrow; }
  int GetPressedArrow() const { return pressedArrow; }

  // Steps the value by one choice towards the arrow, calling OnChange; false
  // at that end. On an action row the right arrow runs OnAction.
  bool Step(int arrow);

  // Called after the player stepped the value, with the choice now shown.
  virtual void OnChange(int choice) { (void)choice; }
  // Called when the player chose an action row.
  virtual void OnAction() {}

  bool IsFocusStop() const override { return true; }
  // Left and Right step; on an action row Enter, Space and Right act. Other
  // keys go on to the dialog.
  bool OnFocusKeyDown(unsigned key, unsigned count, unsigned flags) override;
  // A press holds the arrow under it down; the click on the same arrow
  // steps (anywhere on an action row, acts). A double click is a press and
  // a click more, so it steps twice.
  void ClientOnLButtonDown(unsigned flags, int x, int y) override;
  void ClientOnLButtonUp(unsigned flags, int x, int y) override;
  void ClientOnLButtonClick(unsigned flags, int x, int y) override;
  // The arrow under the pointer is lit.
  void ClientOnMouseMove(unsigned flags, int x, int y) override;
  // Redraws with or without the highlight; coming under a moving pointer
  // moves the keyboard focus here.
  void GlobalOnMouseEnter(unsigned flags, int x, int y) override;
  void GlobalOnMouseLeave(unsigned flags) override;
  // A press that ends without its release lets the arrow up, unclicked.
  void SysOnCancelPress() override;
  // The theme draws the label, the value and the arrows.
  bool InnerOnRender() override;
  void ClientOnRender() override;

 private:
  // The arrow at a client point, or ARROW_NONE.
  int ArrowAt(int x, int y);

  std::vector<CFerroString> choices;
  int index = 0;
  CFerroString valueText;
  int valueLeft = -1;  // -1: half the row
  int hoverArrow = ARROW_NONE;
  int pressedArrow = ARROW_NONE;
  // The arrow both pressed and released on, which the click steps.
  int clickArrow = ARROW_NONE;
};

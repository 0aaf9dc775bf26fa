#pragma once

#include <vector>

#include "GUI/toolkit/GScroller.h"

class GSurface;

// The parts of a dialog's frame (DetectDialogElement, window coordinates).
enum DIALOG_ELEMENT : int {
  DIALOG_NONE = 0,     // inside, or nothing to act on
  DIALOG_CAPTION = 1,  // drags the dialog
  DIALOG_MINIMIZE = 2,
  DIALOG_MAXIMIZE = 3,  // maximize or restore
  DIALOG_CLOSE = 4,
  DIALOG_BORDER = 5,
  // Edges and corners of a thick border, which resize the dialog.
  DIALOG_LEFT = 6,
  DIALOG_RIGHT = 7,
  DIALOG_TOP = 8,
  DIALOG_BOTTOM = 9,
  DIALOG_LEFT_TOP = 10,
  DIALOG_RIGHT_TOP = 11,
  DIALOG_LEFT_BOTTOM = 12,
  DIALOG_RIGHT_BOTTOM = 13,
};

enum DIALOG_STATE : int {
  DIALOG_MINIMIZED = 0,
  DIALOG_NORMAL = 1,
  DIALOG_MAXIMIZED = 2,
};

// The window-like container: a caption with optional buttons, an optional
// background picture, optional scrolling of its children, Enter and Escape
// acting through its buttons, and a modal mode in which it rebuilds its
// content (OnInitDlg) every time it is shown. Scenes and every game dialog
// derive from it.
class GDialog : public GScroller {
 public:
  GDialog();
  ~GDialog() override;

  // Creates the component, then builds the content with OnInitDlg.
  bool Create(GComponent* parent, unsigned style, int x, int y, int w, int h, unsigned id) override;
  // Creates the dialog the first time (or rebuilds it with OnInitDlg), makes
  // it modal and centres it on the back buffer.
  void BeginModal() override;

  // Called by the Enter button's click (Enter acts as a click on it): ends a
  // modal run with 1.
  virtual void OnEnter();
  // Called by the Escape button's click and the close box: ends a modal run
  // with 2.
  virtual void OnCancel();
  // Called by Create and BeginModal: clears the frame state, destroys every
  // child; derived dialogs call it first, then build their children.
  virtual void OnInitDlg();

  // The button Enter presses, or null.
  GComponent* GetEnterButton();
  // The button Escape presses, or null.
  GComponent* GetEscapeButton();

  // [Keyboard focus] The focus rests on a child that is a focus stop, on
  // the dialog itself when it has a focus area of its own, or on nothing.
  // Tab and Shift+Tab move it through the stops in reading order (top to
  // bottom, then left to right; the dialog's own area first), and so do Up
  // and Down; Left and Right move it within its row. Each skips the hidden
  // and disabled stops and wraps round. Enter and Space press the focused
  // button as a click would (held down while the key is, clicked on its
  // release); Escape presses the Escape button. Hovering a button with the
  // mouse, or pressing it, moves the focus there.
  GComponent* GetFocusItem() const { return focusItem; }
  // Moves the focus to item: a focus stop of this dialog, or the dialog
  // itself when it has a focus area; anything else is refused.
  void SetFocusItem(GComponent* item);
  // Puts the focus where GetDefaultFocus says; called whenever the dialog
  // is shown anew (BeginModal, a box's Alert, a scene's start).
  void FocusDefault();
  // Where the focus starts: the dialog's own area when it has one, else the
  // Enter button, else the first stop.
  virtual GComponent* GetDefaultFocus();
  // Whether the keys move the focus in this dialog. One that says no keeps
  // only the Enter and Escape buttons, and passes the other keys on to the
  // dialog it lies in.
  virtual bool MovesFocusByKeys() const { return true; }
  // Whether the dialog's own client area is a focus stop (an editing area
  // that takes the arrows itself while it has the focus).
  virtual bool HasFocusArea() const { return false; }
  // The stops in reading order, usable or not: the visible focus stops
  // among the children, and the dialog itself first when it has a focus area.
  std::vector<GComponent*> GetFocusOrder();
  // Whether item can take the focus now.
  bool IsUsableFocus(GComponent* item);
  // Moves the focus step stops on in reading order (or within its row);
  // false when no other usable stop was found.
  bool MoveFocus(int step);
  bool MoveFocusInRow(int step);
  // The dialog whose focus the keys move now: the first one up from the
  // component with the keyboard that moves its focus by keys, or null.
  static GDialog* GetKeyDialog();
  // Whether the dialog's own area holds the focus and shows it (its dialog
  // has the keys and they were used last).
  bool IsFocusAreaShown();

  bool IsDialog() const override { return true; }
  bool IsMinimized() const override { return dialogState == DIALOG_MINIMIZED; }
  bool IsMaximized() const override { return dialogState == DIALOG_MAXIMIZED; }
  int GetDialogState() const { return dialogState; }
  bool IsButtonCloseVisibled() override;
  bool IsButtonMaximizeVisibled() override;
  bool IsButtonRestoreVisibled() override;
  bool IsButtonMinimizeVisibled() override;
  bool IsButtonCloseHilited() override { return hoverDialogElement == DIALOG_CLOSE; }
  bool IsButtonMaximizeHilited() override { return hoverDialogElement == DIALOG_MAXIMIZE; }
  bool IsButtonRestoreHilited() override { return hoverDialogElement == DIALOG_MAXIMIZE; }
  bool IsButtonMinimizeHilited() override { return hoverDialogElement == DIALOG_MINIMIZE; }
  // Maximized: (0, 0) and the parent's client size; minimized: a small
  // caption bar in a row along the bottom of the parent; normal: as stored.
  void GetPosition(int& x, int& y) override;
  void GetSize(int& w, int& h) override;

  // The part of the frame at (x, y), window coordinates.
  int DetectDialogElement(int x, int y);
  int GetHoverDialogElement() const { return hoverDialogElement; }
  int GetPressedDialogElement() const { return pressedDialogElement; }

  // Reads and decodes a picture drawn centred in the client area; no
  // background when path is null or the file cannot be used.
  void SetBackground(const char* path);
  // Takes ownership of the surface (owned by the device's list).
  void SetBackground(GSurface* surface);
  // Borrows the surface.
  void SetBackgroundPtr(GSurface* surface);
  GSurface* GetBackground() const { return background; }

  // Scrolls as little as needed to show child whole, with margin pixels
  // around it (a dialog that scrolls its children).
  void ScrollIntoView(GComponent* child, int margin);
  // With STYLE_SCROLL_CHILDREN the content is the extent of the visible
  // children, which scroll; without it there are no bars.
  void GetScrollSize(int& w, int& h) override;
  void GetScrollerOffset(int& x, int& y) override;
  void RecalcLayout() override;
  bool IsRecalcLayout() override { return true; }
  void OnCreateChild(GComponent* child) override;
  void OnDestroyChild(GComponent* child) override;

  // The focus keys; Enter and Escape hold their button down, and the
  // release clicks it.
  bool WinOnKeyDown(unsigned key, unsigned count, unsigned flags) override;
  bool WinOnKeyUp(unsigned key, unsigned count, unsigned flags) override;
  // Caption buttons, dragging by the caption, resizing by a thick border.
  void WinOnLButtonDown(unsigned flags, int x, int y) override;
  void WinOnMouseMove(unsigned flags, int x, int y) override;
  void WinOnLButtonUp(unsigned flags, int x, int y) override;
  void WinOnMouseLeave(unsigned flags) override;
  // Ends a drag or resize of the frame where it is and lets the button held
  // by a key up without a click.
  void SysOnCancelPress() override;
  // The theme draws the client area (background), then OnRender.
  void ClientOnRender() override;
  // The theme's resize cursors over the edges and corners of a thick border.
  GImage* OnSetCursorWIN(unsigned flags, int x, int y) override;

 protected:
  // Drops the background (deleting it unless borrowed).
  void DropBackground();
  // Switches between the minimized, normal and maximized states.
  void ChangeState(int state);
  // Redraws what the dialog covers before it moves or changes its size.
  void InvalidateBeneath();

  GSurface* background = nullptr;
  bool backgroundNotOwned = false;
  int pressedDialogElement = DIALOG_NONE;
  int hoverDialogElement = DIALOG_NONE;
  int pressCursorX = 0;
  int pressCursorY = 0;
  CFerroRect pressRect;  // x, y, right, bottom when the button went down
  int dialogState = DIALOG_NORMAL;
  int prevDialogState = DIALOG_NORMAL;
  unsigned savedStyle = 0;

 private:
  // The button with the given style bit, or the position-th shown button.
  GComponent* FindDialogButton(unsigned styleBit, int position);
  // The button Escape or Enter presses; null for other keys.
  GComponent* GetButtonForKey(unsigned key);
  // Holds button down until key is released.
  void PressByKey(GComponent* button, unsigned key);

  GComponent* focusItem = nullptr;
  // The button a key holds down, and that key.
  GComponent* keyPressed = nullptr;
  unsigned keyPressedKey = KEY_NONE;
};

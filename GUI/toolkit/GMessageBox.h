#pragma once

#include "GUI/toolkit/GDialog.h"

// Flags of GMessageBox::Alert. Each of the two bits counts one button (at
// least one, OK; the second is Cancel); bit 1 also puts a close box in the
// caption.
enum MESSAGE_BOX_FLAGS : unsigned {
  MB_OK = 0x1,
  MB_OK_CLOSE = 0x2,   // OK and a close box
  MB_OK_CANCEL = 0x3,  // OK, Cancel and a close box
};

// A dialog that lays itself out around a text and its buttons: OK, or OK and
// Cancel. Enter or OK ends its modal run with 1; Escape, Cancel or the close
// box with 2. It keeps itself centred on the picture.
class GMessageBox : public GDialog {
 public:
  static constexpr unsigned kId = 0xFFFFFE;
  // What GGame::MessageBox answers, and the ids of the two buttons.
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;

  // Builds the box (again) around caption and text and shows it modally;
  // flags are MESSAGE_BOX_FLAGS.
  virtual void Alert(const char* caption, const char* text, unsigned flags);

  // Recentres the box on the back buffer first when it keeps centred.
  void Invalidate() override;
};

// The main menu's question before quitting: OK quits the game.
class GMessageBoxQuit : public GMessageBox {
 public:
  // Asks the application to quit, then ends the run like any box.
  void OnEnter() override;
};

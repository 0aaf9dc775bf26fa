#pragma once

#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/GDialogCredits.h"
#include "game/app/GDialogOptions.h"
#include "game/app/GDialogSaveLoad.h"

// The main menu: the title picture with its column of command buttons. It
// owns the dialogs other scenes borrow: the quit question, the saved-game
// dialog, the credits and the options. They are members, not children: they join the tree of the
// current scene only while they are shown.
//
// Left alone for a minute (no key, button, wheel or mouse move, no dialog
// open, and the window keeping the input focus), the menu starts the
// demonstration by itself; when the demonstration returns, the keyboard
// focus is where it was.
class GSceneMenu : public GScene {
 public:
  // Main-timer ticks (50 ms) without input before the demonstration starts.
  static constexpr unsigned kAttractTicks = 60 * 20;

  GSceneMenu();

  // Called by the application for every key, button and wheel turn: the
  // player is there, so the wait starts again.
  void NoteInput();

  // Counts the ticks without input and starts the demonstration after kAttractTicks.
  void OnUpdate() override;
  void OnStart() override;
  // Keeps the focus for the return when the demonstration replaces the menu.
  void OnFinish(int nextScene) override;
  // The focus kept for the return from the demonstration, else the first button.
  GComponent* GetDefaultFocus() override;

  GMessageBoxQuit quitBox;
  GDialogSaveLoad saveLoadDialog;
  GDialogCredits creditsDialog;
  GDialogOptions optionsDialog;

 private:
  unsigned idleTicks = 0;
  // After the demonstration could not start by itself, it waits for input
  // before it tries again.
  bool waitForInput = false;
  int idleCursorX = -1;
  int idleCursorY = -1;
  GComponent* focusForReturn = nullptr;
};

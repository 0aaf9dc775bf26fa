#pragma once

#include "GUI/toolkit/GDialog.h"
#include "GUI/toolkit/GValueRow.h"
#include "game/app/GameTexts.h"
#include "game/model/GPlayerKeys.h"

class GKeyRow;
class GStatic;

// The keys of play: a row for each action (Left, Right, Up, Down, Dig, Rewind) with
// its key, a line that says why a key was refused, "Defaults" and "Done".
// Choosing a row (Enter, Space, Right, the pad's A, a click) makes it wait
// for the next key of the keyboard: "Press a key for Dig — Escape keeps it".
// A key another action has, Enter (which opens the in-game menu, as Escape
// does) and a key that cannot be a key of play are refused with the reason,
// and the row waits on; Escape or the pad's B ends the wait with the key
// kept, and so does moving the focus away. A pad's other buttons give no key:
// the pad plays with its own. Every key given, and "Defaults" (the arrows
// and Space), is in force at once.
class GDialogKeys : public GDialog {
 public:
  // The actions' labels in the rows, by PLAYER_KEY.
  static const Text kLabels[PLAYER_ACTIONS];
  // The name of a key as the player reads it, in the game's language: the
  // arrows, Space, Enter and the like by their names, a letter, digit or
  // function key by itself; empty for a key that cannot be a key of play
  // (but Escape and Enter, which are named to say why they are refused).
  static CFerroString ShownName(unsigned code);

  void OnInitDlg() override;
  // The focus starts on the first row.
  GComponent* GetDefaultFocus() override;
  // A row that lost the focus stops waiting.
  void OnUpdateModal() override;
  void EndModal(int result) override;

  // Makes row wait for a key.
  void Wait(GKeyRow* row);
  // Called by the waiting row with each key pressed on it; false: taken.
  bool TakeKey(GKeyRow* row, unsigned key, unsigned count);
  // The arrows and Space again.
  void RestoreDefaults();
  // The row waiting for a key, or null.
  GKeyRow* GetWaitingRow() const { return waiting; }
  // The line that says why a key was refused (empty when none was).
  CFerroString GetMessage() const;

 private:
  // Ends the wait; the row shows its key again.
  void StopWaiting();
  // Shows every row's key, and text on the message line.
  void ShowKeys(const char* message);

  GKeyRow* waiting = nullptr;
  GStatic* message = nullptr;
};

// A row of the keys of play: an action row whose id is its PLAYER_KEY + 1.
class GKeyRow : public GValueRow {
 public:
  PLAYER_KEY GetAction() const { return static_cast<PLAYER_KEY>(static_cast<int>(id) - 1); }
  // Starts the wait.
  void OnAction() override;
  // While waiting, every key goes to the dialog.
  bool OnFocusKeyDown(unsigned key, unsigned count, unsigned flags) override;
};

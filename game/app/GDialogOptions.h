#pragma once

#include "GUI/toolkit/GDialog.h"
#include "GUI/toolkit/GValueRow.h"
#include "game/app/GDialogKeys.h"

// The settings rows of the options, by id.
enum OPTION_ID : unsigned {
  OPTION_VOLUME = 1,
  OPTION_MUSIC_VOLUME,
  OPTION_SOUND,
  OPTION_DISPLAY,
  OPTION_SCALE,
  OPTION_MOTION,
  OPTION_KEYS,
  OPTION_SPEED,
  OPTION_STEERING,
  OPTION_LANGUAGE,
};

// The options: one value row per setting ("Sound volume", "Music volume",
// "Sound", "Display", "Scale", "Motion", "Speed", "Steering", "Keys",
// "Language") and "Done". Every change takes effect
// at once; however the dialog closes (Done, Enter, Escape, the pad's B), the
// settings file is written. "Keys" opens the keys of play. The rows come
// from one table, and the dialog grows with it. One instance exists, the
// main menu scene's; the in-game menu borrows it.
class GDialogOptions : public GDialog {
 public:
  // Builds the rows from the settings as they are now.
  void OnInitDlg() override;
  // The focus starts on the first row.
  GComponent* GetDefaultFocus() override;
  // Shows what changed elsewhere meanwhile (M, Alt+Enter or F11, the keys).
  void OnUpdateModal() override;
  // Closes and writes the settings file.
  void EndModal(int result) override;
  // Shows the labels and values in the new language, in place: the row
  // that chose the language keeps the focus.
  void OnTextsChanged() override;

  // Called by a row when the player changed it to value.
  void Apply(unsigned option, int value);

  GDialogKeys keysDialog;

 private:
  // Sets every row's value from the settings as they are now.
  void ShowSettings();
};

// A row of the options: its choices stand for values of a setting, and its
// changes go to the dialog.
class GOptionRow : public GValueRow {
 public:
  // Shows the choices (texts) of the values when they are others than
  // shown, and the choice of value.
  void Show(const std::vector<CFerroString>& texts, const std::vector<int>& values, int value);
  void OnChange(int choice) override;
  void OnAction() override;
  // The next Show sets its choices' texts anew.
  void ForgetChoices() { values.clear(); }

 private:
  std::vector<int> values;
};

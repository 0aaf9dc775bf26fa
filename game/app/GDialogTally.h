#pragma once

#include "GUI/toolkit/GDialog.h"
#include "game/model/CGameProgress.h"

// A won level as the tally tells it, or (added up) a whole game.
struct LEVEL_RESULT {
  int level = 0;  // its number in the level order; for a game, the levels won
  int time = 0;   // tenths of a second from the first key to the exit
  int treasures = 0;
  int aliensTrapped = 0;
  int holesDug = 0;
  int score = 0;         // what the level earned; for a game, its score
  WIN_NEWS news;         // the bests it beat
  bool rewound = false;  // play was taken back: its time and score are no bests

  LEVEL_RESULT& operator+=(const LEVEL_RESULT& won);
};

// The box a won level shows before the next one: "Level 07 cleared" over
// the level's time, treasures, aliens trapped, holes dug and score, the
// bests it beat marked (the time and score of a level whose play was taken
// back are marked "with rewind" instead). Its one button, OK (Enter, Space, the pad's A, a
// click), goes on to the next level; Escape does nothing.
class GDialogTally : public GDialog {
 public:
  // Shows the tally of result modally over the level.
  void Show(const LEVEL_RESULT& result);

  // Builds the rows and OK, and shows the mouse cursor for the click.
  void OnInitDlg() override;
  // Open on top, it is built again in the new language.
  void OnTextsChanged() override {
    if (IsModal()) Rebuild();
  }
  // OK: closes the box, then the game goes on (GSceneGame::GoOnAfterTally).
  void OnEnter() override;
  // However the box closes, the game's cursor is hidden again.
  void EndModal(int result) override;

  // The lines of a result as the box and the game's end show them: each a
  // label, its value and the best it beat (empty when none).
  struct LINE {
    CFerroString label, value, mark;
  };
  static std::vector<LINE> Lines(const LEVEL_RESULT& result);

  // The caption of the box: "Level 07 cleared".
  static CFerroString Caption(int level);
  // The result the box shows.
  const LEVEL_RESULT& GetShown() const { return shown; }

 private:
  LEVEL_RESULT shown;
};

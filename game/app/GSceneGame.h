#pragma once

#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/GDemonstration.h"
#include "game/app/GDialogMenu.h"
#include "game/app/GDialogTally.h"

class GReplayRecorder;

// The ways into a level. Each one shows the game scene, leaves no stroke of
// the editor open, gives the scene its menu button and opens the level's
// recording when the application records.
enum class PlayEntry {
  newGame,          // a new game (lives, score, treasures anew) from a chosen map
  testRun,          // a new game on one map that cannot be saved or loaded; its
                    // end returns to the maps manager
  savedGame,        // the level just read from a saved game, playing at once
  nextLevel,        // the next level of the list in the game that goes on
  lifeLost,         // the same level after a lost life, waiting for a key
  demonstration,    // the first replay of the demonstration
  checkedSolution,  // the win the map editor's check found, on the map as it
                    // is edited (PrepareSolution); its end returns to the
                    // editor, and nothing of it is recorded or counted
};

// The box announcing the end of a game; its OK returns to the main menu.
class GMessageBoxVictory : public GMessageBox {
 public:
  // Goes to the main menu, then closes like any box.
  void OnEnter() override;
};

// The running level with its status line and a "Menu (Esc)" button: the
// keyboard drives the runner, every tick advances the level while it plays,
// and the end of a level is timed here (next level, life lost, final
// message). The demonstration and a solution the map check found play here
// too: their replays' keys drive the runner instead, and the status line
// says so.
class GSceneGame : public GScene {
 public:
  // Ticks a won or lost level holds still before the next step.
  static constexpr unsigned kEndPause = 26;
  // The status texts: the level, the score and the lives along the line
  // below the map, and the line at the bottom of the screen.
  enum { STATUS_LEVEL, STATUS_SCORE, STATUS_LIVES, STATUS_BOTTOM, STATUS_TEXTS };

  // Enters play as how says: newGame and testRun start mapName (the map
  // list's current map becomes that name); the others take the level from
  // where they say. False when there is no level to enter: a new game or
  // test run whose map cannot be read leaves the player in the scene he came
  // from and tells him so; nextLevel has none after the last level; the
  // demonstration has no replay it can play (said in the error log); no
  // solution was prepared.
  bool EnterPlay(PlayEntry how, const CFerroString& mapName = CFerroString());
  // Prepares the solution that checkedSolution plays: events win the map
  // whose file's bytes are mapBytes in ticks; level is the number the status
  // line shows. False when the map cannot be read.
  bool PrepareSolution(const std::string& mapBytes, const std::vector<SIM_EVENT>& events,
                       unsigned ticks, int level);
  // Pauses a level that is playing (state 0 becomes 1). A level that is won
  // or lost keeps its state and counter, so pausing over its end sequence
  // does not replay it.
  static void PauseLevel();
  // The status texts: "LEVEL = 03", "SCORE = 00250", "LIFE = 10" and no
  // bottom line in play; "LEVEL = 09", "DEMONSTRATION" (or "SOLUTION"),
  // nothing and "Press any key to return" in a replay.
  void GetStatusTexts(CFerroString (&texts)[STATUS_TEXTS]) const;

  // Whether the level being played counts for the player's records and the
  // tally's bests: not a test play, not the demonstration, and not a play
  // while countsForRecords is off.
  bool CountsForRecords() const;
  // Off while the level is played by something other than the player (a
  // solution shown); a new or a loaded game turns it on again.
  bool countsForRecords = true;
  // What the won level's tally box goes on to, on OK: the next level of the
  // order, or after the last the congratulations with the game's totals.
  void GoOnAfterTally();
  // The tally of the game so far: the levels won since it began (or was
  // loaded) added up, with the game's score.
  const LEVEL_RESULT& GetGameTally() const { return gameTally; }

  // Ends the demonstration and returns to the main menu.
  void EndDemonstration();
  // Ends whichever replay plays: the demonstration returns to the main menu,
  // a solution to the map editor.
  void EndReplay();
  // A replay plays: its keys drive the runner, any key ends it.
  bool IsPlayingReplay() const { return demo.IsOn(); }
  bool IsDemonstrating() const {
    return demo.IsOn() && demo.GetKind() == GDemonstration::Kind::demonstration;
  }
  bool IsShowingSolution() const {
    return demo.IsOn() && demo.GetKind() == GDemonstration::Kind::solution;
  }
  const GDemonstration& GetDemonstration() const { return demo; }

  // Draws the level, its outline and the status line (what the frame's clip
  // lets through).
  void OnRender() override;
  // Brings the picture up to date before the frame draws it: the level's
  // changes since the last frame are drawn straight into the back buffer, and
  // the status line is invalidated when its text changed; the whole scene is
  // drawn again on a new level and after a dialog closed. A frame in which
  // nothing moved draws nothing, so nothing is presented.
  void OnBeforeRender() override;
  // The keys steer the runner: they never move a keyboard focus here, and
  // Enter and Escape only press the menu button.
  bool MovesFocusByKeys() const override { return false; }
  // Any key starts a waiting level; arrows steer, Space digs.
  void OnKeyDown(unsigned key, unsigned count, unsigned flags) override;
  void OnKeyUp(unsigned key, unsigned count, unsigned flags) override;
  // Hides the mouse cursor during play; OnFinish shows it again, and ends a
  // demonstration the scene is left in.
  void OnStart() override;
  void OnFinish(int nextScene) override;
  // Advances the level while it plays and times the end of a level.
  void OnUpdate() override;

  GMessageBoxVictory victoryBox;
  GDialogMenu menuDialog;
  GDialogTally tallyDialog;

 private:
  // Creates the "Menu (Esc)" button the first time a level starts.
  void CreateButtonMenu();
  // Makes this the current scene with no stroke of the editor open.
  void ShowPlay();
  // Starts the next level of the list that can be read (of the
  // demonstration's replays in the demonstration); false after the last.
  bool StartNextLevel();
  // Opens the recording of the level just entered when the application records.
  void BeginRecording(PlayEntry how);
  // The application's recorder, or null when it does not record or the
  // demonstration plays.
  GReplayRecorder* Recorder() const;
  // Where status text i is drawn (back-buffer pixels): its place and size.
  CFerroRect GetStatusRect(int i, const CFerroString& text);
  // The part of the back buffer the status texts cover.
  CFerroRect GetStatusArea(const CFerroString (&texts)[STATUS_TEXTS]);
  // Shows or hides the "Menu (Esc)" button, which the demonstration has no use for.
  void ShowMenuButton(bool show);
  // On the first tick of a won level: its result, recorded in the player's
  // records when the play counts, and added to the game's tally.
  void NoteWin();

  // The level just won, as its tally box shows it.
  LEVEL_RESULT wonLevel;
  LEVEL_RESULT gameTally;

  // What the picture shows: the level as of this count of background builds,
  // whether a dialog was over it, and the status texts.
  unsigned shownBuilds = 0;
  bool shownLevel = false;
  bool shownDialog = false;
  CFerroString shownStatus[STATUS_TEXTS];
  GDemonstration demo;
};

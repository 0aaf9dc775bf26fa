#pragma once

#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/GDemonstration.h"
#include "game/app/GDialogMenu.h"
#include "game/app/GDialogTally.h"
#include "game/app/GameTexts.h"
#include "game/model/GPlayerKeys.h"
#include "game/model/GRewind.h"

class GReplayRecorder;
enum MUSIC_PIECE : int;

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
  solution,         // the shipped replay that wins the level in play, shown in
                    // its place; nothing of it is recorded or counted
  levelAgain,       // the level in play from its beginning, with the lives,
                    // score and treasures it began with (after its solution)
  checkedSolution,  // the win the map editor's check found, shown as a solution
                    // on the map as it is edited (PrepareSolution); its end
                    // returns to the editor
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
// message). The demonstration and a level's solution (or the win the map
// editor's check found) play here too: their replays' keys drive the runner
// instead, and the status line says so.
// Over the level it says "Press any key to start" while a level waits for
// its first key, and for a moment that the exit opened or a life was won.
class GSceneGame : public GScene {
 public:
  // Ticks a won or lost level holds still before the next step.
  static constexpr unsigned kEndPause = 26;
  // Ticks a banner over the level stays (two seconds).
  static constexpr unsigned kBannerTicks = 40;
  // The status texts: the level, the score, the lives, the treasures left
  // and the mark of the switched-off sound along the line below the map, and
  // the line at the bottom of the screen.
  enum {
    STATUS_LEVEL,
    STATUS_SCORE,
    STATUS_LIVES,
    STATUS_TREASURES,
    STATUS_MUTED,
    STATUS_REWIND,
    STATUS_BOTTOM,
    STATUS_TEXTS
  };
  // The texts over the level: the one of a level waiting for its first key,
  // the short banner and the sign of a rewind.
  enum { OVERLAY_WAITING, OVERLAY_BANNER, OVERLAY_REWIND, OVERLAYS };
  // What STATUS_MUTED holds while the sound is off; the mark is drawn, not
  // written.
  static constexpr const char* kMutedMark = "muted";
  // Ticks taken back for every tick the rewind key is held.
  static constexpr unsigned kRewindSpeed = 2;

  // Enters play as how says: newGame and testRun start mapName (the map
  // list's current map becomes that name); the others take the level from
  // where they say. False when there is no level to enter: a new game or
  // test run whose map cannot be read leaves the player in the scene he came
  // from and tells him so; nextLevel has none after the last level; the
  // demonstration has no replay it can play (said in the error log); the
  // level in play has no solution (or none was prepared for
  // checkedSolution); the level cannot be read again.
  bool EnterPlay(PlayEntry how, const CFerroString& mapName = CFerroString());
  // Whether the game ships a replay that wins the level in play (found by the
  // content of its map file), which "Show Solution" shows.
  bool HasSolution() const;
  // Prepares the solution that checkedSolution plays: events win the map
  // whose file's bytes are mapBytes in ticks; level is the number the status
  // line shows. False when the map cannot be read.
  bool PrepareSolution(const std::string& mapBytes, const std::vector<SIM_EVENT>& events,
                       unsigned ticks, int level);
  // Pauses a level that is playing (state 0 becomes 1). A level that is won
  // or lost keeps its state and counter, so pausing over its end sequence
  // does not replay it.
  static void PauseLevel();
  // The status texts: "LEVEL = 03", "SCORE = 00250", "LIFE = 10",
  // "TREASURE = 04", "REWIND" while rewinding and no bottom line in play;
  // in a replay "LEVEL = 09", "DEMONSTRATION" or "SOLUTION", and "Press any
  // key to return" ("Press any key to play the level" for a level's solution
  // in a game; the map check's win of a map outside the level order has no
  // level). kMutedMark while the sound is off.
  void GetStatusTexts(CFerroString (&texts)[STATUS_TEXTS]) const;
  // The texts over the level now (empty when not shown).
  void GetOverlayTexts(CFerroString (&texts)[OVERLAYS]) const;

  // Whether the level being played counts for the player's records and the
  // tally's bests: not a test play, not the demonstration, and not a play
  // while countsForRecords is off.
  bool CountsForRecords() const;
  // Off while the level is played by something other than the player (a
  // solution shown); a new or a loaded game, and the level started again
  // after its solution, turn it on again.
  bool countsForRecords = true;
  // What the won level's tally box goes on to, on OK: the next level of the
  // order, or after the last the congratulations with the game's totals.
  void GoOnAfterTally();
  // The tally of the game so far: the levels won since it began (or was
  // loaded) added up, with the game's score.
  const LEVEL_RESULT& GetGameTally() const { return gameTally; }

  // Sets the tick period and the runner's steering: the player's speed and
  // steering while the player's level is shown (noted in its recording), the
  // normal speed otherwise (a replay, which steers as it was recorded, or
  // another scene when shown is false). Called whenever one of them may
  // have changed.
  void ApplyPlayChoices(bool shown = true);

  // Ends the demonstration and returns to the main menu.
  void EndDemonstration();
  // Ends the solution: the level starts again as before it, or the map
  // editor comes back after the map check's win.
  void EndSolution();
  // Ends whichever replay plays.
  void EndReplay();
  // A replay plays: the demonstration or a solution. Its keys drive the
  // runner, nothing of it is recorded, any key ends it.
  bool IsPlayingReplay() const { return demo.IsOn(); }
  bool IsDemonstrating() const {
    return demo.IsOn() && demo.GetKind() == GDemonstration::Kind::demonstration;
  }
  // A level's solution plays in place of the player's level: its win is not
  // the player's.
  bool IsShowingSolution() const {
    return demo.IsOn() && demo.GetKind() == GDemonstration::Kind::solution;
  }
  const GDemonstration& GetDemonstration() const { return demo; }

  // Play taken back: while the rewind key is held the level runs backwards,
  // kRewindSpeed ticks a tick, each shown, as far as the ring reaches (half
  // a minute, never before the level's start or its last lost life). It
  // works while the level plays, waits or holds still after a catch (which
  // it takes back, with the life); never in a replay, a won level or under
  // a dialog. Let go, the runner stands and the level waits for a key.
  bool IsRewinding() const { return rewinding; }
  // Whether the level in play was taken back: its win counts as cleared
  // but sets no best, and its tally says so.
  bool WasRewound() const { return rewound; }
  const GRewind& GetRewind() const { return rewind; }

  // Draws the level, its outline and the status line (what the frame's clip
  // lets through).
  void OnRender() override;
  // Brings the picture up to date before the frame draws it: the level's
  // changes since the last frame are drawn straight into the back buffer, and
  // the status line is invalidated when its text changed; the whole scene is
  // drawn again on a new level and after a dialog closed. A frame in which
  // nothing moved draws nothing, so nothing is presented.
  void OnBeforeRender() override;
  // Frames between ticks while play moves units and the motion is smooth.
  bool WantsFramesBetweenTicks() const override;
  // The keys steer the runner: they never move a keyboard focus here, and
  // Enter and Escape only press the menu button.
  bool MovesFocusByKeys() const override { return false; }
  // Any key starts a waiting level; the keys of play (the player's choice,
  // the arrows and Space at first) steer and dig.
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
  // Asks the application for the piece of music, when it is the game's.
  void PlayMusic(MUSIC_PIECE piece);
  // The application's recorder, or null when it does not record or the
  // demonstration plays.
  GReplayRecorder* Recorder() const;
  // Where status text i is drawn (back-buffer pixels): its place and size.
  CFerroRect GetStatusRect(int i, const CFerroString& text);
  // The part of the back buffer the status texts cover.
  CFerroRect GetStatusArea(const CFerroString (&texts)[STATUS_TEXTS]);
  // The room text i of the status line (drawn at text) has to stay inside.
  CFerroRect GetStatusRoom(int i, const CFerroRect& text);
  // Where overlay i with this text is drawn (back-buffer pixels, its panel
  // included); empty without text.
  CFerroRect GetOverlayRect(int i, const CFerroString& text);
  // Draws the overlays over the level, each text on a panel.
  void DrawOverlays(GSurface* back);
  // Asks for the scene to be drawn again within rect (back-buffer pixels).
  void InvalidateBackRect(const CFerroRect& rect);
  // Shows a banner for kBannerTicks, after what the last tick did: the exit
  // opened, a life was won.
  void NoteBanner(int treasuresBefore, int livesBefore);
  // What a key does in play: the keyboard's keys as the player chose them,
  // a gamepad's as always.
  PLAYER_KEY GetAction(unsigned key) const;
  // Whether a key that gives the action is held.
  bool IsActionHeld(PLAYER_KEY action) const;
  // An action's key let go: the level and the recording are told.
  void ReleaseAction(PLAYER_KEY action);
  // Lets go the directions the runner counts as held whose keys are no
  // longer held: a key released while a dialog had the keys never reached
  // the scene.
  void ReleaseKeysLetGo();
  // How far the picture is from the last tick to the next: by the time since
  // the tick in smooth motion, always at the tick's positions in classic.
  int MotionPhase() const;
  // Shows or hides the "Menu (Esc)" button, which the demonstration has no use for.
  void ShowMenuButton(bool show);
  // On the first tick of a won level: its result, recorded in the player's
  // records when the play counts, and added to the game's tally.
  void NoteWin();
  // The rewind key went down or up; a tick of the rewind.
  void BeginRewind();
  void EndRewind();
  void StepRewind();

  // The level just won, as its tally box shows it.
  LEVEL_RESULT wonLevel;
  LEVEL_RESULT gameTally;

  // What the picture shows: the level as of this count of background builds,
  // whether a dialog was over it, the status texts, the texts over the level
  // and the level's tick.
  unsigned shownBuilds = 0;
  bool shownLevel = false;
  bool shownDialog = false;
  CFerroString shownStatus[STATUS_TEXTS];
  CFerroString shownOverlays[OVERLAYS];
  unsigned shownTick = 0;
  GDemonstration demo;
  GRewind rewind;
  bool rewinding = false;
  bool rewound = false;
  // The banner's text and the ticks it has left.
  Text banner = Text::BannerExitOpen;
  unsigned bannerTicks = 0;
  // The counters the level in play began with, and whether it was a test
  // run: the level starts again with them after its solution.
  struct LEVEL_START {
    int score = 0;
    int lives = 0;
    int treasures = 0;
    bool testRun = false;
  } levelStart;
  // The solution shown is the map editor's check's: it returns to the editor.
  bool solutionFromEditor = false;
};

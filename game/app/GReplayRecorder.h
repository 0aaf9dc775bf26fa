#pragma once

#include <memory>
#include <optional>
#include <string>

#include "GUI/foundation/CFerroString.h"
#include "game/model/GPlayerKeys.h"
#include "game/model/GameSpeed.h"

class CFerroStreamFile;

// Writes the keys of every level played into a folder, one script a level
// (and a new one after every lost life) in the form digmaze-sim reads: "t down KEY" and "t up KEY",
// t counting the level's updates from its start, so that a won level replays headless to the same
// end. Comments mark where the level came from, lives lost and the end, whose "# end" line repeats
// digmaze-sim's last status line. The speed the level ran at and the way the keys
// steered are lines of the script too, from the level's start and again whenever
// they change.
//
// Files are named after the map without its extension: "level07.txt" for the
// first play of "level07.dmm", then "level07-2.txt", "level07-3.txt" and so
// on; an existing file is never overwritten. Every line reaches the file as it
// is written, so a recording survives the game being stopped. Writing is best
// effort: when a file cannot be made or written, the rest of that level goes
// unrecorded and play goes on.
class GReplayRecorder {
 public:
  GReplayRecorder();
  ~GReplayRecorder();
  GReplayRecorder(const GReplayRecorder&) = delete;
  GReplayRecorder& operator=(const GReplayRecorder&) = delete;

  // The folder to record into (created when missing); empty switches recording off.
  void SetFolder(const CFerroString& folder);
  bool IsOn() const { return folder.GetLength() > 0; }

  // A level starts from its map, goes on after a lost life, or resumes from a
  // saved game at tick: closes the previous recording and opens the next free
  // file for mapName. startLine, when given, follows the map's name: the
  // counters (and after a lost life the treasures taken) digmaze-sim starts
  // the replay from, so that it plays on exactly as the game did.
  void BeginLevel(const CFerroString& mapName, unsigned tick, bool fromSavedGame,
                  const std::string& startLine = std::string());
  // A key the game scene handled at tick, as the action it gave the runner
  // (whichever key the player chose for it); changedPlay tells whether the
  // press changed the level's state or the runner's controls (a repeated
  // press of a held key that changed nothing needs no line).
  void KeyDown(unsigned tick, PLAYER_KEY action, bool changedPlay);
  void KeyUp(unsigned tick, PLAYER_KEY action);
  // The speed and steering of play from tick on: a line for each that
  // differs from what the recording says so far (both at its first call).
  void NoteChoices(unsigned tick, GameSpeed speed, Steering steering);
  // A comment line ("# " and text), such as a life lost.
  void Note(const std::string& text);
  // The level ended (won) or was left: writes "# " and text and closes the file.
  void EndLevel(const std::string& text);

  // The path of the file being written, empty when none is open.
  const std::string& GetPath() const { return path; }

 private:
  void Line(const std::string& text);

  CFerroString folder;
  std::unique_ptr<CFerroStreamFile> file;
  std::string path;
  bool held[PLAYER_SCRIPTED] = {};
  std::optional<GameSpeed> notedSpeed;
  std::optional<Steering> notedSteering;
};

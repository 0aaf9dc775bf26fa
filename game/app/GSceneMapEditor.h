#pragma once

#include <string>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/GDialogCheck.h"

class GPictureCell;
class GSurface;

// The map editor: the map where the game shows it, a palette of the eight
// placeable cell kinds numbered 1 to 8, Check, Save and Cancel. The left
// button paints the chosen kind, the right one erases; each stroke is one
// step of the undo history. With Shift held, a drag spans a rectangle,
// shown as it will be, which the release fills (or empties) as one stroke.
// The map is the scene's own keyboard focus area: there the arrows move a
// square cursor, Space paints and Delete erases, and a key held while the
// cursor moves makes one stroke, as a drag does; Shift with the arrows
// spans a rectangle from the cursor, which Space fills and Delete empties.
// Check searches a win for the map as it stands (GDialogCheck) and can show
// it in the game scene, after which the editor is back as it was.
class GSceneMapEditor : public GScene {
 public:
  GSceneMapEditor();

  // The map, the outline of the square under the cursor and the map's frame.
  void OnRender() override;
  void OnLButtonDown(unsigned flags, int x, int y) override;
  void OnLButtonUp(unsigned flags, int x, int y) override;
  void OnRButtonDown(unsigned flags, int x, int y) override;
  void OnRButtonUp(unsigned flags, int x, int y) override;
  void OnMouseMove(unsigned flags, int x, int y) override;
  // A stroke whose release never comes ends where it is, as one undo step.
  void OnCancelPress() override;
  // The arrows bring the keyboard focus back to the map from the buttons.
  bool WinOnKeyDown(unsigned key, unsigned count, unsigned flags) override;
  bool HasFocusArea() const override { return true; }
  // Digits choose a palette entry and Page Up and Page Down the one before
  // or after; Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo (the system key
  // works as Ctrl does). On the map the arrows move the cursor, Space and
  // Delete start a stroke that paints or erases under it.
  void OnKeyDown(unsigned key, unsigned count, unsigned flags) override;
  // Letting go of Space or Delete ends its stroke.
  void OnKeyUp(unsigned key, unsigned count, unsigned flags) override;
  // Brick is chosen on every entry; back from a shown solution, the map,
  // the chosen kind and the history are as they were.
  void OnStart() override;
  // The history and its files go when the editor is left (but not for a
  // shown solution).
  void OnFinish(int nextScene) override;

  // Checks the map as it stands (the editor's "Check").
  void CheckMap();
  // Plays the win the check found in the game scene; the editor comes back
  // with the map, its name and its history as they are now.
  void ShowSolution();
  GDialogCheck checkDialog;
  // The squares of the rectangle a Shift drag or Shift with the arrows
  // spans; false when none is.
  bool GetRectangle(CFerroRect& squares) const;

  // Palette entry i (pictures only, in order), or null.
  GPictureCell* GetPaletteEntry(int i) const;
  // The keyboard cursor's square.
  int GetCursorX() const { return cursorX; }
  int GetCursorY() const { return cursorY; }
  // Called by the commands that open a map in the editor, once it is loaded:
  // the map as it is now counts as unchanged.
  void RememberOpenedMap();
  // Whether the map differs from the one opened.
  bool HasChanges() const;

 private:
  // What a stroke does to the squares it crosses: the left button paints the
  // palette's cell, the right one clears.
  enum class Stroke { paint, clear };
  // Paints or clears the square at (x, y), if any; false when (x, y) is not
  // over the map.
  bool Change(int x, int y, Stroke stroke);
  // Changes every square the cursor crossed from the last position to
  // (x, y), so a quick drag leaves no gaps.
  void ChangeAlong(int x, int y, Stroke stroke);
  // A press over the map starts a stroke; elsewhere it does nothing.
  void StartStroke(int x, int y, Stroke stroke);
  void EndStroke();
  // The palette entry after (step 1) or before (-1) the chosen one, round.
  void StepPalette(int step);
  // Keeps the cursor on the map and changes its square during a key stroke.
  void MoveCursor(int dx, int dy);
  // A Shift press over the map starts a rectangle at its square.
  void StartRectangle(int x, int y, Stroke stroke);
  // Fills the rectangle with the stroke's kind as one step, and drops it.
  void FillRectangle(Stroke stroke);
  // Draws the rectangle being spanned as it would be filled, outlined.
  void DrawRectangle(GSurface* back);

  // The key whose stroke is under way (Space or Delete), or KEY_NONE.
  unsigned strokeKey = KEY_NONE;
  int cursorX = 0;
  int cursorY = 0;
  // The map's bytes as opened (its file's layout).
  std::string openedMap;
  bool painting = false;
  // The cursor's last position during a stroke.
  int lastX = 0;
  int lastY = 0;
  // The rectangle: spanned by the mouse (what the release does) or by the
  // keys; its first square, and the square at the other corner.
  enum class Spanning { none, paint, clear, keys };
  Spanning spanning = Spanning::none;
  int anchorX = 0;
  int anchorY = 0;
  int cornerX = 0;
  int cornerY = 0;
  // While a solution the check found is shown: the map as it was edited.
  bool showingSolution = false;
  std::string mapBeforeSolution;
  CFerroString nameBeforeSolution;
};

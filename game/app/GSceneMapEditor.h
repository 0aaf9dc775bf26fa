#pragma once

#include <string>

#include "GUI/toolkit/GScene.h"

class GPictureCell;

// The map editor: the map where the game shows it, a palette of the eight
// placeable cell kinds numbered 1 to 8, Save and Cancel. The left button
// paints the chosen kind, the right one erases; each stroke is one step of
// the undo history.
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
  // Digits choose a palette entry; Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y
  // redo (the system key works as Ctrl does).
  void OnKeyDown(unsigned key, unsigned count, unsigned flags) override;
  // Brick is chosen on every entry.
  void OnStart() override;
  // The history and its files go when the editor is left.
  void OnFinish(int nextScene) override;

  // Palette entry i (pictures only, in order), or null.
  GPictureCell* GetPaletteEntry(int i) const;
  bool IsPainting() const { return painting; }
  // Called by the commands that open a map in the editor, once it is loaded:
  // the map as it is now counts as unchanged.
  void RememberOpenedMap();
  // Whether the map differs from the one opened.
  bool HasChanges() const;

 private:
  // Paints (or with paint false erases) the square at (x, y), if any;
  // false when (x, y) is not over the map.
  bool Change(int x, int y, bool paint);
  // Changes every square the cursor crossed from the last position to
  // (x, y), so a quick drag leaves no gaps.
  void ChangeAlong(int x, int y, bool paint);
  // A press over the map starts a stroke; elsewhere it does nothing.
  void StartStroke(int x, int y, bool paint);
  void EndStroke();

  // The map's bytes as opened (its file's layout).
  std::string openedMap;
  bool painting = false;
  // The cursor's last position during a stroke.
  int lastX = 0;
  int lastY = 0;
};

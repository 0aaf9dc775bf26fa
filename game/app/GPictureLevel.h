#pragma once

#include "GUI/toolkit/GPicture.h"
#include "game/model/CGameProgress.h"

// One level of the level select: the map's miniature with the level's
// number under it, a mark when it is cleared, and its best time and score.
// A locked level is dimmed and cannot be hovered or clicked (it is
// disabled). The frame of the chosen picture marks the level Enter starts.
class GPictureLevel : public GPicture {
 public:
  // The miniature's size: a 30 x 20 map as 6 x 6 pixels a square.
  static constexpr int kMiniWidth = 180;
  static constexpr int kMiniHeight = 120;
  // The picture's size, its frame included.
  static constexpr int kWidth = kMiniWidth + 6;
  static constexpr int kHeight = kMiniHeight + 30;

  // Shows level number (from 1) with its record, open or locked; the
  // miniature is drawn again from the map file name when its content
  // (digest) or its lock changed.
  void SetLevel(int number, const CFerroString& name, const std::string& digest,
                const LEVEL_RECORD& record, bool open);
  int GetNumber() const { return number; }
  bool IsOpen() const { return open; }
  const LEVEL_RECORD& GetRecord() const { return record; }

  // The number, the cleared mark or the lock, and the bests under the miniature.
  void OnRender() override;
  // The mouse moved onto an open level moves the grid's frame there.
  void OnMouseEnter(unsigned flags, int x, int y) override;
  // A click starts the level.
  void OnLButtonClick(unsigned flags, int x, int y) override;

 private:
  // Draws the map's miniature (dimmed when locked) into the picture.
  void DrawMiniature(const CFerroString& name);

  int number = 0;
  LEVEL_RECORD record;
  bool open = false;
  // What the miniature shows.
  std::string shownDigest;
  bool shownOpen = false;
  bool drawn = false;
};

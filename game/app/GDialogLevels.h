#pragma once

#include <string>
#include <vector>

#include "GUI/toolkit/GDialog.h"
#include "game/model/CGameProgress.h"

class GPictureLevel;

// The level select's scrolling grid: one picture per level of the level
// order, in rows of as many as the width holds. It is one stop of the
// scene's keyboard focus: while it holds it, the arrows move the frame from
// open level to open level (passing over locked ones), Home and End go to
// the first and last open level, Page Up and Page Down a screen of rows, and
// Enter or Space starts the framed level on its release. The grid scrolls to
// keep the frame in sight. Its other keys are the scene's.
class GDialogLevels : public GDialog {
 public:
  // One level as the grid shows it.
  struct LEVEL {
    CFerroString name;
    std::string digest;
    LEVEL_RECORD record;
    bool open = false;
  };
  // A run of levels under a heading: the levels from first on, up to the
  // next section's first. A section without a title takes no room.
  struct SECTION {
    int first = 0;
    CFerroString title;
  };

  // Brings the pictures in step with the levels (a miniature is drawn again
  // only when its map's content or lock changed) and puts the frame on
  // level current.
  void SetLevels(const std::vector<LEVEL>& levels, int current);
  // The headings over runs of levels; none by default.
  void SetSections(const std::vector<SECTION>& sections);
  int GetLevelCount() const { return static_cast<int>(levels.size()); }
  GPictureLevel* GetLevel(int i) const;
  // The framed level, or -1.
  int GetCurrent() const { return current; }
  // Moves the frame to open level i and scrolls it into sight.
  void SetCurrent(int i);
  // Starts a new game on open level i (the game scene's one way into play).
  void StartLevel(int i);

  bool IsFocusStop() const override { return true; }
  bool MovesFocusByKeys() const override { return false; }
  bool OnFocusKeyDown(unsigned key, unsigned count, unsigned flags) override;
  // Called with every key released, by the scene or (while the grid has the
  // keys, after a click) itself: the release of the key that holds the
  // framed level down starts it.
  void OnFocusKeyUp(unsigned key);
  void OnKeyUp(unsigned key, unsigned, unsigned) override { OnFocusKeyUp(key); }
  // Lets a level held down by a key go without starting it.
  void DropHeldKey();

  // The pictures' extent and a gap below the last row.
  void GetScrollSize(int& w, int& h) override;
  // Draws the sections' titles.
  void OnRender() override;

  int gap = 9;
  // Above a section's title, and its height.
  int titleHeight = 30;

 private:
  // Places the pictures in rows, each section starting a row of its own.
  void Layout();
  // The nearest open level from level from on, step levels at a time; from
  // itself when there is none.
  int StepOpen(int from, int step) const;
  // Where the title of each section stands (content coordinates), -1 none.
  std::vector<int> titleY;

  std::vector<LEVEL> levels;
  std::vector<SECTION> sections;
  int columns = 1;
  // Where the rows start.
  int rowLeft = 0;
  int current = -1;
  // The key holding the framed level down, or none.
  unsigned heldKey = KEY_NONE;
};

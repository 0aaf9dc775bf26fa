#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/foundation/CFerroString.h"
#include "game/model/GCell.h"
#include "game/model/GPlayerKeys.h"
#include "game/model/LEVEL_TALLY.h"

class CFerroStream;
class GRecordReader;
class GSurface;
class GUnit;

// The editor's record of one stroke, opened by the map before the first
// change of a stroke so that it can snapshot the grid as it was.
class GMapUndo {
 public:
  virtual ~GMapUndo() = default;
};

// The level: the grid of cells, the units and the state of play. One instance
// exists (GetInstance), which the units and cells act on.
//
// Sections of the sources: GMap.cpp (grid, geometry, background, drawing),
// GMapFile.cpp (map file), GMapPlay.cpp (start, update, restart, unit look-ups);
// the cells' own reactions (treasure, exit, hole) are in GCell.cpp.
class GMap {
 public:
  enum { SQUARE = 32, MAP_TOP = 10 };
  // Level states.
  enum { STATE_PLAYING = 0, STATE_WAITING = 1, STATE_WON = 2, STATE_CAUGHT = 3 };
  // The largest side a map file may declare; larger files are refused.
  enum { MAX_SIDE = 1024 };

  static GMap* GetInstance();

  GMap(const GMap&) = delete;
  GMap& operator=(const GMap&) = delete;
  ~GMap();

  // Grid.
  GCell* GetCell(int x, int y);
  bool IsInside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  bool SetCell(int x, int y, int code);
  void ClearCell(int x, int y) { SetCell(x, y, CELL_EMPTY); }
  void ChangeCell(int x, int y, bool paint) { SetCell(x, y, paint ? paletteCode : CELL_EMPTY); }
  void Create(int width, int height);
  void Clear();
  void ClearUnits();
  // Number of cells of that code in the grid.
  int CountCells(int code) const;
  GCell* GetOutsideCell() { return &outsideCell; }

  // Geometry.
  void GetPosition(int x, int y, int& px, int& py) const;
  void GetPositionTV(int& left, int& top) const;
  void GetCellCoordinates(int sx, int sy, int& cx, int& cy) const;
  // True while the map is being edited (the application's probe says so): grid changes are then
  // recorded for undo, and no units are drawn.
  bool IsEdited() const;
  // Ends the stroke being recorded, if any: the open undo step is handed to undoFinisher (which
  // takes its after-snapshot and keeps it), or dropped when there is none.
  void FinishUndo();

  // The level's own drawing surfaces (the tint of the end states and the
  // background), made anew on the current device, or forgotten when the
  // device is going away.
  void LoadMedia();
  void ForgetMedia();

  // Background.
  GSurface* GetMapBackground();
  void RefreshMapBackground();
  void RefreshCell(int x, int y);
  // How many times the whole background was drawn anew (a level started,
  // restarted or loaded, a map of another size, new media): whoever shows the
  // level draws all of it again when this changes.
  unsigned GetBackgroundBuilds() const { return backgroundBuilds; }

  // Map file. Reading is all or nothing: a file that does not parse leaves the
  // map exactly as it was and returns false.
  bool Serialize(CFerroStream& stream, bool withUnits);
  bool LoadFromFile(const char* name);
  bool SaveToFile(const char* name);
  bool LoadFromPath(const char* path);
  bool SaveToPath(const char* path);
  // A name usable as a file of the maps folder: not empty, no '/', '\' or "..".
  static bool IsSafeFileName(const CFerroString& name);

  // Level play.
  bool Start();
  // Start from the map already loaded (digmaze-sim and tests load it by path).
  void StartLoaded();
  void Update();
  void Restart();
  // A key pressed or released during play: any key starts a waiting level;
  // the arrows set the runner's direction (and a released one, as the
  // runner's steering says); dig digs while held, and stops a falling
  // runner's direction.
  void PressKey(PLAYER_KEY key);
  void ReleaseKey(PLAYER_KEY key);
  void ShowExit();
  GUnit* FindLockedAlien(int x, int y);
  GUnit* FindAlienOverHole(int x, int y);
  void SetState(int value);
  // Draws the whole level into the back buffer: the background, then the
  // runner, then the aliens.
  void CopyToBackbuffer();
  // Draws into the back buffer only what changed since the level was last
  // drawn there: every square whose background changed and the places each
  // unit left and reached. Each such rectangle is drawn whole, background
  // first and every unit over it in the same order, so the picture is the one
  // CopyToBackbuffer would leave. The rectangles drawn (back-buffer pixels)
  // are added to changed when it is given. Drawn under the back buffer's clip;
  // when the clip does not hold the whole level, all of it is drawn under the
  // clip and the changes outside stay to be drawn.
  void CopyChangesToBackbuffer(std::vector<CFerroRect>* changed = nullptr);
  int GetAlienCount() const { return static_cast<int>(aliens.size()); }

  // Drawing between ticks. A unit that moved by a step on the last tick is
  // drawn on its way, at the motion phase's share of the step: from where it
  // stood when the tick began (phase 0) to where it stands (kPhaseWhole).
  // A unit that moved further (out of a hole, into one) is drawn where it
  // stands. The phase is kPhaseWhole until set, so whatever sets none draws
  // the units where the rules have them.
  static constexpr int kPhaseWhole = 1024;
  void SetMotionPhase(int phase);
  int GetMotionPhase() const { return motionPhase; }
  // The units' positions jumped (a level started, a restart after a lost
  // life, a loaded game, play rewound): until the level next moves them they
  // are drawn where they stand, with nothing in between. Start, Restart and
  // a loaded level call it themselves; the game scene calls it on every tick
  // before play moves the units.
  void SettleUnits();
  // Whether a unit is on its way between two positions one step apart, so a
  // picture between ticks differs from the last.
  bool HasUnitsInMotion() const;
  // Where unit is drawn now (map pixels).
  void GetDrawnPosition(const GUnit& unit, int& px, int& py) const;

  // How the editor opens an undo step (which takes its before-snapshot when
  // made); the application installs it.
  static std::function<std::unique_ptr<GMapUndo>(GMap&)> undoFactory;
  // How a finished stroke's step is completed and kept; the application installs it.
  static std::function<void(std::unique_ptr<GMapUndo>)> undoFinisher;
  // Whether the map is being edited; the application installs a scene test. Without it the map
  // is never edited (tools, the simulator).
  static std::function<bool()> editedProbe;

  unsigned reserved = 0;
  CFerroString fileName;
  int width = 0;
  int height = 0;
  std::vector<std::unique_ptr<GCell>> cells;
  int paletteCode = CELL_BRICK;
  std::unique_ptr<GMapUndo> pendingUndo;
  int exitX = 0;
  int exitY = 0;
  std::unique_ptr<GUnit> runner;
  std::vector<std::unique_ptr<GUnit>> aliens;
  unsigned tick = 0;
  GCellFloor outsideCell;
  int state = 0;
  unsigned stateCounter = 0;
  GSurface* tintSurface = nullptr;
  bool testMode = false;
  // Counted since the level started (or the game in it was loaded).
  LEVEL_TALLY tally;

  static GSurface* map_bg;

  // A map record read from a file and checked, waiting to replace the level.
  struct Content {
    int width = 0;
    int height = 0;
    int exitX = 0;
    int exitY = 0;
    std::vector<std::unique_ptr<GCell>> cells;
    std::unique_ptr<GUnit> runner;
    std::vector<std::unique_ptr<GUnit>> aliens;
    unsigned tick = 0;
  };
  // Reads and checks a map record (with the units when asked); false for a
  // truncated or inconsistent record. The map itself is not touched.
  static bool ReadContent(GRecordReader& reader, bool withUnits, Content& out);
  // Replaces the level by a record read with ReadContent.
  void Commit(Content& content, bool withUnits);
  // Writes the map record (with the units when asked); false when a byte did not reach the stream.
  bool WriteContent(CFerroStream& stream, bool withUnits);

 private:
  // A unit's picture as a draw puts it: the image (none for a unit that is
  // not drawn or whose sprite did not load), where (map pixels), and for the
  // aliens of a won or lost level the tint it was drawn with.
  struct SPRITE {
    GSurface* image = nullptr;
    CFerroRect rect;
    unsigned tintColor = 0;
    float tintAmount = 0.0f;
    bool operator==(const SPRITE&) const = default;
  };

  GMap();
  void DrawSquare(int x, int y);
  // The level's picture must be drawn whole at the next draw of changes.
  void ForgetDrawn();
  // The runner's picture, then every alien's, as the level is drawn now; the
  // aliens of a won or lost level stand, and the tint square is made for them.
  std::vector<SPRITE> CurrentSprites();
  // The background and the sprites over it, under target's clip.
  void DrawPicture(GSurface* target, GSurface* background, const std::vector<SPRITE>& sprites);
  // Whether target's clip holds the whole level.
  bool IsLevelInsideClip(GSurface* target) const;

  unsigned backgroundBuilds = 0;
  int motionPhase = kPhaseWhole;
  // What the back buffer shows of the level since the last draw there: the
  // sprites drawn, and the squares whose background changed since. With
  // drawnValid false it shows nothing known, and the next draw is whole.
  std::vector<SPRITE> drawnSprites;
  std::vector<CFerroRect> changedSquares;
  bool drawnValid = false;
};

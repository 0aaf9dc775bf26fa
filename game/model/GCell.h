#pragma once

#include <memory>

class CFerroStream;
class GMap;
class GSurface;

// The cell codes stored in map files and saved games and used by the editor palette.
enum CELL_CODE {
  CELL_EMPTY = 0,
  CELL_BRICK = 1,
  CELL_FLOOR = 2,
  CELL_LINE = 3,
  CELL_LADDER = 4,
  CELL_TREASURE = 5,
  CELL_EXIT = 6,
  CELL_UNIT = 7,
  CELL_ALIEN = 8,
  CELL_HOLE = 9,
  CELL_CODE_COUNT = 10,
};

// One square of the grid. Its class says what the square is and answers the
// questions that the movement rules ask; a few kinds react to units or time.
class GCell {
 public:
  GCell() = default;
  GCell(const GCell&) = delete;
  GCell& operator=(const GCell&) = delete;
  virtual ~GCell() = default;

  // A new cell of that code with timer 0, or null for a code outside 0..9.
  static std::unique_ptr<GCell> CreateCell(int code);
  // A new device surface read from the image folder, or null.
  static GSurface* LoadIcon(const char* name);
  // Loads every kind's icon anew from the current device and image folder.
  static void LoadIcons();
  // Forgets the icons (the device that owns them is going away); the next
  // construction with a device loads them again.
  static void ForgetIcons();

  // The kind's shared icon, or null for kinds drawn black.
  virtual GSurface* GetIcon() const { return nullptr; }
  // The cell code, 0..9.
  virtual int GetType() const = 0;
  // A unit cannot walk into this square sideways.
  virtual bool IsObstacle() const { return false; }
  // A unit above this square is supported.
  virtual bool IsFloor() const { return false; }
  // The runner may drop down into this square.
  virtual bool IsThrough() const { return true; }
  // Units climb up and down in this square.
  virtual bool IsLadder() const { return false; }
  // The runner may dig this square into a hole.
  virtual bool IsHoled() const { return false; }
  // The square is an open hole.
  virtual bool IsHole() const { return false; }
  // A map holds at most one square of this kind.
  virtual bool IsSingle() const { return false; }
  // Called by GMap::Update for every cell every eighth tick. The cell may be
  // replaced (and so destroyed) inside this call.
  virtual void OnUpdate(GMap* map, int x, int y);
  // Called by GUnit::Instinct for the square a unit stands exactly on. The
  // cell may be replaced (and so destroyed) inside this call.
  virtual void OnAction(GMap* map, int x, int y, bool isAlien);
  // Called by GUnit::Instinct for the square a unit is about to move into.
  virtual void OnActionDirection(GMap* map, int x, int y, bool isAlien);
  // Writes or reads timer as a 32-bit integer, by the stream's direction.
  virtual void Serialize(CFerroStream& stream);

  // Only the hole uses it: the countdown to closing.
  int timer = 0;
};

class GCellEmpty : public GCell {
 public:
  int GetType() const override { return CELL_EMPTY; }
};

class GCellBrick : public GCell {
 public:
  GCellBrick();
  static GSurface* icon;
  GSurface* GetIcon() const override { return icon; }
  int GetType() const override { return CELL_BRICK; }
  bool IsObstacle() const override { return true; }
  bool IsFloor() const override { return true; }
  bool IsThrough() const override { return false; }
  bool IsHoled() const override { return true; }
};

class GCellFloor : public GCell {
 public:
  GCellFloor();
  static GSurface* icon;
  GSurface* GetIcon() const override { return icon; }
  int GetType() const override { return CELL_FLOOR; }
  bool IsObstacle() const override { return true; }
  bool IsFloor() const override { return true; }
  bool IsThrough() const override { return false; }
};

class GCellLine : public GCell {
 public:
  GCellLine();
  static GSurface* icon;
  GSurface* GetIcon() const override { return icon; }
  int GetType() const override { return CELL_LINE; }
  bool IsFloor() const override { return true; }
};

class GCellLadder : public GCell {
 public:
  GCellLadder();
  static GSurface* icon;
  GSurface* GetIcon() const override { return icon; }
  int GetType() const override { return CELL_LADDER; }
  bool IsFloor() const override { return true; }
  bool IsThrough() const override { return false; }
  bool IsLadder() const override { return true; }
};

class GCellTreasure : public GCell {
 public:
  GCellTreasure();
  static GSurface* icon;
  GSurface* GetIcon() const override { return icon; }
  int GetType() const override { return CELL_TREASURE; }
  void OnAction(GMap* map, int x, int y, bool isAlien) override;
};

class GCellExit : public GCell {
 public:
  GCellExit();
  static GSurface* icon;
  GSurface* GetIcon() const override { return icon; }
  int GetType() const override { return CELL_EXIT; }
  bool IsSingle() const override { return true; }
  void OnAction(GMap* map, int x, int y, bool isAlien) override;
};

class GCellUnit : public GCell {
 public:
  GCellUnit();
  static GSurface* icon;
  GSurface* GetIcon() const override { return icon; }
  int GetType() const override { return CELL_UNIT; }
  bool IsSingle() const override { return true; }
};

class GCellAlien : public GCell {
 public:
  GCellAlien();
  static GSurface* icon;
  GSurface* GetIcon() const override { return icon; }
  int GetType() const override { return CELL_ALIEN; }
};

class GCellHole : public GCell {
 public:
  int GetType() const override { return CELL_HOLE; }
  bool IsHole() const override { return true; }
  void OnUpdate(GMap* map, int x, int y) override;
};

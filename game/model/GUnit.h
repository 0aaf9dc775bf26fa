#pragma once

class ANIMATION_LIST;
class CFerroStream;
class GRecordReader;
struct FRAME;

// The runner or an alien: a sprite that moves over the grid in whole pixels,
// one frame step per tick, and decides only when it stands exactly on a square.
class GUnit {
 public:
  // A unit of that list at map pixels (x, y); it starts falling when the
  // square below is no floor.
  GUnit(ANIMATION_LIST* list, int x, int y);
  GUnit(const GUnit&) = delete;
  GUnit& operator=(const GUnit&) = delete;
  virtual ~GUnit() = default;

  // Writes or reads the 33-byte unit record, by the stream's direction.
  virtual void Serialize(CFerroStream& stream);
  // Reads a unit record and checks that its animation and frame exist; false
  // leaves the unit as it was.
  bool Read(GRecordReader& reader);

  // Back to the start square, as at construction.
  void Restart();
  // One tick of movement; false when the unit could not decide and stays put.
  bool Instinct();
  void Update() {}

  const FRAME& GetFrame() const;
  const FRAME& GetStopFrame() const;
  int GetFrameCount() const;
  void NextFrame();
  // Changes the animation; the frame restarts only when it really changes.
  void SetAnimation(int a);
  // Whether animation a may start from square (cx, cy): a, or 0 when not.
  int CanUseAnimation(int a, int cx, int cy) const;
  // Both coordinates are multiples of GMap::SQUARE.
  bool IsAligned() const { return ((x | y) & 31) == 0; }
  // Standing still and aligned exactly on square (cx, cy).
  bool IsLockedOn(int cx, int cy) const;

  int reserved = 0;
  ANIMATION_LIST* list;  // not owned: the runner's or the aliens' list
  int x = 0;
  int y = 0;
  int animation = 0;
  int frame = 0;
  int savedAnimation = 0;
  bool fallFlag = false;
  int startX = 0;
  int startY = 0;
  // Where the unit stood when the level's last tick began (map pixels): the
  // picture draws it on its way from there to (x, y) until the next tick.
  // Not part of any stored record.
  int fromX = 0;
  int fromY = 0;

 private:
  void PlaceAtStart();
};

#include "game/model/GCell.h"

#include <climits>

#include "GUI/foundation/CFerroStream.h"
#include "game/model/ANIMATION_LIST_ALIEN.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GModelMedia.h"
#include "game/model/GRecordStream.h"
#include "game/model/GUnit.h"

GSurface* GCellBrick::icon = nullptr;
GSurface* GCellFloor::icon = nullptr;
GSurface* GCellLine::icon = nullptr;
GSurface* GCellLadder::icon = nullptr;
GSurface* GCellTreasure::icon = nullptr;
GSurface* GCellExit::icon = nullptr;
GSurface* GCellUnit::icon = nullptr;
GSurface* GCellAlien::icon = nullptr;

namespace {
// Loads a kind's icon on its first construction with a device. A file that
// failed to load is not tried again: every try would leave another empty
// surface with the device.
void EnsureIcon(GSurface*& icon, bool& tried, const char* name) {
  if (icon || tried || !GModelMedia::HasDevice()) return;
  tried = true;
  icon = GCell::LoadIcon(name);
}
bool brickTried, floorTried, lineTried, ladderTried, treasureTried, exitTried, unitTried,
    alienTried;
}  // namespace

GCellBrick::GCellBrick() {
  EnsureIcon(icon, brickTried, "brick.png");
}
GCellFloor::GCellFloor() {
  EnsureIcon(icon, floorTried, "floor.png");
}
GCellLine::GCellLine() {
  EnsureIcon(icon, lineTried, "line.png");
}
GCellLadder::GCellLadder() {
  EnsureIcon(icon, ladderTried, "ladder.png");
}
GCellTreasure::GCellTreasure() {
  EnsureIcon(icon, treasureTried, "treasure.png");
}
GCellExit::GCellExit() {
  EnsureIcon(icon, exitTried, "exit.png");
}
GCellUnit::GCellUnit() {
  EnsureIcon(icon, unitTried, "unit.png");
}
GCellAlien::GCellAlien() {
  EnsureIcon(icon, alienTried, "alien.png");
}

void GCell::ForgetIcons() {
  for (GSurface** icon :
       {&GCellBrick::icon, &GCellFloor::icon, &GCellLine::icon, &GCellLadder::icon,
        &GCellTreasure::icon, &GCellExit::icon, &GCellUnit::icon, &GCellAlien::icon})
    *icon = nullptr;
  for (bool* tried : {&brickTried, &floorTried, &lineTried, &ladderTried, &treasureTried,
                      &exitTried, &unitTried, &alienTried})
    *tried = false;
}

void GCell::LoadIcons() {
  ForgetIcons();
  // Constructing one cell of each kind loads its icon.
  for (int code = 0; code < CELL_CODE_COUNT; ++code) CreateCell(code);
}

std::unique_ptr<GCell> GCell::CreateCell(int code) {
  switch (code) {
    case CELL_EMPTY:
      return std::make_unique<GCellEmpty>();
    case CELL_BRICK:
      return std::make_unique<GCellBrick>();
    case CELL_FLOOR:
      return std::make_unique<GCellFloor>();
    case CELL_LINE:
      return std::make_unique<GCellLine>();
    case CELL_LADDER:
      return std::make_unique<GCellLadder>();
    case CELL_TREASURE:
      return std::make_unique<GCellTreasure>();
    case CELL_EXIT:
      return std::make_unique<GCellExit>();
    case CELL_UNIT:
      return std::make_unique<GCellUnit>();
    case CELL_ALIEN:
      return std::make_unique<GCellAlien>();
    case CELL_HOLE:
      return std::make_unique<GCellHole>();
    default:
      return nullptr;
  }
}

GSurface* GCell::LoadIcon(const char* name) {
  return GModelMedia::LoadImage(name);
}

void GCell::OnUpdate(GMap*, int, int) {}
void GCell::OnAction(GMap*, int, int, bool) {}
void GCell::OnActionDirection(GMap*, int, int, bool) {}

void GCell::Serialize(CFerroStream& stream) {
  if (stream.IsStoring()) {
    GRecordWriter(stream).WriteInt(timer);
  } else {
    GRecordReader reader(stream);
    int value = 0;
    if (reader.ReadInt(value)) timer = value;
  }
}

void GCellTreasure::OnAction(GMap* map, int x, int y, bool isAlien) {
  if (isAlien) return;
  // SetCell destroys this cell: nothing of it may be used afterwards.
  map->SetCell(x, y, CELL_EMPTY);
  map->ShowExit();
  ANIMATION_LIST_UNIT* counters = ANIMATION_LIST_UNIT::GetInstance();
  counters->AddScore(10);
  counters->IncreaseTreasure();
  ++map->tally.treasures;
}

void GCellExit::OnAction(GMap* map, int, int, bool isAlien) {
  if (isAlien) return;
  map->SetState(GMap::STATE_WON);
  ANIMATION_LIST_UNIT::GetInstance()->AddScore(100);
}

void GCellHole::OnUpdate(GMap* map, int hx, int hy) {
  const int t = timer;
  if (t > INT_MIN) timer = t - 1;
  if (t > 0) return;
  GUnit* occupant = map->FindLockedAlien(hx, hy);
  if (!occupant) {
    map->SetCell(hx, hy, CELL_BRICK);
    return;
  }
  if (map->FindAlienOverHole(hx, hy)) {
    // Another alien is walking over the trapped one; try again in 8 ticks.
    timer = t;
    return;
  }
  // SetCell destroys this cell: nothing of it may be used afterwards.
  map->SetCell(hx, hy, CELL_BRICK);
  occupant->y -= GMap::SQUARE;
  if (occupant->savedAnimation == ANIM_RIGHT && !map->GetCell(hx + 1, hy - 1)->IsObstacle()) {
    occupant->x += 4;
    occupant->SetAnimation(ANIM_RIGHT);
  } else if (occupant->savedAnimation == ANIM_LEFT && !map->GetCell(hx - 1, hy - 1)->IsObstacle()) {
    occupant->x -= 4;
    occupant->SetAnimation(ANIM_LEFT);
  } else {
    occupant->SetAnimation(ANIM_FALL);
  }
  GModelMedia::PlaySound(ANIMATION_LIST_ALIEN::GetInstance()->closeHoleSound);
}

#include "game/model/GUnit.h"

#include "GUI/foundation/CFerroStream.h"
#include "game/model/ANIMATION_LIST.h"
#include "game/model/GMap.h"
#include "game/model/GRecordStream.h"

namespace {
// Keeps a unit read from a file near the grid, so that moving it can never overflow.
bool IsSanePosition(int v) {
  return v > -(1 << 24) && v < (1 << 24);
}
}  // namespace

GUnit::GUnit(ANIMATION_LIST* list, int x, int y) : list(list), startX(x), startY(y) {
  PlaceAtStart();
}

void GUnit::PlaceAtStart() {
  x = startX;
  y = startY;
  animation = ANIM_STAND;
  frame = 0;
  savedAnimation = 0;
  if (!GMap::GetInstance()->GetCell(x / GMap::SQUARE, y / GMap::SQUARE + 1)->IsFloor())
    animation = ANIM_FALL;
  fallFlag = false;
  fromX = x;
  fromY = y;
}

void GUnit::Restart() {
  PlaceAtStart();
}

void GUnit::Serialize(CFerroStream& stream) {
  if (stream.IsStoring()) {
    GRecordWriter w(stream);
    w.WriteInt(0);
    w.WriteInt(x);
    w.WriteInt(y);
    w.WriteInt(animation);
    w.WriteInt(frame);
    w.WriteInt(savedAnimation);
    w.WriteBool(fallFlag);
    w.WriteInt(startX);
    w.WriteInt(startY);
  } else {
    GRecordReader r(stream);
    Read(r);
  }
  reserved = 0;
}

bool GUnit::Read(GRecordReader& r) {
  int unused, nx, ny, na, nf, ns, sx, sy;
  bool nfall;
  if (!r.ReadInt(unused) || !r.ReadInt(nx) || !r.ReadInt(ny) || !r.ReadInt(na) || !r.ReadInt(nf) ||
      !r.ReadInt(ns) || !r.ReadBool(nfall) || !r.ReadInt(sx) || !r.ReadInt(sy))
    return false;
  if (na < 0 || na >= ANIM_COUNT || nf < 0 || nf >= list->animations[na].frameCount) return false;
  if (ns < 0 || ns >= ANIM_COUNT) return false;
  if (!IsSanePosition(nx) || !IsSanePosition(ny) || !IsSanePosition(sx) || !IsSanePosition(sy))
    return false;
  x = nx;
  y = ny;
  animation = na;
  frame = nf;
  savedAnimation = ns;
  fallFlag = nfall;
  startX = sx;
  startY = sy;
  return true;
}

const FRAME& GUnit::GetFrame() const {
  return list->animations[animation].frames[frame];
}

const FRAME& GUnit::GetStopFrame() const {
  return list->animations[ANIM_STAND].frames[0];
}

int GUnit::GetFrameCount() const {
  return list->animations[animation].frameCount;
}

void GUnit::NextFrame() {
  if (++frame >= GetFrameCount()) frame = 0;
}

void GUnit::SetAnimation(int a) {
  if (a == animation) return;
  animation = a;
  frame = 0;
}

bool GUnit::IsLockedOn(int cx, int cy) const {
  return animation == ANIM_STAND && IsAligned() && x == cx * GMap::SQUARE && y == cy * GMap::SQUARE;
}

int GUnit::CanUseAnimation(int a, int cx, int cy) const {
  int dx, dy;
  GetAnimationDirection(a, dx, dy);
  GMap* map = GMap::GetInstance();
  GCell* t = map->GetCell(cx + dx, cy + dy);
  switch (a) {
    case ANIM_LEFT:
    case ANIM_RIGHT:
      return t->IsObstacle() ? 0 : a;
    case ANIM_FALL:
      return t->IsFloor() ? 0 : a;
    case ANIM_DOWN:
      if (t->IsLadder()) return a;
      return t->IsFloor() ? 0 : a;
    case ANIM_UP:
      return t->IsLadder() && map->GetCell(cx, cy)->IsLadder() ? a : 0;
    default:
      return 0;
  }
}

bool GUnit::Instinct() {
  GMap* map = GMap::GetInstance();
  const bool isAlien = list->IsAlien();

  if (!IsAligned()) {
    list->InterruptAnimation(this);
    NextFrame();
    x += GetFrame().stepX;
    y += GetFrame().stepY;
    return true;
  }

  const int cx = x / GMap::SQUARE;
  const int cy = y / GMap::SQUARE;
  GCell* below = map->GetCell(cx, cy + 1);
  bool idle = false;  // a trapped or standing alien only advances its standing frame

  if (below->IsHole()) {
    GUnit* locked = map->FindLockedAlien(cx, cy + 1);
    if (locked && locked->list->IsAlien()) {
      // A trapped alien is solid ground for whoever walks over it.
      below = map->GetOutsideCell();
      idle = isAlien && animation == ANIM_STAND;
    } else if (isAlien) {
      if (animation != ANIM_STAND) {
        fallFlag = false;
        y += GMap::SQUARE;
        savedAnimation = animation;
        animation = ANIM_STAND;
        frame = 0;
        ++map->tally.aliensTrapped;
      }
      idle = true;
    }
  } else {
    idle = isAlien && animation == ANIM_STAND;
  }

  if (idle) {
    fallFlag = false;
    NextFrame();
  } else {
    bool supported = false;
    if (below->IsFloor()) {
      fallFlag = false;
      supported = true;
    } else if (map->GetCell(cx, cy)->IsLadder()) {
      supported = true;
    } else {
      fallFlag = false;
      // A runner standing still above a hole does not fall into it.
      supported = animation == ANIM_STAND && below->IsHole();
    }
    if (supported) {
      if (!list->SelectAnimation(this)) return false;
    } else {
      if (animation == ANIM_FALL) {
        NextFrame();
      } else {
        animation = ANIM_FALL;
        frame = 0;
      }
      if (below->GetType() == CELL_EMPTY) fallFlag = true;
    }
  }

  map->GetCell(cx, cy)->OnAction(map, cx, cy, isAlien);
  int dx, dy;
  GetAnimationDirection(animation, dx, dy);
  map->GetCell(cx + dx, cy + dy)->OnActionDirection(map, cx + dx, cy + dy, isAlien);
  x += GetFrame().stepX;
  y += GetFrame().stepY;
  return true;
}

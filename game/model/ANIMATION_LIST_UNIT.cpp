#include "game/model/ANIMATION_LIST_UNIT.h"

#include <algorithm>

#include "GUI/foundation/CFerroStream.h"
#include "game/model/GCell.h"
#include "game/model/GMap.h"
#include "game/model/GModelMedia.h"
#include "game/model/GRecordStream.h"
#include "game/model/GUnit.h"

ANIMATION_LIST_UNIT* ANIMATION_LIST_UNIT::GetInstance() {
  static ANIMATION_LIST_UNIT instance;
  return &instance;
}

ANIMATION_LIST_UNIT::ANIMATION_LIST_UNIT() {
  LoadMedia();
  ClearControl();
  NewGame();
}

void ANIMATION_LIST_UNIT::LoadMedia() {
  const GCellUnit marker;  // makes sure the shared runner icon has been loaded
  BuildAnimations("unit", GCellUnit::icon, GCellUnit::icon);
  soundHorizontalStep = GModelMedia::LoadSound("horizontal_step.wav");
  soundVerticalStep = GModelMedia::LoadSound("vertical_step.wav");
  soundTreasure = GModelMedia::LoadSound("treasure.wav");
  soundLife = GModelMedia::LoadSound("life.wav");
  soundVictory = GModelMedia::LoadSound("victory.wav");
  soundDeath = GModelMedia::LoadSound("death.wav");
  soundHole = GModelMedia::LoadSound("hole.wav");
}

void ANIMATION_LIST_UNIT::ForgetMedia() {
  ForgetFrames();
  for (int* sample : {&soundHorizontalStep, &soundVerticalStep, &soundTreasure, &soundLife,
                      &soundVictory, &soundDeath, &soundHole})
    *sample = -1;
}

void ANIMATION_LIST_UNIT::ClearControl() {
  moveX = 0;
  moveY = 0;
  dig = false;
  stop = false;
  held.Clear();
}

void ANIMATION_LIST_UNIT::Steer(PLAYER_KEY action) {
  moveX = action == PLAYER_LEFT ? -1 : action == PLAYER_RIGHT ? 1 : 0;
  moveY = action == PLAYER_UP ? -1 : action == PLAYER_DOWN ? 1 : 0;
  stop = !CHeldDirections::IsDirection(action);
}

void ANIMATION_LIST_UNIT::PressDirection(PLAYER_KEY action) {
  if (!CHeldDirections::IsDirection(action)) return;
  held.Press(action);
  Steer(action);
}

void ANIMATION_LIST_UNIT::ReleaseDirection(PLAYER_KEY action) {
  if (!held.Holds(action)) return;
  const bool latest = held.Latest() == action;
  held.Release(action);
  if (steering == Steering::stopOnRelease && latest) Steer(held.Latest());
}

void ANIMATION_LIST_UNIT::NewGame() {
  lives = 10;
  score = 0;
  treasures = 0;
}

void ANIMATION_LIST_UNIT::AddScore(int n) {
  const long long sum = static_cast<long long>(score) + n;
  score = static_cast<int>(std::clamp<long long>(sum, 0, 0x7FFFFFFF));
}

void ANIMATION_LIST_UNIT::IncreaseTreasure() {
  ++treasures;
  if (treasures % 10 == 0) {
    ++lives;
    GModelMedia::PlaySound(soundLife);
  } else {
    GModelMedia::PlaySound(soundTreasure);
  }
}

bool ANIMATION_LIST_UNIT::DecrementLife() {
  --lives;
  return lives > 0;
}

bool ANIMATION_LIST_UNIT::SelectAnimation(GUnit* u) {
  GMap* map = GMap::GetInstance();
  const int cx = u->x / GMap::SQUARE;
  const int cy = u->y / GMap::SQUARE;
  const int cur = u->animation;
  const bool walking = cur == ANIM_LEFT || cur == ANIM_RIGHT;

  int wanted = cur;
  bool vertical = false;
  bool down = false;
  if (stop) {
    wanted = ANIM_STAND;  // told to stand: no control applies
  } else if (moveX != 0 && (moveY == 0 || !walking)) {
    wanted = moveX > 0 ? ANIM_RIGHT : ANIM_LEFT;
  } else if (moveY != 0) {
    // With both controls set the runner turns onto the other axis where it can.
    vertical = true;
  } else if (cur == ANIM_DOWN) {
    down = true;  // a runner climbing down keeps going down
  }
  if (vertical) {
    if (moveY < 0)
      wanted = ANIM_UP;
    else
      down = true;
  }
  if (down) {
    wanted = ANIM_DOWN;
    if (!(cur != ANIM_STAND && map->GetCell(cx, cy)->IsLadder())) {
      GCell* below = map->GetCell(cx, cy + 1);
      if (below->IsThrough()) {
        // Down never drops the runner into a hole; through anything else it falls.
        u->SetAnimation(below->IsHole() ? ANIM_STAND : ANIM_FALL);
        return true;
      }
    }
  }

  int r = stop ? ANIM_STAND : u->CanUseAnimation(wanted, cx, cy);
  if (r == 0 && wanted != cur && !stop) r = u->CanUseAnimation(cur, cx, cy);
  u->SetAnimation(r);

  if (dig && map->GetCell(cx, cy + 1)->IsHoled()) {
    map->SetCell(cx, cy + 1, CELL_HOLE);
    map->GetCell(cx, cy + 1)->timer = 22;
    ++map->tally.holesDug;
    GModelMedia::PlaySound(soundHole);
  }
  if (r == 0) {
    moveX = 0;
    moveY = 0;
  }
  return true;
}

void ANIMATION_LIST_UNIT::InterruptAnimation(GUnit* u) {
  GMap* map = GMap::GetInstance();
  const int cur = u->animation;
  if (cur == ANIM_LEFT && moveX == 1) {
    if (map->GetCell(u->x / GMap::SQUARE, u->y / GMap::SQUARE + 1)->IsFloor())
      u->SetAnimation(ANIM_RIGHT);
  } else if (cur == ANIM_RIGHT && moveX == -1) {
    if (map->GetCell(u->x / GMap::SQUARE + 1, u->y / GMap::SQUARE + 1)->IsFloor())
      u->SetAnimation(ANIM_LEFT);
  } else if (cur == ANIM_UP && moveY == 1) {
    u->SetAnimation(ANIM_DOWN);
  } else if (cur == ANIM_DOWN && moveY == -1) {
    u->SetAnimation(ANIM_UP);
  }

  if ((cur == ANIM_LEFT || cur == ANIM_RIGHT) && u->x % GMap::SQUARE == GMap::SQUARE / 2)
    GModelMedia::PlaySound(soundHorizontalStep);
  else if ((cur == ANIM_UP || cur == ANIM_DOWN) && u->y % GMap::SQUARE == GMap::SQUARE / 2)
    GModelMedia::PlaySound(soundVerticalStep);
}

void ANIMATION_LIST_UNIT::Serialize(CFerroStream& stream) {
  if (stream.IsStoring()) {
    GRecordWriter w(stream);
    w.WriteInt(0);
    w.WriteInt(moveX);
    w.WriteInt(moveY);
    w.WriteBool(dig);
    w.WriteInt(lives);
    w.WriteInt(score);
    w.WriteInt(treasures);
  } else {
    GRecordReader r(stream);
    RECORD record;
    if (ReadRecord(r, record)) Apply(record);
  }
  reserved = 0;
}

bool ANIMATION_LIST_UNIT::ReadRecord(GRecordReader& r, RECORD& out) {
  int unused = 0;
  if (!r.ReadInt(unused) || !r.ReadInt(out.moveX) || !r.ReadInt(out.moveY) ||
      !r.ReadBool(out.dig) || !r.ReadInt(out.lives) || !r.ReadInt(out.score) ||
      !r.ReadInt(out.treasures))
    return false;
  // Controls are -1, 0 or 1, and the score is never negative.
  if (out.moveX < -1 || out.moveX > 1 || out.moveY < -1 || out.moveY > 1) return false;
  return out.score >= 0;
}

void ANIMATION_LIST_UNIT::Apply(const RECORD& record) {
  // No key is held in a game just loaded.
  ClearControl();
  moveX = record.moveX;
  moveY = record.moveY;
  dig = record.dig;
  lives = record.lives;
  score = record.score;
  treasures = record.treasures;
}

#include "game/model/ANIMATION_LIST_ALIEN.h"

#include <algorithm>

#include "game/model/GCell.h"
#include "game/model/GMap.h"
#include "game/model/GModelMedia.h"
#include "game/model/GUnit.h"

namespace {
int Sign(int v) {
  return (v > 0) - (v < 0);
}
}  // namespace

ANIMATION_LIST_ALIEN* ANIMATION_LIST_ALIEN::GetInstance() {
  static ANIMATION_LIST_ALIEN instance;
  return &instance;
}

ANIMATION_LIST_ALIEN::ANIMATION_LIST_ALIEN() {
  LoadMedia();
}

void ANIMATION_LIST_ALIEN::LoadMedia() {
  const GCellAlien marker;  // makes sure the shared alien icon has been loaded
  BuildAnimations("alien", GCellAlien::icon, LoadSprite("alien_D_01.png"));
  closeHoleSound = GModelMedia::LoadSound("close_hole.wav");
}

void ANIMATION_LIST_ALIEN::ForgetMedia() {
  ForgetFrames();
  closeHoleSound = -1;
}

bool ANIMATION_LIST_ALIEN::SelectAnimation(GUnit* alien) {
  if (SelectAnimation2(alien, true) && alien->animation != ANIM_STAND) return true;
  return SelectAnimation2(alien, false);
}

bool ANIMATION_LIST_ALIEN::SelectAnimation2(GUnit* alien, bool strict) {
  GMap* map = GMap::GetInstance();
  const GUnit* runner = map->runner.get();
  if (!runner) return false;

  const int dx = runner->x - alien->x;
  const int dy = runner->y - alien->y;
  const int sx = Sign(dx);
  const int sy = Sign(dy);
  const int cx = alien->x / GMap::SQUARE;
  const int cy = alien->y / GMap::SQUARE;
  int a = alien->animation;
  const bool climbing = a == ANIM_UP || a == ANIM_DOWN;

  GCell* own = map->GetCell(cx, cy);
  GCell* below = map->GetCell(cx, cy + 1);
  const bool onLadder = own->IsLadder();

  const bool up = onLadder && map->GetCell(cx, cy - 1)->IsLadder();
  bool down;
  if (!onLadder) {
    down = below->IsLadder();
  } else if (below->IsFloor()) {
    down = below->IsLadder();
  } else {
    // A trapped alien blocks the way down into its hole.
    GUnit* locked = below->IsHole() ? map->FindLockedAlien(cx, cy + 1) : nullptr;
    down = !(locked && locked->list->IsAlien());
  }

  // Sideways: free unless an obstacle is there. The strict pass keeps an alien
  // on a ladder from stepping into a hole or off into a fall.
  auto sideways = [&](int side, bool farEnough) {
    GCell* next = map->GetCell(cx + side, cy);
    if (next->IsObstacle()) return false;
    if (!strict || !onLadder) return true;
    if (climbing && next->IsHole()) return false;
    if (sy == 0) return !climbing || farEnough;
    GCell* under = map->GetCell(cx + side, cy + 1);
    return under->IsFloor() || under->IsHole();
  };
  const bool left = sideways(-1, dx < -GMap::SQUARE);
  const bool right = sideways(1, dx > GMap::SQUARE);

  if (a == ANIM_STAND || a == ANIM_FALL) {
    // The seed never points left; a runner on the left is reached through the
    // sideways tests of the up and down rules.
    if (std::max(dx, 0) > std::max(dy, 0))
      a = ANIM_RIGHT;
    else
      a = dy < 0 ? ANIM_UP : ANIM_DOWN;
    alien->SetAnimation(a);
  }

  auto go = [alien](int animation) {
    alien->SetAnimation(animation);
    return true;
  };
  switch (a) {
    case ANIM_LEFT:
    case ANIM_RIGHT: {
      const bool ahead = a == ANIM_LEFT ? left : right;
      const bool back = a == ANIM_LEFT ? right : left;
      const int backAnimation = a == ANIM_LEFT ? ANIM_RIGHT : ANIM_LEFT;
      if (sy == -1 && up) return go(ANIM_UP);
      if (sy == 1 && down) return go(ANIM_DOWN);
      if (ahead) return true;
      if (sy == 0 && back) return go(backAnimation);
      if (up) return go(ANIM_UP);
      if (down) return go(ANIM_DOWN);
      if (back) return go(backAnimation);
      return false;
    }
    case ANIM_UP:
    case ANIM_DOWN: {
      const bool ahead = a == ANIM_UP ? up : down;
      const bool back = a == ANIM_UP ? down : up;
      const int backAnimation = a == ANIM_UP ? ANIM_DOWN : ANIM_UP;
      if (sx == -1 && left) return go(ANIM_LEFT);
      if (sx == 1 && right) return go(ANIM_RIGHT);
      if (ahead) return true;
      if (sx == 0 && back) return go(backAnimation);
      if (left) return go(ANIM_LEFT);
      if (right) return go(ANIM_RIGHT);
      if (back) return go(backAnimation);
      return false;
    }
    default:
      return true;
  }
}

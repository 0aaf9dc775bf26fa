#include "GUI/foundation/CFerroString.h"
#include "game/model/ANIMATION_LIST_ALIEN.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GUnit.h"

bool GMap::Start() {
  // An empty list or a map that does not load starts nothing; the level in
  // memory stays as it was.
  const CFerroString name = GMapList::GetInstance()->currentName;
  if (name.GetLength() == 0 || !LoadFromFile(name.c_str())) return false;
  StartLoaded();
  return true;
}

void GMap::StartLoaded() {
  testMode = false;
  tick = 0;
  tally = LEVEL_TALLY();
  tally.startScore = ANIMATION_LIST_UNIT::GetInstance()->score;
  runner.reset();
  aliens.clear();
  SetState(STATE_WAITING);
  ANIMATION_LIST_UNIT::GetInstance()->ClearControl();
  ANIMATION_LIST_ALIEN::GetInstance()->ClearControl();
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      switch (GetCell(x, y)->GetType()) {
        case CELL_EXIT:
          exitX = x;
          exitY = y;
          SetCell(x, y, CELL_EMPTY);
          break;
        case CELL_UNIT:
          SetCell(x, y, CELL_EMPTY);
          runner =
              std::make_unique<GUnit>(ANIMATION_LIST_UNIT::GetInstance(), x * SQUARE, y * SQUARE);
          break;
        case CELL_ALIEN:
          SetCell(x, y, CELL_EMPTY);
          aliens.push_back(
              std::make_unique<GUnit>(ANIMATION_LIST_ALIEN::GetInstance(), x * SQUARE, y * SQUARE));
          break;
        default:
          break;
      }
    }
  }
  if (!runner) {
    SetCell(width / 2, height / 2, CELL_EMPTY);
    runner = std::make_unique<GUnit>(ANIMATION_LIST_UNIT::GetInstance(), width / 2 * SQUARE,
                                     height / 2 * SQUARE);
  }
  ShowExit();
  for (auto& alien : aliens)
    if (alien->animation == ANIM_STAND)
      ANIMATION_LIST_ALIEN::GetInstance()->SelectAnimation(alien.get());
  SettleUnits();
  RefreshMapBackground();
  CopyToBackbuffer();
}

void GMap::ShowExit() {
  if (CountCells(CELL_TREASURE) != 0) return;
  // An exit square from a file header counts only when it lies in the grid;
  // otherwise the exit shows on the first square, as in maps the editor writes.
  if (!IsInside(exitX, exitY)) {
    exitX = 0;
    exitY = 0;
  }
  SetCell(exitX, exitY, CELL_EXIT);
}

void GMap::Update() {
  if (!runner) return;
  if (tick % 8 == 0)
    for (int x = 0; x < width; ++x)
      for (int y = 0; y < height; ++y) GetCell(x, y)->OnUpdate(this, x, y);
  if (tick % 200 == 0) ANIMATION_LIST_UNIT::GetInstance()->AddScore(-1);

  runner->Instinct();
  const long long rx = runner->x;
  const long long ry = runner->y;
  for (auto& alien : aliens) {
    alien->Instinct();
    const long long ax = rx - alien->x;
    const long long ay = ry - alien->y;
    // Every alien is tested, even after one has caught the runner.
    if (ax * ax + ay * ay <= 256) SetState(STATE_CAUGHT);
  }
  // A tick moves a few units and changes a square or two: only those are drawn.
  CopyChangesToBackbuffer();
  ++tick;
}

void GMap::Restart() {
  SetState(STATE_WAITING);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      if (GetCell(x, y)->IsHole()) SetCell(x, y, CELL_BRICK);
  if (runner) runner->Restart();
  for (auto& alien : aliens) alien->Restart();
  ANIMATION_LIST_UNIT::GetInstance()->ClearControl();
  ANIMATION_LIST_ALIEN::GetInstance()->ClearControl();
  for (auto& alien : aliens)
    if (alien->animation == ANIM_STAND)
      ANIMATION_LIST_ALIEN::GetInstance()->SelectAnimation(alien.get());
  SettleUnits();
  RefreshMapBackground();
  CopyToBackbuffer();
}

void GMap::PressKey(PLAYER_KEY key) {
  if (state == STATE_WAITING) SetState(STATE_PLAYING);
  ANIMATION_LIST_UNIT* controls = ANIMATION_LIST_UNIT::GetInstance();
  if (key != PLAYER_DIG) {
    controls->PressDirection(key);
    return;
  }
  controls->dig = true;
  // Digging while falling cancels the direction: the runner stops where it lands.
  if (runner && runner->animation == ANIM_FALL) {
    controls->moveX = 0;
    controls->moveY = 0;
  }
}

void GMap::ReleaseKey(PLAYER_KEY key) {
  ANIMATION_LIST_UNIT* controls = ANIMATION_LIST_UNIT::GetInstance();
  if (key == PLAYER_DIG)
    controls->dig = false;
  else
    controls->ReleaseDirection(key);
}

GUnit* GMap::FindLockedAlien(int x, int y) {
  for (auto& alien : aliens)
    if (alien->IsLockedOn(x, y)) return alien.get();
  if (runner && runner->IsLockedOn(x, y)) return runner.get();
  return nullptr;
}

GUnit* GMap::FindAlienOverHole(int x, int y) {
  for (auto& alien : aliens) {
    const bool walking = alien->animation == ANIM_LEFT || alien->animation == ANIM_RIGHT;
    if (walking && alien->y == (y - 1) * SQUARE && alien->x >= x * SQUARE - SQUARE &&
        alien->x <= x * SQUARE + SQUARE)
      return alien.get();
  }
  return nullptr;
}

#include "game/app/GDialogLevels.h"

#include <algorithm>
#include <cstdlib>

#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/SurfaceColor.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GThemeComponent.h"
#include "game/app/GGameDM.h"
#include "game/app/GPictureLevel.h"
#include "game/app/GPictureMinimap.h"
#include "game/app/GSceneGame.h"

namespace {

constexpr unsigned kTitleColor = 0xFFFFFF;

}  // namespace

GPictureLevel* GDialogLevels::GetLevel(int i) const {
  return i >= 0 && i < GetChildCount() ? static_cast<GPictureLevel*>(GetChild(i)) : nullptr;
}

void GDialogLevels::SetLevels(const std::vector<LEVEL>& order, int framed) {
  levels = order;
  DropHeldKey();
  while (GetChildCount() > GetLevelCount()) DeleteChild(GetChild(GetChildCount() - 1), true);
  while (GetChildCount() < GetLevelCount()) {
    auto* picture = new GPictureLevel;
    picture->Create(this, STYLE_VISIBLE | STYLE_BORDER, 0, 0, GPictureLevel::kWidth,
                    GPictureLevel::kHeight, static_cast<unsigned>(GetChildCount() + 1));
  }
  for (int i = 0; i < GetLevelCount(); ++i) {
    const LEVEL& level = levels[static_cast<size_t>(i)];
    GetLevel(i)->SetLevel(i + 1, level.name, level.digest, level.record, level.open);
  }
  Layout();
  current = -1;
  for (int i = 0; i < GetChildCount(); ++i)
    GetChild(i)->SetColor(COLOR_BORDER, COLOR_NORMAL, DEFAULT_COLOR);
  SetCurrent(framed);
  Invalidate();
}

void GDialogLevels::SetSections(const std::vector<SECTION>& runs) {
  sections = runs;
  Layout();
  Invalidate();
}

void GDialogLevels::Layout() {
  CFerroRect client;
  GetClientRect(&client);
  const int step = GPictureLevel::kWidth + gap;
  columns = std::max(1, (client.Width() - gap) / step);
  // The columns stand in the middle of the width.
  rowLeft = std::max(gap, (client.Width() - columns * step + gap) / 2);
  titleY.assign(sections.size(), -1);
  int column = 0, y = gap;
  for (int i = 0; i < GetLevelCount(); ++i) {
    for (size_t s = 0; s < sections.size(); ++s) {
      if (sections[s].first != i) continue;
      // A section starts a row of its own, under its title.
      if (column != 0) {
        column = 0;
        y += GPictureLevel::kHeight + gap;
      }
      if (sections[s].title.IsEmpty()) continue;
      titleY[s] = y;
      y += titleHeight;
    }
    GetLevel(i)->SetPosition(rowLeft + column * step, y);
    if (++column == columns) {
      column = 0;
      y += GPictureLevel::kHeight + gap;
    }
  }
  RecalcCovering();
}

void GDialogLevels::OnRender() {
  GSurface* back = game ? game->GetBackSurface() : nullptr;
  if (!back) return;
  const int font = theme ? theme->GetTextFont(this) : -1;
  for (size_t s = 0; s < sections.size(); ++s)
    if (titleY[s] >= 0)
      back->TextOut(rowLeft, titleY[s] + 4, sections[s].title.c_str(), font, kTitleColor,
                    DEFAULT_COLOR);
}

void GDialogLevels::SetCurrent(int i) {
  GPictureLevel* picture = GetLevel(i);
  if (!picture || !picture->IsOpen()) return;
  if (i != current) {
    DropHeldKey();
    if (GComponent* old = GetLevel(current))
      old->SetColor(COLOR_BORDER, COLOR_NORMAL, DEFAULT_COLOR);
    picture->SetColor(COLOR_BORDER, COLOR_NORMAL, GPictureMinimap::kSelectedColor);
    current = i;
  }
  // A level of a set's first row brings the set's heading into sight too.
  int x = 0, y = 0, margin = gap;
  picture->GetPosition(x, y);
  for (int top : titleY)
    if (top >= 0 && y == top + titleHeight) margin += titleHeight;
  ScrollIntoView(picture, margin);
}

void GDialogLevels::StartLevel(int i) {
  GPictureLevel* picture = GetLevel(i);
  if (!picture || !picture->IsOpen() || !game) return;
  if (auto* play = dynamic_cast<GSceneGame*>(game->GetScene(SCENE_GAME)))
    play->EnterPlay(PlayEntry::newGame, levels[static_cast<size_t>(i)].name);
}

int GDialogLevels::StepOpen(int from, int step) const {
  for (int i = from + step; i >= 0 && i < GetLevelCount(); i += step)
    if (GetLevel(i)->IsOpen()) return i;
  return from;
}

bool GDialogLevels::OnFocusKeyDown(unsigned key, unsigned, unsigned) {
  if (key == heldKey) return false;  // its repeats
  const auto rowStep = [this](int from, int direction) {
    // The open level nearest below (or above): the nearest row first, then
    // the nearest column, so a locked level or a short row is passed over.
    GPictureLevel* at = GetLevel(from);
    if (!at) return StepOpen(-1, 1);
    int fx = 0, fy = 0, best = from;
    long long bestDistance = -1;
    at->GetPosition(fx, fy);
    for (int i = 0; i < GetLevelCount(); ++i) {
      int x = 0, y = 0;
      GetLevel(i)->GetPosition(x, y);
      if (!GetLevel(i)->IsOpen() || (direction > 0 ? y <= fy : y >= fy)) continue;
      const long long distance = std::abs(y - fy) * 100000LL + std::abs(x - fx);
      if (bestDistance < 0 || distance < bestDistance) {
        bestDistance = distance;
        best = i;
      }
    }
    return best;
  };
  CFerroRect client;
  GetClientRect(&client);
  const int page = std::max(1, client.Height() / (GPictureLevel::kHeight + gap));
  int to = current;
  switch (key) {
    case KEY_LEFT:
      to = current < 0 ? StepOpen(-1, 1) : StepOpen(current, -1);
      break;
    case KEY_RIGHT:
      to = StepOpen(current, 1);
      break;
    case KEY_UP:
    case KEY_DOWN:
      to = rowStep(current, key == KEY_DOWN ? 1 : -1);
      break;
    case KEY_PAGE_UP:
    case KEY_PAGE_DOWN:
      for (int row = 0; row < page; ++row) to = rowStep(to, key == KEY_PAGE_DOWN ? 1 : -1);
      break;
    case KEY_HOME:
      to = StepOpen(-1, 1);
      break;
    case KEY_END:
      to = StepOpen(GetLevelCount(), -1);
      break;
    case KEY_RETURN:
    case KEY_SPACE:
      if (GPictureLevel* framed = GetLevel(current)) {
        heldKey = key;
        framed->Fix(true);
      }
      return false;
    default:
      return true;
  }
  SetCurrent(to);
  return false;
}

void GDialogLevels::OnFocusKeyUp(unsigned key) {
  if (key == KEY_NONE || key != heldKey) return;
  DropHeldKey();
  StartLevel(current);
}

void GDialogLevels::DropHeldKey() {
  if (heldKey == KEY_NONE) return;
  heldKey = KEY_NONE;
  if (GPictureLevel* framed = GetLevel(current)) framed->Fix(false);
}

void GDialogLevels::GetScrollSize(int& w, int& h) {
  GDialog::GetScrollSize(w, h);
  if (h != 0) h += gap;
}

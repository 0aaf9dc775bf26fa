#include "game/app/GDialogMaps.h"

#include <algorithm>

#include "game/app/GButtonDM.h"
#include "game/app/GPictureMinimap.h"
#include "game/app/GSceneMapsManager.h"
#include "game/model/GMapList.h"

void GDialogMaps::FollowList() {
  CFerroRect client;
  GetClientRect(&client);
  columns = std::max(1, client.Width() / (cellWidth + gap));
  const std::vector<CFerroString>& names = GMapList::GetInstance()->names;
  const bool wasEmpty = GetChildCount() == 0;
  const int selected = GetCurrentMinimap();
  const CFerroString selectedName = selected >= 0 ? GetMinimap(selected)->GetMapName() : "";

  for (int i = GetChildCount() - 1; i >= 0; --i)
    if (std::find(names.begin(), names.end(), GetMinimap(i)->GetMapName()) == names.end())
      DeleteChild(GetChild(i), true);
  for (size_t k = 0; k < names.size(); ++k) {
    int at = FindMinimap(names[k]);
    if (at < 0) {
      auto* minimap = new GPictureMinimap;
      minimap->Create(this, STYLE_VISIBLE | STYLE_BORDER, 0, 0, cellWidth, cellHeight, nextId++);
      minimap->RefreshImage(names[k].c_str());
      at = GetChildCount() - 1;
    }
    // Listed names are unique, so the miniatures before k are already in place.
    const auto first = children.begin() + static_cast<std::ptrdiff_t>(k);
    std::rotate(first, children.begin() + at, children.begin() + at + 1);
    int x = 0, y = 0;
    GetCellPosition(static_cast<int>(k), x, y);
    children[k]->SetPosition(x, y);
  }
  RecalcCovering();

  if (FindMinimap(selectedName) < 0 && (wasEmpty || selected >= 0))
    SelectMinimap(wasEmpty ? 0 : std::min(selected, GetMinimapCount() - 1));
  RefreshSceneButtons();
  Invalidate();
}

void GDialogMaps::ShowSavedMap(const CFerroString& name) {
  const int i = FindMinimap(name);
  if (GPictureMinimap* minimap = GetMinimap(i)) minimap->RefreshImage(name.c_str());
  SelectMinimap(i);
}

int GDialogMaps::FindMinimap(const CFerroString& name) const {
  for (int i = 0; i < GetChildCount(); ++i)
    if (GetMinimap(i)->GetMapName() == name) return i;
  return -1;
}

void GDialogMaps::GetCellPosition(int k, int& x, int& y) const {
  x = (cellWidth + gap) * (k % columns) + gap;
  y = (cellHeight + gap) * (k / columns) + gap;
}

int GDialogMaps::GetCurrentMinimap() const {
  for (int i = 0; i < GetChildCount(); ++i)
    if (GetMinimap(i)->IsSelected()) return i;
  return -1;
}

GPictureMinimap* GDialogMaps::GetMinimap(int i) const {
  return i >= 0 && i < GetChildCount() ? static_cast<GPictureMinimap*>(GetChild(i)) : nullptr;
}

void GDialogMaps::SelectMinimap(int i) {
  GPictureMinimap* minimap = GetMinimap(i);
  if (!minimap) return;
  minimap->OnLButtonClick(0, -1, -1);
  ScrollToShow(i);
}

void GDialogMaps::ScrollToShow(int i) {
  // The gap above the first row and below the last one stays in sight too.
  ScrollIntoView(GetMinimap(i), gap);
}

bool GDialogMaps::OnFocusKeyDown(unsigned key, unsigned, unsigned) {
  const int count = GetMinimapCount();
  const int selected = GetCurrentMinimap();
  int to = selected;
  switch (key) {
    case KEY_LEFT:
      to = selected - 1;
      break;
    case KEY_RIGHT:
      to = selected + 1;
      break;
    case KEY_UP:
      to = selected - columns;
      break;
    case KEY_DOWN:
      to = selected + columns;
      break;
    case KEY_HOME:
      to = 0;
      break;
    case KEY_END:
      to = count - 1;
      break;
    case KEY_RETURN:
    case KEY_SPACE:
      GButtonDM::RunCommand(CMD_EDIT_MAP, GetParent());
      return false;
    default:
      return true;
  }
  // Without a selection any move starts at the first map; past the edges
  // the selection stays where it is.
  if (selected < 0) to = 0;
  if (to >= 0 && to < count && to != selected) SelectMinimap(to);
  return false;
}

void GDialogMaps::GetScrollSize(int& w, int& h) {
  GDialog::GetScrollSize(w, h);
  if (h != 0) h += gap;
}

void GDialogMaps::RefreshSceneButtons() {
  if (auto* scene = dynamic_cast<GSceneMapsManager*>(GetRootScene())) scene->RefreshButtons();
}

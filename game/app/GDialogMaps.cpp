#include "game/app/GDialogMaps.h"

#include <algorithm>
#include <utility>

#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "game/app/GButtonDM.h"
#include "game/app/GPictureMinimap.h"
#include "game/app/GSceneMapsManager.h"
#include "game/model/GMapList.h"
#include "game/model/GModelMedia.h"

namespace {

// The part of a found path after its last separator.
CFerroString BareName(const char* found) {
  const char* name = found;
  for (const char* p = found; *p; ++p)
    if (*p == '/' || *p == '\\') name = p + 1;
  return CFerroString(name);
}

bool Contains(const std::vector<CFerroString>& names, const CFerroString& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool GDialogMaps::ScanMapsFolder(std::vector<CFerroString>& names) {
  GPlatform* platform = game ? game->GetPlatform() : nullptr;
  const CFerroString folder = GModelMedia::GetPathToMaps();
  if (!platform || folder.IsEmpty() || !platform->CanListFolder(folder.c_str())) return false;
  // The whole folder is read, so no map is left out of the index however
  // many there are, and the search always runs to its end.
  for (const char* found = platform->GetFirstFile(folder.c_str(), "dmm"); found;
       found = platform->GetNextFile())
    names.push_back(BareName(found));
  return true;
}

void GDialogMaps::Init() {
  CFerroRect client;
  GetClientRect(&client);
  columns = std::max(1, client.Width() / (cellWidth + gap));

  // The list follows the folder: entries without a file go (order kept),
  // files the list does not know come at the end in the order found. A
  // folder that cannot be read tells nothing, and the list stays as it is.
  GMapList* list = GMapList::GetInstance();
  std::vector<CFerroString> found;
  if (ScanMapsFolder(found)) {
    for (int i = list->GetCount() - 1; i >= 0; --i)
      if (!Contains(found, list->names[static_cast<size_t>(i)])) list->Delete(i);
    for (const CFerroString& name : found)
      if (!Contains(list->names, name)) list->Add(name.c_str());
  }

  for (const CFerroString& name : std::vector<CFerroString>(list->names)) AddMinimap(name.c_str());
  if (GPictureMinimap* first = GetMinimap(0)) first->OnLButtonClick(0, -1, -1);
}

void GDialogMaps::GetCellPosition(int k, int& x, int& y) const {
  x = (cellWidth + gap) * (k % columns) + gap;
  y = (cellHeight + gap) * (k / columns) + gap;
}

void GDialogMaps::AddMinimap(const char* name) {
  int x = 0, y = 0;
  GetCellPosition(GetChildCount(), x, y);
  auto* minimap = new GPictureMinimap;
  minimap->Create(this, STYLE_VISIBLE | STYLE_BORDER, x, y, cellWidth, cellHeight, nextId++);
  minimap->RefreshImage(name);
  Invalidate();
}

void GDialogMaps::DeleteMinimap(int i) {
  if (i < 0 || i >= GetChildCount()) return;
  for (int k = GetChildCount() - 1; k > i; --k) {
    int x = 0, y = 0;
    GetCellPosition(k - 1, x, y);
    GetChild(k)->SetPosition(x, y);
  }
  DeleteChild(GetChild(i), true);
  RefreshSceneButtons();
  Invalidate();
}

void GDialogMaps::ExchangeMinimap(int i, int j) {
  const int n = GetChildCount();
  if (i < 0 || j < 0 || i >= n || j >= n || i == j) return;
  std::swap(children[static_cast<size_t>(i)], children[static_cast<size_t>(j)]);
  int x = 0, y = 0;
  GetCellPosition(i, x, y);
  children[static_cast<size_t>(i)]->SetPosition(x, y);
  GetCellPosition(j, x, y);
  children[static_cast<size_t>(j)]->SetPosition(x, y);
  RecalcCovering();
  RefreshSceneButtons();
  Invalidate();
}

int GDialogMaps::GetCurrentMinimap() const {
  for (int i = 0; i < GetChildCount(); ++i)
    if (GetMinimap(i)->IsSelected()) return i;
  return -1;
}

GPictureMinimap* GDialogMaps::GetMinimap(int i) const {
  return i >= 0 && i < GetChildCount() ? static_cast<GPictureMinimap*>(GetChild(i)) : nullptr;
}

void GDialogMaps::ScrollToEnd() {
  RecalcLayout();
  SetVScrollToMax();
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

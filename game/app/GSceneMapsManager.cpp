#include "game/app/GSceneMapsManager.h"

#include <iterator>
#include <span>

#include "GUI/toolkit/GStatic.h"
#include "game/app/GButtonDM.h"
#include "game/app/GDialogMaps.h"
#include "game/app/GGameDM.h"
#include "game/app/GPictureMinimap.h"
#include "game/app/GameLanguage.h"
#include "game/model/GMapList.h"

namespace {

// The row of buttons along the bottom, the line of the last import or
// export over it, and the grid above them, two whole rows of miniatures high.
constexpr int kButtonRowFromBottom = 54;
constexpr int kButtonHeight = 34;
constexpr int kGridFromBottom = 86;
constexpr int kNoteFromBottom = 82;
constexpr int kNoteHeight = 22;
constexpr int kNoteLeft = 8;

// The row under the grid, in focus order: six from the left, each a gap
// after the one before, and two at the right edge, a gap apart. Each is as wide as its label
// needs, and at least its width here.
struct ButtonEntry {
  COMMAND_ID id;
  Text label;
  int gapBefore;
  int width;
};
constexpr ButtonEntry kLeftRow[] = {
    {CMD_EDIT_MAP, Text::MapsEdit, 0, 130},        {CMD_CREATE_MAP, Text::MapsCreate, 20, 130},
    {CMD_DESTROY_MAP, Text::MapsDestroy, 20, 130}, {CMD_MAP_UP, Text::MapsUp, 40, 65},
    {CMD_MAP_DOWN, Text::MapsDown, 20, 65},        {CMD_MAPS_EXPORT, Text::MapsExport, 20, 90},
};
constexpr ButtonEntry kRightRow[] = {
    {CMD_TEST_MAP, Text::MapsTest, 0, 130},
    {CMD_MAPS_EXIT, Text::MapsExit, 20, 130},
};

}  // namespace

GSceneMapsManager::GSceneMapsManager() {
  for (std::span<const ButtonEntry> row :
       {std::span<const ButtonEntry>(kLeftRow), std::span<const ButtonEntry>(kRightRow)}) {
    for (const ButtonEntry& entry : row) {
      // Escape, and the pad's B, press Exit: back to the main menu.
      const unsigned style =
          entry.id == CMD_MAPS_EXIT ? kFramedStyle | STYLE_CANCEL_BUTTON : kFramedStyle;
      auto* button = new GButtonDM;
      button->Create(this, style, 0, height - kButtonRowFromBottom, entry.width, kButtonHeight,
                     entry.id, entry.label);
    }
  }
  LayOutButtons();
  maps = new GDialogMaps;
  maps->Create(this, kFramedStyle | STYLE_SCROLL_CHILDREN, 0, 0, width, height - kGridFromBottom,
               CMD_MINIMAPS);
  note = new GStatic;
  note->Create(this, STYLE_VISIBLE, kNoteLeft, height - kNoteFromBottom, width - 2 * kNoteLeft,
               kNoteHeight, 0, "");
}

void GSceneMapsManager::ShowNote(const CFerroString& text) {
  note->SetWindowText(text.c_str());
}

CFerroString GSceneMapsManager::GetNote() const {
  return note->GetWindowText();
}

void GSceneMapsManager::OnFinish(int) {
  ShowNote(CFerroString());
}

void GSceneMapsManager::SelectMap(const CFerroString& name) {
  maps->FollowList();
  for (int i = 0; i < maps->GetMinimapCount(); ++i)
    if (maps->GetMinimap(i)->GetMapName() == name) maps->SelectMinimap(i);
}

void GSceneMapsManager::LayOutButtons() {
  const auto place = [this](const ButtonEntry& entry, int x) {
    auto* button = static_cast<GButtonDM*>(Find(static_cast<unsigned>(entry.id)));
    const int w = button->WidthFor(entry.width);
    button->SetSize(w, kButtonHeight);
    button->SetPosition(x, height - kButtonRowFromBottom);
    return w;
  };
  int x = 0;
  for (const ButtonEntry& entry : kLeftRow)
    x += entry.gapBefore + place(entry, x + entry.gapBefore);
  // The right ones from the edge leftwards.
  x = width;
  for (auto entry = std::rbegin(kRightRow); entry != std::rend(kRightRow); ++entry) {
    auto* button = static_cast<GButtonDM*>(Find(static_cast<unsigned>(entry->id)));
    x -= button->WidthFor(entry->width);
    place(*entry, x);
    x -= entry->gapBefore;
  }
}

void GSceneMapsManager::OnTextsChanged() {
  LayOutButtons();
  Invalidate();
}

void GSceneMapsManager::OnStart() {
  if (auto* app = dynamic_cast<GGameDM*>(game)) app->PlayMusic(MUSIC_MENU);
  // An empty grid (the first visit) takes in the maps put into or taken out
  // of the folder while the game was not running.
  if (maps->GetMinimapCount() == 0) GMapList::GetInstance()->FollowFolder();
  maps->FollowList();
}

GComponent* GSceneMapsManager::GetDefaultFocus() {
  if (maps->GetMinimapCount() > 0) return maps;
  return Find(static_cast<unsigned>(CMD_CREATE_MAP));
}

void GSceneMapsManager::RefreshButtons() {
  const int selected = maps->GetCurrentMinimap();
  const int count = maps->GetMinimapCount();
  const auto enable = [this](COMMAND_ID id, bool on) {
    if (GComponent* button = Find(static_cast<unsigned>(id))) button->Enable(on);
  };
  enable(CMD_EDIT_MAP, selected >= 0);
  enable(CMD_DESTROY_MAP, selected >= 0);
  enable(CMD_TEST_MAP, selected >= 0);
  enable(CMD_MAPS_EXPORT, selected >= 0);
  enable(CMD_MAP_UP, selected >= 1);
  enable(CMD_MAP_DOWN, selected >= 0 && selected < count - 1);
}

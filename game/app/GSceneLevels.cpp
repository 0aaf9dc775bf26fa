#include "game/app/GSceneLevels.h"

#include <vector>

#include "GUI/toolkit/GStatic.h"
#include "game/app/GButtonDM.h"
#include "game/app/GDialogLevels.h"
#include "game/app/GGameDM.h"
#include "game/model/CGameProgress.h"
#include "game/model/GMapList.h"
#include "game/model/GModelMedia.h"

namespace {

constexpr int kButtonWidth = 130;
constexpr int kButtonHeight = 34;
// The row of the button and the summary under the grid.
constexpr int kRowHeight = 74;
// The heading over the maps no set of the campaign holds.
constexpr const char* kOwnMaps = "Your maps";

}  // namespace

GSceneLevels::GSceneLevels() {
  auto* back = new GButtonDM;
  back->Create(this, kFramedStyle | STYLE_CANCEL_BUTTON, width - kButtonWidth,
               height - kRowHeight + 20, kButtonWidth, kButtonHeight, CMD_LEVELS_BACK, "Back");
  summary = new GStatic;
  summary->Create(this, STYLE_VISIBLE, 10, height - kRowHeight + 26, 0, 0, 0, "");
  levels = new GDialogLevels;
  levels->Create(this, kFramedStyle | STYLE_CAPTION | STYLE_SCROLL_CHILDREN, 0, 0, width,
                 height - kRowHeight, CMD_LEVELS);
  levels->SetWindowText("Choose a Level");
}

void GSceneLevels::OnStart() {
  GMapList* list = GMapList::GetInstance();
  auto* app = dynamic_cast<GGameDM*>(game);
  std::vector<GDialogLevels::LEVEL> order(list->names.size());
  std::vector<bool> cleared(order.size());
  for (size_t i = 0; i < order.size(); ++i) {
    GDialogLevels::LEVEL& level = order[i];
    level.name = list->names[i];
    level.digest = CGameProgress::MapDigest((GModelMedia::GetPathToMaps() + level.name).c_str());
    if (app) level.record = app->GetProgress().Find(level.name, level.digest);
    cleared[i] = level.record.cleared;
  }
  const std::vector<bool> open = CGameProgress::OpenLevels(cleared);
  int count = 0;
  for (size_t i = 0; i < order.size(); ++i) {
    order[i].open = open[i];
    count += cleared[i];
  }
  // The campaign's sets as headings, the player's own maps under the last.
  std::vector<GDialogLevels::SECTION> sections;
  if (app)
    for (const CCampaign::HEADING& heading : app->GetCampaign().Headings(list->names, kOwnMaps))
      sections.push_back({heading.position, heading.title});
  levels->SetSections(sections);
  levels->SetLevels(order, CGameProgress::FirstNotCleared(cleared));
  summary->SetWindowText(order.empty()
                             ? "There is no map to play. Make one in the Map Editor."
                             : (CFerroString().IntToString(count, 1) + " of " +
                                CFerroString().IntToString(static_cast<int>(order.size()), 1) +
                                " levels cleared")
                                   .c_str());
}

GComponent* GSceneLevels::GetDefaultFocus() {
  if (levels->GetLevelCount() > 0) return levels;
  return Find(static_cast<unsigned>(CMD_LEVELS_BACK));
}

void GSceneLevels::OnKeyUp(unsigned key, unsigned, unsigned) {
  levels->OnFocusKeyUp(key);
}

void GSceneLevels::OnCancelPress() {
  levels->DropHeldKey();
}

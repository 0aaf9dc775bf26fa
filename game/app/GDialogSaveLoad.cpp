#include "game/app/GDialogSaveLoad.h"

#include <memory>

#include "GUI/foundation/CFerroStream.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/toolkit/GScene.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"
#include "game/app/GSceneGame.h"
#include "game/model/GMapList.h"
#include "game/model/GSavedGame.h"

namespace {

constexpr unsigned kSlotStyle = kFramedStyle;
constexpr unsigned kCancelStyle = kFramedStyle | kClosingButtonStyle;
// The slots from the top, kSlotStep apart, and Cancel below them; the dialog
// fits them with kMargin all round.
constexpr int kSlotStep = 60;
constexpr int kSlotWidth = 200;
constexpr int kSlotHeight = 44;
constexpr int kCancelX = 25;
constexpr int kCancelY = 490;
constexpr int kCancelWidth = 150;
constexpr int kCancelHeight = 44;
constexpr unsigned kCancelId = 10;
constexpr int kMargin = 20;

}  // namespace

CFerroString GDialogSaveLoad::GetSlotPath(int slot) {
  CFerroString name;
  name.Format("%d.dms", slot);
  return (GComponent::game ? GComponent::game->GetPathToSavedGame() : CFerroString()) + name;
}

CFerroString GDialogSaveLoad::GetSlotLabel(int slot, bool& filled) {
  filled = false;
  GPlatform* platform = GComponent::game ? GComponent::game->GetPlatform() : nullptr;
  std::unique_ptr<CFerroStream> stream(
      platform ? platform->OpenStream(GetSlotPath(slot).c_str(), CFerroStream::modeRead) : nullptr);
  if (!stream) return "Empty Slot";
  const CFerroString map = SerializeGamePrefix(*stream);
  if (map.IsEmpty()) return "Empty Slot";
  filled = true;
  const int level = GMapList::GetInstance()->GetMapGameIndex(map.c_str()) + 1;
  return "Level " + CFerroString().IntToString(level, 2);
}

void GDialogSaveLoad::OnInitDlg() {
  GDialog::OnInitDlg();
  if (game) game->ShowCursor(true);
  GSceneGame::PauseLevel();
  SetWindowText(loadMode ? "Load Game" : "Save Game");
  for (int k = 1; k <= kSlots; ++k) {
    bool filled = false;
    const CFerroString label = GetSlotLabel(k, filled);
    const bool usable = filled || !loadMode;
    auto* slot = new GButtonSaveLoad;
    slot->Create(this, usable ? kSlotStyle : kSlotStyle | STYLE_DISABLED, 0, kSlotStep * (k - 1),
                 kSlotWidth, kSlotHeight, static_cast<unsigned>(k), label.c_str());
  }
  auto* cancel = new GButton;
  cancel->Create(this, kCancelStyle, kCancelX, kCancelY, kCancelWidth, kCancelHeight, kCancelId,
                 "Cancel");
  CorrectSize(kMargin);
  AlignToCenter();
}

void GButtonSaveLoad::OnLButtonClick(unsigned, int, int) {
  GGame* app = game;
  GComponent* dialog = parent;
  if (!app || !dialog) return;
  const bool loading = static_cast<GDialogSaveLoad*>(dialog)->loadMode;
  const CFerroString path = GDialogSaveLoad::GetSlotPath(static_cast<int>(id));
  if (!loading) {
    // A game kept in the slot is only replaced when the player says so;
    // otherwise the dialog stays open for another slot.
    bool filled = false;
    GDialogSaveLoad::GetSlotLabel(static_cast<int>(id), filled);
    GDispatchGuard self(this);
    if (filled && app->MessageBox(GGameDM::kName, "Overwrite the saved game in this slot?",
                                  MB_OK_CANCEL) != GMessageBox::kOk)
      return;
    if (!self || !dialog->IsModal()) return;
  }
  // Both go through a temporary and all-or-nothing reading: a failed save
  // leaves the slot's old game, a failed load the running one.
  const bool done = loading ? LoadGameFromFile(path.c_str()) : SaveGameToFile(path.c_str());

  dialog->EndModal(0);
  if (app->modal) app->modal->EndModal(0);
  if (loading && done)
    if (auto* scene = static_cast<GSceneGame*>(app->GetScene(SCENE_GAME)))
      scene->EnterPlay(PlayEntry::savedGame);
  if (GScene* scene = app->GetScene()) scene->SetFocus();
  if (!done)
    app->MessageBox(GGameDM::kName,
                    loading ? "This saved game cannot be loaded. Nothing was changed."
                            : "The game could not be saved in this slot.",
                    MB_OK);
}

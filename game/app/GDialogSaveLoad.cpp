#include "game/app/GDialogSaveLoad.h"

#include <memory>

#include "GUI/foundation/CFerroStream.h"
#include "GUI/foundation/CFerroTime.h"
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
// fits them with kMargin all round. Centred over a level, it ends above the
// status line rather than cutting through its letters.
constexpr int kSlotStep = 54;
// The slots are wide enough for the widest label, Cancel centred below them.
constexpr int kSlotWidth = 520;
constexpr int kSlotHeight = 44;
constexpr int kCancelWidth = 150;
constexpr int kCancelX = (kSlotWidth - kCancelWidth) / 2;
constexpr int kCancelY = 7 * kSlotStep + kSlotHeight + 26;
constexpr int kCancelHeight = 44;
constexpr unsigned kCancelId = 10;
constexpr int kMargin = 20;
// Between the parts of a slot's label.
constexpr const char* kGap = "   ";

}  // namespace

CFerroString GDialogSaveLoad::GetSlotPath(int slot) {
  CFerroString name;
  name.Format("%d.dms", slot);
  return (GComponent::game ? GComponent::game->GetPathToSavedGame() : CFerroString()) + name;
}

CFerroString GDialogSaveLoad::GetSlotLabel(int slot, Slot& holds) {
  holds = Slot::empty;
  GPlatform* platform = GComponent::game ? GComponent::game->GetPlatform() : nullptr;
  const CFerroString path = GetSlotPath(slot);
  std::unique_ptr<CFerroStream> stream(
      platform ? platform->OpenStream(path.c_str(), CFerroStream::modeRead) : nullptr);
  if (!stream) return "Empty Slot";
  const CFerroString map = SerializeGamePrefix(*stream);
  if (map.IsEmpty()) return "Empty Slot";
  const CFerroString level =
      "Level " +
      CFerroString().IntToString(GMapList::GetInstance()->GetMapGameIndex(map.c_str()) + 1, 2);
  stream->SetPosition(0);
  SAVED_GAME_SUMMARY held;
  if (!ReadSavedGameSummary(*stream, held)) {
    holds = Slot::damaged;
    return level + kGap + "cannot be loaded";
  }
  holds = Slot::game;
  CFerroString label = level + kGap + "Score " + CFerroString().IntToString(held.score, 5) + kGap +
                       "Lives " + CFerroString().IntToString(held.lives, 2);
  CFerroTime saved;
  if (platform->GetFileTime(path.c_str(), &saved)) {
    const auto digits = [](int value, int count) {
      return CFerroString().IntToString(value, count);
    };
    label = label + kGap + digits(saved.year, 4) + "-" + digits(saved.month, 2) + "-" +
            digits(saved.day, 2) + " " + digits(saved.hour, 2) + ":" + digits(saved.minute, 2);
  }
  return label;
}

void GDialogSaveLoad::OnInitDlg() {
  GDialog::OnInitDlg();
  if (game) game->ShowCursor(true);
  GSceneGame::PauseLevel();
  SetWindowText(loadMode ? "Load Game" : "Save Game");
  for (int k = 1; k <= kSlots; ++k) {
    Slot holds = Slot::empty;
    const CFerroString label = GetSlotLabel(k, holds);
    const bool usable = loadMode ? holds == Slot::game : true;
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
    GDialogSaveLoad::Slot holds = GDialogSaveLoad::Slot::empty;
    GDialogSaveLoad::GetSlotLabel(static_cast<int>(id), holds);
    GDispatchGuard self(this);
    if (holds != GDialogSaveLoad::Slot::empty &&
        app->MessageBox(GGameDM::kName, "Overwrite the saved game in this slot?", MB_OK_CANCEL) !=
            GMessageBox::kOk)
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

#include "game/app/GPictureLevel.h"

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/SurfaceColor.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GThemeComponent.h"
#include "game/app/GDialogLevels.h"
#include "game/app/GPictureMinimap.h"
#include "game/model/GMap.h"
#include "game/model/GModelMedia.h"

namespace {

// Where the miniature stands in the picture, and the line under it.
constexpr int kPad = 2;
constexpr int kLineY = kPad + GPictureLevel::kMiniHeight + 2;
constexpr unsigned kText = 0xFFFFFF;
constexpr unsigned kDim = 0x808080;
constexpr unsigned kCleared = 0x20D020;
constexpr unsigned kBack = 0x000000;
// How far a locked level's miniature goes towards black.
constexpr float kLockedDim = 0.65f;

}  // namespace

void GPictureLevel::SetLevel(int levelNumber, const CFerroString& name, const std::string& digest,
                             const LEVEL_RECORD& levelRecord, bool isOpen) {
  const bool changed = levelNumber != number || !(levelRecord == record) || isOpen != open;
  number = levelNumber;
  record = levelRecord;
  open = isOpen;
  if (!drawn || digest != shownDigest || open != shownOpen) DrawMiniature(name);
  shownDigest = digest;
  shownOpen = open;
  drawn = true;
  // A locked level's frame stays as dim as its miniature.
  SetColor(COLOR_BORDER, COLOR_DISABLED, kDim);
  Enable(open);
  if (changed) Invalidate();
}

void GPictureLevel::DrawMiniature(const CFerroString& name) {
  int w = 0, h = 0;
  images.GetCellSize(w, h);
  GSurface* picture = GetImage();
  GSurface* fresh = picture ? nullptr : GModelMedia::NewSurface(w, h);
  GSurface* mini = GModelMedia::NewSurface(kMiniWidth, kMiniHeight);
  if (picture || fresh) {
    GSurface* target = picture ? picture : fresh;
    target->Clear(kBack);
    GMap* map = GMap::GetInstance();
    // A map that cannot be read shows as an empty square.
    if (mini && map->LoadFromFile(name.c_str())) {
      map->RefreshMapBackground();
      ReduceNearest(map->GetMapBackground(), mini);
      if (!open) mini->MixColor(kBack, kLockedDim);
      target->Blt(mini, kPad, kPad, 0, 0, 0, 0, false);
    }
    target->SetModified(true);
  }
  GModelMedia::DeleteSurface(mini);
  if (fresh) {
    AddImage(fresh);
    GModelMedia::DeleteSurface(fresh);
  }
  Invalidate();
}

void GPictureLevel::OnRender() {
  GSurface* back = game ? game->GetBackSurface() : nullptr;
  GDevice* device = game ? game->GetDevice() : nullptr;
  if (!back || !device) return;
  const int font = theme ? theme->GetTextFont(this) : -1;
  CFerroRect client;
  GetClientRect(&client);
  const auto width = [&](const CFerroString& text) {
    int w = 0, h = 0;
    device->GetTextSize(text.c_str(), font, w, h);
    return w;
  };
  back->TextOut(kPad + 3, kPad + 2, CFerroString().IntToString(number, 2).c_str(), font,
                open ? kText : kDim, kBack);
  if (!open) {
    const CFerroString locked("Locked");
    back->TextOut((client.Width() - width(locked)) / 2, kLineY, locked.c_str(), font, kDim,
                  DEFAULT_COLOR);
    return;
  }
  if (record.cleared) {
    // A tick in the miniature's top right corner.
    const int x = kPad + kMiniWidth - 22, y = kPad + 4;
    back->FillRect(x - 3, y - 3, 22, 20, kBack);
    for (int d = 0; d < 3; ++d) {
      back->DrawLine(x, y + 7 + d, x + 5, y + 12 + d, kCleared);
      back->DrawLine(x + 5, y + 12 + d, x + 15, y + d, kCleared);
    }
  }
  const CFerroString time =
      record.bestTime ? CFerroString(CGameProgress::FormatTime(*record.bestTime).c_str()) + " s"
                      : CFerroString(record.cleared ? "" : "Not cleared");
  back->TextOut(kPad + 2, kLineY, time.c_str(), font, record.cleared ? kText : kDim, DEFAULT_COLOR);
  if (record.bestScore) {
    const CFerroString score = CFerroString().IntToString(*record.bestScore, 1) + " pts";
    back->TextOut(client.Width() - kPad - 2 - width(score), kLineY, score.c_str(), font, kText,
                  DEFAULT_COLOR);
  }
}

void GPictureLevel::OnMouseEnter(unsigned, int, int) {
  // Only a pointer that moves takes the frame along, not one resting where
  // the scene opened.
  if (!game || !game->IsPointerMoving()) return;
  if (auto* grid = dynamic_cast<GDialogLevels*>(GetParent())) grid->SetCurrent(number - 1);
}

void GPictureLevel::OnLButtonClick(unsigned, int, int) {
  if (auto* grid = dynamic_cast<GDialogLevels*>(GetParent())) grid->StartLevel(number - 1);
}

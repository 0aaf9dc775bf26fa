#include "game/app/GDialogCredits.h"

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/themes/GTheme.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GStatic.h"
#include "game/app/GButtonDM.h"
#include "game/app/GameLinks.h"

namespace {

constexpr unsigned kTextStyle = STYLE_VISIBLE | STYLE_NOERASE;
constexpr unsigned kOkStyle = kFramedStyle | kClosingButtonStyle;
// Between the two buttons.
constexpr int kButtonGap = 20;
// Between the text and the buttons.
constexpr int kTextGap = 30;
// The buttons' size when there is no theme to ask.
constexpr int kDefaultButtonWidth = 115;
constexpr int kDefaultButtonHeight = 20;
constexpr unsigned kOkId = 2;

}  // namespace

GDialogCredits::GDialogCredits() {
  GPlatform* platform = game ? game->GetPlatform() : nullptr;
  GDevice* device = game ? game->GetDevice() : nullptr;
  if (!platform || !device) return;
  const CFerroString folder = game->GetPathToImage();
  FILE_DATA file;
  if (folder.IsEmpty()) return;
  const CFerroString path = folder + "logo.png";
  if (!platform->LoadFile(path.c_str(), &file)) {
    platform->ReportFileFault(GPlatform::FileFault::missing, "picture", path.c_str(),
                              "the credits show no logo");
    return;
  }
  logo = device->AddSurface();
  if (logo && !logo->Load(file.data, file.size)) {
    device->DeleteSurface(logo);
    logo = nullptr;
    platform->ReportFileFault(GPlatform::FileFault::damaged, "picture", path.c_str(),
                              "the credits show no logo");
  }
}

void GDialogCredits::OnInitDlg() {
  GDialog::OnInitDlg();
  SetWindowText("Credits");
  const int lw = logo ? logo->GetWidth() : 0;
  const CFerroString text = CFerroString("Digmaze v") + (game ? game->GetVersion() : "") +
                            "\n\n\n" + game_links::kCredits;
  auto* credits = new GStatic;
  credits->Create(this, kTextStyle, margin + lw, 0, 0, 0, 1, text.c_str());
  int sw = 0, sh = 0;
  credits->GetSize(sw, sh);

  int bw = kDefaultButtonWidth, bh = kDefaultButtonHeight;
  if (GTheme* look = game ? game->GetTheme() : nullptr) look->GetButtonSizeForMessageBox(bw, bh);
  // "How to play" and OK side by side, centred under the text; OK keeps the
  // focus at first, and Enter and Escape.
  const int x = (margin + lw + sw - 2 * bw - kButtonGap) / 2, y = sh + margin + kTextGap;
  auto* help = new GButtonDM;
  help->Create(this, kFramedStyle, x, y, bw, bh, CMD_HOW_TO_PLAY, "How to play");
  auto* ok = new GButton;
  ok->Create(this, kOkStyle, x + bw + kButtonGap, y, bw, bh, kOkId, "OK");

  // The logo is drawn at (margin, margin) by OnRender, not as a child: a
  // placeholder at (0, 0) keeps that corner inside the fitted area.
  auto* corner = new GComponent;
  corner->Create(this, STYLE_VISIBLE, 0, 0, bw, bh, 0);
  CorrectSize(margin);
  DeleteChild(corner, true);
  AlignToCenter();
}

void GDialogCredits::OnRender() {
  if (!logo || !game || !game->GetBackSurface()) return;
  game->GetBackSurface()->Blt(logo, margin, margin, 0, 0, 0, 0, true);
}

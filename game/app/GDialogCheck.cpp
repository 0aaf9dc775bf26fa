#include "game/app/GDialogCheck.h"

#include <algorithm>

#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/themes/GTheme.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GStatic.h"
#include "game/app/GButtonDM.h"

namespace {

constexpr unsigned kTextStyle = STYLE_VISIBLE | STYLE_NOERASE;
constexpr unsigned kCloseStyle = kFramedStyle | kClosingButtonStyle;
// The program that searches, beside the game.
constexpr const char* kCheckProgram = "digmaze-check";
// The width of the texts and of the bar, and the bar's height.
constexpr int kWidth = 420;
constexpr int kBarHeight = 18;
constexpr int kGap = 16;
constexpr int kButtonGap = 20;
constexpr int kMargin = 20;

}  // namespace

void GDialogCheck::Check(const std::string& mapBytes) {
  GPlatform* platform = game ? game->GetPlatform() : nullptr;
  if (platform) check.Start(platform, platform->GetPathToProgram(kCheckProgram), mapBytes);
  BeginModal();
}

void GDialogCheck::OnInitDlg() {
  GDialog::OnInitDlg();
  SetWindowText("Check");
  const bool running = check.GetState() == GMapCheck::State::running;
  int bw = 130, bh = 34;
  if (GTheme* look = game ? game->GetTheme() : nullptr) look->GetButtonSizeForMessageBox(bw, bh);
  int w = 0, h = 0, y = 0;
  auto* text = new GStatic;
  text->Create(this, kTextStyle, 0, 0, kWidth, 0, 0,
               running ? "Searching for a way to win..." : check.AnswerText().c_str());
  text->GetSize(w, h);
  y = h + kGap;
  progress = nullptr;
  bar = CFerroRect();
  if (running) {
    progress = new GStatic;
    progress->Create(this, kTextStyle, 0, y, kWidth, 0, 0, check.ProgressText().c_str());
    progress->GetSize(w, h);
    y += h + kGap / 2 + kBarHeight + kGap;
  } else {
    y += kGap;
  }
  // Running: Cancel alone. Answered: OK, and Show before it for a win.
  const bool won = check.GetState() == GMapCheck::State::answered &&
                   check.GetReport().GetAnswer() == CCheckReport::Answer::won;
  const int buttons = won ? 2 : 1;
  int x = (kWidth - buttons * bw - (buttons - 1) * kButtonGap) / 2;
  if (won) {
    auto* show = new GButtonDM;
    show->Create(this, kFramedStyle, x, y, bw, bh, CMD_CHECK_SHOW, "Show");
    x += bw + kButtonGap;
  }
  auto* close = new GButton;
  close->Create(this, kCloseStyle, x, y, bw, bh, GMessageBox::kOk, running ? "Cancel" : "OK");
  CorrectSize(kMargin);
  AlignToCenter();
  // The bar stands under the progress text, where the fitting moved it.
  if (progress) {
    int px = 0, py = 0;
    progress->GetPosition(px, py);
    progress->GetSize(w, h);
    const int top = py + h + kGap / 2;
    bar = CFerroRect(px, top, px + kWidth, top + kBarHeight);
  }
}

void GDialogCheck::Rebuild() {
  OnInitDlg();
  AlignToCenterMonitor();
  FocusDefault();
  Invalidate();
}

void GDialogCheck::OnUpdateModal() {
  if (!check.Poll()) return;
  if (check.GetState() != GMapCheck::State::running) {
    Rebuild();
    return;
  }
  if (progress) progress->SetWindowText(check.ProgressText().c_str());
  Invalidate();
}

void GDialogCheck::OnRender() {
  GSurface* back = game ? game->GetBackSurface() : nullptr;
  GTheme* look = game ? game->GetTheme() : nullptr;
  if (!back || !look || bar.IsEmpty()) return;
  const double done = std::clamp(check.GetFraction(), 0.0, 1.0);
  const int filled = static_cast<int>(done * (bar.Width() - 4));
  back->DrawRect(bar.left, bar.top, bar.Width(), bar.Height(), look->GetBorderColorDefault());
  if (filled > 0)
    back->FillRect(bar.left + 2, bar.top + 2, filled, bar.Height() - 4,
                   look->GetSelectedColor(this));
}

void GDialogCheck::EndModal(int result) {
  check.Cancel();
  GDialog::EndModal(result);
}

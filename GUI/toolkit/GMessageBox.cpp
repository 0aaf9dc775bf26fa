#include "GUI/toolkit/GMessageBox.h"

#include <algorithm>

#include "GUI/platform/GGame.h"
#include "GUI/themes/GTheme.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GStatic.h"

namespace {

// Layout of a box: the text is at most this wide; buttons keep this much
// space around them; the margins around text and buttons.
constexpr int kTextWidth = 400;
constexpr int kButtonSpacing = 30;
constexpr int kRowMargin = 150;
constexpr int kSideMargin = 64;
constexpr int kTextTop = 22;
constexpr int kButtonGap = 42;
constexpr int kVerticalMargins = 66;
constexpr unsigned kButtonStyle = STYLE_VISIBLE | STYLE_BORDER;
constexpr unsigned kTextStyle = STYLE_VISIBLE | STYLE_NOERASE;

}  // namespace

void GMessageBox::Alert(const char* caption, const char* text, unsigned flags) {
  const bool closeBox = (flags & 0x2) != 0;
  if (id != 0xFFFFFFFFu) {
    DeleteAllChildren();
    // A box asked again with other flags gets or loses its close box.
    style = closeBox ? style | STYLE_CLOSE_BOX : style & ~STYLE_CLOSE_BOX;
  } else {
    // Created hidden; BeginModal below shows it.
    GDialog::Create(nullptr, (closeBox ? STYLE_CLOSE_BOX : 0u) | STYLE_BORDER | STYLE_CAPTION, 0, 0,
                    100, 100, kId);
  }
  SetWindowText(caption);

  GTheme* look = game ? game->GetTheme() : nullptr;
  int bw = 115, bh = 20;
  if (look) look->GetButtonSizeForMessageBox(bw, bh);
  CFerroRect innerGap, clientGap;
  GetInnerGap(&innerGap);
  GetClientGap(&clientGap);

  auto* label = new GStatic;
  label->Create(this, kTextStyle, 0, 0, kTextWidth, 0, 0, text);
  int sw = 0, sh = 0;
  label->GetSize(sw, sh);

  const int buttons = std::max(1, static_cast<int>((flags & 0x1) + ((flags & 0x2) >> 1)));
  const int rowWidth = (bw + kButtonSpacing) * buttons;
  const int layoutWidth = std::max(sw, rowWidth + kRowMargin);
  const int clientWidth = layoutWidth + kSideMargin;
  const int boxWidth =
      innerGap.left + innerGap.right + clientGap.left + clientGap.right + clientWidth;
  const int boxHeight = innerGap.top + innerGap.bottom + clientGap.top + clientGap.bottom + sh +
                        bh + kVerticalMargins;
  SetSize(boxWidth, boxHeight);

  // The text shrinks to its widest line and stands centred near the top.
  int textWidth = 0, textHeight = 0;
  label->GetScrollSize(textWidth, textHeight);
  label->SetSize(textWidth, sh);
  CFerroRect labelClient;
  label->GetClientRect(&labelClient);
  if (labelClient.Width() != textWidth)
    label->SetSize(textWidth + textWidth - labelClient.Width(), sh);
  // Centred by the width of its text across the whole box.
  label->SetPosition((boxWidth - textWidth) / 2, kTextTop);

  static const struct {
    int id;
    const char* label;
  } kButtons[] = {{kOk, "OK"}, {kCancel, "Cancel"}};
  int x = (clientWidth - rowWidth + kButtonSpacing) / 2;
  for (int i = 0; i < buttons; ++i, x += bw + kButtonSpacing) {
    auto* button = new GButton;
    const char* shown = look ? look->Translate(kButtons[i].label) : kButtons[i].label;
    button->Create(this, kButtonStyle, x, sh + kButtonGap, bw, bh,
                   static_cast<unsigned>(kButtons[i].id), shown);
  }

  GComponent::BeginModal();
  AlignToCenterMonitor();
  FocusDefault();
  Invalidate();
}

void GMessageBox::Invalidate() {
  if (style & STYLE_KEEP_CENTERED) {
    // Centred on the back buffer: the picture the player sees, whatever
    // the size of the window around it.
    const CFerroRect screen = BackBufferRect();
    int w = 0, h = 0, ax = 0, ay = 0, px = 0, py = 0;
    GetSize(w, h);
    GetAbsoluteWindowPosition(ax, ay);
    GetPosition(px, py);
    const int dx = (screen.Width() - w) / 2 - ax, dy = (screen.Height() - h) / 2 - ay;
    if (dx || dy) {
      InvalidateBeneath();
      SetPosition(px + dx, py + dy);
    }
  }
  GDialog::Invalidate();
}

void GMessageBoxQuit::OnEnter() {
  if (game) game->Quit(0);
  GMessageBox::OnEnter();
}

#include "GUI/themes/GThemeWindowsComponents.h"

#include <algorithm>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/SurfaceColor.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GTheme.h"
#include "GUI/toolkit/GComponent.h"
#include "GUI/toolkit/GDialog.h"
#include "GUI/toolkit/GPicture.h"
#include "GUI/toolkit/GScroller.h"
#include "GUI/toolkit/GStatic.h"
#include "GUI/toolkit/GValueRow.h"

namespace {

// The component's own colour of a group in one state, or the fallback.
unsigned OwnOr(GComponent* component, COMPONENT_COLOR group, COMPONENT_COLOR_STATE state,
               unsigned fallback) {
  const unsigned own = component->GetColor(group, state);
  return own != DEFAULT_COLOR ? own : fallback;
}

GDevice* DeviceOf(GTheme* theme) {
  return theme && theme->GetGame() ? theme->GetGame()->GetDevice() : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Button
// ---------------------------------------------------------------------------------------------

unsigned GThemeButtonWindows::GetBgColor(GComponent* button) {
  if (!button->IsEnabled()) return OwnOr(button, COLOR_BACKGROUND, COLOR_DISABLED, 0xEFEFEF);
  if (button->IsFixed()) return OwnOr(button, COLOR_BACKGROUND, COLOR_PRESSED, 0xFCE1C5);
  if (button->IsHighlighted()) return OwnOr(button, COLOR_BACKGROUND, COLOR_HIGHLIGHTED, 0xFCF2E8);
  return OwnOr(button, COLOR_BACKGROUND, COLOR_NORMAL, 0xEEEEEE);
}

unsigned GThemeButtonWindows::GetBorderColorGeneral(GComponent* button) {
  if (!button->IsEnabled()) return 0xD9D9D9;
  if (button->IsFixed()) return 0xE59D56;
  if (button->IsFocused()) return 0xFF9933;
  if (button->IsHighlighted()) return 0xEAB47E;
  return 0xACACAC;
}

void GThemeButtonWindows::RenderClient(GComponent* button) {
  GSurface* back = GetBackbuffer();
  if (!back) return;
  CFerroRect client;
  button->GetClientRect(&client);
  back->FillRect(0, 0, client.Width(), client.Height(), GetBgColor(button));
  const int shift = button->IsFixed() ? 1 : 0;
  DrawLabel(button, GetTextColor(button), shift, shift);
}

// ---------------------------------------------------------------------------------------------
// Static
// ---------------------------------------------------------------------------------------------

unsigned GThemeStaticWindows::GetBgColor(GComponent* staticText) {
  const unsigned own = staticText->GetColor(
      COLOR_BACKGROUND, staticText->IsEnabled() ? COLOR_NORMAL : COLOR_DISABLED);
  if (own != DEFAULT_COLOR) return own;
  GComponent* parent = staticText->GetParent();
  if (parent && parent->GetTheme()) return parent->GetTheme()->GetBgColor(parent);
  return 0xFFFFFF;
}

void GThemeStaticWindows::RenderClient(GComponent* staticText) {
  if (staticText->IsStatic()) static_cast<GStatic*>(staticText)->DrawRuns(GetBackbuffer());
}

// ---------------------------------------------------------------------------------------------
// Picture
// ---------------------------------------------------------------------------------------------

GSurface* GThemePictureWindows::GetShownImage(GComponent* picture) {
  return picture->IsPicture() ? static_cast<GPicture*>(picture)->GetImage() : nullptr;
}

void GThemePictureWindows::RenderClient(GComponent* picture) {
  GSurface* back = GetBackbuffer();
  GSurface* image = GetShownImage(picture);
  if (!back || !image || image->GetWidth() < 1 || image->GetHeight() < 1) return;
  back->Blt(image, 0, 0, 0, 0, 0, 0, true);
}

// ---------------------------------------------------------------------------------------------
// Dialog
// ---------------------------------------------------------------------------------------------

unsigned GThemeDialogWindows::GetBgColor(GComponent* dialog) {
  return dialog->ResolveColor(COLOR_BACKGROUND, 0xF0F0F0, 0xF0F0F0);
}

void GThemeDialogWindows::EraseClient(GComponent* dialog) {
  GSurface* back = GetBackbuffer();
  GSurface* picture = dialog->IsDialog() ? static_cast<GDialog*>(dialog)->GetBackground() : nullptr;
  const int pw = picture ? picture->GetWidth() : 0;
  const int ph = picture ? picture->GetHeight() : 0;
  if (!back || pw < 1 || ph < 1) {
    GThemeComponent::EraseClient(dialog);
    return;
  }
  CFerroRect client;
  dialog->GetClientRect(&client);
  // A picture one pixel narrower than the client zone is placed at 0 and
  // still leaves a column bare, so coverage is judged by size, and a picture
  // with transparent pixels never covers.
  if (pw < client.Width() || ph < client.Height() || !picture->IsOpaque())
    GThemeComponent::EraseClient(dialog);
  back->Blt(picture, (client.Width() - pw) / 2, (client.Height() - ph) / 2, 0, 0, 0, 0, true);
}

// ---------------------------------------------------------------------------------------------
// Check box
// ---------------------------------------------------------------------------------------------

unsigned GThemeCheckBoxWindows::GetTextColor(GComponent* box) {
  return box->ResolveColor(COLOR_TEXT, 0x000000, 0x838383);
}

unsigned GThemeCheckBoxWindows::GetBoxBorderColor(GComponent* box) {
  if (!box->IsEnabled()) return 0xBCBCBC;
  return box->IsHighlighted() ? 0x3399FF : 0x707070;
}

unsigned GThemeCheckBoxWindows::GetBoxFaceColor(GComponent* box) {
  if (!box->IsEnabled()) return 0xE6E6E6;
  return box->IsHighlighted() ? 0xF3F9FF : 0xFFFFFF;
}

unsigned GThemeCheckBoxWindows::GetCheckColor(GComponent* box) {
  return box->IsEnabled() ? 0x000000 : 0x707070;
}

bool GThemeCheckBoxWindows::IsChecked(GComponent*) {
  return false;
}

void GThemeCheckBoxWindows::RenderClient(GComponent* box) {
  GSurface* back = GetBackbuffer();
  if (!back) return;
  CFerroRect client;
  box->GetClientRect(&client);
  constexpr int kBoxSide = 13;
  const int side = std::min(kBoxSide, client.Height());
  if (side < 1) return;
  const int top = (client.Height() - side) / 2;
  back->FillRect(0, top, side, side, GetBoxFaceColor(box));
  back->DrawRect(0, top, side, side, GetBoxBorderColor(box));
  if (IsChecked(box) && side >= 7) {
    // A tick: a short stroke down to the lowest point, a long one up.
    const unsigned mark = GetCheckColor(box);
    const int x0 = 3, y0 = top + side / 2, xm = side / 2 - 1, ym = top + side - 4;
    const int x1 = side - 4, y1 = top + 3;
    back->DrawLine(x0, y0, xm, ym, mark);
    back->DrawLine(xm, ym, x1, y1, mark);
  }
  const CFerroString& text = box->GetWindowText();
  GDevice* device = DeviceOf(theme);
  if (!device || text.IsEmpty()) return;
  const int font = GetTextFont(box);
  int tw = 0, th = 0;
  device->GetTextSize(text.c_str(), font, tw, th);
  back->TextOut(side + 4, (client.Height() - th) / 2, text.c_str(), font, GetTextColor(box),
                DEFAULT_COLOR);
}

// ---------------------------------------------------------------------------------------------
// Value row
// ---------------------------------------------------------------------------------------------

unsigned GThemeValueRowWindows::GetBgColor(GComponent* row) {
  const unsigned own =
      row->GetColor(COLOR_BACKGROUND, row->IsEnabled() ? COLOR_NORMAL : COLOR_DISABLED);
  if (own != DEFAULT_COLOR) return own;
  GComponent* parent = row->GetParent();
  if (parent && parent->GetTheme()) return parent->GetTheme()->GetBgColor(parent);
  return 0xFFFFFF;
}

void GThemeValueRowWindows::DrawRowArrow(GComponent* row, int arrow, const CFerroRect& square,
                                         bool lit, bool enabled) {
  auto* values = static_cast<GValueRow*>(row);
  GSurface* back = GetBackbuffer();
  const SCROLLER_BUTTON_STATE state = !enabled                             ? SB_DISABLED
                                      : values->GetPressedArrow() == arrow ? SB_PRESSED
                                      : lit                                ? SB_HIGHLIGHTED
                                                                           : SB_NORMAL;
  GSurface* picture =
      theme ? theme->GetScrollerArrow(arrow == ARROW_LESS ? ARROW_LEFT : ARROW_RIGHT, state)
            : nullptr;
  if (!back || !picture) return;
  const int w = std::min(square.Width(), picture->GetWidth());
  const int h = std::min(square.Height(), picture->GetHeight());
  if (w > 0 && h > 0)
    back->Blt(picture, square.left + (square.Width() - w) / 2,
              square.top + (square.Height() - h) / 2, 0, 0, w, h, true);
}

void GThemeValueRowWindows::DrawRowFocus(GComponent*, int w, int h) {
  if (GSurface* back = GetBackbuffer()) back->DrawRect(0, 0, w, h, kFocusColor);
}

void GThemeValueRowWindows::RenderClient(GComponent* row) {
  GSurface* back = GetBackbuffer();
  GDevice* device = DeviceOf(theme);
  if (!back || !device) return;
  auto* values = static_cast<GValueRow*>(row);
  CFerroRect client;
  row->GetClientRect(&client);
  const int font = GetTextFont(row);
  // Texts stand on the row's middle.
  const auto text = [&](const CFerroString& t, int x, bool centred, unsigned color) {
    int tw = 0, th = 0;
    device->GetTextSize(t.c_str(), font, tw, th);
    back->TextOut(centred ? x - tw / 2 : x, (client.Height() - th) / 2, t.c_str(), font, color,
                  DEFAULT_COLOR);
  };
  text(row->GetWindowText(), kLabelLeft, false, GetLabelColor(row));
  const CFerroRect place = values->GetValueRect();
  text(values->GetValueText(), place.left + place.Width() / 2, true, GetValueColor(row));
  for (int arrow : {ARROW_LESS, ARROW_MORE}) {
    const CFerroRect square = values->GetArrowRect(arrow);
    if (square.IsEmpty()) continue;
    const bool lit = values->GetHoverArrow() == arrow || values->GetPressedArrow() == arrow;
    DrawRowArrow(row, arrow, square, lit, row->IsEnabled() && values->IsArrowEnabled(arrow));
  }
  if (row->IsFocusShown()) DrawRowFocus(row, client.Width(), client.Height());
}

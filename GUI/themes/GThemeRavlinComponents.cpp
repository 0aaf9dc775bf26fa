#include "GUI/themes/GThemeRavlinComponents.h"

#include <algorithm>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GTheme.h"
#include "GUI/toolkit/GComponent.h"
#include "GUI/toolkit/GValueRow.h"

namespace {

constexpr unsigned kHighlightStep = 0x202020;
constexpr double kLabelShade = 0.8;

bool IsFramed(GComponent* component) {
  return (component->GetStyle() & STYLE_FRAMED) != 0;
}

}  // namespace

void GThemeButtonRavlin::EraseClient(GComponent* button) {
  if (theme && IsFramed(button)) theme->EraseClient(button);
}

void GThemeButtonRavlin::RenderBorder(GComponent* button) {
  if (theme && IsFramed(button)) theme->RenderBorder(button);
}

int GThemeButtonRavlin::GetBorderSize(GComponent* button) {
  return IsFramed(button) ? GThemeComponent::GetBorderSize(button) : 0;
}

unsigned GThemeButtonRavlin::GetBorderColor(GComponent* button) {
  const unsigned color = GThemeComponent::GetBorderColor(button);
  const bool lit = button->IsPressed() || button->IsHighlighted() || button->IsFocusShown();
  return lit ? AddColor(color, kHighlightStep) : color;
}

void GThemeButtonRavlin::RenderClient(GComponent* button) {
  GSurface* back = GetBackbuffer();
  if (!back) return;
  const unsigned color = GetBorderColor(button);
  if (!IsFramed(button)) {
    CFerroRect client;
    button->GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    GDevice* device = theme && theme->GetGame() ? theme->GetGame()->GetDevice() : nullptr;
    if (device && w > 0 && h > 0) {
      if (!scratch) scratch = device->AddSurface();
      if (scratch && (scratch->GetWidth() != w || scratch->GetHeight() != h)) scratch->Create(w, h);
      if (scratch && scratch->GetWidth() == w && scratch->GetHeight() == h) {
        DrawNotchedOutline(scratch, w, h, color, button->IsEnabled());
        back->Blt(scratch, 0, 0, 0, 0, w, h, false);
      }
    }
  }
  if (button->IsFocusShown()) {
    CFerroRect client;
    button->GetClientRect(&client);
    const unsigned outline = AddColor(color, kFocusOutlineStep);
    back->DrawRect(0, 0, client.Width(), client.Height(), outline);
    back->DrawRect(1, 1, client.Width() - 2, client.Height() - 2, outline);
  }
  const int shift = button->IsEnabled() && button->IsFixed() ? 1 : 0;
  DrawLabel(button, ScaleColor(color, kLabelShade), shift, shift - 1);
}

void GThemeButtonRavlin::DrawNotchedOutline(GSurface* target, int w, int h, unsigned color,
                                            bool filled) {
  if (!target || w < 1 || h < 1) return;
  target->FillRect(0, 0, w, h, 0x000000);
  target->DrawRect(0, 0, w, h, color);
  // Along the top and bottom edges: a run, a notch (down, along, up) and a
  // run to the middle; down the sides a run to the middle. Each corner draws
  // its quarter, mirrored, two pixels inside the outline.
  const int q = w / 10;
  const int t = 12 * w / 100;
  const int m = std::min(12 * h / 100, 12 * w / 300);
  const int a = q + m + 1;
  const int e = a + t + m - 1;
  // Below the sizes where the runs meet these would turn round; they only
  // shorten to nothing.
  const int r = std::max(0, (w % 2) + (w - 2 * (t + q + 2 * m)) / 2);
  const int side = std::max(0, (h % 2) + (h - 4) / 2);
  const struct {
    int x0, y0, dx, dy;
  } corners[] = {{0, 0, 1, 1}, {0, h - 1, 1, -1}, {w - 1, 0, -1, 1}, {w - 1, h - 1, -1, -1}};
  for (const auto& c : corners) {
    const int edge = c.y0 + 2 * c.dy;
    const int notch = c.y0 + (m + 2) * c.dy;
    target->DrawHorizontalLine(c.x0 + 2 * c.dx, edge, q * c.dx, color);
    target->DrawLine(c.x0 + (q + 1) * c.dx, edge, c.x0 + a * c.dx, notch, color);
    target->DrawHorizontalLine(c.x0 + a * c.dx, notch, t * c.dx, color);
    target->DrawLine(c.x0 + (a + t - 1) * c.dx, notch, c.x0 + e * c.dx, edge, color);
    target->DrawHorizontalLine(c.x0 + e * c.dx, edge, r * c.dx, color);
    target->DrawVerticalLine(c.x0 + 2 * c.dx, edge, side * c.dy, color);
  }
  if (filled) target->FloodFill(5, 5, kNotchFill, color);
}

unsigned GThemeValueRowRavlin::FrameColor(GComponent* row, bool lit) {
  const unsigned color = GThemeComponent::GetBorderColor(row);
  return lit ? AddColor(color, kHighlightStep) : color;
}

unsigned GThemeValueRowRavlin::GetLabelColor(GComponent* row) {
  if (!row->IsEnabled()) return ScaleColor(FrameColor(row, false), kDimArrow);
  return ScaleColor(FrameColor(row, row->IsHighlighted() || row->IsFocusShown()), kLabelShade);
}

unsigned GThemeValueRowRavlin::GetValueColor(GComponent* row) {
  return row->IsEnabled() ? kValueColor : ScaleColor(kValueColor, kLabelShade);
}

void GThemeValueRowRavlin::DrawRowArrow(GComponent* row, int arrow, const CFerroRect& square,
                                        bool lit, bool enabled) {
  GSurface* back = GetBackbuffer();
  if (!back) return;
  const unsigned frame = FrameColor(row, lit && enabled);
  const unsigned color = enabled ? frame : ScaleColor(frame, kDimArrow);
  // A triangle a third of the square high, its columns growing by two
  // pixels from the tip, centred in the square.
  const int depth = std::max(2, square.Height() / 3);
  const int left = square.left + (square.Width() - depth) / 2;
  const int middle = square.top + square.Height() / 2;
  for (int i = 0; i < depth; ++i) {
    const int x = arrow == ARROW_LESS ? left + i : left + depth - 1 - i;
    back->DrawVerticalLine(x, middle - i, 2 * i + 1, color);
  }
}

void GThemeValueRowRavlin::DrawRowFocus(GComponent* row, int w, int h) {
  GSurface* back = GetBackbuffer();
  if (!back) return;
  const unsigned outline = AddColor(FrameColor(row, true), GThemeButtonRavlin::kFocusOutlineStep);
  back->DrawRect(0, 0, w, h, outline);
  back->DrawRect(1, 1, w - 2, h - 2, outline);
}

unsigned GThemeDialogRavlin::GetBgColor(GComponent* dialog) {
  return dialog->ResolveColor(COLOR_BACKGROUND, 0x000000, 0x000000);
}

#include "GUI/themes/GThemeRavlin.h"

#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GBorderSet.h"
#include "GUI/themes/GThemeRavlinComponents.h"
#include "GUI/toolkit/GComponent.h"

GThemeRavlin::GThemeRavlin(GGame* owner) : GThemeWindows(owner) {
  SetComponentTheme(THEME_BUTTON, std::make_unique<GThemeButtonRavlin>(this));
  SetComponentTheme(THEME_COMBOBOX, std::make_unique<GThemeComboBoxRavlin>(this));
  SetComponentTheme(THEME_LISTBOX, std::make_unique<GThemeListBoxRavlin>(this));
  SetComponentTheme(THEME_CHECKBOX, std::make_unique<GThemeCheckBoxRavlin>(this));
  SetComponentTheme(THEME_VALUE_ROW, std::make_unique<GThemeValueRowRavlin>(this));
  SetComponentTheme(THEME_PICTURE, std::make_unique<GThemePictureRavlin>(this));
  SetComponentTheme(THEME_DIALOG, std::make_unique<GThemeDialogRavlin>(this));
  SetComponentTheme(THEME_BUTTON_IMAGE, std::make_unique<GThemeButtonImageRavlin>(this));
}

GThemeRavlin::~GThemeRavlin() = default;

bool GThemeRavlin::Create() {
  const bool created = GThemeWindows::Create();
  FindBorder(GetBorderColorDefault());
  return created;
}

GBorderSet* GThemeRavlin::FindBorder(unsigned color) {
  for (const auto& set : borderSets)
    if (set->GetColor() == color) return set.get();
  std::unique_ptr<GBorderSet> set = GBorderSet::Build(game ? game->GetDevice() : nullptr, color);
  if (!set) return nullptr;
  borderSets.push_back(std::move(set));
  return borderSets.back().get();
}

int GThemeRavlin::GetBorderSize(GComponent* component) {
  const unsigned style = component->GetStyle();
  if (!(style & STYLE_ALPHA)) return GThemeWindows::GetBorderSize(component);
  if (!(style & (STYLE_BORDER | STYLE_CAPTION))) return 0;
  const int depth = borderSets.empty() ? GBorderSet::kDepth : borderSets.front()->GetCornerWidth();
  return depth + ((style & STYLE_THICK_BORDER) ? 5 : 0);
}

void GThemeRavlin::RenderBorder(GComponent* component) {
  if (!(component->GetStyle() & STYLE_ALPHA)) {
    GThemeWindows::RenderBorder(component);
    return;
  }
  GSurface* back = GetBackbuffer();
  GBorderSet* set = FindBorder(DrawingBorderColor(component));
  if (!back || !set) return;
  int w = 0, h = 0;
  component->GetSize(w, h);
  set->Render(back, w, h);
  // A frame deeper than the soft one continues inside it as the default
  // thick frame.
  const int size = DrawingBorderSize(component);
  if (size > set->GetCornerWidth()) DrawFrameRings(component, set->GetCornerWidth(), size - 1);
}

void GThemeRavlin::EraseClient(GComponent* component) {
  GThemeWindows::EraseClient(component);
  GSurface* back = GetBackbuffer();
  if (!back || !(component->GetStyle() & STYLE_FRAMED)) return;
  CFerroRect client;
  component->GetClientRect(&client);
  const int w = client.Width(), h = client.Height();
  for (int x = kGridStart; x < w; x += kGridStep) back->DrawVerticalLine(x, 0, h, kGridColor);
  for (int y = kGridStart; y < h; y += kGridStep) back->DrawHorizontalLine(0, y, w, kGridColor);
}

bool GThemeRavlin::IsAlpha(GComponent* component) {
  return (component->GetStyle() & STYLE_ALPHA) != 0;
}

unsigned GThemeRavlin::GetCaptionBgColorDefault() {
  return ScaleColor(GetBorderColorDefault(), 0.5);
}

void GThemeRavlin::GetButtonSizeForMessageBox(int& w, int& h) {
  w = 130;
  h = 34;
}

void GThemeRavlin::GetSBColors(SCROLLER_BUTTON_STATE state, unsigned& arrow, unsigned& back) {
  back = 0x002020;
  switch (state) {
    case SB_HIGHLIGHTED:
      arrow = 0xFFFF00;
      break;
    case SB_PRESSED:
      arrow = 0xFFFF00;
      back = 0x003030;
      break;
    case SB_DISABLED:
      arrow = GetBorderColorDisabledDefault();
      break;
    default:
      arrow = 0xFFFFFF;
      break;
  }
}

void GThemeRavlin::GetScrollerPlaceColors(unsigned& track, unsigned& trackLine, unsigned& slider,
                                          unsigned& sliderHighlighted, unsigned& sliderPressed,
                                          unsigned& corner) {
  constexpr unsigned kSlider = 0x00202F;
  track = 0x001525;
  trackLine = ScaleColor(GetBorderColorDefault(), 0.4);
  slider = ScaleColor(kSlider, 1.2);
  sliderHighlighted = ScaleColor(kSlider, 1.4);
  sliderPressed = ScaleColor(kSlider, 1.6);
  corner = 0x001525;
}

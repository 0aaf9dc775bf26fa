#include "GUI/themes/GThemeComponent.h"

#include "GUI/toolkit/GComponent.h"

bool GThemeComponent::RenderWin(GComponent*) {
  return true;
}

bool GThemeComponent::RenderInner(GComponent*) {
  return true;
}

void GThemeComponent::RenderClient(GComponent*) {}

void GThemeComponent::RenderScroller(GScroller*) {}

int GThemeComponent::GetSBSize(GComponent*) {
  return 18;
}

void GThemeComponent::GetInnerGap(GComponent*, CFerroRect* gap) {
  if (gap) *gap = CFerroRect();
}

void GThemeComponent::GetClientGap(CFerroRect* gap) {
  if (gap) *gap = CFerroRect();
}

bool GThemeComponent::IsOver(GComponent* component, int x, int y) {
  if (!component || !component->IsVisibled() || !component->IsEnabled()) return false;
  int px = 0, py = 0, w = 0, h = 0;
  component->GetPosition(px, py);
  component->GetSize(w, h);
  return CFerroRect(px, py, px + w, py + h).Contains(x, y);
}

void GThemeComponent::GetMinSize(GComponent*, int& w, int& h) {
  w = 8;
  h = 8;
}

void GThemeComponent::GetMaxSize(GComponent*, int& w, int& h) {
  w = 10000;
  h = 10000;
}

void GThemeComponent::EraseInnerRect(GComponent*, CFerroRect*) {}

void GThemeComponent::EraseClient(GComponent*) {}

int GThemeComponent::GetBorderSize(GComponent*) {
  return 0;
}

int GThemeComponent::GetCaptionHeight(GComponent*) {
  return 0;
}

void GThemeComponent::GetCaptionRect(GComponent*, CFerroRect* rect) {
  if (rect) *rect = CFerroRect(-1, -1, -1, -1);
}

void GThemeComponent::GetButtonCloseRect(GComponent*, CFerroRect* rect) {
  if (rect) *rect = CFerroRect();
}

void GThemeComponent::GetButtonMaximizeRect(GComponent*, CFerroRect* rect) {
  if (rect) *rect = CFerroRect();
}

void GThemeComponent::GetButtonMinimizeRect(GComponent*, CFerroRect* rect) {
  if (rect) *rect = CFerroRect();
}

bool GThemeComponent::IsAlpha(GComponent*) {
  return false;
}

int GThemeComponent::GetTextFont(GComponent* component) {
  return component ? component->GetFont() : -1;
}

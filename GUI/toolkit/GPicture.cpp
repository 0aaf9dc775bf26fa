#include "GUI/toolkit/GPicture.h"

#include "GUI/graphics/GImage.h"
#include "GUI/platform/GGame.h"
#include "GUI/themes/GTheme.h"
#include "GUI/themes/GThemeComponent.h"

GPicture::GPicture() {
  if (game && game->GetTheme()) theme = game->GetTheme()->GetComponentTheme(THEME_PICTURE);
}

bool GPicture::Create(GComponent* owner, unsigned newStyle, int px, int py, int w, int h,
                      unsigned newId) {
  if (!GComponent::Create(owner, newStyle, px, py, w, h, newId)) return false;
  CFerroRect client, gap;
  GetClientRect(&client);
  GetClientGap(&gap);
  images.Create(client.Width() - gap.left - gap.right, client.Height() - gap.top - gap.bottom);
  return true;
}

int GPicture::AddImage(GSurface* surface) {
  const int index = surface ? images.AddImage(surface) : -1;
  if (index == 0) {
    selected = 0;
    Invalidate();
  }
  return index;
}

void GPicture::SetSel(int i) {
  if (i == selected) return;
  selected = i;
  Invalidate();
}

GSurface* GPicture::GetImage() const {
  GImage* image = images.GetImage(selected);
  return image ? image->GetSurface() : nullptr;
}

void GPicture::ClientOnRender() {
  if (theme) theme->RenderClient(this);
  OnRender();
}

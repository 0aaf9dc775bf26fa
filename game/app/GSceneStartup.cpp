#include "game/app/GSceneStartup.h"

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"

void GSceneStartup::OnRender() {
  GSurface* back = game ? game->GetBackSurface() : nullptr;
  if (!back) return;
  if (GSurface* picture = GetTitle())
    back->Blt(picture, 0, 0, 0, 0, width, height, false);
  else
    DrawTestCard(back);
}

GSurface* GSceneStartup::GetTitle() {
  if (titleTried) return title;
  titleTried = true;
  GPlatform* platform = game->GetPlatform();
  GDevice* device = game->GetDevice();
  CFerroString folder = game->GetPathToImage();
  if (!platform || !device || folder.IsEmpty()) return nullptr;
  FILE_DATA file;
  if (!platform->LoadFile((folder + "main.png").c_str(), &file)) return nullptr;
  GSurface* surface = device->AddSurface();
  if (surface && !surface->Load(file.data, file.size)) {
    device->DeleteSurface(surface);
    surface = nullptr;
  }
  title = surface;
  return title;
}

void GSceneStartup::DrawTestCard(GSurface* back) {
  back->FillRect(0, 0, width, height, 0x102040);
  // Eight colour bars across the middle.
  static const unsigned kBars[] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                   0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
  int barWidth = width / 8;
  for (int i = 0; i < 8; ++i)
    back->FillRect(i * barWidth, height / 3, barWidth, height / 3, kBars[i]);
  back->DrawLine(0, 0, width - 1, height - 1, 0x808080);
  back->DrawLine(width - 1, 0, 0, height - 1, 0x808080);
  back->DrawRect(0, 0, width, height, 0xFFFFFF);
}

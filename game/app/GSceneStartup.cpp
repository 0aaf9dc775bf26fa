#include "game/app/GSceneStartup.h"

#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GGame.h"

void GSceneStartup::OnRender() {
  GSurface* back = game ? game->GetBackSurface() : nullptr;
  if (!back) return;
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

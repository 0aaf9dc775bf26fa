#include "game/app/GPictureCell.h"

#include "GUI/graphics/SurfaceColor.h"
#include "game/model/GMap.h"

void GPictureCell::OnLButtonClick(unsigned, int, int) {
  GMap::GetInstance()->paletteCode = cellCode;
  GComponent* palette = GetParent();
  if (palette) {
    for (int i = 0; i < palette->GetChildCount(); ++i) {
      GComponent* entry = palette->GetChild(i);
      if (entry->IsPicture()) entry->SetColor(COLOR_BORDER, COLOR_NORMAL, DEFAULT_COLOR);
    }
  }
  SetColor(COLOR_BORDER, COLOR_NORMAL, kSelectedColor);
  // The editor keeps the keyboard.
  if (palette) palette->SetFocus();
}

void GPictureCell::OnKeyDown(unsigned key, unsigned count, unsigned flags) {
  if (GComponent* editor = GetParent()) editor->OnKeyDown(key, count, flags);
}

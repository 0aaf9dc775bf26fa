#include "game/app/GPictureMinimap.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/SurfaceColor.h"
#include "GUI/platform/GGame.h"
#include "game/app/GButtonDM.h"
#include "game/app/GSceneMapsManager.h"
#include "game/model/GMap.h"
#include "game/model/GModelMedia.h"

void ReduceNearest(GSurface* src, GSurface* dst) {
  if (!src || !dst || src->GetBPP() != dst->GetBPP()) return;
  const int w = dst->GetWidth(), h = dst->GetHeight();
  const int mw = src->GetWidth(), mh = src->GetHeight();
  if (w < 1 || h < 1 || mw < 1 || mh < 1 || !src->GetPixels() || !dst->GetPixels()) return;
  const float sx = static_cast<float>(mw) / static_cast<float>(w);
  const float sy = static_cast<float>(mh) / static_cast<float>(h);
  const size_t bytes = static_cast<size_t>(src->GetBPP() / 8);
  // The source column of every destination column, computed once.
  // Rounding can reach the edge when enlarging; the last row or column is used then.
  std::vector<int> columns(static_cast<size_t>(w));
  for (int x = 0; x < w; ++x)
    columns[static_cast<size_t>(x)] =
        std::min(static_cast<int>(static_cast<float>(x) * sx), mw - 1);
  const uint8_t* from = src->GetPixels();
  uint8_t* to = dst->GetPixels();
  for (int y = 0; y < h; ++y) {
    const int row = std::min(static_cast<int>(static_cast<float>(y) * sy), mh - 1);
    const uint8_t* line = from + static_cast<size_t>(row) * mw * bytes;
    uint8_t* out = to + static_cast<size_t>(y) * w * bytes;
    if (bytes == 2) {
      const auto* in16 = reinterpret_cast<const uint16_t*>(line);
      auto* out16 = reinterpret_cast<uint16_t*>(out);
      for (int x = 0; x < w; ++x) out16[x] = in16[columns[static_cast<size_t>(x)]];
    } else {
      for (int x = 0; x < w; ++x)
        std::memcpy(out + static_cast<size_t>(x) * bytes,
                    line + static_cast<size_t>(columns[static_cast<size_t>(x)]) * bytes, bytes);
    }
  }
  dst->SetModified(true);
}

void GPictureMinimap::RefreshImage(const char* name) {
  mapName = name ? name : "";
  GMap* map = GMap::GetInstance();
  map->LoadFromFile(name);
  map->RefreshMapBackground();
  GSurface* background = map->GetMapBackground();

  // The picture's own cell is drawn into when it exists; the first time a
  // surface of the cell's size is made, drawn and handed to the list.
  if (GSurface* shown = GetImage()) {
    ReduceNearest(background, shown);
    Invalidate();
    return;
  }
  int w = 0, h = 0;
  images.GetCellSize(w, h);
  GSurface* fresh = GModelMedia::NewSurface(w, h);
  if (!fresh) return;
  ReduceNearest(background, fresh);
  AddImage(fresh);
  GModelMedia::DeleteSurface(fresh);
}

bool GPictureMinimap::IsSelected() const {
  return GetColor(COLOR_BORDER, COLOR_NORMAL) != DEFAULT_COLOR;
}

void GPictureMinimap::OnLButtonClick(unsigned, int, int) {
  if (GComponent* grid = GetParent()) {
    for (int i = 0; i < grid->GetChildCount(); ++i)
      grid->GetChild(i)->SetColor(COLOR_BORDER, COLOR_NORMAL, DEFAULT_COLOR);
    grid->Invalidate();
  }
  SetColor(COLOR_BORDER, COLOR_NORMAL, kSelectedColor);
  if (auto* scene = dynamic_cast<GSceneMapsManager*>(GetRootScene())) {
    scene->RefreshButtons();
    // The keys move the selection on from the map chosen.
    scene->SetFocusItem(GetParent());
  }
}

void GPictureMinimap::OnLButtonDblClk(unsigned, int, int) {
  GComponent* scene = game ? game->GetScene() : nullptr;
  if (GComponent* edit = scene ? scene->Find(static_cast<unsigned>(CMD_EDIT_MAP)) : nullptr)
    edit->OnLButtonClick(0, -1, -1);
}

#include "game/model/GMap.h"

#include <algorithm>

#include "GUI/graphics/GSurface.h"
#include "game/model/ANIMATION_LIST.h"
#include "game/model/GModelMedia.h"
#include "game/model/GUnit.h"

GSurface* GMap::map_bg = nullptr;
std::function<bool()> GMap::editedProbe;
std::function<std::unique_ptr<GMapUndo>(GMap&)> GMap::undoFactory;
std::function<void(std::unique_ptr<GMapUndo>)> GMap::undoFinisher;

GMap* GMap::GetInstance() {
  static GMap instance;
  return &instance;
}

GMap::GMap() {
  tintSurface = GModelMedia::NewSurface(SQUARE, SQUARE);
}

void GMap::LoadMedia() {
  tintSurface = GModelMedia::NewSurface(SQUARE, SQUARE);
  map_bg = nullptr;
  if (width > 0 && height > 0) RefreshMapBackground();
}

void GMap::ForgetMedia() {
  tintSurface = nullptr;
  map_bg = nullptr;
}

GMap::~GMap() {
  Clear();
  pendingUndo.reset();
  // The device owns every surface; hand ours back only while it still exists.
  if (GModelMedia::HasDevice()) {
    GModelMedia::DeleteSurface(tintSurface);
    GModelMedia::DeleteSurface(map_bg);
    map_bg = nullptr;
  }
}

GCell* GMap::GetCell(int x, int y) {
  if (!IsInside(x, y)) return &outsideCell;
  return cells[static_cast<size_t>(y) * width + x].get();
}

bool GMap::SetCell(int x, int y, int code) {
  if (!IsInside(x, y)) return false;
  if (GetCell(x, y)->GetType() == code) return false;
  std::unique_ptr<GCell> cell = GCell::CreateCell(code);
  if (!cell) return false;
  if (!pendingUndo && IsEdited() && undoFactory) pendingUndo = undoFactory(*this);
  if (cell->IsSingle()) {
    for (int cx = 0; cx < width; ++cx)
      for (int cy = 0; cy < height; ++cy)
        if (GetCell(cx, cy)->GetType() == code) {
          cells[static_cast<size_t>(cy) * width + cx] = GCell::CreateCell(CELL_EMPTY);
          RefreshCell(cx, cy);
        }
  }
  cells[static_cast<size_t>(y) * width + x] = std::move(cell);
  RefreshCell(x, y);
  return true;
}

void GMap::Create(int w, int h) {
  Clear();
  if (w <= 0 || h <= 0) return;
  width = w;
  height = h;
  cells.resize(static_cast<size_t>(w) * h);
  for (auto& cell : cells) cell = GCell::CreateCell(CELL_EMPTY);
}

void GMap::Clear() {
  fileName = "";
  width = 0;
  height = 0;
  cells.clear();
  ClearUnits();
}

void GMap::ClearUnits() {
  exitX = 0;
  exitY = 0;
  tick = 0;
  runner.reset();
  aliens.clear();
  SetState(STATE_WAITING);
}

int GMap::CountCells(int code) const {
  return static_cast<int>(std::count_if(
      cells.begin(), cells.end(), [code](const auto& cell) { return cell->GetType() == code; }));
}

void GMap::SetState(int value) {
  state = value;
  stateCounter = 0;
}

void GMap::GetPosition(int x, int y, int& px, int& py) const {
  px = x * SQUARE;
  py = y * SQUARE;
}

void GMap::GetPositionTV(int& left, int& top) const {
  left = (GModelMedia::GetBackBufferWidth() - width * SQUARE) / 2;
  top = MAP_TOP;
}

void GMap::GetCellTVPosition(int x, int y, int& sx, int& sy) const {
  int left, top;
  GetPositionTV(left, top);
  sx = left + x * SQUARE;
  sy = top + y * SQUARE;
}

void GMap::GetCellCoordinates(int sx, int sy, int& cx, int& cy) const {
  int left, top;
  GetPositionTV(left, top);
  cx = -1;
  cy = -1;
  if (sx < left || sy < top) return;
  const int col = (sx - left) / SQUARE;
  const int row = (sy - top) / SQUARE;
  if (col >= width || row >= height) return;
  cx = col;
  cy = row;
}

bool GMap::IsEdited() const {
  return editedProbe && editedProbe();
}

void GMap::FinishUndo() {
  std::unique_ptr<GMapUndo> step = std::move(pendingUndo);
  if (step && undoFinisher) undoFinisher(std::move(step));
}

void GMap::DrawSquare(int x, int y) {
  GSurface* icon = GetCell(x, y)->GetIcon();
  if (icon)
    map_bg->Blt(icon, x * SQUARE, y * SQUARE, 0, 0, SQUARE, SQUARE, false);
  else
    map_bg->FillRect(x * SQUARE, y * SQUARE, SQUARE, SQUARE, 0);
}

GSurface* GMap::GetMapBackground() {
  if (map_bg && (map_bg->GetWidth() != width * SQUARE || map_bg->GetHeight() != height * SQUARE)) {
    // The background follows the map's size; a map of another size gets a new one.
    GModelMedia::DeleteSurface(map_bg);
    map_bg = nullptr;
  }
  if (!map_bg && width > 0 && height > 0) {
    map_bg = GModelMedia::NewSurface(width * SQUARE, height * SQUARE);
    if (map_bg)
      for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) DrawSquare(x, y);
  }
  return map_bg;
}

void GMap::RefreshMapBackground() {
  if (!GetMapBackground()) return;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) DrawSquare(x, y);
}

void GMap::RefreshCell(int x, int y) {
  if (!GetMapBackground() || !IsInside(x, y)) return;
  DrawSquare(x, y);
}

void GMap::CopyToBackbuffer() {
  GSurface* back = GModelMedia::GetBackBuffer();
  GSurface* bg = GetMapBackground();
  if (!back || !bg) return;
  int left, top;
  GetPositionTV(left, top);
  back->Blt(bg, left, top, 0, 0, 0, 0, false);

  // Sprites whose file did not load have no image and are not drawn.
  auto draw = [&](GSurface* image, const GUnit& unit) {
    if (image) back->Blt(image, left + unit.x, top + unit.y, 0, 0, 0, 0, true);
  };

  if (!IsEdited()) {
    if (runner) draw(runner->GetFrame().image, *runner);
    if ((state == STATE_WON || state == STATE_CAUGHT) && !aliens.empty()) {
      aliens.front()->SetAnimation(ANIM_STAND);
      GSurface* stand = aliens.front()->GetStopFrame().image;
      // The level may have been made before the device; the tint square comes with it.
      if (!tintSurface) tintSurface = GModelMedia::NewSurface(SQUARE, SQUARE);
      if (stand && tintSurface) {
        tintSurface->Copy(stand, 0, 0);
        const float amount = std::min(static_cast<float>(stateCounter) / 75.0f, 0.33f);
        tintSurface->MixColor(state == STATE_WON ? 0x00FF00 : 0xFF0000, amount);
      }
      for (auto& alien : aliens) {
        alien->SetAnimation(ANIM_STAND);
        if (stand && tintSurface) draw(tintSurface, *alien);
      }
    } else if (state == STATE_WAITING) {
      for (auto& alien : aliens) draw(alien->GetStopFrame().image, *alien);
    } else if (state == STATE_PLAYING) {
      for (auto& alien : aliens) draw(alien->GetFrame().image, *alien);
    }
    return;
  }

  int mx, my, cx, cy;
  if (GModelMedia::GetCursor(mx, my)) {
    GetCellCoordinates(mx, my, cx, cy);
    if (cx >= 0 && cy >= 0)
      back->DrawRect(left + cx * SQUARE, top + cy * SQUARE, SQUARE, SQUARE, 0xFFFFFF);
  }
}

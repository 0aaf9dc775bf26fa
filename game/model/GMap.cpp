// Index of this file:
//   The level object        the one instance, its pictures, its end
//   The grid                cells read and changed, a new or cleared map, the level's state
//   Squares on the screen   where the map and its squares stand in the back buffer
//   The editor's strokes    whether the map is being edited, closing a stroke
//   Drawing                 the squares, the units over them, the changes of a frame

#include "game/model/GMap.h"

#include <algorithm>

#include "GUI/graphics/GSurface.h"
#include "game/model/ANIMATION_LIST.h"
#include "game/model/GModelMedia.h"
#include "game/model/GUnit.h"

// ---------------------------------------------------------------------------------------------
// The level object
// ---------------------------------------------------------------------------------------------

GSurface* GMap::map_bg = nullptr;
std::function<bool()> GMap::editedProbe;
std::function<std::unique_ptr<GMapUndo>(GMap&)> GMap::undoFactory;
std::function<void(std::unique_ptr<GMapUndo>)> GMap::undoFinisher;

GMap* GMap::GetInstance() {
  static GMap instance;
  return &instance;
}

// The tint square is made with the media (LoadMedia) or at its first use.
GMap::GMap() = default;

void GMap::LoadMedia() {
  tintSurface = GModelMedia::NewSurface(SQUARE, SQUARE);
  map_bg = nullptr;
  ForgetDrawn();
  if (width > 0 && height > 0) RefreshMapBackground();
}

void GMap::ForgetMedia() {
  tintSurface = nullptr;
  map_bg = nullptr;
  ForgetDrawn();
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

// ---------------------------------------------------------------------------------------------
// The grid
// ---------------------------------------------------------------------------------------------

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
  ForgetDrawn();
  if (w <= 0 || h <= 0) return;
  width = w;
  height = h;
  cells.resize(static_cast<size_t>(w) * h);
  for (auto& cell : cells) cell = GCell::CreateCell(CELL_EMPTY);
}

void GMap::Clear() {
  ForgetDrawn();
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

// ---------------------------------------------------------------------------------------------
// Squares on the screen
// ---------------------------------------------------------------------------------------------

void GMap::GetPosition(int x, int y, int& px, int& py) const {
  px = x * SQUARE;
  py = y * SQUARE;
}

void GMap::GetPositionTV(int& left, int& top) const {
  left = (GModelMedia::GetBackBufferWidth() - width * SQUARE) / 2;
  top = MAP_TOP;
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

// ---------------------------------------------------------------------------------------------
// The editor's strokes
// ---------------------------------------------------------------------------------------------

bool GMap::IsEdited() const {
  return editedProbe && editedProbe();
}

void GMap::FinishUndo() {
  std::unique_ptr<GMapUndo> step = std::move(pendingUndo);
  if (step && undoFinisher) undoFinisher(std::move(step));
}

// ---------------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------------

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
    if (map_bg) {
      ++backgroundBuilds;
      ForgetDrawn();
      for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) DrawSquare(x, y);
    }
  }
  return map_bg;
}

void GMap::RefreshMapBackground() {
  if (!GetMapBackground()) return;
  ++backgroundBuilds;
  ForgetDrawn();
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) DrawSquare(x, y);
}

void GMap::RefreshCell(int x, int y) {
  if (!GetMapBackground() || !IsInside(x, y)) return;
  DrawSquare(x, y);
  if (!drawnValid) return;
  // A stroke of the editor or a level's start changes many squares; past a
  // few the whole level is drawn again instead.
  constexpr size_t kMostSquares = 64;
  if (changedSquares.size() >= kMostSquares) {
    ForgetDrawn();
    return;
  }
  changedSquares.emplace_back(x * SQUARE, y * SQUARE, (x + 1) * SQUARE, (y + 1) * SQUARE);
}

void GMap::ForgetDrawn() {
  drawnValid = false;
  drawnSprites.clear();
  changedSquares.clear();
}

namespace {

// The longest move of a tick that is drawn in between: one frame's step.
// Anything longer (into or out of a hole) is a jump.
constexpr int kLongestStep = 4;

// from + (to - from) x phase / whole, rounded to the nearest pixel.
int Between(int from, int to, int phase) {
  const int distance = (to - from) * phase;
  const int half = GMap::kPhaseWhole / 2;
  return from + (distance >= 0 ? (distance + half) / GMap::kPhaseWhole
                               : -((-distance + half) / GMap::kPhaseWhole));
}

bool MovesAStep(const GUnit& unit) {
  const int dx = unit.x - unit.fromX, dy = unit.y - unit.fromY;
  return (dx | dy) != 0 && dx >= -kLongestStep && dx <= kLongestStep && dy >= -kLongestStep &&
         dy <= kLongestStep;
}

}  // namespace

void GMap::SetMotionPhase(int phase) {
  motionPhase = std::clamp(phase, 0, kPhaseWhole);
}

void GMap::SettleUnits() {
  auto settle = [](GUnit& unit) {
    unit.fromX = unit.x;
    unit.fromY = unit.y;
  };
  if (runner) settle(*runner);
  for (auto& alien : aliens) settle(*alien);
}

bool GMap::HasUnitsInMotion() const {
  if (runner && MovesAStep(*runner)) return true;
  return std::any_of(aliens.begin(), aliens.end(), [](const auto& a) { return MovesAStep(*a); });
}

void GMap::GetDrawnPosition(const GUnit& unit, int& px, int& py) const {
  px = unit.x;
  py = unit.y;
  if (motionPhase >= kPhaseWhole || !MovesAStep(unit)) return;
  px = Between(unit.fromX, unit.x, motionPhase);
  py = Between(unit.fromY, unit.y, motionPhase);
}

std::vector<GMap::SPRITE> GMap::CurrentSprites() {
  std::vector<SPRITE> sprites;
  // Nothing but the background shows while the map is edited.
  if (IsEdited()) return sprites;
  // Sprites whose file did not load have no image and are not drawn.
  auto add = [this, &sprites](GSurface* image, const GUnit* unit) {
    SPRITE sprite;
    if (image && unit) {
      int x = 0, y = 0;
      GetDrawnPosition(*unit, x, y);
      sprite.image = image;
      sprite.rect = CFerroRect(x, y, x + image->GetWidth(), y + image->GetHeight());
    }
    sprites.push_back(sprite);
  };
  add(runner ? runner->GetFrame().image : nullptr, runner.get());
  if ((state == STATE_WON || state == STATE_CAUGHT) && !aliens.empty()) {
    aliens.front()->SetAnimation(ANIM_STAND);
    GSurface* stand = aliens.front()->GetStopFrame().image;
    // The level may have been made before the device; the tint square comes with it.
    if (!tintSurface) tintSurface = GModelMedia::NewSurface(SQUARE, SQUARE);
    const unsigned color = state == STATE_WON ? 0x00FF00 : 0xFF0000;
    const float amount = std::min(static_cast<float>(stateCounter) / 75.0f, 0.33f);
    if (stand && tintSurface) {
      tintSurface->Copy(stand, 0, 0);
      tintSurface->MixColor(color, amount);
    }
    for (auto& alien : aliens) {
      alien->SetAnimation(ANIM_STAND);
      add(stand ? tintSurface : nullptr, alien.get());
      sprites.back().tintColor = color;
      sprites.back().tintAmount = amount;
    }
  } else {
    for (auto& alien : aliens) {
      if (state == STATE_WAITING)
        add(alien->GetStopFrame().image, alien.get());
      else if (state == STATE_PLAYING)
        add(alien->GetFrame().image, alien.get());
      else
        add(nullptr, nullptr);
    }
  }
  return sprites;
}

void GMap::DrawPicture(GSurface* target, GSurface* background, const std::vector<SPRITE>& sprites) {
  int left, top;
  GetPositionTV(left, top);
  target->Blt(background, left, top, 0, 0, 0, 0, false);
  for (const SPRITE& sprite : sprites)
    if (sprite.image)
      target->Blt(sprite.image, left + sprite.rect.left, top + sprite.rect.top, 0, 0, 0, 0, true);
}

bool GMap::IsLevelInsideClip(GSurface* target) const {
  int left, top, ox, oy, cx, cy, cw, ch;
  GetPositionTV(left, top);
  target->GetOrigin(ox, oy);
  target->GetClip(cx, cy, cw, ch);
  const CFerroRect level(left + ox, top + oy, left + ox + width * SQUARE,
                         top + oy + height * SQUARE);
  return CFerroRect(cx, cy, cx + cw, cy + ch).ContainsRect(level);
}

void GMap::CopyToBackbuffer() {
  GSurface* back = GModelMedia::GetBackBuffer();
  GSurface* bg = GetMapBackground();
  if (!back || !bg) return;
  std::vector<SPRITE> sprites = CurrentSprites();
  DrawPicture(back, bg, sprites);
  // A draw cut by the clip leaves the changes outside it to the next draw.
  if (IsLevelInsideClip(back)) {
    drawnSprites = std::move(sprites);
    changedSquares.clear();
    drawnValid = true;
  }
  if (!IsEdited()) return;

  // The editor's outline of the square under the mouse is not part of the
  // level: whatever draws the level next draws all of it.
  drawnValid = false;
  int left, top, mx, my, cx, cy;
  GetPositionTV(left, top);
  if (GModelMedia::GetCursor(mx, my)) {
    GetCellCoordinates(mx, my, cx, cy);
    if (cx >= 0 && cy >= 0)
      back->DrawRect(left + cx * SQUARE, top + cy * SQUARE, SQUARE, SQUARE, 0xFFFFFF);
  }
}

void GMap::CopyChangesToBackbuffer(std::vector<CFerroRect>* changed) {
  GSurface* back = GModelMedia::GetBackBuffer();
  GSurface* bg = GetMapBackground();
  if (!back || !bg) return;
  int left, top, ox, oy;
  GetPositionTV(left, top);
  back->GetOrigin(ox, oy);
  std::vector<SPRITE> sprites = CurrentSprites();
  if (!drawnValid || sprites.size() != drawnSprites.size() || !IsLevelInsideClip(back)) {
    CopyToBackbuffer();
    if (changed)
      changed->emplace_back(left + ox, top + oy, left + ox + width * SQUARE,
                            top + oy + height * SQUARE);
    return;
  }

  // Map pixels to draw again: the changed squares, and the old and new place
  // of every unit whose picture changed.
  std::vector<CFerroRect> areas;
  for (const CFerroRect& square : changedSquares) AddJoined(areas, square);
  for (size_t i = 0; i < sprites.size(); ++i) {
    if (sprites[i] == drawnSprites[i]) continue;
    AddJoined(areas, drawnSprites[i].rect);
    AddJoined(areas, sprites[i].rect);
  }
  if (!areas.empty()) {
    int cx, cy, cw, ch;
    back->GetClip(cx, cy, cw, ch);
    const CFerroRect level(0, 0, width * SQUARE, height * SQUARE);
    for (CFerroRect area : areas) {
      area = area.Intersection(level);
      if (area.IsEmpty()) continue;
      area.Offset(left + ox, top + oy);
      back->SetClip(area.left, area.top, area.Width(), area.Height());
      DrawPicture(back, bg, sprites);
      if (changed) changed->push_back(area);
    }
    back->SetClip(cx, cy, cw, ch);
  }
  drawnSprites = std::move(sprites);
  changedSquares.clear();
}

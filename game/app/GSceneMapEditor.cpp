#include "game/app/GSceneMapEditor.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/toolkit/GStatic.h"
#include "game/app/CUndoRedo.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"
#include "game/app/GPictureCell.h"
#include "game/app/GSceneGame.h"
#include "game/model/GCell.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"

namespace {

constexpr unsigned kWhite = 0xFFFFFF;
// The palette's entries: a number and, beside it, the cell's picture.
constexpr int kPaletteStep = 72;
constexpr int kPaletteNumberWidth = 20;
constexpr int kPalettePictureSide = 38;
constexpr unsigned kPaletteNumberIds = 2000;
constexpr unsigned kPalettePictureIds = 1000;
// The palette and the two buttons stand in one row this far above the bottom;
// Cancel in the corner, Save kButtonGap before it.
constexpr int kRowFromBottom = 52;
constexpr int kButtonWidth = 150;
constexpr int kButtonHeight = 34;
constexpr int kButtonGap = 20;
constexpr int kCheckWidth = 110;
// The rectangle being spanned is outlined this thick.
constexpr int kRectangleLine = 2;

// The map's grid in the bytes of its file.
std::string MapBytes() {
  CFerroStreamMemory stream;
  stream.Open(nullptr, 0, CFerroStream::modeWrite);
  GMap::GetInstance()->WriteContent(stream, false);
  return std::string(reinterpret_cast<const char*>(stream.GetBuffer()), stream.GetLength());
}

// The square under (x, y), kept on the map: a rectangle dragged beyond the
// map's edge stops at it.
void SquareOnMap(int x, int y, int& cx, int& cy) {
  GMap* map = GMap::GetInstance();
  int left = 0, top = 0;
  map->GetPositionTV(left, top);
  cx = std::clamp((x - left) / GMap::SQUARE, 0, std::max(0, map->width - 1));
  cy = std::clamp((y - top) / GMap::SQUARE, 0, std::max(0, map->height - 1));
}

}  // namespace

GSceneMapEditor::GSceneMapEditor() {
  // The palette: every cell kind that has an icon, numbered from 1. A kind
  // whose icon did not load is left out and the later ones move up.
  const int y = height - kRowFromBottom;
  int entry = 0;
  for (int code = 0; code < CELL_CODE_COUNT; ++code) {
    const std::unique_ptr<GCell> cell = GCell::CreateCell(code);
    GSurface* icon = cell ? cell->GetIcon() : nullptr;
    if (!icon) continue;
    CFerroString label;
    label.Format("%d", entry + 1);
    auto* number = new GStatic;
    const int x = entry * kPaletteStep;
    number->Create(this, STYLE_VISIBLE, x, y, 0, 0,
                   kPaletteNumberIds + static_cast<unsigned>(entry), label.c_str());
    auto* picture = new GPictureCell;
    picture->Create(this, STYLE_VISIBLE | STYLE_BORDER, x + kPaletteNumberWidth, y,
                    kPalettePictureSide, kPalettePictureSide,
                    kPalettePictureIds + static_cast<unsigned>(entry));
    picture->AddImage(icon);
    picture->cellCode = code;
    ++entry;
  }
  auto* save = new GButtonDM;
  save->Create(this, kFramedStyle, width - 2 * kButtonWidth - kButtonGap, y, kButtonWidth,
               kButtonHeight, CMD_EDITOR_SAVE, "Save");
  auto* cancel = new GButtonDM;
  cancel->Create(this, kFramedStyle, width - kButtonWidth, y, kButtonWidth, kButtonHeight,
                 CMD_EDITOR_CANCEL, "Cancel");
  // Check stands before Save but comes after Cancel among the buttons, so
  // that Enter (the first button) still saves and Escape (the second) cancels.
  auto* check = new GButtonDM;
  check->Create(this, kFramedStyle, width - 2 * kButtonWidth - 2 * kButtonGap - kCheckWidth, y,
                kCheckWidth, kButtonHeight, CMD_EDITOR_CHECK, "Check");
}

GPictureCell* GSceneMapEditor::GetPaletteEntry(int i) const {
  if (i < 0) return nullptr;
  for (int k = 0; k < GetChildCount(); ++k) {
    GComponent* child = GetChild(k);
    if (!child->IsPicture()) continue;
    if (i-- == 0) return static_cast<GPictureCell*>(child);
  }
  return nullptr;
}

void GSceneMapEditor::OnRender() {
  GSurface* back = game ? game->GetBackSurface() : nullptr;
  GMap* map = GMap::GetInstance();
  map->CopyToBackbuffer();
  if (back) {
    int left = 0, top = 0;
    map->GetPositionTV(left, top);
    back->DrawRect(left - 1, GMap::MAP_TOP - 1, map->width * GMap::SQUARE + 2,
                   map->height * GMap::SQUARE + 2, kWhite);
    // The keyboard's cursor looks like the mouse's square, which the map
    // leaves out while the keys are in use.
    if (IsFocusAreaShown() && cursorX < map->width && cursorY < map->height)
      back->DrawRect(left + cursorX * GMap::SQUARE, top + cursorY * GMap::SQUARE, GMap::SQUARE,
                     GMap::SQUARE, kWhite);
    DrawRectangle(back);
  }
  Invalidate();
}

bool GSceneMapEditor::GetRectangle(CFerroRect& squares) const {
  if (spanning == Spanning::none) return false;
  squares = CFerroRect(std::min(anchorX, cornerX), std::min(anchorY, cornerY),
                       std::max(anchorX, cornerX) + 1, std::max(anchorY, cornerY) + 1);
  return true;
}

void GSceneMapEditor::DrawRectangle(GSurface* back) {
  CFerroRect squares;
  if (!GetRectangle(squares)) return;
  GMap* map = GMap::GetInstance();
  int left = 0, top = 0;
  map->GetPositionTV(left, top);
  // What the rectangle will hold: the kind's picture, or black for empty
  // squares (as the map draws them). By keys, Space fills with the kind.
  const std::unique_ptr<GCell> cell =
      GCell::CreateCell(spanning == Spanning::clear ? CELL_EMPTY : map->paletteCode);
  GSurface* icon = cell ? cell->GetIcon() : nullptr;
  for (int cy = squares.top; cy < squares.bottom; ++cy)
    for (int cx = squares.left; cx < squares.right; ++cx) {
      const int x = left + cx * GMap::SQUARE, y = top + cy * GMap::SQUARE;
      if (icon)
        back->Blt(icon, x, y, 0, 0, GMap::SQUARE, GMap::SQUARE, false);
      else
        back->FillRect(x, y, GMap::SQUARE, GMap::SQUARE, 0);
    }
  const int x = left + squares.left * GMap::SQUARE, y = top + squares.top * GMap::SQUARE;
  const int w = squares.Width() * GMap::SQUARE, h = squares.Height() * GMap::SQUARE;
  for (int i = 0; i < kRectangleLine; ++i)
    back->DrawRect(x + i, y + i, w - 2 * i, h - 2 * i, kWhite);
}

void GSceneMapEditor::StartRectangle(int x, int y, Stroke stroke) {
  int cx = -1, cy = -1;
  GMap::GetInstance()->GetCellCoordinates(x, y, cx, cy);
  if (cx < 0 || cy < 0) return;
  spanning = stroke == Stroke::paint ? Spanning::paint : Spanning::clear;
  anchorX = cornerX = cx;
  anchorY = cornerY = cy;
}

void GSceneMapEditor::FillRectangle(Stroke stroke) {
  CFerroRect squares;
  if (!GetRectangle(squares)) return;
  spanning = Spanning::none;
  GMap* map = GMap::GetInstance();
  for (int cy = squares.top; cy < squares.bottom; ++cy)
    for (int cx = squares.left; cx < squares.right; ++cx)
      map->ChangeCell(cx, cy, stroke == Stroke::paint);
  EndStroke();
}

bool GSceneMapEditor::Change(int x, int y, Stroke stroke) {
  GMap* map = GMap::GetInstance();
  int cx = -1, cy = -1;
  map->GetCellCoordinates(x, y, cx, cy);
  if (cx < 0 || cy < 0) return false;
  map->ChangeCell(cx, cy, stroke == Stroke::paint);
  return true;
}

void GSceneMapEditor::ChangeAlong(int x, int y, Stroke stroke) {
  // Steps of at most half a square visit every square of the segment.
  const int dx = x - lastX, dy = y - lastY;
  const int steps = std::max(
      1, (std::max(std::abs(dx), std::abs(dy)) + GMap::SQUARE / 2 - 1) / (GMap::SQUARE / 2));
  for (int i = 1; i <= steps; ++i) Change(lastX + dx * i / steps, lastY + dy * i / steps, stroke);
  lastX = x;
  lastY = y;
}

void GSceneMapEditor::EndStroke() {
  GMap::GetInstance()->FinishUndo();
  painting = false;
  strokeKey = KEY_NONE;
}

void GSceneMapEditor::OnLButtonDown(unsigned flags, int x, int y) {
  if (flags & INPUT_SHIFT)
    StartRectangle(x, y, Stroke::paint);
  else
    StartStroke(x, y, Stroke::paint);
}

void GSceneMapEditor::OnRButtonDown(unsigned flags, int x, int y) {
  if (flags & INPUT_SHIFT)
    StartRectangle(x, y, Stroke::clear);
  else
    StartStroke(x, y, Stroke::clear);
}

void GSceneMapEditor::StartStroke(int x, int y, Stroke stroke) {
  if (!Change(x, y, stroke)) return;
  painting = true;
  lastX = x;
  lastY = y;
}

void GSceneMapEditor::OnMouseMove(unsigned flags, int x, int y) {
  if (spanning == Spanning::paint || spanning == Spanning::clear)
    SquareOnMap(x, y, cornerX, cornerY);
  else if (painting)
    ChangeAlong(x, y, (flags & INPUT_LBUTTON) != 0 ? Stroke::paint : Stroke::clear);
}

void GSceneMapEditor::OnLButtonUp(unsigned, int, int) {
  if (spanning == Spanning::paint) FillRectangle(Stroke::paint);
  EndStroke();
}

void GSceneMapEditor::OnRButtonUp(unsigned, int, int) {
  if (spanning == Spanning::clear) FillRectangle(Stroke::clear);
  EndStroke();
}

void GSceneMapEditor::RememberOpenedMap() {
  openedMap = MapBytes();
}

bool GSceneMapEditor::HasChanges() const {
  return MapBytes() != openedMap;
}

void GSceneMapEditor::OnCancelPress() {
  if (spanning == Spanning::paint || spanning == Spanning::clear)
    FillRectangle(spanning == Spanning::paint ? Stroke::paint : Stroke::clear);
  if (painting) EndStroke();
}

bool GSceneMapEditor::WinOnKeyDown(unsigned key, unsigned count, unsigned flags) {
  if (key == KEY_UP || key == KEY_DOWN || key == KEY_LEFT || key == KEY_RIGHT) SetFocusItem(this);
  return GScene::WinOnKeyDown(key, count, flags);
}

void GSceneMapEditor::StepPalette(int step) {
  int count = 0, chosen = 0;
  while (GPictureCell* entry = GetPaletteEntry(count)) {
    if (entry->cellCode == GMap::GetInstance()->paletteCode) chosen = count;
    ++count;
  }
  if (count == 0) return;
  GetPaletteEntry(((chosen + step) % count + count) % count)->OnLButtonClick(0, -1, -1);
}

void GSceneMapEditor::MoveCursor(int dx, int dy) {
  GMap* map = GMap::GetInstance();
  cursorX = std::clamp(cursorX + dx, 0, std::max(0, map->width - 1));
  cursorY = std::clamp(cursorY + dy, 0, std::max(0, map->height - 1));
  if (strokeKey != KEY_NONE) map->ChangeCell(cursorX, cursorY, strokeKey == KEY_SPACE);
}

void GSceneMapEditor::OnKeyUp(unsigned key, unsigned, unsigned) {
  if (key == strokeKey) EndStroke();
}

void GSceneMapEditor::OnKeyDown(unsigned key, unsigned count, unsigned flags) {
  if (key >= KEY_1 && key <= KEY_9) {
    if (GPictureCell* entry = GetPaletteEntry(static_cast<int>(key) - KEY_1))
      entry->OnLButtonClick(0, -1, -1);
    return;
  }
  if (key == KEY_PAGE_UP || key == KEY_PAGE_DOWN) {
    StepPalette(key == KEY_PAGE_UP ? -1 : 1);
    return;
  }
  const bool onMap = GetFocusItem() == this;
  int dx = 0, dy = 0;
  switch (key) {
    case KEY_LEFT:
      dx = -1;
      break;
    case KEY_RIGHT:
      dx = 1;
      break;
    case KEY_UP:
      dy = -1;
      break;
    case KEY_DOWN:
      dy = 1;
      break;
    case KEY_SPACE:
    case KEY_DELETE:
      if (onMap && spanning == Spanning::keys) {
        FillRectangle(key == KEY_SPACE ? Stroke::paint : Stroke::clear);
        return;
      }
      // One stroke at a time: a mouse stroke or the other key's goes on.
      if (onMap && !painting) {
        painting = true;
        strokeKey = key;
        MoveCursor(0, 0);
      }
      return;
    default:
      break;
  }
  if (dx || dy) {
    if (!onMap) return;
    // Shift with the arrows spans a rectangle from the cursor; the arrows
    // alone drop it.
    const bool shifted = (flags & INPUT_SHIFT) && !painting;
    if (shifted && spanning == Spanning::none) {
      spanning = Spanning::keys;
      anchorX = cursorX;
      anchorY = cursorY;
    } else if (!shifted && spanning == Spanning::keys) {
      spanning = Spanning::none;
    }
    // A direction held while Space or Delete is held repeats too: the
    // repeat goes to the newest key.
    if (count == 0 && game && game->repeatKey != key) {
      game->ResetRepeatedKey();
      game->SetRepeatedKey(key);
    }
    MoveCursor(dx, dy);
    if (spanning == Spanning::keys) {
      cornerX = cursorX;
      cornerY = cursorY;
    }
    return;
  }
  GPlatform* platform = game ? game->GetPlatform() : nullptr;
  const bool shortcut = (flags & INPUT_SYSTEM) || (platform && platform->IsShortcutModifierHeld());
  if (!shortcut) return;
  if (key == KEY_Z) {
    if (flags & INPUT_SHIFT)
      CTRLZ::GetInstance()->Redo();
    else
      CTRLZ::GetInstance()->Undo();
  } else if (key == KEY_Y) {
    CTRLZ::GetInstance()->Redo();
  }
}

void GSceneMapEditor::OnStart() {
  if (auto* app = dynamic_cast<GGameDM*>(game)) app->PlayMusic(MUSIC_MENU);
  painting = false;
  strokeKey = KEY_NONE;
  spanning = Spanning::none;
  GMap* map = GMap::GetInstance();
  // A step opened outside a stroke (nothing should open one) is not kept.
  map->pendingUndo.reset();
  if (showingSolution) {
    // Back from the solution, which played on the game's one map.
    showingSolution = false;
    CFerroStreamMemory stream;
    stream.Open(reinterpret_cast<const unsigned char*>(mapBeforeSolution.data()),
                static_cast<unsigned>(mapBeforeSolution.size()), CFerroStream::modeRead);
    if (map->Serialize(stream, false)) map->fileName = nameBeforeSolution;
    map->RefreshMapBackground();
    return;
  }
  if (GPictureCell* first = GetPaletteEntry(0)) first->OnLButtonClick(0, -1, -1);
}

void GSceneMapEditor::OnFinish(int) {
  painting = false;
  strokeKey = KEY_NONE;
  spanning = Spanning::none;
  GMap::GetInstance()->pendingUndo.reset();
  if (!showingSolution) CTRLZ::GetInstance()->Clear();
}

void GSceneMapEditor::CheckMap() {
  if (painting) EndStroke();
  spanning = Spanning::none;
  checkDialog.Check(MapBytes());
}

void GSceneMapEditor::ShowSolution() {
  const CCheckReport& report = checkDialog.GetCheck().GetReport();
  auto* play = game ? static_cast<GSceneGame*>(game->GetScene(SCENE_GAME)) : nullptr;
  if (!play || report.GetAnswer() != CCheckReport::Answer::won) return;
  if (checkDialog.IsModal()) checkDialog.EndModal(0);
  GMap* map = GMap::GetInstance();
  mapBeforeSolution = MapBytes();
  nameBeforeSolution = map->fileName;
  const int level = GMapList::GetInstance()->GetMapGameIndex(map->fileName.c_str()) + 1;
  if (!play->PrepareSolution(mapBeforeSolution, report.GetEvents(), report.GetTicks(), level))
    return;
  showingSolution = true;
  if (!play->EnterPlay(PlayEntry::checkedSolution) && showingSolution) {
    // It did not start: the editor is still shown, with the map it had.
    OnStart();
  }
}

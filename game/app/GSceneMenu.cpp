#include "game/app/GSceneMenu.h"

#include <iterator>

#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GGame.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"
#include "game/app/GSceneGame.h"

namespace {

constexpr int kButtonWidth = 300;
constexpr int kButtonHeight = 54;
constexpr int kButtonStep = 65;
constexpr int kColumnHeight = 429;  // six steps less the last gap, and the frame

}  // namespace

GSceneMenu::GSceneMenu() {
  if (!game) return;
  // Without the image drive there is no picture, rather than a file of that
  // name from wherever the game was started.
  const CFerroString images = game->GetPathToImage();
  if (!images.IsEmpty()) SetBackground((images + "main.png").c_str());
  // The column is centred on the picture the player sees (the back surface),
  // whatever the size of the window around it.
  int w = width, h = height;
  if (GSurface* back = game->GetBackSurface()) back->GetSize(w, h);
  static const char* const kLabels[] = {"Start Game", "Load Game", "Demonstration Game",
                                        "Map Editor", "Credits",   "Exit"};
  constexpr unsigned kCount = std::size(kLabels);
  for (unsigned i = 0; i < kCount; ++i) {
    auto* button = new GButtonDM;
    // Escape presses the last button, Exit.
    const unsigned style = i + 1 == kCount ? kFramedStyle | STYLE_CANCEL_BUTTON : kFramedStyle;
    button->Create(this, style, (w - kButtonWidth) / 2,
                   (h - kColumnHeight) / 2 - 15 + kButtonStep * static_cast<int>(i), kButtonWidth,
                   kButtonHeight, CMD_START_GAME + i, kLabels[i]);
  }
}

void GSceneMenu::NoteInput() {
  idleTicks = 0;
  waitForInput = false;
}

void GSceneMenu::OnStart() {
  idleTicks = 0;
  if (game) {
    idleCursorX = game->cursorX;
    idleCursorY = game->cursorY;
  }
}

void GSceneMenu::OnUpdate() {
  GScene::OnUpdate();
  if (!game || game->GetScene() != this) return;
  // A dialog over the menu, or a mouse that moved, is someone using it; a
  // window without the input focus waits for its player to come back.
  if (game->modal || !game->HasInputFocus() || game->cursorX != idleCursorX ||
      game->cursorY != idleCursorY) {
    idleCursorX = game->cursorX;
    idleCursorY = game->cursorY;
    NoteInput();
    return;
  }
  if (waitForInput || ++idleTicks < kAttractTicks) return;
  idleTicks = 0;
  GButtonDM::RunCommand(CMD_DEMONSTRATION, this);
  waitForInput = game->GetScene() == this;
}

void GSceneMenu::OnFinish(int nextScene) {
  auto* play =
      nextScene == SCENE_GAME ? static_cast<GSceneGame*>(game->GetScene(SCENE_GAME)) : nullptr;
  focusForReturn = play && play->IsDemonstrating() ? GetFocusItem() : nullptr;
}

GComponent* GSceneMenu::GetDefaultFocus() {
  GComponent* kept = focusForReturn;
  focusForReturn = nullptr;
  return kept && IsUsableFocus(kept) ? kept : GScene::GetDefaultFocus();
}

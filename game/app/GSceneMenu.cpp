#include "game/app/GSceneMenu.h"

#include <algorithm>
#include <iterator>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/graphics/ImageDecoder.h"
#include "GUI/platform/GGame.h"
#include "game/app/GButtonDM.h"
#include "game/app/GGameDM.h"
#include "game/app/GSceneGame.h"
#include "game/app/GameLanguage.h"

namespace {

// The menu's buttons from the top, each running its command; Escape presses Exit.
constexpr struct {
  COMMAND_ID command;
  Text label;
} kButtons[] = {
    {CMD_START_GAME, Text::MenuStartGame},
    {CMD_LOAD_GAME, Text::MenuLoadGame},
    {CMD_DEMONSTRATION, Text::MenuDemonstration},
    {CMD_MAP_EDITOR, Text::MenuMapEditor},
    {CMD_OPTIONS, Text::MenuOptions},
    {CMD_CREDITS, Text::MenuCredits},
    {CMD_EXIT, Text::MenuExit},
};
constexpr int kButtonCount = static_cast<int>(std::size(kButtons));

constexpr int kButtonWidth = 300;
constexpr int kButtonHeight = 54;
constexpr int kButtonStep = 62;
// The column is centred as if it were this much taller, then raised a
// little, but never higher than just below the title of the picture (whose
// underline is its row 148).
constexpr int kColumnMargin = 50;
constexpr int kColumnRaise = 15;
constexpr int kColumnHeight =
    kButtonCount * kButtonStep - (kButtonStep - kButtonHeight) + kColumnMargin;
constexpr int kBelowTitle = 170;

}  // namespace

GSceneMenu::GSceneMenu() {
  if (!game) return;
  // Without the image drive there is no picture, rather than a file of that
  // name from wherever the game was started.
  const CFerroString images = game->GetPathToImage();
  // The picture decoded while the window was made, else read now (which
  // says what is wrong with it).
  GGameDM* app = GGameDM::Of(game);
  GDevice* device = game->GetDevice();
  const DecodedImage decoded = app ? app->TakeMenuPicture() : DecodedImage();
  GSurface* picture = decoded.pixels && device ? device->AddSurface() : nullptr;
  if (picture && !picture->Load(decoded)) {
    device->DeleteSurface(picture);
    picture = nullptr;
  }
  if (picture)
    SetBackground(picture);
  else if (!images.IsEmpty())
    SetBackground((images + GGameDM::kMenuPicture).c_str());
  // The column is centred on the picture the player sees (the back surface),
  // whatever the size of the window around it.
  int w = width, h = height;
  if (GSurface* back = game->GetBackSurface()) back->GetSize(w, h);
  const int top = std::max(kBelowTitle, (h - kColumnHeight) / 2 - kColumnRaise);
  for (int i = 0; i < kButtonCount; ++i) {
    const unsigned style =
        kButtons[i].command == CMD_EXIT ? kFramedStyle | STYLE_CANCEL_BUTTON : kFramedStyle;
    auto* button = new GButtonDM;
    button->Create(this, style, (w - kButtonWidth) / 2, top + kButtonStep * i, kButtonWidth,
                   kButtonHeight, kButtons[i].command, kButtons[i].label);
  }
}

void GSceneMenu::NoteInput() {
  idleTicks = 0;
  waitForInput = false;
}

void GSceneMenu::OnStart() {
  idleTicks = 0;
  if (auto* app = dynamic_cast<GGameDM*>(game)) app->PlayMusic(MUSIC_MENU);
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

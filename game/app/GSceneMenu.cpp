#include "game/app/GSceneMenu.h"

#include "GUI/graphics/GSurface.h"
#include "GUI/platform/GGame.h"
#include "game/app/GButtonDM.h"

namespace {

constexpr int kButtonWidth = 300;
constexpr int kButtonHeight = 54;
constexpr int kButtonStep = 65;
constexpr int kColumnHeight = 429;  // six steps less the last gap, and the frame
constexpr unsigned kStyle = STYLE_VISIBLE | STYLE_BORDER | STYLE_ALPHA | STYLE_FRAMED;

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
  for (unsigned i = 0; i < 6; ++i) {
    auto* button = new GButtonDM;
    const unsigned style = i == 5 ? kStyle | STYLE_CANCEL_BUTTON : kStyle;
    button->Create(this, style, (w - kButtonWidth) / 2,
                   (h - kColumnHeight) / 2 - 15 + kButtonStep * static_cast<int>(i), kButtonWidth,
                   kButtonHeight, CMD_START_GAME + i, kLabels[i]);
  }
}

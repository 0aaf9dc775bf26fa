// digmaze-gallery: renders every control of the game under the game's look,
// and both kinds of message box, into one PNG at 1:1, for reviewing the look
// by eye. Not part of the game.
//
// Usage: digmaze-gallery GAME_FOLDER OUT.png
// GAME_FOLDER is a game folder (build/bin): its theme folder "windows" gives
// the fonts and cursors, its image drive the picture. Three pages of
// 1024 x 768 are stacked: the controls; the same with a one-button message
// box; with a two-button message box.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GPlatformSDL.h"
#include "GUI/themes/GTheme.h"
#include "GUI/toolkit/GButton.h"
#include "GUI/toolkit/GMessageBox.h"
#include "GUI/toolkit/GPicture.h"
#include "GUI/toolkit/GScene.h"
#include "GUI/toolkit/GStatic.h"
#include "GUI/toolkit/GValueRow.h"
#include "game/app/GGameDM.h"
#include "tools/art/Canvas.h"

namespace {

constexpr int kPageW = 1024;
constexpr int kPageH = 768;
constexpr int kPages = 3;

class FolderPlatform : public GPlatformSDL {
 public:
  FolderPlatform(GGame* game, const char* name, std::string folder)
      : GPlatformSDL(game, name), folder(std::move(folder)) {}
  CFerroString GetPathToGame() override { return CFerroString(folder.c_str()); }

 private:
  std::string folder;
};

class GalleryGame : public GGameDM {
 public:
  explicit GalleryGame(std::string folder)
      : GGameDM(GGameDM::kId, "Digmaze", "1.0", true), folder(std::move(folder)) {}
  GPlatform* NewPlatform(GGame* owner, const char* name) override {
    return new FolderPlatform(owner, name, folder);
  }

 private:
  std::string folder;
};

// A button shown in a state regardless of the mouse, so that every state
// can be seen at once.
class StateButton : public GButton {
 public:
  bool IsHighlighted() const override { return highlighted; }
  bool IsPressed() const override { return pressed; }
  bool highlighted = false;
  bool pressed = false;
};

StateButton* Button(GComponent* parent, unsigned style, int x, int y, int w, int h,
                    const char* text) {
  auto* b = new StateButton;
  b->Create(parent, style, x, y, w, h, 0, text);
  return b;
}

GStatic* Text(GComponent* parent, int x, int y, int w, const char* text,
              unsigned style = STYLE_VISIBLE) {
  auto* s = new GStatic;
  s->Create(parent, style, x, y, w, 0, 0, text);
  return s;
}

// Four copies of a button: normal, highlighted, held, disabled.
void ButtonRow(GComponent* parent, unsigned style, int y, int w, int h) {
  const char* labels[] = {"Normal", "Highlighted", "Held", "Disabled"};
  for (int i = 0; i < 4; ++i) {
    StateButton* b = Button(parent, style, 20 + i * (w + 20), y, w, h, labels[i]);
    b->highlighted = i == 1;
    b->pressed = i == 2;
    b->Fix(i == 2);
    b->Enable(i != 3);
  }
}

void BuildPage(GGame& game, GScene* scene) {
  const int caption = game.GetTheme()->GetCaptionFontIndex();
  Text(scene, 20, 10, 0,
       ("<font=" + std::to_string(caption) +
        ">Digmaze controls<default>  framed command buttons, plain buttons, texts, a picture, "
        "scroll bars, a dialog")
           .c_str());
  // The game's command buttons: translucent frame and grid.
  ButtonRow(scene, STYLE_VISIBLE | STYLE_BORDER | STYLE_ALPHA | STYLE_FRAMED, 60, 210, 50);
  // Plain buttons, as in message boxes.
  ButtonRow(scene, STYLE_VISIBLE | STYLE_BORDER, 130, 130, 34);

  // Texts: markup, a link, wrapping and alignment, a disabled text.
  GStatic* markup = Text(
      scene, 20, 190, 460,
      "Colours by name: <color=\"red\">red<default>, <color=\"lime\">lime<default>, "
      "<color=\"yellow\">yellow<default>, by value: <color=0x2983CD>0x2983CD<default>.\n"
      "A link: <url=\"file:///help.html\">how to play</url> and a hovered one: "
      "<url=\"file:///credits.html\">credits</url>\n\n"
      "After an empty line, a long sentence that wraps at the fixed width of the text and goes on "
      "to a second line.");
  // The cursor on the second link hovers it: a hovered link is not underlined.
  int mx = 0, my = 0;
  markup->GetAbsoluteWindowPosition(mx, my);
  game.SetCursorPosition(mx + 370, my + 3 + 27);
  GStatic* centred = Text(scene, 500, 190, 240, "Centred text that wraps inside a narrow column.");
  centred->SetAlignText(ALIGN_CENTER);
  GStatic* right = Text(scene, 760, 190, 240, "Right-aligned text in a narrow column.");
  right->SetAlignText(ALIGN_RIGHT);
  Text(scene, 500, 260, 240, "A disabled text.")->Enable(false);

  // A framed picture from the image drive.
  auto* picture = new GPicture;
  picture->Create(scene, STYLE_VISIBLE | STYLE_BORDER | STYLE_ALPHA | STYLE_FRAMED, 20, 330, 140,
                  140, 0);
  // Without the drive the frame stays empty, rather than showing a "logo.png"
  // that happens to lie in the working directory.
  FILE_DATA file;
  GSurface* image = game.GetDevice()->AddSurface();
  const CFerroString images = game.GetPathToImage();
  if (!images.IsEmpty() && game.GetPlatform()->LoadFile((images + "logo.png").c_str(), &file))
    image->Load(file.data, file.size);
  picture->AddImage(image);

  // A dialog that scrolls its children in both directions.
  auto* list = new GDialog;
  list->Create(
      scene, STYLE_VISIBLE | STYLE_BORDER | STYLE_CAPTION | STYLE_SCROLL_CHILDREN | STYLE_CLOSE_BOX,
      190, 330, 300, 220, 0);
  list->SetWindowText("Scrolling");
  for (int i = 0; i < 12; ++i)
    Text(list, 10, 10 + i * 30, 0,
         ("Line " + std::to_string(i + 1) + " of a list wider than its dialog").c_str());
  list->RecalcLayout();

  // A dialog of the game's look (translucent frame, caption, grid).
  auto* dialog = new GDialog;
  dialog->Create(scene, STYLE_VISIBLE | STYLE_BORDER | STYLE_CAPTION | STYLE_CLOSE_BOX, 520, 330,
                 480, 300, 0);
  dialog->SetWindowText("Maps");
  Text(dialog, 20, 20, 420, "A dialog: the soft frame, the caption with its close box, the grid.");
  Button(dialog, STYLE_VISIBLE | STYLE_BORDER | STYLE_ALPHA | STYLE_FRAMED, 20, 110, 200, 50,
         "Play");
  Button(dialog, STYLE_VISIBLE | STYLE_BORDER | STYLE_ALPHA | STYLE_FRAMED, 240, 110, 200, 50,
         "Edit");
  // Value rows: in the middle of their choices, at the last one, an action
  // row, and a disabled one.
  const struct {
    const char* label;
    std::vector<CFerroString> choices;
    int index;
    bool enabled;
  } rows[] = {{"Sound volume", {"60 %", "70 %", "80 %"}, 1, true},
              {"Sound", {"Off", "On"}, 1, true},
              {"Keys", {}, 0, true},
              {"Speed", {"Slow", "Normal"}, 0, false}};
  int y = 172;
  for (const auto& r : rows) {
    auto* row = new GValueRow;
    row->Create(dialog, STYLE_VISIBLE, 20, y, 420, 20, 0, r.label);
    row->SetChoices(r.choices, r.index);
    if (r.choices.empty()) row->SetValueText("Arrows, Space");
    row->Enable(r.enabled);
    y += 22;
  }
}

// Redraws the whole scene (and the modal component) into the back buffer and
// copies it into the page's place on the canvas.
void Capture(GGame& game, art::Canvas& canvas, int page) {
  GScene* scene = game.GetScene();
  scene->Invalidate();
  if (game.modal) game.modal->Invalidate();
  scene->RenderAll();
  auto pixels = game.GetBackSurface()->ConvertationToArray32();
  for (int y = 0; y < kPageH; ++y)
    for (int x = 0; x < kPageW; ++x)
      canvas.Set(x, page * kPageH + y, art::Rgb(pixels[y * kPageW + x] & 0xFFFFFF));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: digmaze-gallery GAME_FOLDER OUT.png\n");
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  std::string folder = argv[1];
  if (folder.empty() || folder.back() != '/') folder += '/';
  GalleryGame game(folder);
  if (!game.CreateGame(nullptr, 0, 0)) {
    std::fprintf(stderr, "digmaze-gallery: the game cannot start in %s\n", folder.c_str());
    return 1;
  }
  auto* scene = new GScene;
  game.AddScene(scene);
  game.SetScene(game.GetSceneCount() - 1);
  BuildPage(game, scene);
  art::Canvas canvas(kPageW, kPageH * kPages);
  Capture(game, canvas, 0);

  GMessageBox one;
  one.Alert("Information", "The level is saved.", MB_OK);
  Capture(game, canvas, 1);
  one.EndModal(0);
  GMessageBoxQuit two;
  two.Alert("Quit", "Do you want to quit to OS?", MB_OK_CANCEL);
  Capture(game, canvas, 2);
  two.EndModal(0);

  if (!canvas.WritePng(argv[2])) {
    std::fprintf(stderr, "digmaze-gallery: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}

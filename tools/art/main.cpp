// digmaze-art: draws every picture of the game (cell icons, the runner's and
// the aliens' frames, the menu background, the credits logo and the cursors)
// and the pictures of the how-to-play page into a game folder. The same
// arguments always give the same bytes.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "game/model/ANIMATION_LIST.h"
#include "tools/art/AppIcons.h"
#include "tools/art/Canvas.h"
#include "tools/art/CellIcons.h"
#include "tools/art/Cursors.h"
#include "tools/art/Figures.h"
#include "tools/art/HelpArt.h"
#include "tools/art/MapFile.h"
#include "tools/art/MenuArt.h"
#include "tools/art/Palette.h"
#include "tools/art/Preview.h"

namespace {

constexpr const char* kUsage =
    "usage: digmaze-art OUT_DIR [--level MAP_FILE] [--preview PREVIEW_DIR]\n"
    "  writes OUT_DIR/vdd/image/*.png, OUT_DIR/windows/cursors/*.png,\n"
    "  OUT_DIR/help/*.png and the application icons\n"
    "  OUT_DIR/icons/hicolor/SIZExSIZE/apps/digmaze.png; the help shows\n"
    "  MAP_FILE as the first level\n"
    "  (default OUT_DIR/Maps/level01.dmm);\n"
    "  with --preview, also a contact sheet and animation frames for review\n";

bool Save(const art::Canvas& c, const std::filesystem::path& path) {
  if (c.WritePng(path.string())) return true;
  std::fprintf(stderr, "digmaze-art: cannot write %s\n", path.string().c_str());
  return false;
}

std::string FrameName(const char* who, char direction, int frame) {
  return GetFrameFileName(who, direction, frame).c_str();
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path out, preview, level;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--preview") == 0 && i + 1 < argc) {
      preview = argv[++i];
    } else if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc) {
      level = argv[++i];
    } else if (argv[i][0] != '-' && out.empty()) {
      out = argv[i];
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (out.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (level.empty()) level = out / "Maps" / "level01.dmm";
  art::MapFile map;
  std::string error;
  if (!art::ReadMapFile(level.string(), map, error)) {
    std::fprintf(stderr, "digmaze-art: %s\n", error.c_str());
    return 1;
  }
  const auto images = out / "vdd" / "image";
  const auto cursors = out / "windows" / "cursors";
  const auto help = out / "help";
  std::error_code ec;
  std::filesystem::create_directories(images, ec);
  std::filesystem::create_directories(cursors, ec);
  std::filesystem::create_directories(help, ec);

  art::Sprites sprites = art::DrawSprites();
  bool ok = true;
  ok &= Save(art::BrickIcon(), images / "brick.png");
  ok &= Save(art::FloorIcon(), images / "floor.png");
  ok &= Save(art::LineIcon(), images / "line.png");
  ok &= Save(art::LadderIcon(), images / "ladder.png");
  ok &= Save(art::TreasureIcon(), images / "treasure.png");
  ok &= Save(art::ExitIcon(), images / "exit.png");
  ok &= Save(sprites.runnerStand, images / "unit.png");
  ok &= Save(sprites.alienStand, images / "alien.png");
  const char directions[4] = {'L', 'R', 'U', 'D'};
  for (int d = 0; d < 4; ++d)
    for (int f = 0; f < 8; ++f) {
      ok &= Save(sprites.runner[d][f], images / FrameName("unit", directions[d], f));
      ok &= Save(sprites.alien[d][f], images / FrameName("alien", directions[d], f));
    }
  ok &= Save(art::MenuBackground(sprites), images / "main.png");
  ok &= Save(art::Logo(sprites), images / "logo.png");
  for (const art::Cursor& cursor : art::DrawCursors()) {
    char name[64];
    std::snprintf(name, sizeof name, "%s__%02d%02d.png", cursor.name, cursor.hotX, cursor.hotY);
    ok &= Save(cursor.image, cursors / name);
  }
  ok &= art::WriteHelpPictures(sprites, map, help.string());
  for (const art::AppIcon& icon : art::DrawAppIcons(sprites)) {
    const std::string size = std::to_string(icon.size);
    const auto folder = out / "icons" / "hicolor" / (size + "x" + size) / "apps";
    std::filesystem::create_directories(folder, ec);
    ok &= Save(icon.image, folder / "digmaze.png");
  }
  if (!preview.empty()) {
    std::filesystem::create_directories(preview, ec);
    ok &= art::WritePreview(sprites, preview.string());
  }
  return ok ? 0 : 1;
}

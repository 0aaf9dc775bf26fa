#include "tools/art/HelpArt.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "tools/art/CellIcons.h"
#include "tools/art/Palette.h"

namespace art {
namespace {

constexpr int kSquare = 32;
// The page shows single pictures twice their size, crisp, so that a sprite's
// pixels can be told apart on a desktop screen.
constexpr int kZoom = 2;

// The icon of a cell code, or nothing for the kinds drawn black.
const Canvas* IconOf(int code) {
  static const Canvas icons[] = {BrickIcon(),  FloorIcon(),    LineIcon(),
                                 LadderIcon(), TreasureIcon(), ExitIcon()};
  return code >= CELL_BRICK && code <= CELL_EXIT ? &icons[code - CELL_BRICK] : nullptr;
}

// The grid drawn the way the game draws its background: each square its icon,
// copied whole, or black.
Canvas Grid(const MapFile& map) {
  Canvas c(map.width * kSquare, map.height * kSquare);
  c.Fill(pal::kBlack);
  for (int y = 0; y < map.height; ++y)
    for (int x = 0; x < map.width; ++x)
      if (const Canvas* icon = IconOf(map.At(x, y))) c.Blit(*icon, x * kSquare, y * kSquare);
  return c;
}

// A sprite on the game's black, so it looks the same whatever shows the page.
Canvas OnBlack(const Canvas& sprite) {
  Canvas c(sprite.Width(), sprite.Height());
  c.Fill(pal::kBlack);
  c.Blit(sprite, 0, 0);
  return c;
}

// The runner has just dug the brick below it and stands over the hole; an
// alien that walked into an earlier hole stands trapped in it.
Canvas DiggingScene(const Sprites& s) {
  MapFile map;
  map.width = 6;
  map.height = 4;
  const char* rows[] = {"000000", "000000", "191191", "222222"};
  for (const char* row : rows)
    for (int x = 0; x < map.width; ++x) map.codes.push_back(row[x] - '0');
  Canvas c = Grid(map);
  c.Blit(s.runnerStand, 1 * kSquare, 1 * kSquare);
  c.Blit(s.alienStand, 4 * kSquare, 2 * kSquare);
  return c.Scaled(kZoom);
}

bool Save(const Canvas& c, const std::string& path) {
  if (c.WritePng(path)) return true;
  std::fprintf(stderr, "digmaze-art: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

Canvas LevelPicture(const Sprites& s, const MapFile& level) {
  MapFile map = level;
  std::pair<int, int> exit{map.exitX, map.exitY};
  std::pair<int, int> runner{-1, -1};
  std::vector<std::pair<int, int>> aliens;
  bool treasure = false;
  // Column by column, as the level's start scans the grid.
  for (int x = 0; x < map.width; ++x)
    for (int y = 0; y < map.height; ++y) {
      int& code = map.At(x, y);
      if (code == CELL_EXIT) exit = {x, y};
      if (code == CELL_UNIT) runner = {x, y};
      if (code == CELL_ALIEN) aliens.push_back({x, y});
      if (code == CELL_EXIT || code == CELL_UNIT || code == CELL_ALIEN) code = CELL_EMPTY;
      treasure = treasure || code == CELL_TREASURE;
    }
  if (runner.first < 0) {
    runner = {map.width / 2, map.height / 2};
    map.At(runner.first, runner.second) = CELL_EMPTY;
  }
  const bool exitInside =
      exit.first >= 0 && exit.second >= 0 && exit.first < map.width && exit.second < map.height;
  if (!treasure && exitInside) map.At(exit.first, exit.second) = CELL_EXIT;

  Canvas c(map.width * kSquare + 2, map.height * kSquare + 2);
  c.Fill(pal::kWhite);
  c.FillRect(1, 1, map.width * kSquare, map.height * kSquare, pal::kBlack);
  c.Blit(Grid(map), 1, 1);
  // Aliens are drawn after the runner, so they cover it.
  c.Blit(s.runnerStand, 1 + runner.first * kSquare, 1 + runner.second * kSquare);
  for (const auto& [x, y] : aliens) c.Blit(s.alienStand, 1 + x * kSquare, 1 + y * kSquare);
  return c;
}

bool WriteHelpPictures(const Sprites& s, const MapFile& level, const std::string& dir) {
  const std::pair<const char*, int> cells[] = {
      {"brick", CELL_BRICK},   {"floor", CELL_FLOOR},       {"line", CELL_LINE},
      {"ladder", CELL_LADDER}, {"treasure", CELL_TREASURE}, {"exit", CELL_EXIT},
  };
  bool ok = true;
  for (const auto& [name, code] : cells)
    ok &= Save(IconOf(code)->Scaled(kZoom), dir + "/" + name + ".png");
  ok &= Save(OnBlack(s.runnerStand).Scaled(kZoom), dir + "/runner.png");
  ok &= Save(OnBlack(s.alienStand).Scaled(kZoom), dir + "/alien.png");
  ok &= Save(DiggingScene(s), dir + "/digging.png");
  ok &= Save(LevelPicture(s, level), dir + "/first_level.png");
  return ok;
}

}  // namespace art

#include "tools/art/Preview.h"

#include <cstdio>

#include "tools/art/CellIcons.h"
#include "tools/art/Palette.h"

namespace art {
namespace {

void Tile(Canvas& sheet, const Canvas& c, int x, int y, int scale) {
  sheet.FillRect(x, y, 32 * scale, 32 * scale, pal::kBlack);
  sheet.Blit(c.Scaled(scale), x, y);
}

// 0 empty, 1 brick, 2 floor, 3 line, 4 ladder, 5 treasure, 6 exit.
Canvas Level(const char* rows[], int w, int h) {
  const Canvas icons[7] = {Canvas(32, 32), BrickIcon(),    FloorIcon(), LineIcon(),
                           LadderIcon(),   TreasureIcon(), ExitIcon()};
  Canvas c(w * 32, h * 32);
  c.Fill(pal::kBlack);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int k = rows[y][x] - '0';
      if (k > 0 && k < 7) c.Blit(icons[k], x * 32, y * 32);
    }
  return c;
}

}  // namespace

bool WritePreview(const Sprites& s, const std::string& dir) {
  const int scale = 4, cell = 32 * scale + 8;
  Canvas sheet(8 * cell + 8, 9 * cell + 8);
  sheet.Fill(Rgb(0x303038));
  for (int d = 0; d < 4; ++d)
    for (int f = 0; f < 8; ++f) {
      Tile(sheet, s.runner[d][f], 8 + f * cell, 8 + d * cell, scale);
      Tile(sheet, s.alien[d][f], 8 + f * cell, 8 + (4 + d) * cell, scale);
    }
  const Canvas icons[8] = {BrickIcon(),    FloorIcon(), LineIcon(),    LadderIcon(),
                           TreasureIcon(), ExitIcon(),  s.runnerStand, s.alienStand};
  for (int i = 0; i < 8; ++i) Tile(sheet, icons[i], 8 + i * cell, 8 + 8 * cell, scale);
  bool ok = sheet.Scaled(1).WritePng(dir + "/sheet.png");

  const char* rows[] = {
      "000000000000",  //
      "005000400060",  //
      "111333411122",  //
      "000000400000",  //
      "000000400500",  //
      "111111111111",  //
  };
  Canvas level = Level(rows, 12, 6);
  level.Blit(s.runner[1][3], 2 * 32 + 12, 1 * 32);
  level.Blit(s.alien[0][5], 9 * 32, 1 * 32);
  level.Blit(s.runner[2][2], 6 * 32, 3 * 32 + 8);
  level.Blit(s.alienStand, 2 * 32, 4 * 32);
  level.Blit(s.runnerStand, 10 * 32, 4 * 32);
  ok &= level.WritePng(dir + "/level_1x.png");
  ok &= level.Scaled(3).WritePng(dir + "/level_3x.png");

  // Eight ticks of units crossing one square each, at 4 pixels a tick.
  const char* strip[] = {
      "0000400000",  //
      "0000400000",  //
      "0000400000",  //
      "1111411111",  //
  };
  for (int f = 0; f < 16; ++f) {
    Canvas frame = Level(strip, 10, 4);
    const int step = f * 4;
    frame.Blit(s.runner[1][f % 8], step, 64);
    frame.Blit(s.alien[3][f % 8], 4 * 32, step - 32);
    frame.Blit(s.alien[0][f % 8], 9 * 32 - step, 64);
    frame.Blit(s.runner[2][f % 8], 4 * 32, 64 - step);
    char name[64];
    std::snprintf(name, sizeof name, "/anim_%02d.png", f);
    ok &= frame.Scaled(3).WritePng(dir + name);
  }
  return ok;
}

}  // namespace art

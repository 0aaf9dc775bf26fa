#include "tools/art/MenuArt.h"

#include <algorithm>
#include <cmath>

#include "tools/art/CellIcons.h"
#include "tools/art/Palette.h"

namespace art {
namespace {

// Block letters of the title, 5 x 7 cells each.
const char* const kTitle[7][7] = {
    {"11110", "10001", "10001", "10001", "10001", "10001", "11110"},  // D
    {"11111", "00100", "00100", "00100", "00100", "00100", "11111"},  // I
    {"01111", "10000", "10000", "10011", "10001", "10001", "01111"},  // G
    {"10001", "11011", "10101", "10101", "10001", "10001", "10001"},  // M
    {"01110", "10001", "10001", "11111", "10001", "10001", "10001"},  // A
    {"11111", "00001", "00010", "00100", "01000", "10000", "11111"},  // Z
    {"11111", "10000", "10000", "11110", "10000", "10000", "11111"},  // E
};

// The tile with its black made transparent, to lay it over a gradient.
Canvas Keyed(const Canvas& tile) {
  Canvas out = tile;
  out.Recolor(pal::kBlack, pal::kClear);
  return out;
}

// Scales the colour of every pixel by num / 256.
void Dim(Canvas& c, int x0, int y0, int x1, int y1, int num) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      Rgba p = c.Get(x, y);
      p.r = uint8_t(p.r * num / 256);
      p.g = uint8_t(p.g * num / 256);
      p.b = uint8_t(p.b * num / 256);
      c.Set(x, y, p);
    }
}

}  // namespace

Canvas MenuBackground(const Sprites& s) {
  Canvas c(1024, 768);
  // Night-blue at the top fading to black.
  for (int y = 0; y < 768; ++y) {
    const int t = std::min(256, y * 256 / 600);
    c.HLine(0, y, 1024, Mix(Rgb(0x0A1A33), pal::kBlack, t));
  }
  // The side scenes are drawn from the game's own tiles at twice their size,
  // on a grid of 64-pixel squares; the centre columns stay empty for the
  // buttons, and the bottom course runs across the whole width.
  const char* const scene[12] = {
      "................",  //
      "................",  //
      "................",  //
      ".5..4.......6..4",  //
      "11114......22224",  //
      "....4..........4",  //
      ".3333..........4",  //
      "...........11111",  //
      "4..5............",  //
      "4111......1..5..",  //
      "4.........1114..",  //
      "1111111111111111",  //
  };
  const Canvas tiles[7] = {Canvas(32, 32),    BrickIcon(),         FloorIcon(),
                           Keyed(LineIcon()), Keyed(LadderIcon()), Keyed(TreasureIcon()),
                           Keyed(ExitIcon())};
  for (int row = 0; row < 12; ++row)
    for (int col = 0; col < 16; ++col) {
      const int k = scene[row][col] - '0';
      if (k > 0 && k < 7) c.Blit(tiles[k].Scaled(2), col * 64, row * 64);
    }
  c.Blit(s.runner[1][2].Scaled(2), 2 * 64 + 20, 3 * 64);
  c.Blit(s.runner[2][1].Scaled(2), 15 * 64, 5 * 64 + 24);
  c.Blit(s.alien[0][5].Scaled(2), 13 * 64, 6 * 64);
  c.Blit(s.alien[0][1].Scaled(2), 6 * 64 + 40, 10 * 64);
  c.Blit(s.alien[2][3].Scaled(2), 0, 8 * 64 + 16);
  // Recede the scene a little so the buttons and the title stand out.
  Dim(c, 0, 0, 1024, 768, 170);

  // The title: block letters of gold bricks with bevelled edges, an ink rim
  // and a blue shadow.
  const int block = 16, letters = 7, cols = letters * 6 - 1;
  const int x0 = (1024 - cols * block) / 2, y0 = 24;
  auto filled = [&](int gx, int gy) {
    if (gx < 0 || gy < 0 || gx >= cols || gy >= 7 || gx % 6 == 5) return false;
    return kTitle[gx / 6][gy][gx % 6] == '1';
  };
  Canvas title(1024, 200);
  for (int gy = 0; gy < 7; ++gy)
    for (int gx = 0; gx < cols; ++gx)
      if (filled(gx, gy))
        title.FillRect(x0 + gx * block, y0 + gy * block, block, block, pal::kGold);
  const Canvas mask = title;
  for (int y = 0; y < title.Height(); ++y)
    for (int x = 0; x < title.Width(); ++x) {
      if (!mask.IsOpaque(x, y)) continue;
      // Brighter towards the top of the letters.
      Rgba c = Mix(pal::kGoldLight, pal::kGold, std::min(256, (y - y0) * 256 / (4 * block)));
      const int by = (y - y0) % block, bx = (x - x0 + ((y - y0) / block % 2) * 8) % block;
      if (by == block - 1 || bx == block - 1) c = pal::kGoldDark;  // mortar of the bricks
      if (!mask.IsOpaque(x, y - 2) || !mask.IsOpaque(x - 2, y)) c = pal::kGoldLight;
      if (!mask.IsOpaque(x, y + 2) || !mask.IsOpaque(x + 2, y)) c = pal::kGoldDark;
      title.Set(x, y, c);
    }
  title.Outline(pal::kInk, true);
  title.Outline(pal::kInk, false);
  for (int y = 0; y < title.Height(); ++y)
    for (int x = 0; x < title.Width(); ++x)
      if (mask.IsOpaque(x - 6, y - 6) && !title.IsOpaque(x, y)) c.Set(x, y, pal::kBlueDark);
  c.Blit(title, 0, 0);
  // A thin accent line under the title.
  c.HLine(x0, y0 + 7 * block + 10, cols * block, pal::kBlue);
  c.HLine(x0 + 40, y0 + 7 * block + 11, cols * block - 80, pal::kBlueDark);
  return c;
}

Canvas Logo(const Sprites& s) {
  Canvas c(128, 128);
  // A rounded tile of night blue with a blue rim, a course of bricks at its
  // foot and the runner standing on it, three times his size.
  auto rounded = [](double inset, double radius) {
    return [inset, radius](double x, double y) {
      const double lo = inset + radius, hi = 128 - inset - radius;
      const double dx = x < lo ? lo - x : (x > hi ? x - hi : 0);
      const double dy = y < lo ? lo - y : (y > hi ? y - hi : 0);
      return x >= inset && y >= inset && x <= 128 - inset && y <= 128 - inset &&
             dx * dx + dy * dy <= radius * radius;
    };
  };
  c.Paint(rounded(0, 18), 0, 0, 128, 128, pal::kBlue, true);
  c.Paint(rounded(3, 15), 0, 0, 128, 128, pal::kBlueDeep, true);
  Canvas inner(128, 128);
  for (int y = 0; y < 128; ++y) inner.HLine(0, y, 128, Mix(Rgb(0x12325E), pal::kBlack, y * 2));
  const Canvas brick = BrickIcon();
  for (int x = 0; x < 128; x += 32) inner.Blit(brick, x, 104);
  inner.Blit(s.runnerStand.Scaled(3), 16, 8);
  inner.Blit(Keyed(TreasureIcon()), 90, 72);
  const auto hole = rounded(5, 13);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x)
      if (hole(x + 0.5, y + 0.5)) c.Set(x, y, inner.Get(x, y));
  return c;
}

}  // namespace art

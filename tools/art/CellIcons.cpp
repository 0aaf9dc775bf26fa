#include "tools/art/CellIcons.h"

#include <cstdint>

#include "tools/art/Palette.h"

namespace art {
namespace {

Canvas Black() {
  Canvas c(32, 32);
  c.Fill(pal::kBlack);
  return c;
}

// A small fixed pseudo-random sequence for texture speckles.
struct Speckle {
  uint32_t state;
  int Next(int n) {
    state = state * 1664525u + 1013904223u;
    return int((state >> 16) % uint32_t(n));
  }
};

}  // namespace

Canvas BrickIcon() {
  Canvas c(32, 32);
  c.Fill(pal::kMortar);
  Speckle rnd{7};
  // Four courses of 16-pixel bricks in running bond; every brick has a lit top
  // and left edge and a shaded bottom and right edge.
  for (int row = 0; row < 4; ++row) {
    const int y = row * 8;
    const int shift = (row % 2) ? 8 : 0;
    for (int k = -1; k < 2; ++k) {
      const int x = k * 16 + shift;
      c.FillRect(x + 1, y + 1, 15, 7, pal::kBrick);
      c.HLine(x + 1, y + 1, 15, pal::kBrickLight);
      c.VLine(x + 1, y + 1, 7, pal::kBrickLight);
      c.HLine(x + 2, y + 7, 14, pal::kBrickDark);
      c.VLine(x + 15, y + 2, 6, pal::kBrickDark);
      for (int i = 0; i < 3; ++i) c.Set(x + 3 + rnd.Next(11), y + 3 + rnd.Next(3), pal::kBrickDark);
    }
  }
  return c;
}

Canvas FloorIcon() {
  Canvas c(32, 32);
  c.Fill(pal::kSteel);
  // A riveted steel block with a bevelled edge: clearly harder than brick.
  c.FillRect(0, 0, 32, 2, pal::kSteelLight);
  c.FillRect(0, 0, 2, 32, pal::kSteelLight);
  c.FillRect(0, 30, 32, 2, pal::kSteelDark);
  c.FillRect(30, 0, 2, 32, pal::kSteelDark);
  c.Set(0, 31, pal::kSteelDark);
  c.Set(1, 30, pal::kSteelDark);
  c.Set(31, 0, pal::kSteelDark);
  c.Set(30, 1, pal::kSteelDark);
  c.HLine(31, 31, 1, pal::kSteelDeep);
  // Diagonal tread plate.
  for (int y = 5; y < 27; y += 6)
    for (int x = 5; x < 27; x += 6) {
      c.Set(x, y + 1, pal::kSteelLight);
      c.Set(x + 1, y, pal::kSteelLight);
      c.Set(x + 1, y + 1, pal::kSteelDark);
      c.Set(x + 2, y, pal::kSteelDark);
    }
  for (int i = 0; i < 4; ++i) {
    const int x = (i % 2) ? 26 : 4, y = (i / 2) ? 26 : 4;
    c.FillRect(x, y, 2, 2, pal::kRivet);
    c.Set(x + 1, y + 1, pal::kSteelDeep);
  }
  return c;
}

Canvas LineIcon() {
  Canvas c = Black();
  // A thin plank along the top edge: units stand on it from the square above
  // and the runner can drop through it.
  c.FillRect(0, 0, 32, 5, pal::kWood);
  c.HLine(0, 0, 32, pal::kWoodLight);
  c.HLine(0, 4, 32, pal::kWoodDark);
  c.HLine(3, 2, 9, pal::kWoodDark);
  c.HLine(18, 2, 10, pal::kWoodDark);
  // Brackets underneath.
  for (int x : {6, 24}) {
    c.FillRect(x, 5, 2, 2, pal::kSteelLight);
    c.Set(x + 1, 6, pal::kSteelDark);
    c.Set(x, 1, pal::kRivet);
  }
  return c;
}

Canvas LadderIcon() {
  Canvas c = Black();
  for (int x : {7, 23}) {
    c.FillRect(x, 0, 3, 32, pal::kWood);
    c.VLine(x, 0, 32, pal::kWoodLight);
    c.VLine(x + 2, 0, 32, pal::kWoodDark);
  }
  for (int y = 3; y < 32; y += 8) {
    c.FillRect(10, y, 13, 2, pal::kWood);
    c.HLine(10, y, 13, pal::kWoodLight);
    c.HLine(10, y + 2, 13, pal::kWoodDark);
  }
  return c;
}

Canvas TreasureIcon() {
  Canvas c = Black();
  // A chest of gold standing on the bottom edge, its lid thrown open.
  c.Polygon({6, 31, 26, 31, 26, 19, 6, 19}, pal::kWoodDark);
  c.FillRect(7, 20, 18, 10, pal::kWood);
  c.HLine(7, 20, 18, pal::kWoodLight);
  c.FillRect(6, 24, 20, 2, pal::kGold);
  c.HLine(6, 24, 20, pal::kGoldLight);
  c.FillRect(14, 23, 4, 5, pal::kGold);
  c.Set(15, 25, pal::kInk);
  c.Set(16, 25, pal::kInk);
  c.Set(15, 26, pal::kInk);
  // Heap of coins and a ruby in the open chest.
  c.Ellipse(16.0, 19.0, 9.5, 3.2, pal::kGoldDark);
  c.Ellipse(16.0, 18.0, 8.5, 3.0, pal::kGold);
  for (int x : {10, 14, 19, 22}) c.HLine(x, 17, 2, pal::kGoldLight);
  c.Circle(16.5, 14.5, 2.6, pal::kInk);
  c.Circle(16.5, 14.5, 2.0, pal::kRuby);
  c.Set(15, 13, pal::kRubyLight);
  // Lid, tilted back.
  c.Polygon({6, 17, 26, 17, 24, 9, 8, 9}, pal::kWoodDark);
  c.Polygon({7.5, 16, 24.5, 16, 23, 10, 9, 10}, pal::kWood);
  c.FillRect(9, 11, 14, 1, pal::kWoodLight);
  c.Polygon({6, 17, 26, 17, 24, 9, 8, 9}, pal::kWoodDark);
  c.Polygon({7.5, 16, 24.5, 16, 23.2, 10, 8.8, 10}, pal::kWood);
  c.HLine(9, 10, 14, pal::kGold);
  // Glints.
  for (auto [x, y] : {std::pair{4, 12}, std::pair{27, 7}}) {
    c.Set(x, y, pal::kWhite);
    c.Set(x - 1, y, pal::kGoldLight);
    c.Set(x + 1, y, pal::kGoldLight);
    c.Set(x, y - 1, pal::kGoldLight);
    c.Set(x, y + 1, pal::kGoldLight);
  }
  return c;
}

Canvas ExitIcon() {
  Canvas c = Black();
  // A steel doorway filled with the interface's blue light, brightest at its
  // centre, with an arrow pointing the way up and out.
  auto arch = [](double inset) {
    return [inset](double x, double y) {
      const double left = 5 + inset, right = 27 - inset, top = 2 + inset;
      const double r = (right - left) / 2, cx = (left + right) / 2, cy = top + r;
      if (x < left || x > right || y > 32) return false;
      if (y >= cy) return true;
      const double dx = x - cx, dy = y - cy;
      return dx * dx + dy * dy <= r * r;
    };
  };
  c.Paint(arch(0), 0, 0, 32, 32, pal::kSteelLight);
  c.Paint(arch(1), 0, 0, 32, 32, pal::kSteel);
  c.Paint(arch(2.5), 0, 0, 32, 32, pal::kBlueDark);
  c.Paint(arch(4), 0, 0, 32, 32, pal::kBlue);
  c.Paint(arch(6), 0, 0, 32, 32, pal::kBlueLight);
  c.Polygon({16, 9, 22, 16, 18.5, 16, 18.5, 26, 13.5, 26, 13.5, 16, 10, 16}, pal::kWhite);
  c.HLine(5, 31, 22, pal::kSteelDark);
  return c;
}

}  // namespace art

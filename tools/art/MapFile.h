#pragma once

#include <string>
#include <vector>

// A map file (".dmm") as the art tool needs it: the grid's cell codes and the
// exit square of the header. The layout, all numbers 4-byte little-endian:
// reserved, width, height, exitX, exitY, then width x height records of
// (cell code, timer), row by row from the top, each row from the left.
namespace art {

// The cell codes the pictures care about.
enum MapCode : int {
  kCodeEmpty = 0,
  kCodeBrick = 1,
  kCodeFloor = 2,
  kCodeLine = 3,
  kCodeLadder = 4,
  kCodeTreasure = 5,
  kCodeExit = 6,
  kCodeRunner = 7,
  kCodeAlien = 8,
  kCodeHole = 9,
};

struct MapFile {
  int width = 0, height = 0;
  int exitX = 0, exitY = 0;
  std::vector<int> codes;  // index y * width + x

  int At(int x, int y) const { return codes[size_t(y) * size_t(width) + size_t(x)]; }
  int& At(int x, int y) { return codes[size_t(y) * size_t(width) + size_t(x)]; }
};

// Reads a map file. A file of the wrong length for its size, a size outside
// 1..1000 or a cell code outside 0..9 is refused: false, with error set.
bool ReadMapFile(const std::string& path, MapFile& map, std::string& error);

}  // namespace art

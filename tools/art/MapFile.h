#pragma once

#include <string>
#include <vector>

#include "game/model/GCell.h"

// A map file (".dmm") as the art tool needs it: the grid's cell codes (the
// model's CELL_CODE) and the exit square of the header, read by the model's
// map reader.
namespace art {

struct MapFile {
  int width = 0, height = 0;
  int exitX = 0, exitY = 0;
  std::vector<int> codes;  // index y * width + x

  int At(int x, int y) const { return codes[size_t(y) * size_t(width) + size_t(x)]; }
  int& At(int x, int y) { return codes[size_t(y) * size_t(width) + size_t(x)]; }
};

// Reads a map file. A file the game would refuse to load is refused here too:
// false, with error set.
bool ReadMapFile(const std::string& path, MapFile& map, std::string& error);

}  // namespace art

#include "tools/art/MapFile.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace art {

bool ReadMapFile(const std::string& path, MapFile& map, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
  auto int32 = [&bytes](size_t at) {
    return int32_t(uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 |
                   uint32_t(bytes[at + 2]) << 16 | uint32_t(bytes[at + 3]) << 24);
  };
  if (bytes.size() < 20) {
    error = path + ": shorter than a map header";
    return false;
  }
  const int w = int32(4), h = int32(8);
  if (w < 1 || h < 1 || w > 1000 || h > 1000) {
    error = path + ": the map size is out of range";
    return false;
  }
  if (bytes.size() != 20 + size_t(8) * size_t(w) * size_t(h)) {
    error = path + ": the length does not match the map size";
    return false;
  }
  map.width = w;
  map.height = h;
  map.exitX = int32(12);
  map.exitY = int32(16);
  map.codes.resize(size_t(w) * size_t(h));
  for (size_t i = 0; i < map.codes.size(); ++i) {
    const int code = int32(20 + 8 * i);
    if (code < kCodeEmpty || code > kCodeHole) {
      error = path + ": a cell code outside 0..9";
      return false;
    }
    map.codes[i] = code;
  }
  return true;
}

}  // namespace art

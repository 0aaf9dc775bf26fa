#include "tools/art/MapFile.h"

#include "GUI/foundation/CFerroStreamFile.h"
#include "game/model/GMap.h"
#include "game/model/GRecordStream.h"
#include "game/model/GUnit.h"

namespace art {

bool ReadMapFile(const std::string& path, MapFile& map, std::string& error) {
  CFerroStreamFile file;
  if (!file.Open(path.c_str(), CFerroStream::modeRead)) {
    error = "cannot open " + path;
    return false;
  }
  GRecordReader reader(file);
  GMap::Content content;
  if (!GMap::ReadContent(reader, false, content)) {
    error = path + ": not a map the game can load";
    return false;
  }
  map.width = content.width;
  map.height = content.height;
  map.exitX = content.exitX;
  map.exitY = content.exitY;
  map.codes.clear();
  for (const auto& cell : content.cells) map.codes.push_back(cell->GetType());
  return true;
}

}  // namespace art

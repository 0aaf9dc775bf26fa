#include <cerrno>
#include <cstring>

#include "GUI/foundation/CFerroStream.h"
#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/FileError.h"
#include "game/model/ANIMATION_LIST_ALIEN.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GModelMedia.h"
#include "game/model/GRecordStream.h"
#include "game/model/GUnit.h"

namespace {
const int UNIT_RECORD_SIZE = 33;
const int CELL_RECORD_SIZE = 8;
}  // namespace

bool GMap::ReadContent(GRecordReader& r, bool withUnits, Content& out) {
  unsigned unused = 0;
  if (!r.ReadUnsigned(unused) || !r.ReadInt(out.width) || !r.ReadInt(out.height) ||
      !r.ReadInt(out.exitX) || !r.ReadInt(out.exitY))
    return false;
  if (out.width <= 0 || out.height <= 0 || out.width > MAX_SIDE || out.height > MAX_SIDE)
    return false;
  const uint64_t count = static_cast<uint64_t>(out.width) * static_cast<uint64_t>(out.height);
  if (!r.Has(count * CELL_RECORD_SIZE)) return false;
  out.cells.resize(count);
  for (auto& cell : out.cells) {
    int code = 0;
    int timer = 0;
    if (!r.ReadInt(code) || !r.ReadInt(timer)) return false;
    cell = GCell::CreateCell(code);
    if (!cell) return false;
    cell->timer = timer;
  }
  if (!withUnits) return true;

  out.runner = std::make_unique<GUnit>(ANIMATION_LIST_UNIT::GetInstance(), 0, 0);
  if (!out.runner->Read(r)) return false;
  int alienCount = 0;
  if (!r.ReadInt(alienCount) || alienCount < 0) return false;
  if (!r.Has(static_cast<uint64_t>(alienCount) * UNIT_RECORD_SIZE)) return false;
  for (int i = 0; i < alienCount; ++i) {
    auto alien = std::make_unique<GUnit>(ANIMATION_LIST_ALIEN::GetInstance(), 0, 0);
    if (!alien->Read(r)) return false;
    out.aliens.push_back(std::move(alien));
  }
  return r.ReadUnsigned(out.tick);
}

void GMap::Commit(Content& content, bool withUnits) {
  Clear();
  width = content.width;
  height = content.height;
  exitX = content.exitX;
  exitY = content.exitY;
  cells = std::move(content.cells);
  if (withUnits) {
    runner = std::move(content.runner);
    aliens = std::move(content.aliens);
    tick = content.tick;
    SettleUnits();
  }
  testMode = false;
  reserved = 0;
}

bool GMap::WriteContent(CFerroStream& stream, bool withUnits) {
  GRecordWriter w(stream);
  w.WriteUnsigned(0);
  w.WriteInt(width);
  w.WriteInt(height);
  w.WriteInt(exitX);
  w.WriteInt(exitY);
  for (const auto& cell : cells) {
    w.WriteInt(cell->GetType());
    w.WriteInt(cell->timer);
  }
  if (!w.Ok()) return false;
  if (withUnits) {
    if (runner) {
      runner->Serialize(stream);
    } else {
      GUnit placeholder(ANIMATION_LIST_UNIT::GetInstance(), 0, 0);
      placeholder.Serialize(stream);
    }
    w.WriteInt(GetAlienCount());
    for (const auto& alien : aliens) alien->Serialize(stream);
    w.WriteUnsigned(tick);
  }
  testMode = false;
  reserved = 0;
  return w.Ok();
}

bool GMap::Serialize(CFerroStream& stream, bool withUnits) {
  if (stream.IsStoring()) return WriteContent(stream, withUnits);
  GRecordReader reader(stream);
  Content content;
  if (!ReadContent(reader, withUnits, content)) return false;
  Commit(content, withUnits);
  return true;
}

bool GMap::IsSafeFileName(const CFerroString& name) {
  const int length = name.GetLength();
  if (length == 0) return false;
  for (int i = 0; i < length; ++i) {
    const char c = name[i];
    if (c == '/' || c == '\\' || c == '\0') return false;
    if (c == '.' && i + 1 < length && name[i + 1] == '.') return false;
  }
  return true;
}

bool GMap::LoadFromPath(const char* path) {
  CFerroStreamFile file;
  if (!file.Open(path, CFerroStream::modeRead)) return false;
  return Serialize(file, false);
}

bool GMap::SaveToPath(const char* path) {
  return WriteFileReplacing(path,
                            [this](CFerroStream& stream) { return Serialize(stream, false); });
}

bool GMap::LoadFromFile(const char* name) {
  const CFerroString fileNameOnly(name ? name : "");
  if (!IsSafeFileName(fileNameOnly)) {
    fileName = "";
    return false;
  }
  const CFerroString path = GModelMedia::GetPathToMaps() + fileNameOnly;
  CFerroStreamFile file;
  if (!file.Open(path.c_str(), CFerroStream::modeRead)) {
    fileName = "";
    ReportError((CFerroString("the map ") + path + " is missing; it is not played").c_str());
    return false;
  }
  if (!Serialize(file, false)) {
    ReportError((CFerroString("the map ") + path + " is damaged; it is not played").c_str());
    return false;
  }
  fileName = fileNameOnly;
  return true;
}

bool GMap::SaveToFile(const char* name) {
  const CFerroString fileNameOnly(name ? name : "");
  if (!IsSafeFileName(fileNameOnly)) return false;
  const CFerroString path = GModelMedia::GetPathToMaps() + fileNameOnly;
  if (!SaveToPath(path.c_str())) {
    ReportError((CFerroString("cannot save the map ") + path + ": " + strerror(errno) +
                 "; the previous file is kept")
                    .c_str());
    return false;
  }
  fileName = fileNameOnly;
  return true;
}

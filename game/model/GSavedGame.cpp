#include "game/model/GSavedGame.h"

#include <cerrno>
#include <cstring>

#include "GUI/foundation/CFerroStream.h"
#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/FileError.h"
#include "game/model/ANIMATION_LIST_ALIEN.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GRecordStream.h"
#include "game/model/GUnit.h"

namespace {
CFerroString ReadPrefix(GRecordReader& r) {
  unsigned signature = 0;
  CFerroString name;
  if (!r.ReadUnsigned(signature) || signature != SAVED_GAME_SIGNATURE) return CFerroString();
  if (!r.ReadString(name)) return CFerroString();
  return name;
}

bool WriteGame(CFerroStream& stream) {
  const CFerroString name = SerializeGamePrefix(stream);
  GRecordWriter w(stream);
  if (name.GetLength() == 0) return w.Ok();
  w.WriteInt(0);
  if (!w.Ok() || !GMap::GetInstance()->WriteContent(stream, true)) return false;
  if (!GMapList::GetInstance()->Serialize(stream, true)) return false;
  // The runner list writes its 25 bytes through the stream itself; check they all arrived.
  const unsigned before = stream.GetPosition();
  ANIMATION_LIST_UNIT::GetInstance()->Serialize(stream);
  ANIMATION_LIST_ALIEN::GetInstance()->Serialize(stream);
  return stream.GetPosition() - before == 25;
}

// A saved game read whole and checked, waiting to replace the game in memory.
struct PARSED_GAME {
  GMap::Content content;
  CFerroString currentName;
  ANIMATION_LIST_UNIT::RECORD counters;
};

// False for a file that does not parse completely; a game naming a map
// outside the maps folder parses, and the caller refuses it.
bool ParseGame(CFerroStream& stream, PARSED_GAME& game) {
  GRecordReader r(stream);
  const CFerroString prefixName = ReadPrefix(r);
  if (prefixName.GetLength() == 0) return false;
  int unused = 0;
  unsigned listReserved = 0;
  return r.ReadInt(unused) && GMap::ReadContent(r, true, game.content) &&
         r.ReadUnsigned(listReserved) && r.ReadString(game.currentName) &&
         ANIMATION_LIST_UNIT::ReadRecord(r, game.counters);
}

bool ReadGame(CFerroStream& stream) {
  PARSED_GAME game;
  if (!ParseGame(stream, game)) return false;
  // The map a saved game goes on with must lie in the maps folder: a file
  // from someone else may name any path.
  if (!GMapList::IsMapFileName(game.currentName)) {
    ReportError("a saved game names a map that is not a file of the maps folder; it is not loaded");
    return false;
  }
  GMap::GetInstance()->Commit(game.content, true);
  GMapList::GetInstance()->currentName = game.currentName;
  ANIMATION_LIST_UNIT::GetInstance()->Apply(game.counters);
  return true;
}
}  // namespace

CFerroString SerializeGamePrefix(CFerroStream& stream) {
  if (!stream.IsStoring()) {
    GRecordReader r(stream);
    return ReadPrefix(r);
  }
  const CFerroString name = GMapList::GetInstance()->currentName;
  GRecordWriter w(stream);
  w.WriteUnsigned(SAVED_GAME_SIGNATURE);
  w.WriteString(name);
  return name;
}

bool SerializeGame(CFerroStream& stream) {
  return stream.IsStoring() ? WriteGame(stream) : ReadGame(stream);
}

bool ReadSavedGameSummary(CFerroStream& stream, SAVED_GAME_SUMMARY& summary) {
  PARSED_GAME game;
  if (!ParseGame(stream, game) || !GMapList::IsMapFileName(game.currentName)) return false;
  summary.mapName = game.currentName;
  summary.score = game.counters.score;
  summary.lives = game.counters.lives;
  return true;
}

bool SaveGameToFile(const char* path) {
  if (WriteFileReplacing(path, WriteGame)) return true;
  ReportError((CFerroString("cannot save the game in ") + (path ? path : "") + ": " +
               strerror(errno) + "; the previous file is kept")
                  .c_str());
  return false;
}

bool LoadGameFromFile(const char* path) {
  CFerroStreamFile file;
  const CFerroString name(path ? path : "");
  if (!file.Open(path, CFerroStream::modeRead)) {
    ReportError(
        (CFerroString("cannot read the saved game ") + name + ": " + strerror(errno)).c_str());
    return false;
  }
  if (ReadGame(file)) return true;
  ReportError(
      (CFerroString("the saved game ") + name + " is damaged; the game in play is kept").c_str());
  return false;
}

bool WriteLevelState(CFerroStream& stream) {
  GMap* map = GMap::GetInstance();
  // The map record marks the level as no test play; a state kept during one stays one.
  const bool testMode = map->testMode;
  const bool written = map->WriteContent(stream, true);
  map->testMode = testMode;
  if (!written) return false;
  const unsigned before = stream.GetPosition();
  ANIMATION_LIST_UNIT::GetInstance()->Serialize(stream);
  return stream.GetPosition() - before == 25;
}

bool ParseLevelState(CFerroStream& stream, LEVEL_STATE& state) {
  GRecordReader r(stream);
  return GMap::ReadContent(r, true, state.content) &&
         ANIMATION_LIST_UNIT::ReadRecord(r, state.counters) && r.Remaining() == 0;
}

void ApplyLevelState(LEVEL_STATE& state) {
  GMap* map = GMap::GetInstance();
  const CFerroString fileName = map->fileName;
  const bool testMode = map->testMode;
  const int playState = map->state;
  const unsigned stateCounter = map->stateCounter;
  map->Commit(state.content, true);
  map->fileName = fileName;
  map->testMode = testMode;
  map->state = playState;
  map->stateCounter = stateCounter;
  ANIMATION_LIST_UNIT::GetInstance()->Apply(state.counters);
}

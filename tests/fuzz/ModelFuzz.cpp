// The game's own records: map files, the map index and saved games.
#include <cstring>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/foundation/FerroRandom.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GModelMedia.h"
#include "game/model/GSavedGame.h"
#include "tests/fuzz/FuzzTargets.h"

namespace {

// Ticks of play run on a level that loaded; enough for every unit to move,
// fall and dig a few times, and for the cells to be updated twice.
constexpr int kTicks = 20;

bool OpenReading(CFerroStreamMemory& stream, const uint8_t* data, size_t size) {
  static const uint8_t kEmpty = 0;
  if (size > 0xFFFFFFFFu) return false;
  return stream.Open(data ? data : &kEmpty, static_cast<unsigned>(size), CFerroStream::modeRead);
}

// The model's singletons as a fresh process has them, so every input starts
// from the same state. The maps folder is the scratch folder, which holds no
// index, so nothing of the host's is read.
void ResetModel() {
  GModelMedia::SetPathToMaps(FuzzScratchFolder().c_str());
  GMap::GetInstance()->Clear();
  ANIMATION_LIST_UNIT::GetInstance()->NewGame();
  ANIMATION_LIST_UNIT::GetInstance()->ClearControl();
  GMapList* list = GMapList::GetInstance();
  list->Clear();
  list->currentName = "";
  SetRndIndex(1);
}

// Plays the loaded level for a while with the runner walking right and
// digging, then writes it back; whatever loaded must survive both.
void PlayAndWrite(bool withUnits) {
  GMap* map = GMap::GetInstance();
  if (!withUnits) map->StartLoaded();
  map->PressKey(PLAYER_RIGHT);
  for (int i = 0; i < kTicks; ++i) {
    if (i == kTicks / 2) map->PressKey(PLAYER_DIG);
    map->Update();
  }
  CFerroStreamMemory out;
  out.Open(nullptr, 0, CFerroStream::modeWrite);
  FuzzCheck(map->Serialize(out, withUnits), "a loaded map writes back");
}

}  // namespace

int FuzzMapFile(const uint8_t* data, size_t size) {
  ResetModel();
  CFerroStreamMemory stream;
  if (OpenReading(stream, data, size) && GMap::GetInstance()->Serialize(stream, false))
    PlayAndWrite(false);
  ResetModel();
  return 0;
}

int FuzzMapIndex(const uint8_t* data, size_t size) {
  ResetModel();
  GMapList* list = GMapList::GetInstance();
  CFerroStreamMemory stream;
  if (OpenReading(stream, data, size) && list->Serialize(stream, false)) {
    // Walk the level order as a game does, then write the index back.
    for (int i = 0; i <= list->GetCount() && list->SelectNextMapForGame(); ++i)
      FuzzCheck(list->GetMapForGameIndex() >= 0, "the level chosen is in the list");
    CFerroStreamMemory out;
    out.Open(nullptr, 0, CFerroStream::modeWrite);
    FuzzCheck(list->Serialize(out, false), "a loaded index writes back");
  }
  ResetModel();
  return 0;
}

int FuzzSavedGame(const uint8_t* data, size_t size) {
  ResetModel();
  CFerroStreamMemory prefix;
  if (OpenReading(prefix, data, size)) SerializeGamePrefix(prefix);
  CFerroStreamMemory stream;
  if (OpenReading(stream, data, size) && SerializeGame(stream)) {
    PlayAndWrite(true);
    CFerroStreamMemory out;
    out.Open(nullptr, 0, CFerroStream::modeWrite);
    FuzzCheck(SerializeGame(out), "a loaded game saves again");
  }
  ResetModel();
  return 0;
}

// The game's own records: map files, the map index and saved games.
#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/foundation/FerroRandom.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/CMapTransfer.h"
#include "game/model/GMap.h"
#include "game/model/GMapList.h"
#include "game/model/GModelMedia.h"
#include "game/model/GSavedGame.h"
#include "tests/fuzz/FuzzTargets.h"

namespace {

// The model's singletons as a fresh process has them, so every input starts
// from the same state. The maps folder is the scratch folder, which holds no
// index, so nothing of the host's is read.
void ResetModel() {
  GModelMedia::SetPathToMaps(FuzzScratchFolder().c_str());
  GMap::GetInstance()->Clear();
  ANIMATION_LIST_UNIT::GetInstance()->NewGame();
  ANIMATION_LIST_UNIT::GetInstance()->ClearControl();
  GMapList::GetInstance()->Clear();
  GMapList::GetInstance()->currentName = "";
  SetRndIndex(1);
}

bool OpenFresh(CFerroStreamMemory& stream, const uint8_t* data, size_t size) {
  ResetModel();
  static const uint8_t kEmpty = 0;
  if (size > 0xFFFFFFFFu) return false;
  return stream.Open(data ? data : &kEmpty, static_cast<unsigned>(size), CFerroStream::modeRead);
}

// Plays the loaded level (or saved game, with its units) for 20 ticks, enough
// for every unit to move, fall and dig a few times, with the runner walking
// right and digging, then writes it back; whatever loaded must survive both.
void PlayAndWrite(bool withUnits) {
  GMap* map = GMap::GetInstance();
  if (!withUnits) map->StartLoaded();
  map->PressKey(PLAYER_RIGHT);
  for (int i = 0; i < 20; ++i) {
    if (i == 10) map->PressKey(PLAYER_DIG);
    map->Update();
  }
  CFerroStreamMemory out;
  out.Open(nullptr, 0, CFerroStream::modeWrite);
  FuzzCheck(withUnits ? SerializeGame(out) : map->Serialize(out, false),
            "a loaded map or game writes back");
}

}  // namespace

int FuzzMapFile(const uint8_t* data, size_t size) {
  CFerroStreamMemory stream;
  const bool loaded =
      OpenFresh(stream, data, size) && GMap::GetInstance()->Serialize(stream, false);
  if (loaded) PlayAndWrite(false);
  // An import takes the same record and nothing more.
  const std::string bytes = data ? std::string(reinterpret_cast<const char*>(data), size) : "";
  FuzzCheck(!CMapTransfer::IsMapFile(bytes) || loaded, "a map an import takes is one that loads");
  ResetModel();
  return 0;
}

int FuzzMapIndex(const uint8_t* data, size_t size) {
  GMapList* list = GMapList::GetInstance();
  CFerroStreamMemory stream;
  if (OpenFresh(stream, data, size) && list->Serialize(stream, false)) {
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
  // The save slots' list reads only the prefix, from a stream of its own.
  CFerroStreamMemory prefix, stream;
  if (OpenFresh(prefix, data, size)) SerializeGamePrefix(prefix);
  if (OpenFresh(stream, data, size) && SerializeGame(stream)) PlayAndWrite(true);
  ResetModel();
  return 0;
}

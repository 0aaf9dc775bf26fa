#include "game/app/CUndoRedo.h"

#include <memory>

#include "GUI/foundation/CFerroStream.h"
#include "GUI/foundation/FerroRandom.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/toolkit/GComponent.h"

namespace {

GPlatform* Platform() {
  return GComponent::game ? GComponent::game->GetPlatform() : nullptr;
}

// A free path "NNNNNNNNNN.und" in the temporary folder: ten random digits,
// drawn again while a file of that name exists.
CFerroString NewSnapshotPath(GPlatform* platform) {
  const CFerroString folder = platform->GetPathToTemp();
  SetRndIndex(platform->GetTick());
  for (;;) {
    char name[16];
    for (int i = 0; i < 10; ++i) name[i] = static_cast<char>('0' + GetRndInt(0, 9));
    name[10] = '\0';
    const CFerroString path = folder + name + ".und";
    if (platform->GetFileLength(path.c_str()) == -1) return path;
  }
}

}  // namespace

CUndoRedo::~CUndoRedo() {
  GPlatform* platform = Platform();
  for (CFerroString* file : {&undoFile, &redoFile}) {
    if (platform && !file->IsEmpty()) platform->RemoveFile(file->c_str());
    *file = "";
  }
}

void CUndoRedo::Set(bool after) {
  GPlatform* platform = Platform();
  if (!platform) return;
  const CFerroString path = NewSnapshotPath(platform);
  (after ? redoFile : undoFile) = path;
  std::unique_ptr<CFerroStream> stream(platform->OpenStream(path.c_str(), CFerroStream::modeWrite));
  if (stream) GMap::GetInstance()->Serialize(*stream, false);
}

void CUndoRedo::Use(bool after) {
  GPlatform* platform = Platform();
  const CFerroString& path = after ? redoFile : undoFile;
  if (!platform || path.IsEmpty()) return;
  std::unique_ptr<CFerroStream> stream(platform->OpenStream(path.c_str(), CFerroStream::modeRead));
  if (!stream) return;
  GMap* map = GMap::GetInstance();
  const CFerroString name = map->fileName;
  if (!map->Serialize(*stream, false)) return;
  map->fileName = name;
  map->RefreshMapBackground();
  map->CopyToBackbuffer();
}

CTRLZ* CTRLZ::GetInstance() {
  static CTRLZ ctrlz_command;
  return &ctrlz_command;
}

void CTRLZ::Add(std::unique_ptr<CUndoRedo> step) {
  if (!step) return;
  for (int i = current + 1; i < count; ++i) steps[i].reset();
  ++current;
  if (current < kSteps) {
    steps[current] = std::move(step);
    count = current + 1;
    return;
  }
  // Full: the oldest step goes.
  steps[0].reset();
  for (int i = 1; i < kSteps; ++i) steps[i - 1] = std::move(steps[i]);
  steps[kSteps - 1] = std::move(step);
  current = kSteps - 1;
  count = kSteps;
}

void CTRLZ::Undo() {
  if (current < 0) return;
  steps[current]->Use(false);
  --current;
}

void CTRLZ::Redo() {
  if (current >= count - 1) return;
  ++current;
  steps[current]->Use(true);
}

void CTRLZ::Clear() {
  for (auto& step : steps) step.reset();
  count = 0;
  current = -1;
}

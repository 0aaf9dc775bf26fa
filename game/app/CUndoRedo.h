#pragma once

#include <memory>

#include "GUI/foundation/CFerroString.h"
#include "game/model/GMap.h"

// One step of the map editor's history: a whole stroke, kept as two
// snapshots of the map in temporary files, one taken just before the
// stroke's first change and one just after it.
class CUndoRedo : public GMapUndo {
 public:
  CUndoRedo() = default;
  CUndoRedo(const CUndoRedo&) = delete;
  CUndoRedo& operator=(const CUndoRedo&) = delete;
  // Removes the snapshot files.
  ~CUndoRedo() override;

  // Takes a snapshot of the map now: the after-stroke one when after is
  // true, the before-stroke one otherwise.
  virtual void Set(bool after);
  // Brings the map back to a snapshot (keeping its file name); a snapshot
  // that cannot be read changes nothing.
  void Use(bool after);

  const CFerroString& GetUndoFile() const { return undoFile; }
  const CFerroString& GetRedoFile() const { return redoFile; }

 private:
  CFerroString undoFile;
  CFerroString redoFile;
};

// The editor's history: up to kSteps strokes. Steps 0..current are applied,
// current + 1..count - 1 were undone and can be redone.
class CTRLZ {
 public:
  static constexpr int kSteps = 300;

  static CTRLZ* GetInstance();

  CTRLZ() = default;
  CTRLZ(const CTRLZ&) = delete;
  CTRLZ& operator=(const CTRLZ&) = delete;

  // Appends a finished step: the redo branch is dropped, and a full history
  // drops its oldest step.
  void Add(std::unique_ptr<CUndoRedo> step);
  void Undo();
  void Redo();
  // Drops every step and its files.
  void Clear();

  int GetCurrent() const { return current; }
  int GetCount() const { return count; }
  const CUndoRedo* GetStep(int i) const { return i >= 0 && i < count ? steps[i].get() : nullptr; }

 private:
  int current = -1;
  int count = 0;
  std::unique_ptr<CUndoRedo> steps[kSteps];
};

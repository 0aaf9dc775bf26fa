#include "game/model/GRewind.h"

#include <algorithm>
#include <cstring>

#include "GUI/foundation/CFerroStream.h"
#include "GUI/foundation/CFerroStreamMemory.h"
#include "game/model/GMap.h"
#include "game/model/GSavedGame.h"

namespace {

// Appends what is written to a byte vector that keeps its storage between uses.
class VectorWriter : public CFerroStream {
 public:
  explicit VectorWriter(std::vector<unsigned char>& bytes) : bytes(bytes) {
    bytes.clear();
    mode = modeWrite;
  }
  void Close() override {}
  unsigned GetLength() override { return static_cast<unsigned>(bytes.size()); }
  unsigned GetPosition() override { return static_cast<unsigned>(bytes.size()); }
  void SetPosition(unsigned) override {}
  unsigned Write(const void* buffer, unsigned count) override {
    const auto* from = static_cast<const unsigned char*>(buffer);
    bytes.insert(bytes.end(), from, from + count);
    lastCount = static_cast<int>(count);
    return count;
  }
  unsigned Read(void*, unsigned) override { return 0; }
  bool ChangeMode(int) override { return false; }

 private:
  std::vector<unsigned char>& bytes;
};

}  // namespace

void GRewind::Clear() {
  first = 0;
  count = 0;
  slotSize = 0;
  capacity = 0;
}

void GRewind::Capture() {
  VectorWriter writer(scratch);
  if (!WriteLevelState(writer) || scratch.empty()) return;
  if (scratch.size() != slotSize) {
    // A level's states all have one size; another size is another level.
    Clear();
    slotSize = scratch.size();
    capacity =
        static_cast<unsigned>(std::min<size_t>(kDepth, kBudget / (slotSize + sizeof(LEVEL_TALLY))));
    // The storage is kept for the levels after, which mostly have the same
    // size; it grows to exactly what a larger level needs, so it never passes
    // the budget.
    const size_t bytes = capacity * slotSize;
    if (bytes > slots.capacity()) std::vector<unsigned char>(bytes).swap(slots);
    slots.resize(bytes);
    tallies.resize(capacity);
  }
  if (capacity == 0) return;
  const unsigned at = (first + count) % capacity;
  std::memcpy(&slots[at * slotSize], scratch.data(), slotSize);
  tallies[at] = GMap::GetInstance()->tally;
  if (count < capacity)
    ++count;
  else
    first = (first + 1) % capacity;
}

unsigned GRewind::StepBack(unsigned steps) {
  const unsigned taken = std::min(steps, count);
  if (taken == 0) return 0;
  const unsigned at = (first + count - taken) % capacity;
  CFerroStreamMemory stream;
  LEVEL_STATE state;
  if (!stream.Open(&slots[at * slotSize], static_cast<unsigned>(slotSize),
                   CFerroStream::modeRead) ||
      !ParseLevelState(stream, state)) {
    // A state the level itself wrote always reads back; should one not, nothing is taken back.
    Clear();
    return 0;
  }
  ApplyLevelState(state);
  GMap::GetInstance()->tally = tallies[at];
  count -= taken;
  return taken;
}

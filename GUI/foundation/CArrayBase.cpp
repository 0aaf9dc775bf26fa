#include "GUI/foundation/CArrayBase.h"

#include <cassert>
#include <cstring>
#include <vector>

#include "GUI/foundation/CFerroStream.h"
#include "GUI/foundation/FerroHostFile.h"

namespace {

int Growth(int capacity) {
  return capacity / 4 > 4 ? capacity / 4 : 4;
}

// When the size of the source is unknown, no index array may claim more than
// this many entries.
constexpr int64_t kUnknownSizeLimit = 1 << 24;

class FileSource : public CArrayBase::Source {
 public:
  explicit FileSource(FILE* f) : file(f) {}
  bool Read(void* out, size_t n) override {
    return file != nullptr && (n == 0 || std::fread(out, 1, n, file) == n);
  }
  int64_t Remaining() override { return FerroFileRemaining(file); }

 private:
  FILE* file;
};

class FileSink : public CArrayBase::Sink {
 public:
  explicit FileSink(FILE* f) : file(f) {}
  bool Write(const void* bytes, size_t n) override { return FerroWriteBytes(file, bytes, n); }

 private:
  FILE* file;
};

class StreamSource : public CArrayBase::Source {
 public:
  explicit StreamSource(CFerroStream& s) : stream(s) {}
  bool Read(void* out, size_t n) override {
    return n == 0 || (n <= UINT32_MAX && stream.Read(out, static_cast<unsigned>(n)) == n);
  }
  int64_t Remaining() override {
    int64_t left = static_cast<int64_t>(stream.GetLength()) - stream.GetPosition();
    return left < 0 ? 0 : left;
  }

 private:
  CFerroStream& stream;
};

class StreamSink : public CArrayBase::Sink {
 public:
  explicit StreamSink(CFerroStream& s) : stream(s) {}
  bool Write(const void* bytes, size_t n) override {
    return n == 0 || (n <= UINT32_MAX && stream.Write(bytes, static_cast<unsigned>(n)) == n);
  }

 private:
  CFerroStream& stream;
};

// Reads a capacity and a count and then count entries. A capacity is not
// backed by bytes of the file, so it is bounded by what the rest of the file
// could describe (a generous twice the remaining entries); the entries are.
bool ReadList(CArrayBase::Source& source, CArrayBase::IntList& list) {
  int capacity = 0, count = 0;
  if (!source.Int(capacity) || !source.Int(count)) return false;
  if (capacity < 0 || count < 0 || count > capacity) return false;
  const int64_t left = source.Remaining();
  const int64_t limit = left >= 0 ? 2 * (left / 4) + 16 : kUnknownSizeLimit;
  if (capacity > limit || (left >= 0 && static_cast<int64_t>(count) * 4 > left)) return false;
  list.items.reset(capacity > 0 ? new int[static_cast<size_t>(capacity)] : nullptr);
  list.capacity = capacity;
  list.count = 0;
  for (int i = 0; i < count; ++i) {
    if (!source.Int(list.items[i])) return false;
    list.count = i + 1;
  }
  return true;
}

bool WriteList(CArrayBase::Sink& sink, const CArrayBase::IntList& list) {
  if (!sink.Int(list.capacity) || !sink.Int(list.count)) return false;
  for (int i = 0; i < list.count; ++i)
    if (!sink.Int(list.items[i])) return false;
  return true;
}

}  // namespace

bool CArrayBase::Source::Int(int& value) {
  unsigned char b[4];
  if (!Read(b, 4)) return false;
  value =
      static_cast<int>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                       (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
  return true;
}

bool CArrayBase::Sink::Int(int value) {
  const uint32_t v = static_cast<uint32_t>(value);
  const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16),
                              static_cast<unsigned char>(v >> 24)};
  return Write(b, 4);
}

bool CArrayBase::IntList::Push(int value) {
  if (count == capacity) {
    const int grown = capacity + Growth(capacity);
    std::unique_ptr<int[]> bigger(new int[static_cast<size_t>(grown)]);
    if (count > 0) std::memcpy(bigger.get(), items.get(), sizeof(int) * static_cast<size_t>(count));
    items = std::move(bigger);
    capacity = grown;
  }
  items[count++] = value;
  return true;
}

void CArrayBase::IntList::Release() {
  items.reset();
  capacity = count = 0;
}

void CArrayBase::IntList::CopyFrom(const IntList& other) {
  items.reset(other.capacity > 0 ? new int[static_cast<size_t>(other.capacity)] : nullptr);
  if (other.count > 0)
    std::memcpy(items.get(), other.items.get(), sizeof(int) * static_cast<size_t>(other.count));
  capacity = other.capacity;
  count = other.count;
}

CArrayBase::CArrayBase() = default;

CArrayBase::CArrayBase(const CArrayBase& other) {
  *this = other;
}

CArrayBase& CArrayBase::operator=(const CArrayBase& other) {
  if (this == &other) return *this;
  existing.CopyFrom(other.existing);
  freeSlots.CopyFrom(other.freeSlots);
  slotMap.reset(other.mapSize > 0 ? new int[static_cast<size_t>(other.mapSize)] : nullptr);
  if (other.mapSize > 0)
    std::memcpy(slotMap.get(), other.slotMap.get(),
                sizeof(int) * static_cast<size_t>(other.mapSize));
  mapSize = other.mapSize;
  return *this;
}

CArrayBase::~CArrayBase() = default;

void CArrayBase::AddToExisting(int slot) {
  assert(slot >= 0 && "A slot number is never negative");
  if (slot < 0) return;
  if (slot >= mapSize) {
    const int grown = slot + (slot + 1) / 4 + 1;
    std::unique_ptr<int[]> bigger(new int[static_cast<size_t>(grown)]);
    for (int i = 0; i < grown; ++i) bigger[i] = i < mapSize ? slotMap[i] : -1;
    slotMap = std::move(bigger);
    mapSize = grown;
  }
  existing.Push(slot);
  slotMap[slot] = existing.count - 1;
}

void CArrayBase::AddToDeleted(int slot) {
  freeSlots.Push(slot);
}

void CArrayBase::FromExistingToDeleted(int slot) {
  assert(slot >= 0 && slot < mapSize && "max_indexed>index: the slot was never recorded");
  if (slot < 0 || slot >= mapSize) return;
  const int from = slotMap[slot];
  assert(from >= 0 && "from>=0: the slot is not in use");
  if (from < 0) return;
  slotMap[slot] = -1;
  const int last = existing.items[existing.count - 1];
  --existing.count;
  if (from < existing.count) {
    existing.items[from] = last;
    slotMap[last] = from;
  }
  AddToDeleted(slot);
}

int CArrayBase::FromDeletedToExisting() {
  if (freeSlots.count == 0) return -1;
  const int slot = freeSlots.items[--freeSlots.count];
  AddToExisting(slot);
  return slot;
}

int CArrayBase::FromDeletedToExisting(int slot) {
  for (int i = freeSlots.count - 1; i >= 0; --i) {
    if (freeSlots.items[i] != slot) continue;
    for (int j = i; j + 1 < freeSlots.count; ++j) freeSlots.items[j] = freeSlots.items[j + 1];
    --freeSlots.count;
    AddToExisting(slot);
    return slot;
  }
  return -1;
}

void CArrayBase::IncreaseDeleted(int from, int to) {
  for (int slot = from; slot <= to && slot >= 0; ++slot) {
    AddToDeleted(slot);
    if (slot == to) break;  // Guards the increment at the top of the int range.
  }
}

void CArrayBase::ClearExistingAndDeleted() {
  existing.Release();
  freeSlots.Release();
  slotMap.reset();
  mapSize = 0;
}

bool CArrayBase::IsConsistent(const Pending& pending, int slotCount) {
  if (slotCount < 0) return false;
  std::vector<bool> seen(static_cast<size_t>(slotCount), false);
  for (int i = 0; i < pending.existing.count; ++i) {
    const int slot = pending.existing.items[i];
    if (slot < 0 || slot >= slotCount || seen[slot]) return false;
    if (slot >= pending.mapSize || pending.slotMap[slot] != i) return false;
    seen[slot] = true;
  }
  for (int i = 0; i < pending.freeSlots.count; ++i) {
    const int slot = pending.freeSlots.items[i];
    if (slot < 0 || slot >= slotCount || seen[slot]) return false;
    seen[slot] = true;
  }
  // Every map entry not confirmed above must mark a slot not in use.
  for (int s = 0; s < pending.mapSize; ++s) {
    const int at = pending.slotMap[s];
    if (at == -1) continue;
    if (at < 0 || at >= pending.existing.count || pending.existing.items[at] != s) return false;
  }
  return true;
}

void CArrayBase::Commit(Pending& pending) {
  existing = std::move(pending.existing);
  freeSlots = std::move(pending.freeSlots);
  mapSize = pending.mapSize;
  slotMap = std::move(pending.slotMap);
  pending.mapSize = 0;
}

bool CArrayBase::Save(Sink& sink) const {
  if (!WriteList(sink, existing) || !WriteList(sink, freeSlots) || !sink.Int(mapSize)) return false;
  for (int i = 0; i < mapSize; ++i)
    if (!sink.Int(slotMap[i])) return false;
  return WriteValues(sink);
}

bool CArrayBase::Load(Source& source) {
  Pending pending;
  if (!ReadList(source, pending.existing) || !ReadList(source, pending.freeSlots)) return false;
  int size = 0;
  if (!source.Int(size) || size < 0) return false;
  const int64_t left = source.Remaining();
  if (left >= 0 ? static_cast<int64_t>(size) * 4 > left : size > kUnknownSizeLimit) return false;
  pending.slotMap.reset(size > 0 ? new int[static_cast<size_t>(size)] : nullptr);
  pending.mapSize = size;
  for (int i = 0; i < size; ++i)
    if (!source.Int(pending.slotMap[i])) return false;
  return ReadValues(source, pending);
}

bool CArrayBase::Serialize(CFerroStream& stream) {
  if (stream.IsStoring()) {
    StreamSink sink(stream);
    return Save(sink);
  }
  StreamSource source(stream);
  return Load(source);
}

bool CArrayBase::SaveToFile(FILE* file) {
  FileSink sink(file);
  return file != nullptr && Save(sink);
}

bool CArrayBase::LoadFromFile(FILE* file) {
  FileSource source(file);
  return file != nullptr && Load(source);
}

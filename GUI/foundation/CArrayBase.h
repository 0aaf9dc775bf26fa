#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

class CFerroStream;

// Slot bookkeeping shared by the slot arrays: which slot numbers are in use
// (the existing list, in order of use), which were released (the free-slot
// stack, top last) and, per slot number, its index in the existing list (the
// slot map, -1 for a slot not in use). Slot numbers stay valid until deleted
// and released numbers are reused first.
//
// File form (every integer 4 bytes little-endian): existing capacity, existing
// count, the existing slots; free capacity, free count, the free slots (bottom
// first); map size, the map entries; then the value kind's slot count and
// values. An empty array is six zeros.
class CArrayBase {
 public:
  CArrayBase();
  CArrayBase(const CArrayBase& other);
  CArrayBase& operator=(const CArrayBase& other);
  virtual ~CArrayBase();

  // Writes (storing stream) or reads (loading stream) the file form; false on
  // a failed write or a truncated or inconsistent form, which leaves the array
  // unchanged.
  virtual bool Serialize(CFerroStream& stream);
  virtual bool SaveToFile(FILE* file);
  virtual bool LoadFromFile(FILE* file);

  // Slots in use; GetSlot(i) for i in 0..GetCount()-1 iterates them.
  int GetCount() const { return existing.count; }
  int GetSlot(int i) const { return i >= 0 && i < existing.count ? existing.items[i] : -1; }
  int GetFreeCount() const { return freeSlots.count; }
  bool IsInUse(int slot) const { return slot >= 0 && slot < mapSize && slotMap[slot] >= 0; }

  // Appends slot to the existing list and records it in the slot map.
  void AddToExisting(int slot);
  // Pushes slot on the free-slot stack.
  void AddToDeleted(int slot);
  // Moves a slot in use to the free-slot stack; the last slot of the existing
  // list takes its place. The slot must be in use.
  void FromExistingToDeleted(int slot);
  // Pops the top of the free-slot stack into the existing list; -1 when empty.
  int FromDeletedToExisting();
  // Takes that slot from the free-slot stack into the existing list; -1 when
  // it is not on the stack.
  int FromDeletedToExisting(int slot);
  // Pushes the slots from..to in increasing order.
  void IncreaseDeleted(int from, int to);
  // Releases the three index arrays.
  void ClearExistingAndDeleted();

  // Growable list of 32-bit integers with an explicit capacity, which is part
  // of the file form.
  struct IntList {
    int capacity = 0;
    int count = 0;
    std::unique_ptr<int[]> items;

    bool Push(int value);
    void Release();
    void CopyFrom(const IntList& other);
  };

  // Byte source and sink for the file form, over a C file or a stream.
  class Source {
   public:
    virtual ~Source() = default;
    // Reads exactly n bytes; false when fewer are left.
    virtual bool Read(void* out, size_t n) = 0;
    // Bytes left, or -1 when unknown.
    virtual int64_t Remaining() = 0;
    bool Int(int& value);
  };
  class Sink {
   public:
    virtual ~Sink() = default;
    virtual bool Write(const void* bytes, size_t n) = 0;
    bool Int(int value);
  };

 protected:
  // The index arrays as read from a file, before they replace the current ones.
  struct Pending {
    IntList existing;
    IntList freeSlots;
    int mapSize = 0;
    std::unique_ptr<int[]> slotMap;
  };

  // Called by the save operations after the index arrays: writes the slot
  // count and the values.
  virtual bool WriteValues(Sink& sink) const = 0;
  // Called by the load operations after the index arrays were read into
  // pending: reads the slot count and values, checks them with IsConsistent and
  // on success adopts pending with Commit.
  virtual bool ReadValues(Source& source, Pending& pending) = 0;

  // Every slot number lies in 0..slotCount-1 and appears at most once across
  // both lists, and the slot map agrees with the existing list.
  static bool IsConsistent(const Pending& pending, int slotCount);
  void Commit(Pending& pending);

  bool Save(Sink& sink) const;
  bool Load(Source& source);

  IntList existing;
  IntList freeSlots;
  int mapSize = 0;
  std::unique_ptr<int[]> slotMap;
};

#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "GUI/foundation/CArrayBase.h"

// The value side of a slot array: one value per slot, the empty value (-1 for
// integers, null for pointers) in free slots. Growth adds max(4, n / 4) slots
// and pushes them in increasing order, so a fresh array hands out 3, 2, 1, 0,
// then 7, 6, 5, 4 and so on. CArrayInt and CArrayPtr are its two kinds.
template <typename T>
class CArrayValues : public CArrayBase {
 public:
  static T EmptyValue() {
    if constexpr (std::is_pointer_v<T>) {
      return nullptr;
    } else {
      return static_cast<T>(-1);
    }
  }

  // Stores value in a free slot (growing when there is none) and returns the
  // slot number; -1 only when the slot numbers are exhausted.
  int Add(T value) {
    int slot = FromDeletedToExisting();
    if (slot < 0) {
      const int n = slotCount;
      const int extra = n / 4 > 4 ? n / 4 : 4;
      if (n > INT32_MAX - extra) return -1;
      values.resize(static_cast<size_t>(n + extra), EmptyValue());
      slotCount = n + extra;
      IncreaseDeleted(n, slotCount - 1);
      slot = FromDeletedToExisting();
    }
    values[static_cast<size_t>(slot)] = value;
    return slot;
  }

  // The value of a slot; 0 (null) outside the slots, the empty value in a free slot.
  T Get(int slot) const {
    if (slot < 0 || slot >= slotCount) return T{};
    return values[static_cast<size_t>(slot)];
  }

  // Releases a slot in use; false for a slot out of range or not in use.
  bool Delete(int slot) {
    if (slot < 0 || slot >= slotCount || !IsInUse(slot)) return false;
    values[static_cast<size_t>(slot)] = EmptyValue();
    FromExistingToDeleted(slot);
    return true;
  }

  void Clear() {
    values.clear();
    values.shrink_to_fit();
    slotCount = 0;
    ClearExistingAndDeleted();
  }

  int GetSlotCount() const { return slotCount; }

 protected:
  // Integers are stored in 4 bytes, pointers in 8.
  static constexpr size_t kValueBytes = std::is_pointer_v<T> ? 8 : 4;

  bool WriteValues(Sink& sink) const override {
    if (!sink.Int(slotCount)) return false;
    std::vector<unsigned char> bytes(values.size() * kValueBytes);
    for (size_t i = 0; i < values.size(); ++i) {
      const uint64_t v = ToBits(values[i]);
      for (size_t b = 0; b < kValueBytes; ++b)
        bytes[i * kValueBytes + b] = static_cast<unsigned char>(v >> (8 * b));
    }
    return sink.Write(bytes.data(), bytes.size());
  }

  bool ReadValues(Source& source, Pending& pending) override {
    int count = 0;
    if (!source.Int(count) || count < 0) return false;
    const int64_t left = source.Remaining();
    if (left >= 0 && static_cast<int64_t>(count) * static_cast<int64_t>(kValueBytes) > left)
      return false;
    if (left < 0 && count > (1 << 24)) return false;
    std::vector<unsigned char> bytes(static_cast<size_t>(count) * kValueBytes);
    if (!source.Read(bytes.data(), bytes.size())) return false;
    if (!IsConsistent(pending, count)) return false;
    std::vector<T> loaded(static_cast<size_t>(count));
    for (size_t i = 0; i < loaded.size(); ++i) {
      uint64_t v = 0;
      for (size_t b = 0; b < kValueBytes; ++b)
        v |= static_cast<uint64_t>(bytes[i * kValueBytes + b]) << (8 * b);
      loaded[i] = FromBits(v);
    }
    Commit(pending);
    values = std::move(loaded);
    slotCount = count;
    return true;
  }

  static uint64_t ToBits(T value) {
    if constexpr (std::is_pointer_v<T>) {
      return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(value));
    } else {
      return static_cast<uint32_t>(value);
    }
  }

  static T FromBits(uint64_t v) {
    if constexpr (std::is_pointer_v<T>) {
      return reinterpret_cast<T>(static_cast<uintptr_t>(v));
    } else {
      return static_cast<T>(static_cast<uint32_t>(v));
    }
  }

  int slotCount = 0;
  std::vector<T> values;
};

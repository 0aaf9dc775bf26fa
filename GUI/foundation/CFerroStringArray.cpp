#include "GUI/foundation/CFerroStringArray.h"

#include <cstdint>

#include "GUI/foundation/CFerroStream.h"

CFerroStringArray::CFerroStringArray() = default;

CFerroStringArray::CFerroStringArray(const CFerroStringArray& other) {
  *this = other;
}

CFerroStringArray& CFerroStringArray::operator=(const CFerroStringArray& other) {
  if (this == &other) return *this;
  items.clear();
  for (const auto& s : other.items) items.push_back(std::make_unique<CFerroString>(*s));
  capacity = other.capacity;
  return *this;
}

CFerroStringArray::~CFerroStringArray() = default;

int CFerroStringArray::Add(const CFerroString* text) {
  if (GetCount() == capacity) capacity += capacity / 4 > 10 ? capacity / 4 : 10;
  items.push_back(text != nullptr ? std::make_unique<CFerroString>(*text)
                                  : std::make_unique<CFerroString>());
  return GetCount() - 1;
}

int CFerroStringArray::Add(const CFerroString& text) {
  return Add(&text);
}

CFerroString* CFerroStringArray::Get(int i) const {
  return i >= 0 && i < GetCount() ? items[static_cast<size_t>(i)].get() : nullptr;
}

void CFerroStringArray::Clear() {
  items.clear();
  capacity = 0;
}

void CFerroStringArray::FromString(const char* text) {
  Clear();
  CFerroString all(text);
  all.Trim();
  int start = -1;
  for (int i = 0; i <= all.GetLength(); ++i) {
    const char c = i < all.GetLength() ? all[i] : ' ';
    const bool blank = c == ' ' || c == '\t';
    if (!blank && start < 0) start = i;
    if (blank && start >= 0) {
      Add(all.Mid(start, i - start));
      start = -1;
    }
  }
}

bool CFerroStringArray::Serialize(CFerroStream& stream) {
  if (stream.IsStoring()) {
    if ((stream << capacity) != 4 || (stream << GetCount()) != 4) return false;
    for (const auto& s : items)
      if ((stream << *s) == 0) return false;
    return true;
  }
  int storedCapacity = 0, count = 0;
  if ((stream >> storedCapacity) != 4 || (stream >> count) != 4) return false;
  // Every stored string takes at least one byte, and a capacity is never
  // far above the count it was grown for.
  const int64_t left = static_cast<int64_t>(stream.GetLength()) - stream.GetPosition();
  if (count < 0 || storedCapacity < count || count > left || storedCapacity > 2 * left + 16)
    return false;
  std::vector<std::unique_ptr<CFerroString>> loaded;
  loaded.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    auto s = std::make_unique<CFerroString>();
    if (!stream.ReadString(*s)) return false;
    loaded.push_back(std::move(s));
  }
  items = std::move(loaded);
  capacity = storedCapacity;
  return true;
}

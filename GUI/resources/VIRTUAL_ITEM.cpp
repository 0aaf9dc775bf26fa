#include "GUI/resources/VIRTUAL_ITEM.h"

#include <cstdint>

#include "GUI/foundation/FerroHostFile.h"
#include "GUI/resources/VIRTUAL_TABLE_READER.h"

namespace {

constexpr int32_t kKindFolder = 0;
constexpr int32_t kKindFile = 1;
constexpr int32_t kEndMarker = -1;
constexpr int kBucketLimit = 256;
// The smallest entry in a bucket list: kind word, name length, and the three (folder) or four
// (file) fixed words of the record.
constexpr long kSmallestEntry = 4 + 4 + 3 * 4;
// Deeper nesting than this is refused when loading, so a hostile table cannot exhaust the stack.
constexpr int kDepthLimit = 256;

int BucketOf(const CFerroString& name) {
  return static_cast<unsigned char>(name.c_str()[0]);
}

}  // namespace

bool VIRTUAL_ITEM::IsEntryName(const CFerroString& name) {
  if (name.IsEmpty() || name == "." || name == "..") return false;
  for (int i = 0; i < name.GetLength(); ++i) {
    const char c = name.c_str()[i];
    if (c == '/' || c == '\\' || c == ':' || c == 0) return false;
  }
  return true;
}

VIRTUAL_TABLE_READER::VIRTUAL_TABLE_READER(FILE* f, uint32_t size) : file(f), clusterSize(size) {
  position = f ? std::ftell(f) : -1;
  long remaining = FerroFileRemaining(f);
  if (position >= 0 && remaining >= 0) end = position + remaining;
}

bool VIRTUAL_TABLE_READER::ReadInt(int32_t& value) {
  if (Remaining() < 4 || !FerroReadInt32(file, value)) return false;
  position += 4;
  return true;
}

bool VIRTUAL_TABLE_READER::ReadName(CFerroString& name) {
  // Read here against the end measured once: the file's own string read
  // measures what is left by seeking to the end and back, which drops what
  // the stream had read ahead, so every entry would read the table again.
  int32_t length = 0;
  if (!ReadInt(length) || length < 0 || length > Remaining()) return false;
  CFerroString read(static_cast<int>(length));
  const auto count = static_cast<size_t>(length);
  if (count > 0 && std::fread(read.c_str(), 1, count, file) != count) return false;
  position += length;
  name = read;
  return true;
}

long VIRTUAL_TABLE_READER::Remaining() const {
  return position < 0 || position > end ? 0 : end - position;
}

bool VIRTUAL_ITEM::LoadFromFile(FILE* file) {
  VIRTUAL_TABLE_READER reader(file, 4096);
  return reader.IsValid() && Load(reader, 0);
}

bool VIRTUAL_FILE::SaveToFile(FILE* file) const {
  if (!itemName.SaveToStream(file) || !FerroWriteInt32(file, 0) || !FerroWriteInt32(file, 0) ||
      !FerroWriteInt32(file, static_cast<int32_t>(size)) ||
      !FerroWriteInt32(file, GetClusterCount()))
    return false;
  for (int cluster : clusters)
    if (!FerroWriteInt32(file, cluster)) return false;
  return true;
}

bool VIRTUAL_FILE::Load(VIRTUAL_TABLE_READER& reader, int /*depth*/) {
  int32_t reserved = 0, storedSize = 0, count = 0;
  if (!reader.ReadName(itemName) || !reader.ReadInt(reserved) || !reader.ReadInt(reserved) ||
      !reader.ReadInt(storedSize) || !reader.ReadInt(count))
    return false;
  if (count < 0 || count > reader.Remaining() / 4) return false;
  size = static_cast<uint32_t>(storedSize);
  // The content must fit in the clusters the record lists.
  if (static_cast<uint64_t>(size) > static_cast<uint64_t>(count) * reader.clusterSize) return false;
  clusters.assign(static_cast<size_t>(count), 0);
  for (int& cluster : clusters)
    if (!reader.ReadInt(cluster) || cluster < 0) return false;
  return true;
}

VIRTUAL_ITEM* VIRTUAL_FOLDER::Find(const CFerroString& name) const {
  int b = BucketOf(name);
  if (name.IsEmpty() || b >= GetBucketCount() || !buckets[b]) return nullptr;
  for (const auto& item : buckets[b]->items)
    if (item->itemName == name) return item.get();
  return nullptr;
}

VIRTUAL_ITEM* VIRTUAL_FOLDER::Add(std::unique_ptr<VIRTUAL_ITEM> item) {
  int b = BucketOf(item->itemName);
  if (b >= GetBucketCount()) buckets.resize(b + 1);
  if (!buckets[b]) buckets[b] = std::make_unique<VIRTUAL_ITEM_LIST>();
  item->parent = this;
  buckets[b]->items.push_back(std::move(item));
  return buckets[b]->items.back().get();
}

std::unique_ptr<VIRTUAL_ITEM> VIRTUAL_FOLDER::Remove(VIRTUAL_ITEM* item) {
  int b = BucketOf(item->itemName);
  if (b >= GetBucketCount() || !buckets[b]) return nullptr;
  auto& items = buckets[b]->items;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].get() != item) continue;
    std::unique_ptr<VIRTUAL_ITEM> removed = std::move(items[i]);
    items[i] = std::move(items.back());
    items.pop_back();
    if (items.empty()) buckets[b].reset();
    while (!buckets.empty() && !buckets.back()) buckets.pop_back();
    removed->parent = nullptr;
    return removed;
  }
  return nullptr;
}

void VIRTUAL_FOLDER::Clear() {
  buckets.clear();
}

bool VIRTUAL_FOLDER::SaveToFile(FILE* file) const {
  if (!itemName.SaveToStream(file) || !FerroWriteInt32(file, 0) ||
      !FerroWriteInt32(file, GetBucketCount()))
    return false;
  for (int b = 0; b < GetBucketCount(); ++b) {
    if (!buckets[b]) continue;
    const auto& items = buckets[b]->items;
    if (!FerroWriteInt32(file, b) || !FerroWriteInt32(file, static_cast<int32_t>(items.size())))
      return false;
    for (const auto& item : items) {
      if (!FerroWriteInt32(file, item->IsFile() ? kKindFile : kKindFolder) ||
          !item->SaveToFile(file))
        return false;
    }
  }
  return FerroWriteInt32(file, kEndMarker);
}

bool VIRTUAL_FOLDER::Load(VIRTUAL_TABLE_READER& reader, int depth) {
  Clear();
  int32_t reserved = 0, storedBuckets = 0;
  if (depth > kDepthLimit || !reader.ReadName(itemName) || !reader.ReadInt(reserved) ||
      !reader.ReadInt(storedBuckets) || storedBuckets < 0 || storedBuckets > kBucketLimit)
    return false;
  int32_t previous = -1;
  for (;;) {
    int32_t b = 0, count = 0;
    if (!reader.ReadInt(b)) return false;
    if (b == kEndMarker) break;
    // Buckets come in increasing order, inside the announced count, each with at least one entry.
    if (b <= previous || b >= storedBuckets || !reader.ReadInt(count) || count <= 0 ||
        count > reader.Remaining() / kSmallestEntry)
      return false;
    previous = b;
    for (int32_t i = 0; i < count; ++i) {
      int32_t kind = 0;
      if (!reader.ReadInt(kind)) return false;
      std::unique_ptr<VIRTUAL_ITEM> item;
      if (kind == kKindFile)
        item = std::make_unique<VIRTUAL_FILE>();
      else if (kind == kKindFolder)
        item = std::make_unique<VIRTUAL_FOLDER>();
      else
        return false;
      // An entry that no path can name (filed under another byte than its name's first, a name
      // no path component can spell, or a second entry of the same name) could never be found
      // or removed, and its clusters would be lost to the drive.
      if (!item->Load(reader, depth + 1) || !IsEntryName(item->itemName) ||
          BucketOf(item->itemName) != b || Find(item->itemName) != nullptr)
        return false;
      Add(std::move(item));
    }
  }
  return true;
}

bool VIRTUAL_FOLDER::GetFirstItem(VIRTUAL_FIND_ITEM& find, bool wantFiles,
                                  const char* extension) const {
  find.folder = this;
  find.bucketIndex = 0;
  find.itemIndex = 0;
  find.wantFiles = wantFiles;
  bool filter =
      wantFiles && extension != nullptr && extension[0] != 0 && CFerroString(extension) != "*";
  find.extensionFilter = filter ? extension : "";
  return GetNextItem(find);
}

bool VIRTUAL_FOLDER::GetNextItem(VIRTUAL_FIND_ITEM& find) const {
  // The indexes are checked on every step, so entries removed between calls cannot lead the
  // search outside the buckets.
  for (; find.bucketIndex >= 0 && find.bucketIndex < GetBucketCount();
       ++find.bucketIndex, find.itemIndex = 0) {
    const auto& bucket = buckets[find.bucketIndex];
    if (!bucket) continue;
    while (find.itemIndex >= 0 && find.itemIndex < bucket->GetCount()) {
      const VIRTUAL_ITEM& item = *bucket->items[find.itemIndex++];
      if (item.IsFile() != find.wantFiles) continue;
      if (!find.extensionFilter.IsEmpty() && item.itemName.GetExtension() != find.extensionFilter)
        continue;
      find.foundName = item.itemName;
      return true;
    }
  }
  find.foundName = "";
  return false;
}

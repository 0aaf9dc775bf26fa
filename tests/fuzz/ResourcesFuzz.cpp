// Text resources (settings and language files) and resource drives.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GUI/foundation/CFerroStreamMemory.h"
#include "GUI/resources/CFerroStreamVirtualFile.h"
#include "GUI/resources/Config.h"
#include "GUI/resources/ConfigFile.h"
#include "GUI/resources/GVirtualDrive.h"
#include "GUI/resources/Language.h"
#include "tests/fuzz/FuzzTargets.h"

namespace {

// Labels looked up per input: enough to reach every part of a real file
// without letting a text of thousands of tiny sections run for seconds.
constexpr int kMaxLabels = 64;

// The lookups a module's settings make: values anywhere and in each section,
// and the text read character by character. The labels found.
std::vector<CFerroString> Scan(ConfigScanner& scanner, int length, int valueLimit) {
  static const char* const kKeys[] = {"SPEED", "NAME=", "=", "[", ";"};
  for (const char* key : kKeys)
    FuzzCheck(scanner.FindParametrDir(key).GetLength() <= valueLimit, "values are bounded");
  std::vector<CFerroString> labels;
  CFerroString label;
  for (int p = 0; static_cast<int>(labels.size()) < kMaxLabels;) {
    const int next = scanner.FindLabel(0, label, p);
    if (next < 0) break;
    FuzzCheck(next > p, "label scanning moves forward");
    FuzzCheck(label.GetLength() <= ConfigScanner::kMaxLabel, "labels are bounded");
    for (const char* key : kKeys) scanner.FindParametrToLabel(0, key, next);
    labels.push_back(label);
    p = next;
  }
  scanner.SetCursor(0, 0);
  char c = 0;
  for (int steps = 0; scanner.ReadChar(0, c);)
    FuzzCheck(++steps <= length, "ReadChar reaches the end");
  return labels;
}

}  // namespace

int FuzzSettings(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  const int length = static_cast<int>(std::min<size_t>(size, 1u << 20));
  Config config;
  CFerroStreamMemory stream;
  if (stream.Open(text, static_cast<unsigned>(length), CFerroStream::modeRead) &&
      config.ReadStream(stream))
    Scan(config, length, Config::kWorkBuffer - 1);
  ConfigFile file;
  std::vector<CFerroString> labels;
  if (file.OpenMemory(text, length)) labels = Scan(file, length, ConfigFile::kWorkBuffer - 1);
  // The same text as a language file, whose sections are the keys.
  for (const char* wanted : {"", "GERMAN"}) {
    Language language(text, length, wanted);
    FuzzCheck(language.GetLanguageCount() <= Language::kMaxLanguages, "languages are bounded");
    for (const CFerroString& label : labels)
      FuzzCheck(language.Label(label.c_str(), false) != nullptr, "a missing key gives a text");
    for (int i = 0; i < language.GetLanguageCount(); ++i)
      FuzzCheck(language.GetDescription(i) != nullptr, "every counted language is described");
  }
  return 0;
}

// Settings and language files are read by the same scanner: one entry serves both.
int FuzzLanguage(const uint8_t* data, size_t size) {
  return FuzzSettings(data, size);
}

namespace {

constexpr uint32_t kMaxReadFile = 1u << 22;  // larger files are left unread

// Each file's drive path and the bytes it must hold.
using DriveFiles = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

uint32_t ReadLE32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The data file name the table announces (offset 8: length, offset 12: bytes)
// when it is a plain file name; otherwise a name the table cannot mean.
std::string DataFileName(const uint8_t* table, size_t size) {
  const uint32_t n = size < 12 ? 0 : ReadLE32(table + 8);
  if (n == 0 || n > 255 || n > size - 12) return "data.vdd";
  std::string name(reinterpret_cast<const char*>(table + 12), n);
  if (name == "." || name == ".." || name == "table.vdt" ||
      name.find_first_of(std::string("/\\:\0", 4)) != std::string::npos)
    return "data.vdd";
  return name;
}

bool WriteHostFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  return !out.fail();
}

// A file's bytes, read in odd pieces so transfers start and end inside
// clusters. The last cluster of a damaged data file may be cut short; reading
// then stops at the end of the data file.
bool ReadWhole(GVirtualDrive& drive, const std::string& path, std::vector<uint8_t>& bytes) {
  std::unique_ptr<CFerroStreamVirtualFile> stream = drive.OpenStream(path.c_str(), 0);
  if (!stream) return false;
  bytes.assign(stream->GetLength(), 0);
  size_t at = 0;
  for (unsigned got = 1; at < bytes.size() && got > 0;) {
    got = stream->Read(bytes.data() + at,
                       static_cast<unsigned>(std::min<size_t>(bytes.size() - at, 3001)));
    at += got;
  }
  bytes.resize(at);
  return true;
}

bool WriteWhole(GVirtualDrive& drive, const std::string& path, const std::vector<uint8_t>& bytes) {
  std::unique_ptr<CFerroStreamVirtualFile> stream = drive.OpenStream(path.c_str(), 1);
  return stream && stream->Write(bytes.data(), static_cast<unsigned>(bytes.size())) == bytes.size();
}

}  // namespace

int FuzzDrive(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const size_t tableSize = std::min<size_t>(ReadLE32(data), size - 4);
  const uint8_t* table = data + 4;

  // A folder of its own, emptied first, so no file of an earlier input is found.
  const std::string folder = FuzzScratchFolder() + "drive/", tablePath = folder + "table.vdt";
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  std::filesystem::create_directory(folder, ignored);
  if (!WriteHostFile(tablePath, table, tableSize) ||
      !WriteHostFile(folder + DataFileName(table, tableSize), table + tableSize,
                     size - 4 - tableSize))
    return 0;

  GVirtualDrive drive;
  if (!drive.Open(tablePath.c_str())) return 0;
  FuzzCheck(drive.GetDataLength() >= 4, "an open drive has its data signature");
  DriveFiles files;
  drive.GetRoot().Walk([&](VIRTUAL_ITEM& item) {
    if (!item.IsFile() || static_cast<VIRTUAL_FILE&>(item).size > kMaxReadFile) return;
    std::string path = item.itemName.c_str();
    for (const VIRTUAL_FOLDER* f = item.parent; f != nullptr && f->parent != nullptr; f = f->parent)
      path = std::string(f->itemName.c_str()) + "/" + path;
    files.push_back({":" + path, {}});
  });
  for (auto& [path, bytes] : files)
    FuzzCheck(ReadWhole(drive, path, bytes), "every listed file opens and reads");
  if (drive.IsReadOnly()) return 0;

  // A new file takes released clusters first: none of them may belong to a file,
  // so once the drive is written back and reopened every file reads as before (one
  // cut short by the data file's end may have grown by zeros).
  const std::vector<uint8_t> fresh(drive.GetClusterSize() * 2 + 17, 0xA5);
  if (!WriteWhole(drive, ":fuzz-new", fresh) || !drive.Close()) return 0;
  files.push_back({":fuzz-new", fresh});
  GVirtualDrive again;
  FuzzCheck(again.Open(tablePath.c_str()), "a drive written back opens again");
  for (const auto& [path, bytes] : files) {
    std::vector<uint8_t> now;
    FuzzCheck(ReadWhole(again, path, now) && now.size() >= bytes.size() &&
                  std::equal(bytes.begin(), bytes.end(), now.begin()),
              "a new file reads back and leaves the others alone");
  }
  return 0;
}

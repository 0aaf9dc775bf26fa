// Index of this file:
//   Construction and timers     the stream, settings and error-log hooks, SetTimer, KillTimer
//   Folders of the game         the writable check, the temporary, user and configuration folders
//   UTF scratch conversions     conversions into the platform's scratch buffers
//   Keyboard conventions        the shortcut modifier and the copy, cut and paste keys
//   Paths, loading and saving   CreatePath, PathToAbsolutePath, LoadFile, SaveFile, copying

#include "GUI/platform/GPlatform.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "GUI/foundation/CFerroStream.h"
#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/FerroUTF.h"
#include "GUI/foundation/FileError.h"
#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/TIMER_DATA.h"
#include "GUI/resources/Config.h"
#include "GUI/resources/GVirtualDrive.h"

// ---------------------------------------------------------------------------------------------
// Construction and timers
// ---------------------------------------------------------------------------------------------

namespace {

bool IsHostFolder(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// Host files opened by streams go through the platform while one exists and
// a device is up, so the platform's rules apply to them too.
FILE* OpenThroughPlatform(const char* path, const char* mode) {
  if (GDevice::platform && GSurface::device) return GDevice::platform->OpenFile(path, mode);
  return fopen(path, mode);
}

// Settings files are opened through the platform, so they may live on a drive.
CFerroStream* OpenConfigStream(const char* path, int mode) {
  return GDevice::platform ? GDevice::platform->OpenStream(path, mode) : nullptr;
}

// The error log lives in the per-user data folder of the published platform,
// which is writable wherever the game is installed.
CFerroString ErrorLogFolder() {
  return GDevice::platform ? GDevice::platform->GetPathToTemp() : CFerroString();
}

// Number of units before the terminating zero.
template <class Unit>
size_t UnitLength(const Unit* text) {
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

}  // namespace

GPlatform::GPlatform(GGame* owner, const char* appName)
    : game(owner), name(appName ? appName : "") {
  char cwd[2048];
  if (getcwd(cwd, sizeof cwd)) startFolder = CFerroString(cwd) + "/";
  GDevice::platform = this;
  CFerroStreamFile::SetHostOpener(OpenThroughPlatform);
  Config::SetStreamOpener(OpenConfigStream);
  // The folder is asked for only when a message is written, so the derived
  // platform's folders are in place by then.
  SetFileErrorFolder(ErrorLogFolder);
}

GPlatform::~GPlatform() {
  // The log stops asking this platform for its folder before any of the
  // platform's own state goes.
  if (GDevice::platform == this) RemoveFileErrorFolder(ErrorLogFolder);
  // Searches point into the drives' trees, so they end first; closing a
  // drive writes its table when it changed.
  while (finders.Get()) finders.Delete();
  currentDrive = nullptr;
  drives.clear();
  if (GDevice::platform == this) {
    GDevice::platform = nullptr;
    CFerroStreamFile::SetHostOpener(nullptr);
    Config::SetStreamOpener(nullptr);
  }
}

void GPlatform::SetTimer(TIMER_DATA* timer) {
  timer->handle = 0;
}

void GPlatform::KillTimer(TIMER_DATA* timer) {
  timer->handle = 0;
}

// ---------------------------------------------------------------------------------------------
// Folders of the game
// ---------------------------------------------------------------------------------------------

bool GPlatform::IsFolderWritable(const CFerroString& folder) {
  CFerroString probe;
  probe.Format("%u", GetTick());
  probe = folder + probe;
  FILE_DATA one;
  one.Create(1);
  if (!SaveFile(probe.c_str(), &one)) return false;
  RemoveFile(probe.c_str());
  CFerroString probeFolder = probe + 'f';
  if (!CreateFolder_OS(probeFolder.c_str())) return false;
  return RemoveFolder_OS(probeFolder.c_str());
}

CFerroString GPlatform::GetPathToTemp() {
  if (pathToTemp.IsEmpty()) {
    CFerroString gameFolder = GetPathToGame();
    pathToTemp = IsFolderWritable(gameFolder) ? gameFolder : GetUserDataFolder();
    // Reported only now: the error log lives in the folder just chosen.
    std::vector<CFerroString> notes;
    notes.swap(dataFolderNotes);
    for (const CFerroString& note : notes) ReportError(note.c_str());
  }
  return pathToTemp;
}

CFerroString GPlatform::GetPathToUserFolder() {
  if (pathToUser.IsEmpty()) pathToUser = GetUserDataFolder();
  return pathToUser;
}

#define FORWARD_TO_GAME(Getter)                    \
  CFerroString GPlatform::Getter() {               \
    return game ? game->Getter() : CFerroString(); \
  }
FORWARD_TO_GAME(GetPathToObject)
FORWARD_TO_GAME(GetPathToImage)
FORWARD_TO_GAME(GetPathToFont)
FORWARD_TO_GAME(GetPathToUsers)
FORWARD_TO_GAME(GetPathToProfile)
FORWARD_TO_GAME(GetPathToSavedGame)
FORWARD_TO_GAME(GetPathToMusic)
FORWARD_TO_GAME(GetPathToSound)
FORWARD_TO_GAME(GetPathToVoice)
FORWARD_TO_GAME(GetPathToMaps)
FORWARD_TO_GAME(GetPathToInit)
FORWARD_TO_GAME(GetPathToAutosave)
FORWARD_TO_GAME(GetPathToVirtualDrive)
#undef FORWARD_TO_GAME

CFerroString GPlatform::GetPathToConfig() {
  return game ? game->GetPathToConfig() : GetPathToTemp();
}

// ---------------------------------------------------------------------------------------------
// UTF scratch conversions
// ---------------------------------------------------------------------------------------------

const char* GPlatform::Ferro_UTF16to8(const unsigned short* text) {
  if (!text) return nullptr;
  size_t units = UnitLength(text) + 1;
  if (scratch8.size() < units * 5) scratch8.resize(units * 5);
  const UTF16* src = text;
  UTF8* dst = reinterpret_cast<UTF8*>(scratch8.data());
  int r =
      FerroConvertUTF16toUTF8(&src, text + units, &dst, dst + scratch8.size(), lenientConversion);
  return r == conversionOK ? scratch8.data() : nullptr;
}

const char* GPlatform::Ferro_UTF32to8(const unsigned int* text) {
  if (!text) return nullptr;
  size_t units = UnitLength(text) + 1;
  if (scratch8.size() < units * 5) scratch8.resize(units * 5);
  const UTF32* src = text;
  UTF8* dst = reinterpret_cast<UTF8*>(scratch8.data());
  int r =
      FerroConvertUTF32toUTF8(&src, text + units, &dst, dst + scratch8.size(), lenientConversion);
  return r == conversionOK ? scratch8.data() : nullptr;
}

const unsigned short* GPlatform::Ferro_UTF8to16(const unsigned char* text) {
  if (!text) return nullptr;
  size_t bytes = UnitLength(text) + 1;
  if (scratch16.size() < bytes) scratch16.resize(bytes);
  const UTF8* src = text;
  UTF16* dst = scratch16.data();
  int r =
      FerroConvertUTF8toUTF16(&src, text + bytes, &dst, dst + scratch16.size(), lenientConversion);
  return r == conversionOK ? scratch16.data() : nullptr;
}

const unsigned int* GPlatform::Ferro_UTF8to32(const unsigned char* text) {
  if (!text) return nullptr;
  size_t bytes = UnitLength(text) + 1;
  if (scratch32.size() < bytes) scratch32.resize(bytes);
  const UTF8* src = text;
  UTF32* dst = scratch32.data();
  int r =
      FerroConvertUTF8toUTF32(&src, text + bytes, &dst, dst + scratch32.size(), lenientConversion);
  return r == conversionOK ? scratch32.data() : nullptr;
}

const char* GPlatform::wchar_to_utf8(const wchar_t* text) {
  static_assert(sizeof(wchar_t) == sizeof(unsigned int), "wide characters are 32-bit here");
  if (!text) return nullptr;
  std::vector<unsigned int> units(text, text + UnitLength(text) + 1);
  return Ferro_UTF32to8(units.data());
}

const wchar_t* GPlatform::utf8_to_wchar(const char* text) {
  const unsigned int* units = Ferro_UTF8to32(reinterpret_cast<const unsigned char*>(text));
  if (!units) return nullptr;
  scratchWide.assign(units, units + UnitLength(units) + 1);
  return scratchWide.data();
}

// ---------------------------------------------------------------------------------------------
// Keyboard conventions
// ---------------------------------------------------------------------------------------------

namespace {

// The shortcut modifier: the system (Command) key, and on this desktop also
// either Control key, which is what players press.
bool ShortcutModifierHeld(const GGame* game) {
  return game && ((game->inputFlags & INPUT_SYSTEM) || game->keyDown[KEY_LCONTROL] ||
                  game->keyDown[KEY_RCONTROL]);
}

}  // namespace

bool GPlatform::IsShortcutModifierHeld() const {
  return ShortcutModifierHeld(game);
}

bool GPlatform::IsCopyKeyPressed(unsigned key) {
  return key == KEY_C && ShortcutModifierHeld(game);
}

bool GPlatform::IsCutKeyPressed(unsigned key) {
  return key == KEY_X && ShortcutModifierHeld(game);
}

bool GPlatform::IsPastKeyPressed(unsigned key) {
  return key == KEY_V && ShortcutModifierHeld(game);
}

// ---------------------------------------------------------------------------------------------
// Paths, loading and saving
// ---------------------------------------------------------------------------------------------

bool GPlatform::CreatePath(const CFerroString& path) {
  GVirtualDrive* drive = nullptr;
  switch (RoutePath(path.c_str(), drive)) {
    case Route::drive:
      return CreateDrivePath(drive, drivePath);
    case Route::none:
      return false;
    case Route::host:
      break;
  }
  // Folders are created by their growing prefixes, so the working directory
  // never changes; at most 50 parts are walked.
  const char* text = path.c_str();
  int n = path.GetLength();
  CFerroString prefix;
  int i = 0;
  if (n > 0 && IsPathSeparator(text[0])) {
    prefix = "/";
    i = 1;
  }
  int parts = 0;
  while (i < n && parts < 50) {
    int start = i;
    while (i < n && !IsPathSeparator(text[i])) ++i;
    CFerroString part = path.Mid(start, i - start);
    ++i;  // past the separator
    if (part.IsEmpty()) continue;
    ++parts;
    prefix += part;
    if (!IsHostFolder(prefix.c_str()) && !CreateFolder(prefix.c_str())) {
      // errno keeps the reason mkdir gave, for the caller's message.
      const int error = errno;
      if (!IsHostFolder(prefix.c_str())) {
        errno = error;
        return false;
      }
    }
    prefix += '/';
  }
  // A path deeper than the walk goes was not made whole.
  while (i < n && IsPathSeparator(text[i])) ++i;
  return i >= n;
}

CFerroString GPlatform::PathToAbsolutePath(const CFerroString& path) {
  GVirtualDrive* drive = nullptr;
  switch (RoutePath(path.c_str(), drive)) {
    case Route::drive: {
      // A drive path becomes the ":N/..." form of its slot, resolved from the
      // drive's root; the path or its folder must exist.
      CFerroString full = drivePath;
      if (full.IsEmpty() || full[0] != ':') {
        const CFerroString& current = drive->GetDirectory();
        full = (current.IsEmpty() ? CFerroString(":") : current) + full;
      }
      int cut = full.GetLength() - 1;
      while (cut > 0 && !IsPathSeparator(full[cut])) --cut;
      CFerroString folder = cut > 0 ? full.Left(cut) : CFerroString(":");
      if (!drive->GetItem(full.c_str()) && !drive->GetItem(folder.c_str())) return CFerroString();
      CFerroString prefix;
      prefix.Format(":%d", SlotOf(drive));
      return prefix + GetSlash() + full.Mid(1, full.GetLength() - 1);
    }
    case Route::none:
      return CFerroString();
    case Route::host:
      break;
  }
  char resolved[4096];
  CFerroString trimmed = path;
  trimmed.DeleteLastSlash();
  char last = path.IsEmpty() ? 0 : path[path.GetLength() - 1];
  if (!trimmed.IsEmpty() && IsHostFolder(trimmed.c_str()) && realpath(trimmed.c_str(), resolved)) {
    CFerroString out(resolved);
    if (IsPathSeparator(last) && !IsPathSeparator(out[out.GetLength() - 1])) out += last;
    return out;
  }
  if (path.IsEmpty() && realpath(".", resolved)) return CFerroString(resolved);
  CFerroString folder = path.GetPathOnly();
  if (folder.IsEmpty()) folder = IsPathSeparator(path[0]) ? "/" : ".";
  if (!realpath(folder.c_str(), resolved)) return CFerroString();
  CFerroString out(resolved);
  if (!IsPathSeparator(out[out.GetLength() - 1])) out += '/';
  int cut = path.GetLength() - 1;
  while (cut >= 0 && !IsPathSeparator(path[cut])) --cut;
  return out + path.Mid(cut + 1, path.GetLength() - cut - 1);
}

bool GPlatform::LoadFile(const char* path, FILE_DATA* data) {
  data->Clear();
  std::unique_ptr<CFerroStream> stream(OpenStream(path, 0));
  if (!stream) return false;
  unsigned length = stream->GetLength();
  if (length > 0x7FFFFFFFu) return false;
  data->Create(static_cast<int>(length));
  if (length > 0 && stream->Read(data->data, length) != length) {
    data->Clear();
    return false;
  }
  return true;
}

bool GPlatform::SaveFile(const char* path, FILE_DATA* data) {
  CFerroString target(path);
  CFerroString folder = target.GetPathOnly();
  if (!folder.IsEmpty()) CreatePath(folder);
  unsigned count = data->size > 0 ? static_cast<unsigned>(data->size) : 0;

  if (!IsHostPath(path)) {
    std::unique_ptr<CFerroStream> stream(OpenStream(path, 1));
    return stream && (count == 0 || stream->Write(data->data, count) == count);
  }

  // Written beside the target and renamed over it: the old file survives a
  // failed write (full disk, missing rights) untouched.
  return WriteFileReplacing(path, [data, count](CFerroStream& stream) {
    return count == 0 || stream.Write(data->data, count) == count;
  });
}

bool GPlatform::CopyFile(const char* from, const char* to) {
  FILE_DATA data;
  return LoadFile(from, &data) && SaveFile(to, &data);
}

bool GPlatform::CopyFolder(const char* from, const char* to, bool withFolder) {
  // No folder named is no folder to copy (not the current one, nor the root).
  if (!from || !to || !from[0] || !to[0]) return false;
  CFerroString source = PathToAbsolutePath(WithPathSeparator(from));
  CFerroString target = PathToAbsolutePath(WithPathSeparator(to));
  if (source.IsEmpty() || target.IsEmpty()) return false;
  source = WithPathSeparator(source);
  target = WithPathSeparator(target);
  if (withFolder) {
    CFerroString own = source;
    own.DeleteLastSlash();
    target = target + own.GetFileNameOnly() + "/";
    CreateFolder(target.c_str());
  }
  // Names are collected first: the copies below run searches of their own.
  std::vector<CFerroString> folders;
  for (const char* f = GetFirstFolder(source.c_str()); f; f = GetNextFolder())
    folders.emplace_back(f);
  std::vector<CFerroString> files;
  for (const char* f = GetFirstFile(source.c_str(), "*"); f; f = GetNextFile())
    files.emplace_back(f);
  bool ok = true;
  for (const CFerroString& f : folders) {
    CFerroString sub = target + f + "/";
    CreateFolder(sub.c_str());
    ok = CopyFolder((source + f).c_str(), sub.c_str(), false) && ok;
  }
  for (const CFerroString& f : files)
    ok = CopyFile((source + f).c_str(), (target + f).c_str()) && ok;
  return ok;
}

namespace {

// Removes a host folder with the files and folders in it. The names are
// collected before anything is removed, so no search runs while the folder
// changes.
void RemoveHostTree(GPlatform& platform, const CFerroString& folder) {
  std::vector<CFerroString> folders, files;
  for (const char* f = platform.GetFirstFolder(folder.c_str()); f; f = platform.GetNextFolder())
    folders.emplace_back(f);
  for (const char* f = platform.GetFirstFile(folder.c_str(), "*"); f; f = platform.GetNextFile())
    files.emplace_back(f);
  for (const CFerroString& f : folders) RemoveHostTree(platform, folder + "/" + f);
  for (const CFerroString& f : files) platform.RemoveFile((folder + "/" + f).c_str());
  platform.RemoveFolder_OS(folder.c_str());
}

}  // namespace

bool GPlatform::SeedFolder(const char* from, const char* to) {
  if (!from || !to || !IsHostPath(from) || !IsHostPath(to)) return false;
  CFerroString target(to);
  target.DeleteLastSlash();
  if (target.IsEmpty()) return false;
  if (IsHostFolder(target.c_str())) return true;
  CFerroString source(from);
  source.DeleteLastSlash();
  if (!IsHostFolder(source.c_str())) return false;
  // A scratch folder left by an interrupted copy is thrown away first.
  const CFerroString scratch = target + ".seeding";
  RemoveHostTree(*this, scratch);
  if (!CreatePath(scratch)) return false;
  if (CopyFolder(source.c_str(), scratch.c_str(), false) &&
      std::rename(scratch.c_str(), target.c_str()) == 0)
    return true;
  RemoveHostTree(*this, scratch);
  // Another copy of the game may have seeded the folder meanwhile.
  return IsHostFolder(target.c_str());
}

bool GPlatform::DetectFirstLaunch() {
  CFerroString marker = GetPathToConfig() + "nofirst.ctl";
  CFerroString version = game ? game->GetVersion() : CFerroString();
  {
    std::unique_ptr<CFerroStream> in(OpenStream(marker.c_str(), 0));
    if (in) {
      CFerroString stored;
      *in >> stored;
      if (stored == version) return false;
    }
  }
  {
    std::unique_ptr<CFerroStream> out(OpenStream(marker.c_str(), 1));
    if (out) *out << version;
  }
  if (game) game->OnFirstLaunch();
  return true;
}

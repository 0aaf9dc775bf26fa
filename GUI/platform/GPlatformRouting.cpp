// The resource drive table and the entry points that decide, per path,
// between the host file system and a mounted drive.
//
// Index of this file:
//   Routing        RoutePath, GetVirtualDrive, IsHostPath
//   Drive table    mounting, creating, closing, finding and connecting drives
//   Routed calls   streams, folders, the current directory, searches
#include <sys/stat.h>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/FileError.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/resources/CFerroStreamVirtualFile.h"
#include "GUI/resources/GVirtualDrive.h"

namespace {

bool IsHostFolder(const CFerroString& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Routing
// ---------------------------------------------------------------------------------------------

GPlatform::Route GPlatform::RoutePath(const char* path, GVirtualDrive*& drive) {
  drive = nullptr;
  int slot = -1;
  VIRTUAL_ROUTE route = GVirtualDrive::RoutePath(path, GetDriveCount(), slot, drivePath);
  switch (route) {
    case VIRTUAL_ROUTE::slot:
      drive = drives[static_cast<size_t>(slot)].get();
      // A free slot serves nothing; the path is not a host path either.
      return drive ? Route::drive : Route::none;
    case VIRTUAL_ROUTE::none:
      return Route::none;
    case VIRTUAL_ROUTE::host:
    case VIRTUAL_ROUTE::current:
      break;
  }
  if (IsPathAbsolute_OS(drivePath) || !currentDrive) return Route::host;
  drive = currentDrive;
  return Route::drive;
}

GVirtualDrive* GPlatform::GetVirtualDrive(const char* path) {
  GVirtualDrive* drive = nullptr;
  RoutePath(path, drive);
  return drive;
}

bool GPlatform::IsHostPath(const char* path) {
  GVirtualDrive* drive = nullptr;
  return path != nullptr && RoutePath(path, drive) == Route::host;
}

// ---------------------------------------------------------------------------------------------
// Drive table
// ---------------------------------------------------------------------------------------------

GVirtualDrive* GPlatform::GetDriveAt(int slot) const {
  return slot >= 0 && slot < GetDriveCount() ? drives[static_cast<size_t>(slot)].get() : nullptr;
}

int GPlatform::SlotOf(const GVirtualDrive* drive) const {
  for (int i = 0; drive && i < GetDriveCount(); ++i)
    if (drives[static_cast<size_t>(i)].get() == drive) return i;
  return -1;
}

CFerroString GPlatform::DrivePrefix(int slot) {
  CFerroString prefix;
  prefix.Format(":%d", slot);
  return prefix + GetSlash();
}

int GPlatform::MountDrive(const char* tablePath) {
  if (!tablePath) return -1;
  auto drive = std::make_unique<GVirtualDrive>();
  if (!drive->Open(tablePath)) return -1;
  for (int i = 0; i < GetDriveCount(); ++i) {
    GVirtualDrive* mounted = drives[static_cast<size_t>(i)].get();
    if (mounted && mounted->GetTablePath() == drive->GetTablePath()) return i;
  }
  for (auto& slot : drives) {
    if (!slot) {
      slot = std::move(drive);
      return SlotOf(slot.get());
    }
  }
  drives.push_back(std::move(drive));
  return GetDriveCount() - 1;
}

CFerroString GPlatform::OpenVirtualDrive(const char* tablePath) {
  int slot = MountDrive(tablePath);
  return slot >= 0 ? DrivePrefix(slot) : CFerroString();
}

CFerroString GPlatform::CreateVirtualDrive(const char* dir, const char* name) {
  GVirtualDrive maker;
  CFerroString table = maker.Create(dir, name);
  return table.IsEmpty() ? table : OpenVirtualDrive(table.c_str());
}

bool GPlatform::CloseVirtualDrive(const char* path) {
  GVirtualDrive* drive = GetVirtualDrive(path);
  int slot = SlotOf(drive);
  if (slot < 0) return false;
  if (currentDrive == drive) currentDrive = nullptr;
  EndDriveSearches(drive, nullptr);
  bool written = drive->Close();
  drives[static_cast<size_t>(slot)].reset();
  return written;
}

int GPlatform::GetVirtualDriveIndexByName(const char* driveName) {
  for (int i = 0; driveName && i < GetDriveCount(); ++i) {
    GVirtualDrive* drive = drives[static_cast<size_t>(i)].get();
    if (drive && drive->GetDriveName() == driveName) return i;
  }
  return -1;
}

int GPlatform::MountExistingDrive(const CFerroString& folder, const char* driveName) {
  CFerroString table = folder + driveName + ".vdt";
  return GetFileLength(table.c_str()) >= 0 ? MountDrive(table.c_str()) : -1;
}

const char* GPlatform::ConnectVirtualDrive(const char* dir, const char* driveName) {
  if (!dir || !driveName || !driveName[0]) return nullptr;
  int slot = GetVirtualDriveIndexByName(driveName);
  if (slot < 0) {
    CFerroString folder = WithPathSeparator(dir, GetSlash());
    slot = MountExistingDrive(folder, driveName);
    if (slot < 0) {
      // Without its source a drive cannot be rebuilt, so whatever is on disk stays untouched.
      CFerroString source = GetPathToGame() + "vdd" + GetSlash() + driveName;
      if (!IsHostFolder(source)) return nullptr;
      // An installed game cannot write beside itself: its drives live in the user's data folder.
      CFerroString buildFolder = IsFolderWritable(folder) ? folder : GetPathToTemp();
      if (buildFolder != folder) slot = MountExistingDrive(buildFolder, driveName);
      if (slot < 0) {
        // A table that exists but cannot be mounted is damaged: it is replaced by a fresh build
        // rather than left to fail every later start.
        GVirtualDrive::RemoveDriveFiles(buildFolder.c_str(), driveName);
        if (GVirtualDrive::BuildFromFolder(buildFolder.c_str(), driveName, source.c_str(),
                                           GetTick()))
          slot = MountExistingDrive(buildFolder, driveName);
      }
    }
  }
  if (slot < 0) return nullptr;
  drivePath = DrivePrefix(slot);
  return drivePath.c_str();
}

CFerroString GPlatform::DescribePath(const char* path) {
  if (!path) return CFerroString();
  GVirtualDrive* drive = nullptr;
  if (RoutePath(path, drive) != Route::drive) return CFerroString(path);
  const char* inner = drivePath.c_str();
  while (*inner == ':' || *inner == '/' || *inner == '\\') ++inner;
  return GetPathToGame() + "vdd" + GetSlash() + drive->GetDriveName() + GetSlash() + inner;
}

void GPlatform::ReportFileFault(FileFault fault, const char* kind, const char* path,
                                const char* consequence) {
  CFerroString message = CFerroString("the ") + (kind ? kind : "file") + " " + DescribePath(path) +
                         (fault == FileFault::missing ? " is missing" : " is damaged");
  if (consequence && *consequence) message = message + "; " + consequence;
  ReportError(message.c_str());
}

// ---------------------------------------------------------------------------------------------
// Routed calls
// ---------------------------------------------------------------------------------------------

CFerroStream* GPlatform::OpenStream(const char* path, int mode) {
  if (!path) return nullptr;
  GVirtualDrive* drive = nullptr;
  switch (RoutePath(path, drive)) {
    case Route::drive:
      return drive->OpenStream(drivePath.c_str(), mode).release();
    case Route::none:
      return nullptr;
    case Route::host:
      break;
  }
  auto* stream = new CFerroStreamFile;
  if (!stream->Open(path, mode)) {
    delete stream;
    return nullptr;
  }
  return stream;
}

namespace {

// A folder argument without its trailing separators; empty for a null path.
CFerroString FolderWithoutSlash(const char* path) {
  CFerroString folder(path ? path : "");
  folder.DeleteLastSlash();
  return folder;
}

}  // namespace

bool GPlatform::CreateFolder(const char* path) {
  CFerroString folder = FolderWithoutSlash(path);
  if (folder.IsEmpty()) return false;
  GVirtualDrive* drive = nullptr;
  switch (RoutePath(folder.c_str(), drive)) {
    case Route::drive:
      return drive->CreateDirectory(drivePath.c_str());
    case Route::none:
      return false;
    case Route::host:
      break;
  }
  return CreateFolder_OS(folder.c_str());
}

bool GPlatform::RemoveFolder(const char* path) {
  CFerroString folder = FolderWithoutSlash(path);
  if (folder.IsEmpty()) return false;
  GVirtualDrive* drive = nullptr;
  switch (RoutePath(folder.c_str(), drive)) {
    case Route::drive: {
      VIRTUAL_ITEM* item = drive->GetItem(drivePath.c_str());
      if (!item || !item->IsFolder()) return false;
      // Searches through the folder end before it goes, so none walks it afterwards.
      CFerroString inner = drivePath;
      auto* removed = static_cast<VIRTUAL_FOLDER*>(item);
      if (!removed->IsEmpty() || removed == &drive->GetRoot() || drive->IsReadOnly()) return false;
      EndDriveSearches(drive, removed);
      return drive->RemoveDirectory(inner.c_str());
    }
    case Route::none:
      return false;
    case Route::host:
      break;
  }
  return RemoveFolder_OS(folder.c_str());
}

bool GPlatform::SetDirectory(const char* path) {
  if (!path) return false;
  GVirtualDrive* drive = nullptr;
  switch (RoutePath(path, drive)) {
    case Route::drive:
      if (!drive->SetDirectory(drivePath.c_str())) return false;
      currentDrive = drive;
      return true;
    case Route::none:
      return false;
    case Route::host:
      break;
  }
  if (!SetDirectory_OS(path)) return false;
  currentDrive = nullptr;
  return true;
}

CFerroString GPlatform::GetDirectory() {
  if (!currentDrive) return GetDirectory_OS();
  // The drive's folder (":img/") in the prefix form SetDirectory accepts (":0/img/").
  const CFerroString& folder = currentDrive->GetDirectory();
  CFerroString inner = folder.IsEmpty() ? CFerroString() : folder.Mid(1, folder.GetLength() - 1);
  return DrivePrefix(SlotOf(currentDrive)) + inner;
}

bool GPlatform::CreateDrivePath(GVirtualDrive* drive, const CFerroString& inner) {
  const char* text = inner.c_str();
  int n = inner.GetLength();
  int i = 0;
  CFerroString prefix;
  if (n > 0 && text[0] == ':') {
    prefix = ":";
    i = 1;
  }
  while (i < n) {
    int start = i;
    while (i < n && !IsPathSeparator(text[i])) ++i;
    CFerroString part = inner.Mid(start, i - start);
    ++i;
    if (part.IsEmpty()) continue;
    prefix += part;
    VIRTUAL_ITEM* item = drive->GetItem(prefix.c_str());
    if (item ? !item->IsFolder() : !drive->CreateDirectory(prefix.c_str())) return false;
    prefix += '/';
  }
  return true;
}

const char* GPlatform::GetFirstFile(const char* folder, const char* mask) {
  if (!folder) return nullptr;
  GVirtualDrive* drive = nullptr;
  switch (RoutePath(folder, drive)) {
    case Route::drive:
      return StartDriveSearch(drive, true, mask);
    case Route::none:
      return nullptr;
    case Route::host:
      break;
  }
  return GetFirstFile_OS(folder, mask);
}

const char* GPlatform::GetFirstFolder(const char* folder) {
  if (!folder) return nullptr;
  GVirtualDrive* drive = nullptr;
  switch (RoutePath(folder, drive)) {
    case Route::drive:
      return StartDriveSearch(drive, false, nullptr);
    case Route::none:
      return nullptr;
    case Route::host:
      break;
  }
  return GetFirstFolder_OS(folder);
}

bool GPlatform::CanListFolder(const char* folder) {
  if (!folder) return false;
  GVirtualDrive* drive = nullptr;
  switch (RoutePath(folder, drive)) {
    case Route::drive: {
      VIRTUAL_ITEM* item = drive->GetItem(drivePath.c_str());
      return item && item->IsFolder();
    }
    case Route::none:
      return false;
    case Route::host:
      break;
  }
  return CanListFolder_OS(folder);
}

const char* GPlatform::GetNextFile() {
  FINDER_DATA* top = finders.Get();
  if (!top) return nullptr;
  return top->isVirtual ? NextDriveEntry() : GetNextFile_OS();
}

const char* GPlatform::GetNextFolder() {
  FINDER_DATA* top = finders.Get();
  if (!top) return nullptr;
  return top->isVirtual ? NextDriveEntry() : GetNextFolder_OS();
}

const char* GPlatform::StartDriveSearch(GVirtualDrive* drive, bool wantFiles, const char* mask) {
  VIRTUAL_ITEM* item = drive->GetItem(drivePath.c_str());
  if (!item || !item->IsFolder()) return nullptr;
  auto search = std::make_unique<DRIVE_FIND_ITEM>(drive);
  DRIVE_FIND_ITEM* record = search.get();
  if (!static_cast<VIRTUAL_FOLDER*>(item)->GetFirstItem(record->find, wantFiles, mask))
    return nullptr;
  record->found = record->find.foundName;
  finders.Add(std::move(search));
  return record->found.c_str();
}

const char* GPlatform::NextDriveEntry() {
  auto* search = static_cast<DRIVE_FIND_ITEM*>(finders.Get());
  const VIRTUAL_FOLDER* folder = search->find.folder;
  if (!folder || !folder->GetNextItem(search->find)) {
    finders.Delete();
    return nullptr;
  }
  search->found = search->find.foundName;
  return search->found.c_str();
}

void GPlatform::EndDriveSearches(const GVirtualDrive* drive, const VIRTUAL_FOLDER* folder) {
  for (int i = 0; i < finders.GetCount(); ++i) {
    FINDER_DATA* data = finders.GetAt(i);
    if (!data->isVirtual) continue;
    auto* search = static_cast<DRIVE_FIND_ITEM*>(data);
    if (search->drive == drive && (!folder || search->find.folder == folder))
      search->find.folder = nullptr;
  }
}

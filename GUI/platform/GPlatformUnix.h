#pragma once

#include "GUI/platform/GCriticalSection.h"
#include "GUI/platform/GPlatform.h"

// The operating-system side of the platform over POSIX: files, folders,
// searches, processes, threads and the per-user data folder.
class GPlatformUnix : public GPlatform {
 public:
  GPlatformUnix(GGame* game, const char* name);
  ~GPlatformUnix() override;

  unsigned GetTick() override;
  CFerroString GetPathToGame() override;

  const char* GetFirstFile_OS(const char* folder, const char* mask) override;
  const char* GetNextFile_OS() override;
  const char* GetFirstFolder_OS(const char* folder) override;
  const char* GetNextFolder_OS() override;

  bool RemoveFile(const char* path) override;
  int GetFileLength(const char* path) override;
  bool CreateFolder_OS(const char* path) override;
  bool RemoveFolder_OS(const char* path) override;
  FILE* OpenFile(const char* path, const char* mode) override;
  bool CloseFile(FILE* file) override;
  bool SetDirectory_OS(const char* path) override;
  CFerroString GetDirectory_OS() override;
  bool IsPathAbsolute_OS(const CFerroString& path) override;
  char GetSlash() override { return '/'; }

  bool ExecuteProcess(const char* path, const char* args, const char* unused,
                      PROCESS_DATA* process) override;
  bool TerminateProcess(PROCESS_DATA* process) override;
  unsigned ExecuteThread(unsigned (*func)(void*), void* arg) override;
  void Sleep(unsigned ms) override;
  // Minimises the window, then starts "xdg-open" with the address as its one
  // argument, without a shell, so no character of the address is interpreted.
  bool OpenLink(const char* url) override;
  void LockThread() override { lock.Lock(); }
  void UnlockThread() override { lock.Unlock(); }
  std::unique_ptr<GCriticalSection> NewCriticalSection() override;
  const char* GetExecutedFileExtension() override { return "run"; }

  // Kept for the framework's quit protocol; does nothing here.
  void Quit() {}

 protected:
  // $XDG_DATA_HOME, else the home folder's ".local/share" (the home folder
  // from HOME, else from the password database), else a folder under /tmp;
  // followed by the application name. The first one that can be created wins.
  CFerroString GetUserDataFolder() override;

 private:
  bool OpenHostSearch(const char* folder, const CFerroString& filter);
  // Next entry of the innermost search that is (or is not) a folder.
  const char* NextHostEntry(bool wantFolders);

  GCriticalSectionUnix lock;
};

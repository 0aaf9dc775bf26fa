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
  // The folder of the executable (from /proc/self/exe) resolved by
  // FindGameFolder; computed once.
  CFerroString GetPathToGame() override;
  // The game folder for an executable in exeFolder (ending with a
  // separator): exeFolder itself when it holds the game data, as a build
  // folder does; else an installed layout's data folder that holds it,
  // exeFolder/../share/<appName in lower case>/ (executables in bin/) or
  // exeFolder/../share/games/<appName in lower case>/ (executables in
  // games/; tried first when exeFolder is a "games" folder), as an absolute
  // path without ".."; else exeFolder. A folder holds the game data
  // when it has the default theme's folder "windows", which every game of
  // the framework ships.
  static CFerroString FindGameFolder(const CFerroString& exeFolder, const char* appName);

  // The program in the executable's folder (a build's game folder), else
  // in an installation's folder of helper programs, exeFolder/../lib/games/
  // <appName in lower case>/ (executables in games/) or ../lib/<appName in
  // lower case>/ (in bin/); the first that can be run, else the first.
  CFerroString GetPathToProgram(const char* program) override;
  static CFerroString FindProgram(const CFerroString& exeFolder, const char* appName,
                                  const char* program);

  // The desktop's documents folder when it exists: the one the user-dirs.dirs
  // file of $XDG_CONFIG_HOME (else ~/.config) names, else the environment's
  // XDG_DOCUMENTS_DIR; otherwise the home folder (HOME, else the user
  // database's). Empty without a home folder.
  CFerroString GetPathToDocuments() override;
  // The documents folder a user-dirs.dirs text names (its last
  // XDG_DOCUMENTS_DIR line: "$HOME/..." with home put in, or an absolute
  // path), without a trailing separator; empty when it names none.
  static CFerroString ParseDocumentsFolder(const std::string& userDirs, const CFerroString& home);

  const char* GetFirstFile_OS(const char* folder, const char* mask) override;
  const char* GetNextFile_OS() override;
  const char* GetFirstFolder_OS(const char* folder) override;
  const char* GetNextFolder_OS() override;
  bool CanListFolder_OS(const char* folder) override;

  bool RemoveFile(const char* path) override;
  int GetFileLength(const char* path) override;
  bool GetFileTime(const char* path, CFerroTime* time) override;
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
  // The child inherits no other descriptor of the game and leads a process
  // group of its own, which TerminateProcess ends whole; on Linux it is
  // killed when the game ends, however the game ends.
  bool StartProcess(const char* path, const std::vector<CFerroString>& args,
                    PROCESS_DATA* process) override;
  bool ReadProcess(PROCESS_DATA* process, std::string& text) override;
  PROCESS_STATE PollProcess(PROCESS_DATA* process, int* code) override;
  unsigned ExecuteThread(unsigned (*func)(void*), void* arg) override;
  void Sleep(unsigned ms) override;
  // Starts "xdg-open" with the address resolved by ResolveLink as its one
  // argument, without a shell, so no character of the address is interpreted,
  // and minimises the window once it started. False for an empty address,
  // when the opener could not be started (no "xdg-open" on the PATH), or when
  // it ended with a failure within kOpenerWaitMs (no browser for the
  // address); the caller waits that long at most.
  bool OpenLink(const char* url) override;
  static constexpr int kOpenerWaitMs = 1500;
  // The address OpenLink hands on. One with a scheme ("https:", "file:",
  // "mailto:") is returned unchanged. Any other is a path: an absolute one
  // becomes a file URL of itself, a relative one ("help/index.html") a file
  // URL of gameFolder (ending with a separator) followed by it. Characters a
  // URL path cannot hold (spaces, '%', non-ASCII bytes ...) are
  // percent-encoded; a '#' or '?' in the address starts its fragment or query,
  // which is kept as it is. Empty for a null or empty address.
  static CFerroString ResolveLink(const char* url, const CFerroString& gameFolder);
  void LockThread() override { lock.Lock(); }
  void UnlockThread() override { lock.Unlock(); }
  std::unique_ptr<GCriticalSection> NewCriticalSection() override;
  const char* GetExecutedFileExtension() override { return "run"; }

  // Kept for the framework's quit protocol; does nothing here.
  using GPlatform::Quit;
  void Quit() {}

 protected:
  // $XDG_DATA_HOME, else the home folder's ".local/share" (the home folder
  // from HOME, else from the password database), followed by the application
  // name; else the private folder under the temporary folder (see
  // GetPrivateTempFolder). The first that can be created and written wins;
  // each one passed over, and a missing HOME, is noted with the reason. When
  // none is usable, the game folder itself: writes then fail where they are
  // made instead of landing in the working directory.
  CFerroString GetUserDataFolder() override;

 public:
  // The last resort for the data folder: $TMPDIR (or /tmp) + "/" + the
  // application name + "-" + the user id, created with mode 0700 when absent;
  // folder receives it with a trailing separator. The temporary folder is
  // shared with every user, so the folder is trusted only when it is a real
  // folder (not a symbolic link) owned by this user with no rights for anyone
  // else; otherwise the result is false and why says which condition failed.
  bool GetPrivateTempFolder(CFerroString& folder, CFerroString& why);

 private:
  bool OpenHostSearch(const char* folder, const CFerroString& filter);
  // Next entry of the innermost search that is (or is not) a folder.
  const char* NextHostEntry(bool wantFolders);

  GCriticalSectionUnix lock;
};

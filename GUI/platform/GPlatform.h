#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "GUI/platform/FINDER_LIST.h"

class CFerroStream;
class CFerroTime;
class GCriticalSection;
class GGame;
class GVirtualDrive;
class VIRTUAL_FOLDER;
struct FILE_DATA;
struct TIMER_DATA;

// A process started by ExecuteProcess or StartProcess: its id (0 when none
// runs) and, for StartProcess, the read end of the pipe its standard output
// goes into (-1 once closed).
struct PROCESS_DATA {
  int pid = 0;
  int output = -1;
};

// How a process started by StartProcess stands (PollProcess).
enum class PROCESS_STATE {
  running,  // still running, or ended but not yet seen to
  exited,   // it ended by itself, with an exit code
  crashed,  // a signal ended it, or there is no process
};

// The application's window onto the operating system: files, folders,
// directory searches, the game and per-user folders, processes, threads and
// locks, and (in the SDL variant) the window, its event loop and timers.
// Every file access of the program goes through it.
//
// Sections of the implementation:
//   GPlatform.cpp         folders of the game, paths, file load/save, copies,
//                         first launch, UTF scratch conversions
//   GPlatformRouting.cpp  the resource drive table, and the entry points that
//                         choose between the host file system and a drive
//
// Paths of the form ":N/inner" address the drive mounted in slot N; other
// absolute paths go to the host; relative paths go to the current drive (set
// by SetDirectory with a drive path), or to the host when there is none.
class GPlatform {
 public:
  // Publishes the platform process-wide: GDevice::platform, the opener of
  // host streams and settings files, and the folder of the error log (this
  // platform's GetPathToTemp()). The destructor takes them back while this
  // platform is the published one.
  GPlatform(GGame* game, const char* name);
  GPlatform(const GPlatform&) = delete;
  GPlatform& operator=(const GPlatform&) = delete;
  virtual ~GPlatform();

  // Called by GGame::CreateGame right after the platform is made.
  virtual void Create() {}

  // Window side; GPlatformSDL supplies the real ones.
  // Called by GGame::Play: runs the main message loop, returns its exit code.
  virtual int Play() { return MessageLoop(); }
  // Called by Play and by nested modal loops; returns the code given to Quit.
  virtual int MessageLoop() { return 0; }
  // Called by GGame::Quit: ends the innermost running loop with code.
  virtual void Quit(int code) { (void)code; }
  // Called after a nested loop ended, so the outer loop keeps running.
  virtual void QuitCancel() {}
  // Called by GGame and components to start a periodic timer (handle 0 = failed).
  virtual void SetTimer(TIMER_DATA* timer);
  // Called to stop a timer started by SetTimer.
  virtual void KillTimer(TIMER_DATA* timer);
  // Called by GGame each tick: whether the window counts as active.
  virtual bool IsActivated() { return false; }
  // Called by GGame: whether the window is minimised.
  virtual bool IsIconic() { return false; }
  // Called to minimise or maximise the window.
  virtual void ToIconic() {}
  virtual void ToMaximize() {}
  // Milliseconds from an arbitrary start, wrapping at 32 bits.
  virtual unsigned GetTick() = 0;
  // Kept for the framework's date services; does nothing here.
  virtual void GetCurrentDate(CFerroTime* time) { (void)time; }

  // The game folder, holding the shipped data: the folder of the running
  // executable, or the installed data folder found from it. With a trailing
  // separator.
  virtual CFerroString GetPathToGame() = 0;
  // The path of a program shipped with the game (a helper it runs), by its
  // file name; the game folder's copy here, GPlatformUnix finds it beside the
  // executable.
  virtual CFerroString GetPathToProgram(const char* program) { return GetPathToGame() + program; }
  // The player's documents folder, with a trailing separator: where the game
  // puts files for the player to take elsewhere. Empty when there is none.
  virtual CFerroString GetPathToDocuments() { return CFerroString(); }
  // The per-user data folder: the game folder when it is writable, else a
  // per-user folder of the host, with a trailing separator.
  virtual CFerroString GetPathToTemp();
  // The per-user folder of the host (never the game folder), with a trailing
  // separator: where the player's own copies of shipped files live, so that
  // the shipped ones are never written, wherever the game runs from. Made on
  // the first request and cached.
  CFerroString GetPathToUserFolder();
  // The application's getters of the same names (empty without application).
  virtual CFerroString GetPathToObject();
  virtual CFerroString GetPathToImage();
  virtual CFerroString GetPathToFont();
  virtual CFerroString GetPathToUsers();
  virtual CFerroString GetPathToProfile();
  virtual CFerroString GetPathToSavedGame();
  virtual CFerroString GetPathToMusic();
  virtual CFerroString GetPathToSound();
  virtual CFerroString GetPathToVoice();
  virtual CFerroString GetPathToMaps();
  // Falls back to GetPathToTemp() without an application.
  virtual CFerroString GetPathToConfig();
  virtual CFerroString GetPathToInit();
  virtual CFerroString GetPathToAutosave();
  virtual CFerroString GetPathToVirtualDrive();

  // Directory searches; each returns the first or next name, or null at the
  // end. A search may run inside another one without disturbing it.
  const char* GetFirstFile(const char* folder, const char* mask);
  const char* GetNextFile();
  const char* GetFirstFolder(const char* folder);
  const char* GetNextFolder();
  // Whether the folder exists and can be listed, so that a search finding
  // nothing in it means it holds nothing.
  bool CanListFolder(const char* folder);
  // Host searches, called by the four above for host folders. A mask of
  // null or "*" takes every file; any other mask m takes the names ending in
  // "." + m that are at least 5 characters long.
  virtual const char* GetFirstFile_OS(const char* folder, const char* mask) = 0;
  virtual const char* GetNextFile_OS() = 0;
  virtual const char* GetFirstFolder_OS(const char* folder) = 0;
  virtual const char* GetNextFolder_OS() = 0;
  virtual bool CanListFolder_OS(const char* folder) {
    (void)folder;
    return false;
  }

  // Conversions into scratch buffers owned by the platform; each result stays
  // valid until the next call that uses the same buffer. Null input or a
  // failed conversion gives null.
  const char* Ferro_UTF16to8(const unsigned short* text);
  const char* Ferro_UTF32to8(const unsigned int* text);
  const unsigned short* Ferro_UTF8to16(const unsigned char* text);
  const unsigned int* Ferro_UTF8to32(const unsigned char* text);
  virtual const char* wchar_to_utf8(const wchar_t* text);
  virtual const wchar_t* utf8_to_wchar(const char* text);

  // Host file primitives.
  virtual bool RemoveFile(const char* path) = 0;
  // Bytes in the file, or -1 when it cannot be opened.
  virtual int GetFileLength(const char* path) = 0;
  // When a host file was last written, in local time; false (time left as
  // it was) when the host cannot say.
  virtual bool GetFileTime(const char* path, CFerroTime* time) {
    (void)path;
    (void)time;
    return false;
  }
  virtual bool CreateFolder_OS(const char* path) = 0;
  virtual bool RemoveFolder_OS(const char* path) = 0;
  virtual FILE* OpenFile(const char* path, const char* mode) = 0;
  virtual bool CloseFile(FILE* file) = 0;
  virtual bool SetDirectory_OS(const char* path) = 0;
  virtual CFerroString GetDirectory_OS() = 0;
  virtual bool IsPathAbsolute_OS(const CFerroString& path) = 0;
  virtual char GetSlash() = 0;

  // Reads a whole file (host or drive) into data. Fails, leaving data empty,
  // when the file cannot be opened or does not deliver all its bytes.
  virtual bool LoadFile(const char* path, FILE_DATA* data);
  // Writes data as the whole file, creating missing folders. A host file is
  // written beside the target and renamed over it, so a failed write leaves
  // the old file intact. True only when every byte was stored.
  virtual bool SaveFile(const char* path, FILE_DATA* data);

  // Processes and threads.
  virtual bool ExecuteProcess(const char* path, const char* args, const char* unused,
                              PROCESS_DATA* process) = 0;
  // Ends the process at once: it is killed, waited for (so it leaves no
  // zombie behind) and its output pipe closed. False when there was none.
  virtual bool TerminateProcess(PROCESS_DATA* process) = 0;
  // Starts the program at path with args as its arguments (none of them is
  // read by a shell), its standard input empty and its standard output going
  // into a pipe that ReadProcess reads. The process is ended with the game.
  // False, with nothing running, when it could not be started.
  virtual bool StartProcess(const char* path, const std::vector<CFerroString>& args,
                            PROCESS_DATA* process) {
    (void)path, (void)args, (void)process;
    return false;
  }
  // Appends to text whatever the process has written since the last call,
  // without waiting for more. False once its output has ended (it closed it
  // or exited) and all of it was read; the pipe is closed then.
  virtual bool ReadProcess(PROCESS_DATA* process, std::string& text) {
    (void)process, (void)text;
    return false;
  }
  // Whether the process still runs, without waiting; an ended one is waited
  // for, gives its exit code in code (when exited) and is no longer running.
  virtual PROCESS_STATE PollProcess(PROCESS_DATA* process, int* code) {
    (void)process, (void)code;
    return PROCESS_STATE::crashed;
  }
  // Runs func(arg) on a detached thread; the thread id or 0 on failure.
  virtual unsigned ExecuteThread(unsigned (*func)(void*), void* arg) = 0;
  virtual void Sleep(unsigned ms) = 0;
  // Opens the address in the desktop's browser; false when nothing started.
  virtual bool OpenLink(const char* url) = 0;
  virtual void SetClipboard(const CFerroString& text) { (void)text; }
  virtual void GetClipboard(CFerroString& text) { text = ""; }
  // Called by the input routing: Command+C, Command+X, Command+V.
  virtual bool IsCopyKeyPressed(unsigned key);
  virtual bool IsCutKeyPressed(unsigned key);
  virtual bool IsPastKeyPressed(unsigned key);
  // The modifier of the shortcuts above: the system (Command) key, and on
  // this desktop either Control key as well.
  bool IsShortcutModifierHeld() const;
  virtual void LockThread() = 0;
  virtual void UnlockThread() = 0;
  virtual std::unique_ptr<GCriticalSection> NewCriticalSection() = 0;
  virtual const char* GetExecutedFileExtension() = 0;
  // Called by GGame to hold or release the mouse in full-screen use.
  virtual void CaptureMouse() {}
  virtual void ReleaseMouse() {}

  // Folder services routed between the host and connected drives.
  bool CreateFolder(const char* path);
  bool RemoveFolder(const char* path);
  bool SetDirectory(const char* path);
  CFerroString GetDirectory();
  // Opens a stream on a host or drive path (mode 0 read, 1 write, 2
  // append); the caller owns it. Null on failure.
  CFerroStream* OpenStream(const char* path, int mode);

  // How a file is named in messages to the user: a file of a resource drive
  // by the file of the game folder's "vdd" folder it was built from, any
  // other path as it is.
  CFerroString DescribePath(const char* path);
  enum class FileFault { missing, damaged };
  // Called by the loaders of pictures, sounds and fonts (the toolkit's and the
  // game's too, hence virtual) when a data file the game needs is missing or
  // damaged: tells the user (ReportError), naming the file (kind: "picture",
  // "sound", "font" ...) and what the game does without it (consequence, such
  // as "it is left blank").
  virtual void ReportFileFault(FileFault fault, const char* kind, const char* path,
                               const char* consequence);

  // Resource drives. The drive that serves path, or null for the host file
  // system and for a path nothing serves (a malformed ":N" path, a free
  // slot); drivePath receives the path as seen inside the drive.
  GVirtualDrive* GetVirtualDrive(const char* path);
  // Mounts the drive whose table file is tablePath in the first free slot;
  // its prefix (":N/"), or empty on failure. A drive mounted already keeps
  // its slot, so one pair of files is never served by two drive objects.
  CFerroString OpenVirtualDrive(const char* tablePath);
  // Makes a new empty drive name.vdt/.vdd in dir and mounts it; its prefix,
  // or empty when the files exist already or cannot be written.
  CFerroString CreateVirtualDrive(const char* dir, const char* name);
  // Unmounts (writing its table when changed) the drive serving path; false
  // when no mounted drive serves it or its table could not be written.
  bool CloseVirtualDrive(const char* path);
  // The slot of the first mounted drive of that name, or -1.
  int GetVirtualDriveIndexByName(const char* name);
  // The prefix of the drive called name, mounting name.vdt from dir, or
  // building it from the game folder's "vdd/<name>" folder when there is no
  // usable table. A table that cannot be mounted is replaced by a fresh
  // build; when dir cannot be written the drive lives in the per-user data
  // folder. Null on failure. The text is valid until the next routing call.
  const char* ConnectVirtualDrive(const char* dir, const char* name);
  int GetDriveCount() const { return static_cast<int>(drives.size()); }
  // The drive in slot, or null for a free or missing slot.
  GVirtualDrive* GetDriveAt(int slot) const;
  GVirtualDrive* GetCurrentDrive() const { return currentDrive; }
  // The inner path of the last routed path.
  const CFerroString& GetDrivePath() const { return drivePath; }

  // Creates every missing folder along path; the working directory is left
  // untouched. True when the whole path exists afterwards; on failure errno
  // says why the folder that stopped the walk could not be made.
  bool CreatePath(const CFerroString& path);
  // The absolute form of path (symbolic links resolved), keeping a trailing
  // separator; empty when neither the path nor its folder exists. A drive
  // path (relative ones included) gives its ":N/..." form.
  CFerroString PathToAbsolutePath(const CFerroString& path);
  bool CopyFile(const char* from, const char* to);
  // Copies the files and subfolders of from into to; with withFolder, into a
  // new folder of from's own name inside to.
  bool CopyFolder(const char* from, const char* to, bool withFolder);
  // Fills the host folder `to` with a copy of the files and subfolders of
  // `from` when `to` does not exist yet; an existing `to` is left as it is.
  // The copy is made in a scratch folder beside `to` and renamed into place,
  // so an interrupted copy is never taken for a finished one. True when `to`
  // exists afterwards.
  bool SeedFolder(const char* from, const char* to);
  // True, after calling the application's OnFirstLaunch, on the first start
  // of this version; false on later starts.
  bool DetectFirstLaunch();

  GGame* GetGame() const { return game; }
  const CFerroString& GetName() const { return name; }
  // Depth of nested modal loops; 0 while only the main loop runs.
  int GetModalDepth() const { return modalDepth; }
  void EnterModalLoop() { ++modalDepth; }
  void LeaveModalLoop() { --modalDepth; }

 protected:
  // The per-user folder used when the game folder cannot be written; called
  // once by GetPathToTemp. The result has a trailing separator. What it had
  // to pass over or guess goes to NoteDataFolder.
  virtual CFerroString GetUserDataFolder() = 0;
  // Keeps a message about the choice of the data folder; GetPathToTemp
  // reports them (ReportError) once the folder, and so the error log, is known.
  void NoteDataFolder(const CFerroString& message) { dataFolderNotes.push_back(message); }
  // Whether path names the host file system (not a connected drive).
  bool IsHostPath(const char* path);
  // Called by GetPathToTemp and ConnectVirtualDrive: whether files and
  // folders can be created in folder (it probes by making both).
  virtual bool IsFolderWritable(const CFerroString& folder);

  GGame* game;
  CFerroString name;
  CFerroString pathToGame;
  CFerroString pathToTemp;
  CFerroString pathToUser;
  CFerroString startFolder;
  CFerroString result;
  FINDER_LIST finders;
  // Mounted drives by slot; a free slot is null.
  std::vector<std::unique_ptr<GVirtualDrive>> drives;
  // The drive holding the current directory, or null for the host's.
  GVirtualDrive* currentDrive = nullptr;
  // The inner path of the last routed path, and the text ConnectVirtualDrive returns.
  CFerroString drivePath;
  int modalDepth = 0;
  // Messages of GetUserDataFolder waiting for GetPathToTemp to report them.
  std::vector<CFerroString> dataFolderNotes;

 private:
  enum class Route { host, drive, none };
  // Routes path, setting drive and drivePath.
  Route RoutePath(const char* path, GVirtualDrive*& drive);
  int SlotOf(const GVirtualDrive* drive) const;
  CFerroString DrivePrefix(int slot);
  // Mounts tablePath; its slot or -1.
  int MountDrive(const char* tablePath);
  // Mounts folder/name.vdt when that file exists; its slot or -1.
  int MountExistingDrive(const CFerroString& folder, const char* name);
  // Creates the missing folders of a path inside drive.
  bool CreateDrivePath(GVirtualDrive* drive, const CFerroString& inner);
  const char* StartDriveSearch(GVirtualDrive* drive, bool wantFiles, const char* mask);
  const char* NextDriveEntry();
  // Ends the running searches through folder (any folder of drive when null).
  void EndDriveSearches(const GVirtualDrive* drive, const VIRTUAL_FOLDER* folder);

  std::vector<char> scratch8;
  std::vector<unsigned short> scratch16;
  std::vector<unsigned int> scratch32;
  std::vector<wchar_t> scratchWide;
};

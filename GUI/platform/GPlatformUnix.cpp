// Index of this file:
//   Construction and the game folder   the tick, GetPathToGame, FindGameFolder
//   Searches                           listing host folders
//   Files and folders                  removing, sizing, opening and making files and folders
//   The per-user data folder           the private temporary folder and GetUserDataFolder
//   Processes and threads              processes, threads, sleeping, links, critical sections

#include "GUI/platform/GPlatformUnix.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <string>
#include <string_view>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/CFerroTime.h"
#include "GUI/platform/GGame.h"

// ---------------------------------------------------------------------------------------------
// Construction and the game folder
// ---------------------------------------------------------------------------------------------

GPlatformUnix::GPlatformUnix(GGame* owner, const char* appName) : GPlatform(owner, appName) {}

GPlatformUnix::~GPlatformUnix() {
  // Searches hold open directory handles; close them while the type is known.
  while (finders.Get()) finders.Delete();
}

unsigned GPlatformUnix::GetTick() {
  timeval tv;
  gettimeofday(&tv, nullptr);
  return static_cast<unsigned>(static_cast<unsigned long long>(tv.tv_sec) * 1000u +
                               static_cast<unsigned long long>(tv.tv_usec) / 1000u);
}

namespace {

// The folder of the running executable with a trailing separator, or empty.
CFerroString ExecutableFolder() {
  char path[PATH_MAX + 1];
  ssize_t n = readlink("/proc/self/exe", path, PATH_MAX);
  if (n <= 0) {
    fprintf(stderr, "PID %d: readlink (/proc/self/exe);\n", static_cast<int>(getpid()));
    return CFerroString();
  }
  path[n] = 0;
  char* slash = std::strrchr(path, '/');
  if (!slash) return CFerroString();
  slash[1] = 0;
  return CFerroString(path);
}

CFerroString LowerCase(const char* text) {
  CFerroString lower(text);
  for (int i = 0; i < lower.GetLength(); ++i)
    lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[i])));
  return lower;
}

}  // namespace

CFerroString GPlatformUnix::GetPathToGame() {
  if (!pathToGame.IsEmpty()) return pathToGame;
  const CFerroString exeFolder = ExecutableFolder();
  pathToGame = exeFolder.IsEmpty() ? CFerroString("/") : FindGameFolder(exeFolder, name.c_str());
  return pathToGame;
}

CFerroString GPlatformUnix::GetPathToProgram(const char* program) {
  return FindProgram(ExecutableFolder(), name.c_str(), program);
}

CFerroString GPlatformUnix::FindProgram(const CFerroString& exeFolder, const char* appName,
                                        const char* program) {
  const CFerroString lower = LowerCase(appName ? appName : "");
  const bool inGames = std::string_view(exeFolder.c_str()).ends_with("/games/");
  const CFerroString helpers[] = {CFerroString("../lib/games/") + lower + "/",
                                  CFerroString("../lib/") + lower + "/"};
  const CFerroString candidates[] = {exeFolder + program,
                                     exeFolder + helpers[inGames ? 0 : 1] + program,
                                     exeFolder + helpers[inGames ? 1 : 0] + program};
  for (const CFerroString& candidate : candidates)
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  return candidates[0];
}

namespace {

bool HoldsGameData(const CFerroString& folder) {
  struct stat st;
  const CFerroString theme = folder + "windows";
  return stat(theme.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

CFerroString GPlatformUnix::FindGameFolder(const CFerroString& exeFolder, const char* appName) {
  if (HoldsGameData(exeFolder) || !appName || !appName[0]) return exeFolder;
  const CFerroString lower = LowerCase(appName);
  // An installation keeps the data under the prefix's share folder: games
  // installed by the system's conventions (executables in games/) in
  // share/games/<name>, others (executables in bin/) in share/<name>. A
  // prefix may hold both, from an older installation of the other layout, so
  // the layout that matches the executable's folder is tried first.
  const bool inGames = std::string_view(exeFolder.c_str()).ends_with("/games/");
  const char* const plain = "../share/";
  const char* const gamesShare = "../share/games/";
  for (const char* share : {inGames ? gamesShare : plain, inGames ? plain : gamesShare}) {
    const CFerroString installed = exeFolder + share + lower;
    char resolved[PATH_MAX + 1];
    if (!realpath(installed.c_str(), resolved)) continue;
    CFerroString folder = CFerroString(resolved) + "/";
    if (HoldsGameData(folder)) return folder;
  }
  return exeFolder;
}

// ---------------------------------------------------------------------------------------------
// Searches
// ---------------------------------------------------------------------------------------------

POSIX_FIND_ITEM::POSIX_FIND_ITEM(void* handle, const CFerroString& path, const CFerroString& mask)
    : FINDER_DATA(false), dir(handle), folder(path), filter(mask) {}

POSIX_FIND_ITEM::~POSIX_FIND_ITEM() {
  if (dir) closedir(static_cast<DIR*>(dir));
}

bool GPlatformUnix::OpenHostSearch(const char* folder, const CFerroString& filter) {
  DIR* dir = opendir(folder);
  if (!dir) return false;
  finders.Add(std::make_unique<POSIX_FIND_ITEM>(dir, CFerroString(folder), filter));
  return true;
}

bool GPlatformUnix::CanListFolder_OS(const char* folder) {
  DIR* dir = folder ? opendir(folder) : nullptr;
  if (dir) closedir(dir);
  return dir != nullptr;
}

const char* GPlatformUnix::GetFirstFile_OS(const char* folder, const char* mask) {
  CFerroString filter;
  if (mask && std::strcmp(mask, "*") != 0) filter = CFerroString(".") + mask;
  return OpenHostSearch(folder, filter) ? GetNextFile_OS() : nullptr;
}

const char* GPlatformUnix::GetFirstFolder_OS(const char* folder) {
  return OpenHostSearch(folder, CFerroString()) ? GetNextFolder_OS() : nullptr;
}

const char* GPlatformUnix::GetNextFile_OS() {
  return NextHostEntry(false);
}

const char* GPlatformUnix::GetNextFolder_OS() {
  return NextHostEntry(true);
}

const char* GPlatformUnix::NextHostEntry(bool wantFolders) {
  FINDER_DATA* top = finders.Get();
  if (!top || top->isVirtual) return nullptr;
  auto* search = static_cast<POSIX_FIND_ITEM*>(top);
  DIR* dir = static_cast<DIR*>(search->dir);
  while (dirent* entry = readdir(dir)) {
    const char* entryName = entry->d_name;
    bool isFolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat st;
      isFolder = fstatat(dirfd(dir), entryName, &st, 0) == 0 && S_ISDIR(st.st_mode);
    }
    if (isFolder != wantFolders) continue;
    if (wantFolders) {
      if (!std::strcmp(entryName, ".") || !std::strcmp(entryName, "..")) continue;
    } else if (!search->filter.IsEmpty()) {
      size_t len = std::strlen(entryName);
      size_t flen = static_cast<size_t>(search->filter.GetLength());
      if (len < 5 || len < flen || std::strcmp(entryName + len - flen, search->filter.c_str()))
        continue;
    }
    search->found = entryName;
    return search->found.c_str();
  }
  finders.Delete();
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Files and folders
// ---------------------------------------------------------------------------------------------

bool GPlatformUnix::RemoveFile(const char* path) {
  return path && remove(path) == 0;
}

int GPlatformUnix::GetFileLength(const char* path) {
  if (!path) return -1;
  FILE* file = fopen(path, "rb");
  if (!file) return -1;
  long length = fseek(file, 0, SEEK_END) == 0 ? ftell(file) : -1;
  fclose(file);
  return length < 0 || length > INT_MAX ? -1 : static_cast<int>(length);
}

bool GPlatformUnix::GetFileTime(const char* path, CFerroTime* time) {
  struct stat info {};
  struct tm local {};
  if (!path || !time || stat(path, &info) != 0 || !localtime_r(&info.st_mtime, &local))
    return false;
  time->year = local.tm_year + 1900;
  time->month = local.tm_mon + 1;
  time->day = local.tm_mday;
  time->hour = local.tm_hour;
  time->minute = local.tm_min;
  time->second = local.tm_sec;
  return true;
}

bool GPlatformUnix::CreateFolder_OS(const char* path) {
  return path && mkdir(path, 0777) == 0;
}

bool GPlatformUnix::RemoveFolder_OS(const char* path) {
  return path && rmdir(path) == 0;
}

FILE* GPlatformUnix::OpenFile(const char* path, const char* mode) {
  return path && mode ? fopen(path, mode) : nullptr;
}

bool GPlatformUnix::CloseFile(FILE* file) {
  return file && fclose(file) == 0;
}

bool GPlatformUnix::SetDirectory_OS(const char* path) {
  return path && chdir(path) == 0;
}

CFerroString GPlatformUnix::GetDirectory_OS() {
  char buffer[2048];
  result = getcwd(buffer, sizeof buffer) ? buffer : "";
  return result;
}

bool GPlatformUnix::IsPathAbsolute_OS(const CFerroString& path) {
  return !path.IsEmpty() && path[0] == '/';
}

// ---------------------------------------------------------------------------------------------
// The per-user data folder
// ---------------------------------------------------------------------------------------------

namespace {

// The reason of the last failed call, for messages.
CFerroString LastError() {
  return CFerroString(std::strerror(errno));
}

CFerroString Number(unsigned value, const char* format) {
  CFerroString text;
  text.Format(format, value);
  return text;
}

}  // namespace

bool GPlatformUnix::GetPrivateTempFolder(CFerroString& folder, CFerroString& why) {
  const char* tmp = getenv("TMPDIR");
  CFerroString root(tmp && tmp[0] == '/' ? tmp : "/tmp");
  root.DeleteLastSlash();
  folder = root + "/" + name + "-" + Number(getuid(), "%u");
  const CFerroString path = folder;
  folder += "/";
  // mkdir creates or fails atomically, so a folder made here has our mode;
  // one that exists already is checked before it is trusted.
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    why = LastError();
    return false;
  }
  struct stat st;
  if (lstat(path.c_str(), &st) != 0)
    why = LastError();
  else if (S_ISLNK(st.st_mode))
    why = "it is a symbolic link";
  else if (!S_ISDIR(st.st_mode))
    why = "it is not a folder";
  else if (st.st_uid != getuid())
    why = CFerroString("it belongs to user ") + Number(st.st_uid, "%u") + ", not to user " +
          Number(getuid(), "%u");
  else if ((st.st_mode & 07777) != 0700)
    why = CFerroString("its mode is ") + Number(st.st_mode & 07777, "%04o") + ", not 0700";
  else
    return true;
  return false;
}

CFerroString GPlatformUnix::ParseDocumentsFolder(const std::string& userDirs,
                                                 const CFerroString& home) {
  static const std::string kKey = "XDG_DOCUMENTS_DIR=";
  std::string found;
  size_t from = 0;
  while (from < userDirs.size()) {
    size_t end = userDirs.find('\n', from);
    if (end == std::string::npos) end = userDirs.size();
    std::string line = userDirs.substr(from, end - from);
    from = end + 1;
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, kKey.size(), kKey) != 0) continue;
    // The value is quoted, with backslash escapes, as a shell reads it.
    std::string value;
    bool quoted = false;
    for (size_t i = start + kKey.size(); i < line.size(); ++i) {
      const char c = line[i];
      if (c == '"') {
        quoted = !quoted;
      } else if (c == '\\' && i + 1 < line.size()) {
        value += line[++i];
      } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '#')) {
        break;
      } else {
        value += c;
      }
    }
    if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/'))
      found = std::string(home.c_str()) + value.substr(5);
    else if (!value.empty() && value[0] == '/')
      found = value;
  }
  while (found.size() > 1 && found.back() == '/') found.pop_back();
  return CFerroString(found.c_str());
}

CFerroString GPlatformUnix::GetPathToDocuments() {
  CFerroString home;
  if (const char* env = getenv("HOME"); env && env[0] == '/') {
    home = env;
  } else if (passwd* user = getpwuid(getuid()); user && user->pw_dir && user->pw_dir[0] == '/') {
    home = user->pw_dir;
  } else {
    return CFerroString();
  }
  while (home.GetLength() > 1 && home[home.GetLength() - 1] == '/')
    home =
        CFerroString(std::string(home.c_str(), static_cast<size_t>(home.GetLength() - 1)).c_str());
  const char* config = getenv("XDG_CONFIG_HOME");
  const CFerroString file =
      (config && config[0] == '/' ? CFerroString(config) : home + "/.config") + "/user-dirs.dirs";
  std::string text;
  ReadWholeFile(file.c_str(), 64 * 1024, text);
  CFerroString folder = ParseDocumentsFolder(text, home);
  const char* env = getenv("XDG_DOCUMENTS_DIR");
  if (folder.IsEmpty() && env && env[0] == '/') folder = env;
  struct stat st;
  if (folder.IsEmpty() || stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) folder = home;
  return folder + "/";
}

CFerroString GPlatformUnix::GetUserDataFolder() {
  std::vector<CFerroString> candidates;
  const char* xdg = getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') candidates.push_back(CFerroString(xdg) + "/" + name);
  const char* home = getenv("HOME");
  if (home && home[0] == '/') {
    candidates.push_back(CFerroString(home) + "/.local/share/" + name);
  } else {
    passwd* user = getpwuid(getuid());
    if (user && user->pw_dir && user->pw_dir[0] == '/') {
      NoteDataFolder(CFerroString("HOME is not set; using the home folder ") + user->pw_dir +
                     " from the user database");
      candidates.push_back(CFerroString(user->pw_dir) + "/.local/share/" + name);
    } else {
      NoteDataFolder("HOME is not set and the user database names no home folder");
    }
  }
  for (const CFerroString& folder : candidates) {
    if (CreatePath(folder) && IsFolderWritable(folder + "/")) return folder + "/";
    NoteDataFolder(CFerroString("cannot use ") + folder + " as the data folder (" + LastError() +
                   "); trying the next place");
  }
  CFerroString folder, why;
  if (GetPrivateTempFolder(folder, why)) {
    if (IsFolderWritable(folder)) {
      NoteDataFolder(CFerroString("keeping the game's data in the temporary folder ") + folder +
                     ", which the system may clear");
      return folder;
    }
    why = LastError();
  }
  NoteDataFolder(CFerroString("refusing the temporary data folder ") + folder + ": " + why);
  NoteDataFolder("no writable data folder: saved games, settings and the error log cannot be kept");
  return GetPathToGame();
}

// ---------------------------------------------------------------------------------------------
// Processes and threads
// ---------------------------------------------------------------------------------------------

bool GPlatformUnix::ExecuteProcess(const char* path, const char* args, const char*,
                                   PROCESS_DATA* process) {
  if (GetFileLength(path) == -1) return false;
  chmod(path, 0700);
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    execl(path, path, args, static_cast<char*>(nullptr));
    _exit(0);
  }
  if (process) process->pid = pid;
  return true;
}

bool GPlatformUnix::TerminateProcess(PROCESS_DATA* process) {
  if (!process) return false;
  bool ended = false;
  // The process and what it started, in its group (ExecuteProcess makes none).
  if (process->pid > 0 && (kill(-process->pid, SIGKILL) == 0 || kill(process->pid, SIGKILL) == 0)) {
    while (waitpid(process->pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    ended = true;
  }
  process->pid = 0;
  if (process->output >= 0) close(process->output);
  process->output = -1;
  return ended;
}

bool GPlatformUnix::StartProcess(const char* path, const std::vector<CFerroString>& args,
                                 PROCESS_DATA* process) {
  if (!path || !*path || !process) return false;
  // Everything the child needs is made before the fork: after it, in a
  // program with threads, the child may only make async-signal-safe calls.
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path));
  for (const CFerroString& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const long openMax = sysconf(_SC_OPEN_MAX);
  const int lastFd = static_cast<int>(openMax > 0 && openMax < 65536 ? openMax : 65536);
  const pid_t parent = getpid();
  // The output pipe, and one that tells a failed start: a successful exec
  // closes it empty.
  int out[2], report[2];
  if (pipe2(out, O_CLOEXEC) != 0) return false;
  if (pipe2(report, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    return false;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    // A group of its own, so that ending it ends whatever it started too.
    setpgid(0, 0);
#ifdef __linux__
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
#endif
    const int empty = open("/dev/null", O_RDONLY);
    if (empty >= 0 && dup2(empty, 0) >= 0 && dup2(out[1], 1) >= 0) {
      for (int fd = 3; fd < lastFd; ++fd)
        if (fd != report[1]) close(fd);
      execv(path, argv.data());
    }
    const int failure = errno;
    ssize_t written = write(report[1], &failure, sizeof failure);
    (void)written;
    _exit(127);
  }
  if (pid > 0) setpgid(pid, pid);
  close(out[1]);
  close(report[1]);
  int failure = 0;
  ssize_t got = 0;
  if (pid > 0)
    while ((got = read(report[0], &failure, sizeof failure)) < 0 && errno == EINTR) {
    }
  close(report[0]);
  if (pid < 0 || got != 0) {
    if (pid > 0)
      while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
      }
    close(out[0]);
    errno = pid < 0 ? errno : failure;
    return false;
  }
  fcntl(out[0], F_SETFL, fcntl(out[0], F_GETFL) | O_NONBLOCK);
  process->pid = pid;
  process->output = out[0];
  return true;
}

bool GPlatformUnix::ReadProcess(PROCESS_DATA* process, std::string& text) {
  if (!process || process->output < 0) return false;
  char chunk[4096];
  for (;;) {
    const ssize_t got = read(process->output, chunk, sizeof chunk);
    if (got > 0) {
      text.append(chunk, static_cast<size_t>(got));
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    // The end of the output, or a pipe that cannot be read any more.
    close(process->output);
    process->output = -1;
    return false;
  }
}

PROCESS_STATE GPlatformUnix::PollProcess(PROCESS_DATA* process, int* code) {
  if (!process || process->pid <= 0) return PROCESS_STATE::crashed;
  int status = 0;
  pid_t ended;
  while ((ended = waitpid(process->pid, &status, WNOHANG)) < 0 && errno == EINTR) {
  }
  if (ended == 0) return PROCESS_STATE::running;
  process->pid = 0;
  if (ended < 0 || !WIFEXITED(status)) return PROCESS_STATE::crashed;
  if (code) *code = WEXITSTATUS(status);
  return PROCESS_STATE::exited;
}

namespace {

struct ThreadStart {
  unsigned (*func)(void*);
  void* arg;
};

void* RunThread(void* start) {
  ThreadStart s = *static_cast<ThreadStart*>(start);
  delete static_cast<ThreadStart*>(start);
  s.func(s.arg);
  return nullptr;
}

}  // namespace

unsigned GPlatformUnix::ExecuteThread(unsigned (*func)(void*), void* arg) {
  if (!func) return 0;
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
  auto* start = new ThreadStart{func, arg};
  pthread_t thread;
  int err = pthread_create(&thread, &attr, RunThread, start);
  pthread_attr_destroy(&attr);
  if (err != 0) {
    delete start;
    return 0;
  }
  unsigned id = static_cast<unsigned>(thread);
  return id ? id : 1;
}

void GPlatformUnix::Sleep(unsigned ms) {
  usleep(static_cast<useconds_t>(ms) * 1000u);
}

namespace {

bool IsAlpha(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A scheme is a letter followed by letters, digits, '+', '-' or '.', then ':'.
bool HasScheme(const char* url) {
  if (!IsAlpha(url[0])) return false;
  const char* p = url + 1;
  while (IsAlpha(*p) || IsDigit(*p) || *p == '+' || *p == '-' || *p == '.') ++p;
  return *p == ':';
}

// The characters a URL path keeps as they are; every other byte is written
// as %XX.
bool IsPathChar(char c) {
  return IsAlpha(c) || IsDigit(c) || (c != 0 && std::strchr("/-._~!$&'()*+,;=:@", c));
}

void AppendEncoded(CFerroString& out, const char* from, const char* to) {
  static const char hex[] = "0123456789ABCDEF";
  for (const char* p = from; p < to; ++p) {
    if (IsPathChar(*p)) {
      out += *p;
      continue;
    }
    const unsigned char byte = static_cast<unsigned char>(*p);
    out += '%';
    out += hex[byte >> 4];
    out += hex[byte & 15];
  }
}

}  // namespace

CFerroString GPlatformUnix::ResolveLink(const char* url, const CFerroString& gameFolder) {
  if (!url || !*url) return CFerroString();
  if (HasScheme(url)) return CFerroString(url);
  const char* end = url + std::strcspn(url, "#?");
  CFerroString out("file://");
  if (*url != '/')
    AppendEncoded(out, gameFolder.c_str(), gameFolder.c_str() + gameFolder.GetLength());
  AppendEncoded(out, url, end);
  out += CFerroString(end);
  return out;
}

bool GPlatformUnix::OpenLink(const char* url) {
  const CFerroString address = ResolveLink(url, GetPathToGame());
  if (address.IsEmpty()) return false;
  // The child starts the opener in a grandchild and ends soon, so the opener
  // is adopted by init and never lingers as a zombie of the game. A failure
  // comes back through a pipe that a successful exec closes: the grandchild
  // reports a failed exec (no opener), and the child an opener that ends
  // with a failure within kOpenerWaitMs (no browser to open the address
  // with). An opener still running then has started a browser.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    close(report[0]);
    pid_t opener = fork();
    if (opener == 0) {
      execlp("xdg-open", "xdg-open", address.c_str(), static_cast<char*>(nullptr));
      const int failure = errno;
      ssize_t written = write(report[1], &failure, sizeof failure);
      (void)written;
      _exit(127);
    }
    if (opener < 0) _exit(1);
    // Only calls that are safe after a fork in a threaded program.
    timespec start{}, now{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (now = start; (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000 <
                      kOpenerWaitMs;
         clock_gettime(CLOCK_MONOTONIC, &now)) {
      int status = 0;
      const pid_t ended = waitpid(opener, &status, WNOHANG);
      if (ended == opener) {
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
          const int failure = ECHILD;
          ssize_t written = write(report[1], &failure, sizeof failure);
          (void)written;
        }
        break;
      }
      if (ended < 0 && errno != EINTR) break;
      const timespec pause{0, 10 * 1000 * 1000};
      nanosleep(&pause, nullptr);
    }
    _exit(0);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int failure = 0;
  ssize_t got;
  while ((got = read(report[0], &failure, sizeof failure)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  const bool started = WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
  if (started) ToIconic();
  return started;
}

std::unique_ptr<GCriticalSection> GPlatformUnix::NewCriticalSection() {
  return std::make_unique<GCriticalSectionUnix>();
}

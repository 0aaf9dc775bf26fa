// The POSIX platform: host paths and files, the player's copy of the maps,
// the private temporary folder, the error log, and opening links.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <set>
#include <thread>
#include <tuple>

#include "GUI/foundation/FileError.h"
#include "GUI/platform/FILE_DATA.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/Scoped.h"

namespace fs = std::filesystem;

namespace {

class PlatformTest : public ::testing::Test {
 protected:
  TempDir dir;
  HeadlessPlatform platform{nullptr, "Digmaze", dir.Path()};
};

TEST_F(PlatformTest, CreatePathAndAbsolutePathsLeaveTheWorkingDirectory) {
  const fs::path before = fs::current_path();
  ScopeExit back([&before] { fs::current_path(before); });
  ASSERT_TRUE(platform.CreatePath((dir / "a/b/c").c_str()));
  EXPECT_TRUE(fs::is_directory(dir / "a/b/c"));
  WriteText(dir / "file", "x");  // a file in the way stops the walk
  EXPECT_FALSE(platform.CreatePath((dir / "file/sub").c_str()));
  EXPECT_EQ(fs::current_path(), before);

  const std::string real = fs::canonical(dir.Path()).string();
  EXPECT_STREQ(platform.PathToAbsolutePath((dir / "a/b/../b/").c_str()).c_str(),
               (real + "/a/b/").c_str());
  EXPECT_STREQ(platform.PathToAbsolutePath((dir / "a/./missing.txt").c_str()).c_str(),
               (real + "/a/missing.txt").c_str());
  EXPECT_TRUE(platform.PathToAbsolutePath((dir / "nowhere/x.txt").c_str()).IsEmpty());
}

TEST_F(PlatformTest, SaveFileReplacesOnlyAfterAWholeWriteAndFailedLoadsLeaveNoData) {
  FILE_DATA out;
  out.Create(3);
  out.data[0] = 'a', out.data[1] = 0, out.data[2] = 'z';
  const std::string path = dir / "deep/er/file.bin";
  ASSERT_TRUE(platform.SaveFile(path.c_str(), &out));  // makes the folders
  EXPECT_EQ(Load(platform, path), std::string("a\0z", 3));
  // Writes beyond a 16-byte file size limit fail part way: the old file stays, no temporary.
  FILE_DATA big;
  big.Create(64 * 1024);
  {
    ScopedFileSizeLimit small(16);
    EXPECT_FALSE(platform.SaveFile(path.c_str(), &big));
  }
  EXPECT_EQ(ReadText(path), std::string("a\0z", 3));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "deep/er"), fs::directory_iterator{}), 1);

  // A missing file; a folder, which opens as a file but has no sensible length; a kernel
  // attribute file, which announces a page but delivers a few bytes.
  std::vector<std::string> unreadable = {dir / "missing", dir / "deep"};
  const char* attribute = "/sys/devices/system/cpu/online";
  if (platform.GetFileLength(attribute) == 4096) unreadable.push_back(attribute);
  for (const std::string& bad : unreadable) {
    FILE_DATA data;
    data.Create(8);
    EXPECT_FALSE(platform.LoadFile(bad.c_str(), &data)) << bad;
    EXPECT_EQ(data.size, 0) << bad;
    EXPECT_EQ(data.data, nullptr) << bad;
  }
}

// Every file under a folder with its contents, "relative/path=contents".
std::set<std::string> Tree(const fs::path& root) {
  std::set<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file())
      out.insert(fs::relative(e.path(), root).string() + "=" + ReadText(e.path()));
  return out;
}

TEST_F(PlatformTest, SeedFolderCopiesOnceThroughAScratchCopyAndNeverTouchesTheSource) {
  for (const char* f : {"shipped/level01.dmm", "shipped/index.dml", "shipped/sub/deep.txt"})
    WriteText(dir / f, f);
  const auto shipped = Tree(dir / "shipped");
  // What an interrupted earlier copy left behind is not taken for the copy.
  WriteText(dir / "user/Maps.seeding/stray.dmm", "half");
  ASSERT_TRUE(platform.SeedFolder((dir / "shipped/").c_str(), (dir / "user/Maps/").c_str()));
  EXPECT_EQ(Tree(dir / "user/Maps"), shipped);
  EXPECT_FALSE(fs::exists(dir / "user/Maps.seeding"));

  // The player's changes survive later starts, even an emptied folder.
  WriteText(dir / "user/Maps/level01.dmm", "edited");
  fs::remove(dir / "user/Maps/index.dml");
  ASSERT_TRUE(platform.SeedFolder((dir / "shipped").c_str(), (dir / "user/Maps").c_str()));
  EXPECT_EQ(ReadText(dir / "user/Maps/level01.dmm"), "edited");
  EXPECT_FALSE(fs::exists(dir / "user/Maps/index.dml"));
  EXPECT_EQ(Tree(dir / "shipped"), shipped);
}

// The last resort lives in the temporary folder, which every user can write:
// a folder someone else prepared there must not be trusted.
// A folder made new, and one that is a symbolic link, are walked by tests/e2e/environment.sh.
TEST_F(PlatformTest, ThePrivateTempFolderIsUsedOnlyWhenItIsOursAndClosed) {
  ScopedEnv tmp("TMPDIR", dir.Path().c_str());
  const std::string own = dir / ("Digmaze-" + std::to_string(getuid()));
  ASSERT_TRUE(fs::create_directory(own));
  chmod(own.c_str(), 02700);  // any bit but the owner's, even one that opens nothing
  CFerroString folder, why;
  EXPECT_FALSE(platform.GetPrivateTempFolder(folder, why));
  EXPECT_STREQ(folder.c_str(), (own + "/").c_str());
  EXPECT_STREQ(why.c_str(), "its mode is 2700, not 0700");
  chmod(own.c_str(), 0700);
  EXPECT_TRUE(platform.GetPrivateTempFolder(folder, why)) << why.c_str();
  // Someone else's folder (only root can make one to test with).
  if (getuid() == 0) {
    ASSERT_EQ(chown(own.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(platform.GetPrivateTempFolder(folder, why));
    EXPECT_STREQ(why.c_str(), "it belongs to user 65534, not to user 0");
  }
}

TEST_F(PlatformTest, ErrorLogGoesToTheDataFolderWhileThePlatformLives) {
  TempDir user;
  {
    // An installed game: its folder is read-only, the data folder is the user's.
    HeadlessPlatform installed(nullptr, "Digmaze", dir.Path());
    installed.unwritable.insert(dir.Path());
    installed.userFolder = user.Path();
    FileError("first");
    FileError("second");
  }
  FileError("after the platform");  // goes nowhere, and reads no freed platform
  EXPECT_EQ(ReadText(user / "error.log"), "first\r\nsecond\r\n");
  EXPECT_FALSE(fs::exists(dir / "error.log"));
}

// What a program started with a pipe writes: read as it comes, never
// waiting for more.
std::string ReadSoFar(GPlatform& platform, PROCESS_DATA& process, bool& open) {
  std::string text;
  open = platform.ReadProcess(&process, text);
  return text;
}

// A started program gets its arguments whole (no shell reads them), an empty
// input and no descriptor of the game but its output pipe; what it writes is
// read while it runs, and its end is told: an exit code, or a crash. One
// that goes on running is ended at once, and nothing is left of it.
TEST_F(PlatformTest, AStartedProgramIsReadAsItRunsAndEndedAtOnce) {
  const std::string program = dir / "bin/talk";
  ASSERT_TRUE(WriteScript(program,
                          "printf '%s|%s|' \"$#\" \"$1\"; cat; ls /proc/self/fd | tr '\\n' ' '\n"
                          "case \"$2\" in crash) kill -SEGV $$;; wait) sleep 60;; esac; exit 3"));
  HostFile open(std::fopen(program.c_str(), "rb"));  // a descriptor the child must not get
  const struct {
    const char* how;
    PROCESS_STATE end;
  } cases[] = {{"exit", PROCESS_STATE::exited}, {"crash", PROCESS_STATE::crashed}};
  for (const auto& c : cases) {
    PROCESS_DATA process;
    ASSERT_TRUE(platform.StartProcess(program.c_str(), {"a b;$(id)", c.how}, &process));
    std::string said;
    bool reading = true;
    while (reading) said += ReadSoFar(platform, process, reading);
    EXPECT_EQ(said, "2|a b;$(id)|0 1 2 3 ") << c.how;
    int code = -1;
    PROCESS_STATE state;
    while ((state = platform.PollProcess(&process, &code)) == PROCESS_STATE::running)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(std::pair(state, code), std::pair(c.end, c.end == PROCESS_STATE::exited ? 3 : -1));
  }

  PROCESS_DATA running;
  ASSERT_TRUE(platform.StartProcess(program.c_str(), {"x", "wait"}, &running));
  std::string said;
  bool reading = true;
  while (said.find(' ') == std::string::npos && reading)
    said += ReadSoFar(platform, running, reading);
  EXPECT_TRUE(reading) << "the output is open while the program sleeps";
  EXPECT_EQ(platform.PollProcess(&running, nullptr), PROCESS_STATE::running);
  const int pid = running.pid;
  EXPECT_TRUE(platform.TerminateProcess(&running));
  EXPECT_EQ(std::tuple(running.pid, running.output, kill(pid, 0)), std::tuple(0, -1, -1))
      << "the program is gone, waited for, and its pipe closed";
  EXPECT_FALSE(platform.TerminateProcess(&running));

  PROCESS_DATA none;
  EXPECT_FALSE(platform.StartProcess((dir / "bin/missing").c_str(), {}, &none));
  EXPECT_EQ(std::pair(none.pid, none.output), std::pair(0, -1));
}

// The check program is found beside the executable in a build, else in the
// helper folder of an installation (beside games/ here).
TEST_F(PlatformTest, ProgramsAreFoundBesideTheGameOrInTheHelperFolder) {
  WriteScript(dir / "build/bin/tool", "exit 0");
  WriteScript(dir / "usr/lib/games/digmaze/tool", "exit 0");
  fs::create_directories(dir / "usr/games");
  const auto found = [this](const std::string& exeFolder) {
    return std::string(
        GPlatformUnix::FindProgram((dir / exeFolder).c_str(), "Digmaze", "tool").c_str());
  };
  EXPECT_EQ(found("build/bin/"), dir / "build/bin/tool");
  EXPECT_EQ(found("usr/games/"), dir / "usr/games/../lib/games/digmaze/tool");
  EXPECT_EQ(found("elsewhere/"), dir / "elsewhere/tool") << "none has it: the first place";
}

// The documents folder a user-dirs.dirs file names, as xdg-user-dir reads it
// (the maps manager's export falls back on the home folder without one).
TEST(DocumentsFolder, TheUserDirsFileNamesIt) {
  const char* cases[][2] = {
      {"# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n", "/home/u/Documents"},
      {"XDG_DESKTOP_DIR=\"$HOME/Desk\"\n  XDG_DOCUMENTS_DIR=\"/srv/d\\\"q/\"\n", "/srv/d\"q"},
      {"XDG_DOCUMENTS_DIR=\"$HOME\"\nXDG_DOCUMENTS_DIR=\"$HOME/B\" # later wins\n", "/home/u/B"},
      {"XDG_DOCUMENTS_DIR=\"relative/d\"\n", ""},
      {"XDG_DOCUMENTS_DIR=\"$HOMEX/d\"\n", ""},
      {"", ""},
  };
  for (auto [text, folder] : cases)
    EXPECT_STREQ(GPlatformUnix::ParseDocumentsFolder(text, CFerroString("/home/u")).c_str(), folder)
        << text;
}

// The game's links are all relative pages of its help folder; the game
// folder may hold characters a URL path cannot.
TEST(ResolveLink, RelativeAddressesBecomeFileUrlsOfTheGameFolder) {
  const char* cases[][3] = {
      {"help/100% sure.html", "/home/a b/", "file:///home/a%20b/help/100%25%20sure.html"},
      {"x.html", "/d\xC3\xA9j\xC3\xA0/a#b?c/", "file:///d%C3%A9j%C3%A0/a%23b%3Fc/x.html"},
      {nullptr, "/g/", ""},
  };
  for (auto [url, folder, expected] : cases)
    EXPECT_STREQ(GPlatformUnix::ResolveLink(url, CFerroString(folder)).c_str(), expected)
        << (url ? url : "null");
}

class OpenLinkTest : public ::testing::Test {
 protected:
  // An opener in dir/bin that records its arguments as "count|first" in dir/args.
  OpenLinkTest() {
    WriteScript(dir / "bin/xdg-open",
                "printf '%s|%s' \"$#\" \"$1\" > \"$(dirname \"$0\")/../args.tmp\"\n"
                "mv \"$(dirname \"$0\")/../args.tmp\" \"$(dirname \"$0\")/../args\"");
  }
  // What the opener was handed, once it has run.
  std::string TakeArgs() {
    for (int i = 0; i < 200 && !fs::exists(dir / "args"); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::string args = ReadText(dir / "args");
    fs::remove(dir / "args");
    return args;
  }

  TempDir dir, game;
  HeadlessPlatform platform{nullptr, "Digmaze", game.Path()};
};

TEST_F(OpenLinkTest, TheAddressIsOneArgumentOfTheOpenerAndNothingStartedFails) {
  const char* old = std::getenv("PATH");
  ScopedEnv path("PATH", (dir / "bin:" + (old ? old : "")).c_str());
  ASSERT_TRUE(platform.OpenLink("help/index.html"));
  EXPECT_EQ(TakeArgs(), "1|file://" + game.Path() + "help/index.html");

  const std::string url = "http://example.org/?q='x\" ; touch " + (dir / "pwned") + " ;$(id)";
  ASSERT_TRUE(platform.OpenLink(url.c_str()));
  EXPECT_EQ(TakeArgs(), "1|" + url);
  EXPECT_FALSE(fs::exists(dir / "pwned"));

  // An opener that goes on running has started a browser. Nothing started is
  // a failure and keeps the window: nothing to open, no opener on the PATH
  // (the exec fails in the child), or an opener that found no browser.
  EXPECT_FALSE(platform.OpenLink(""));
  EXPECT_FALSE(platform.OpenLink(nullptr));
  for (auto [folder, script, opens] : {std::tuple("slow", "exec /bin/sleep 2", true),
                                       {"failing", "exit 3", false},
                                       {"nothing-here", "", false}}) {
    const fs::path opener = fs::path(dir / folder) / "xdg-open";
    if (*script) WriteScript(opener, script);
    ScopedEnv only("PATH", (dir / folder).c_str());
    EXPECT_EQ(platform.OpenLink("help/index.html"), opens) << folder;
  }
  EXPECT_EQ(platform.iconicCalls, 3) << "the game steps aside only for a started browser";
}

}  // namespace

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <functional>
#include <set>
#include <thread>

#include "GUI/foundation/FileError.h"
#include "GUI/platform/FILE_DATA.h"
#include "tests/GUI/platform/HeadlessGame.h"
#include "tests/support/Scoped.h"

namespace fs = std::filesystem;

namespace {

std::string Cwd() {
  return fs::current_path().string();
}

class PlatformTest : public ::testing::Test {
 protected:
  TempDir dir;
  HeadlessPlatform platform{nullptr, "Digmaze", dir.Path()};
};

}  // namespace

TEST_F(PlatformTest, CreatePathMakesEveryLevelAndKeepsTheWorkingDirectory) {
  std::string before = Cwd();
  ASSERT_TRUE(platform.CreatePath((dir / "a/b/c").c_str()));
  EXPECT_TRUE(fs::is_directory(dir / "a/b/c"));
  EXPECT_EQ(Cwd(), before);

  // Relative paths grow from the working directory, which stays put as well.
  {
    ScopeExit back([&before] { fs::current_path(before); });
    fs::current_path(dir.Path());
    EXPECT_TRUE(platform.CreatePath("x\\y/z/"));
    EXPECT_TRUE(fs::is_directory(dir / "x/y/z"));
    EXPECT_EQ(Cwd() + "/", dir.Path());
  }

  // A file in the way stops the walk.
  WriteText(dir / "file", "x");
  EXPECT_FALSE(platform.CreatePath((dir / "file/sub").c_str()));
  EXPECT_EQ(Cwd(), before);

  // The walk stops after 50 levels: a deeper path was not made whole.
  const auto levels = std::count(dir.Path().begin(), dir.Path().end(), '/') - 1;
  std::string fifty = dir.Path(), deeper = dir.Path();
  for (auto i = levels; i < 50; ++i) fifty += "e/";
  for (auto i = levels; i < 51; ++i) deeper += "d/";
  EXPECT_TRUE(platform.CreatePath(fifty.c_str()));
  EXPECT_TRUE(fs::is_directory(fifty));
  EXPECT_FALSE(platform.CreatePath(deeper.c_str()));
}

TEST_F(PlatformTest, PathToAbsolutePathResolvesFoldersAndFiles) {
  fs::create_directories(dir / "d/e");
  std::string real = fs::canonical(dir.Path()).string();
  EXPECT_STREQ(platform.PathToAbsolutePath((dir / "d/e/../e/").c_str()).c_str(),
               (real + "/d/e/").c_str());
  EXPECT_STREQ(platform.PathToAbsolutePath((dir / "d/./missing.txt").c_str()).c_str(),
               (real + "/d/missing.txt").c_str());
  EXPECT_TRUE(platform.PathToAbsolutePath((dir / "nowhere/x.txt").c_str()).IsEmpty());
}

TEST_F(PlatformTest, NestedSearchesWithMasks) {
  for (const char* f : {"a.dmm", "b.txt", ".dmm", "x.dmmx", "s1/c.dmm", "s1/c.txt", "s2/d.dmm"})
    WriteText(dir / f, "x");
  fs::create_directories(dir / "s3");

  EXPECT_EQ(Found(platform, dir.Path(), "*"),
            (std::set<std::string>{"a.dmm", "b.txt", ".dmm", "x.dmmx"}));
  EXPECT_EQ(Found(platform, dir.Path(), "dmm"), std::set<std::string>{"a.dmm"});

  // Each folder's maps are listed by an inner search while the outer one
  // walks the folders; the outer search must still see every folder.
  std::set<std::string> folders, inner;
  for (const char* d = platform.GetFirstFolder(dir.Path().c_str()); d;
       d = platform.GetNextFolder()) {
    std::string folder = d;
    folders.insert(folder);
    for (const std::string& f : Found(platform, dir / folder, "dmm"))
      inner.insert(folder + "/" + f);
  }
  EXPECT_EQ(folders, (std::set<std::string>{"s1", "s2", "s3"}));
  EXPECT_EQ(inner, (std::set<std::string>{"s1/c.dmm", "s2/d.dmm"}));

  EXPECT_EQ(platform.GetFirstFile((dir / "missing").c_str(), "*"), nullptr);
  EXPECT_EQ(platform.GetNextFile(), nullptr);
}

TEST_F(PlatformTest, SaveFileReplacesTheTargetOnlyWhenTheWriteSucceeded) {
  FILE_DATA out;
  out.Create(3);
  out.data[0] = 'a', out.data[1] = 0, out.data[2] = 'z';
  std::string path = dir / "deep/er/file.bin";
  ASSERT_TRUE(platform.SaveFile(path.c_str(), &out));  // makes the folders
  EXPECT_EQ(Load(platform, path), std::string("a\0z", 3));
  EXPECT_EQ(platform.GetFileLength((dir / "none").c_str()), -1);

  // Writes beyond a 16-byte file size limit fail part way: the old file stays, no temporary.
  FILE_DATA big;
  big.Create(64 * 1024);
  {
    ScopedFileSizeLimit small(16);
    EXPECT_FALSE(platform.SaveFile(path.c_str(), &big));
  }
  EXPECT_EQ(ReadText(path), std::string("a\0z", 3));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "deep/er"), fs::directory_iterator{}), 1);
  EXPECT_FALSE(platform.SaveFile((path + "/inside").c_str(), &big));
}

TEST_F(PlatformTest, LoadFileFailuresLeaveNoData) {
  FILE_DATA data;
  data.Create(8);
  EXPECT_FALSE(platform.LoadFile((dir / "missing").c_str(), &data));
  EXPECT_EQ(data.size, 0);
  EXPECT_EQ(data.data, nullptr);
  // A folder opens as a file here but has no sensible length or bytes.
  fs::create_directories(dir / "folder");
  EXPECT_FALSE(platform.LoadFile((dir / "folder").c_str(), &data));
  // Kernel attribute files announce a page but deliver a few bytes: a short read.
  const char* attribute = "/sys/devices/system/cpu/online";
  if (platform.GetFileLength(attribute) == 4096) {
    EXPECT_FALSE(platform.LoadFile(attribute, &data));
    EXPECT_EQ(data.size, 0);
  }
}

TEST_F(PlatformTest, GameFolderIsTheDataFolderWhenWritable) {
  EXPECT_STREQ(platform.GetPathToTemp().c_str(), dir.Path().c_str());
  // The probes leave nothing behind.
  EXPECT_EQ(fs::directory_iterator(dir.Path()), fs::directory_iterator{});

  HeadlessPlatform real(nullptr, "Digmaze", "");
  CFerroString exe = real.GPlatformUnix::GetPathToGame();
  EXPECT_STREQ(exe.c_str(), (fs::canonical("/proc/self/exe").parent_path().string() + "/").c_str());
}

TEST_F(PlatformTest, UserDataFolderFallbacks) {
  ScopedEnv xdg("XDG_DATA_HOME", (dir / "xdg").c_str());
  ScopedEnv home("HOME", (dir / "home").c_str());
  HeadlessPlatform unwritable(nullptr, "Digmaze", "/proc/no/such/folder/");
  EXPECT_STREQ(unwritable.GetPathToTemp().c_str(), (dir / "xdg/Digmaze/").c_str());
  EXPECT_TRUE(fs::is_directory(dir / "xdg/Digmaze"));

  unsetenv("XDG_DATA_HOME");
  EXPECT_STREQ(unwritable.UserDataFolder().c_str(), (dir / "home/.local/share/Digmaze/").c_str());

  // Without HOME the password database names the home folder.
  unsetenv("HOME");
  std::string appName = "DigmazeTest" + std::to_string(getpid());
  HeadlessPlatform homeless(nullptr, appName.c_str(), "/proc/no/such/folder/");
  CFerroString found = homeless.UserDataFolder();
  EXPECT_NE(found.Find(appName.c_str()), -1);
  EXPECT_TRUE(fs::is_directory(found.c_str()));
  fs::remove(found.c_str());
}

// The last resort lives in the temporary folder, which every user can write:
// a folder someone else prepared there must not be trusted.
TEST_F(PlatformTest, ThePrivateTempFolderIsUsedOnlyWhenItIsOursAndClosed) {
  ScopedEnv tmp("TMPDIR", dir.Path().c_str());
  const std::string own = dir / ("Digmaze-" + std::to_string(getuid()));
  struct Case {
    const char* what;
    std::function<void()> prepare;
    const char* why;  // empty when the folder is accepted
  };
  const Case cases[] = {
      {"absent: made with mode 0700", [] {}, ""},
      {"ours and closed", [&] { fs::create_directory(own), chmod(own.c_str(), 0700); }, ""},
      {"open to the group", [&] { fs::create_directory(own), chmod(own.c_str(), 0750); },
       "its mode is 0750, not 0700"},
      {"set-group-id", [&] { fs::create_directory(own), chmod(own.c_str(), 02700); },
       "its mode is 2700, not 0700"},
      {"a symbolic link to a folder",
       [&] {
         fs::create_directory(dir / "elsewhere"),
             fs::create_directory_symlink(dir / "elsewhere", own);
       },
       "it is a symbolic link"},
      {"a file", [&] { WriteText(own, "x"); }, "it is not a folder"},
  };
  for (const Case& c : cases) {
    fs::remove_all(own);
    c.prepare();
    CFerroString folder, why;
    const bool ok = platform.GetPrivateTempFolder(folder, why);
    EXPECT_STREQ(folder.c_str(), (own + "/").c_str()) << c.what;
    EXPECT_EQ(ok, !*c.why) << c.what;
    EXPECT_STREQ(why.c_str(), c.why) << c.what;
    if (ok) {
      EXPECT_EQ(fs::status(own).permissions(), fs::perms::owner_all) << c.what;
    }
  }
  // Someone else's folder (only root can make one to test with).
  if (getuid() == 0) {
    fs::remove_all(own);
    fs::create_directory(own);
    chmod(own.c_str(), 0700);
    ASSERT_EQ(chown(own.c_str(), 65534, 65534), 0);
    CFerroString folder, why;
    EXPECT_FALSE(platform.GetPrivateTempFolder(folder, why));
    EXPECT_STREQ(why.c_str(), "it belongs to user 65534, not to user 0");
  }
}

// Every place passed over is said, with the reason, once the data folder is
// chosen; the temporary folder is the last resort and the game folder is what
// is left when even that is refused.
TEST_F(PlatformTest, EveryFallbackOfTheDataFolderIsReported) {
  TempDir tmpRoot;
  ScopedEnv tmp("TMPDIR", tmpRoot.Path().c_str());
  WriteText(dir / "xdg", "a file where a folder should be");
  ScopedEnv xdg("XDG_DATA_HOME", (dir / "xdg").c_str());
  ScopedEnv home("HOME", nullptr);
  struct Game : HeadlessPlatform {
    using HeadlessPlatform::HeadlessPlatform;
    // Only the temporary folder can be written; the home folders of the user
    // database cannot be used then, whoever runs the test.
    bool IsFolderWritable(const CFerroString& folder) override {
      if (folder.Find(tmpFolder.c_str()) == 0) return HeadlessPlatform::IsFolderWritable(folder);
      errno = EACCES;
      return false;
    }
    std::string tmpFolder;
  };
  // A name of its own, since the home folder of the user database is real.
  const std::string app = "DigmazeTest" + std::to_string(getpid());
  passwd* user = getpwuid(getuid());
  ASSERT_NE(user, nullptr);
  const std::string passwdHome = user->pw_dir;
  ScopeExit clean([&] { fs::remove(passwdHome + "/.local/share/" + app); });
  const std::string own = tmpRoot / (app + "-" + std::to_string(getuid())) + "/";
  for (bool refused : {false, true}) {
    fs::remove_all(own);
    if (refused) fs::create_directory_symlink(dir.Path(), own.substr(0, own.size() - 1));
    Game game(nullptr, app.c_str(), (dir / "game/").c_str());
    game.tmpFolder = tmpRoot.Path();
    testing::internal::CaptureStderr();
    const CFerroString chosen = game.GetPathToTemp();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_STREQ(chosen.c_str(), refused ? (dir / "game/").c_str() : own.c_str());
    for (const std::string& line : {
             "HOME is not set; using the home folder " + passwdHome + " from the user database",
             "cannot use " + (dir / "xdg/") + app + " as the data folder (File exists)",
             "cannot use " + passwdHome + "/.local/share/" + app +
                 " as the data folder (Permission denied)",
         })
      EXPECT_NE(said.find(line), std::string::npos) << said;
    if (refused) {
      EXPECT_NE(said.find("refusing the temporary data folder " + own + ": it is a symbolic link"),
                std::string::npos)
          << said;
      EXPECT_NE(said.find("no writable data folder"), std::string::npos) << said;
    } else {
      EXPECT_NE(said.find("keeping the game's data in the temporary folder " + own),
                std::string::npos)
          << said;
      // The log went to the chosen folder, with the same lines.
      EXPECT_NE(ReadText(own + "error.log").find("HOME is not set"), std::string::npos);
    }
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
  FileError("after the platform");  // Goes nowhere, and reads no freed platform.
  EXPECT_EQ(ReadText(user / "error.log"), "first\r\nsecond\r\n");
  EXPECT_FALSE(fs::exists(dir / "error.log"));
}

TEST_F(PlatformTest, FirstLaunchIsDetectedOncePerVersion) {
  {
    HeadlessGame game(dir.Path());
    ASSERT_TRUE(game.CreateGame(nullptr, 0, 0));
    EXPECT_EQ(game.firstLaunches, 1);
    EXPECT_FALSE(game.GetPlatform()->DetectFirstLaunch());
    EXPECT_EQ(game.firstLaunches, 1);
  }
  {
    HeadlessGame again(dir.Path());
    ASSERT_TRUE(again.CreateGame(nullptr, 0, 0));
    EXPECT_EQ(again.firstLaunches, 0);
  }
  {
    HeadlessGame upgraded(dir.Path(), "1.1");
    ASSERT_TRUE(upgraded.CreateGame(nullptr, 0, 0));
    EXPECT_EQ(upgraded.firstLaunches, 1);
  }
  // The marker holds the version in the stream string form.
  EXPECT_EQ(ReadText(dir / "nofirst.ctl"), std::string("\x03"
                                                       "1.1"));
}

TEST_F(PlatformTest, ScratchBuffersGrowAndRejectBadText) {
  std::string longText = "a\xD0\xB0" + std::string(5000, 'q');  // after shorter texts
  EXPECT_STREQ(platform.wchar_to_utf8(L"\x20AC!"), "\xE2\x82\xAC!");
  const unsigned short* wide =
      platform.Ferro_UTF8to16(reinterpret_cast<const unsigned char*>(longText.c_str()));
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide[1], 0x0430);
  EXPECT_EQ(platform.Ferro_UTF16to8(wide), longText);
  EXPECT_EQ(platform.Ferro_UTF8to16(reinterpret_cast<const unsigned char*>("\xC3(")), nullptr);
}

TEST_F(PlatformTest, OpenLinkPassesTheAddressAsOneArgumentWithoutAShell) {
  std::string stub = dir / "bin/xdg-open";
  WriteText(stub,
            "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$(dirname \"$0\")/../args.tmp\"\n"
            "mv \"$(dirname \"$0\")/../args.tmp\" \"$(dirname \"$0\")/../args\"\n");
  fs::permissions(stub, fs::perms::owner_all);
  ScopedEnv path("PATH", (dir.Path() + "bin:" + (getenv("PATH") ? getenv("PATH") : "")).c_str());

  std::string url = "http://example.org/?q='x\" ; touch " + (dir / "pwned") + " ;$(id)";
  ASSERT_TRUE(platform.OpenLink(url.c_str()));

  for (int i = 0; i < 200 && !fs::exists(dir / "args"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(ReadText(dir / "args"), "1|" + url);
  EXPECT_FALSE(fs::exists(dir / "pwned"));
}

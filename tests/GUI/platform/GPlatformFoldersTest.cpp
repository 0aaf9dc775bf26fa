// Where the game finds its shipped data and where the player's copies go:
// the game folder of a build or an installation, and seeding a per-user
// folder from a shipped one without ever writing the shipped one.
#include <gtest/gtest.h>

#include "tests/GUI/platform/HeadlessGame.h"
#include "tests/support/Scoped.h"

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// Every file under a folder with its contents, "relative/path=contents".
std::set<std::string> Tree(const fs::path& root) {
  std::set<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file())
      out.insert(fs::relative(e.path(), root).string() + "=" + ReadText(e.path()));
  return out;
}

}  // namespace

TEST(GameFolderTest, BesideTheExecutableElseAnInstalledDataFolder) {
  TempDir dir;
  // A build folder: the data beside the executable.
  fs::create_directories(dir / "build/bin/windows");
  // Installations: the executable in bin with the data in share/<name>, or
  // in games with the data in share/games/<name>; a prefix holding both
  // layouts gives each executable its own.
  fs::create_directories(dir / "usr/bin");
  fs::create_directories(dir / "usr/share/digmaze/windows");
  fs::create_directories(dir / "usr/games");
  fs::create_directories(dir / "usr/share/games/digmaze/windows");
  // Either executable folder finds the one layout a prefix has.
  fs::create_directories(dir / "local/games");
  fs::create_directories(dir / "local/bin");
  fs::create_directories(dir / "local/share/digmaze");
  fs::create_directories(dir / "local/share/games/digmaze/windows");
  fs::create_directories(dir / "opt/games");
  fs::create_directories(dir / "opt/share/digmaze/windows");
  // A build folder that was also installed into: beside the executable wins.
  fs::create_directories(dir / "both/bin/windows");
  fs::create_directories(dir / "both/share/digmaze/windows");
  // A share folder without the data does not count.
  fs::create_directories(dir / "empty/bin");
  fs::create_directories(dir / "empty/share/digmaze");
  fs::create_directories(dir / "empty/share/games/digmaze");
  fs::create_directories(dir / "none/bin");

  const struct {
    const char* exe;
    const char* app;
    std::string expected;
  } cases[] = {
      {"build/bin/", "Digmaze", dir / "build/bin/"},
      {"usr/bin/", "Digmaze", dir / "usr/share/digmaze/"},
      {"usr/games/", "Digmaze", dir / "usr/share/games/digmaze/"},
      {"local/games/", "Digmaze", dir / "local/share/games/digmaze/"},
      {"local/bin/", "Digmaze", dir / "local/share/games/digmaze/"},
      {"opt/games/", "Digmaze", dir / "opt/share/digmaze/"},
      {"both/bin/", "Digmaze", dir / "both/bin/"},
      {"empty/bin/", "Digmaze", dir / "empty/bin/"},
      {"none/bin/", "Digmaze", dir / "none/bin/"},
      {"usr/games/", "Other", dir / "usr/games/"},
      {"usr/bin/", "", dir / "usr/bin/"},
  };
  for (const auto& c : cases) {
    // The temporary folder itself may sit behind a symbolic link.
    const std::string expected = fs::weakly_canonical(c.expected).string() + "/";
    const CFerroString exe = (fs::weakly_canonical(dir / c.exe).string() + "/").c_str();
    EXPECT_STREQ(GPlatformUnix::FindGameFolder(exe, c.app).c_str(), expected.c_str())
        << c.exe << " " << c.app;
  }
}

class SeedFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Write(dir / "shipped/level01.dmm", "one");
    Write(dir / "shipped/index.dml", "index");
    Write(dir / "shipped/sub/deep.txt", "deep");
  }
  TempDir dir;
  HeadlessPlatform platform{nullptr, "Digmaze", dir.Path()};
};

TEST_F(SeedFolderTest, CopiesOnceThroughAScratchCopyAndNeverTouchesTheSource) {
  const auto shipped = Tree(dir / "shipped");
  // What an interrupted earlier copy left behind is not taken for the copy.
  Write(dir / "user/Maps.seeding/level01.dmm", "half");
  ASSERT_TRUE(platform.SeedFolder((dir / "shipped/").c_str(), (dir / "user/Maps/").c_str()));
  EXPECT_EQ(Tree(dir / "user/Maps"), shipped);
  EXPECT_FALSE(fs::exists(dir / "user/Maps.seeding"));

  // The player's changes survive later starts, even an emptied folder.
  Write(dir / "user/Maps/level01.dmm", "edited");
  fs::remove(dir / "user/Maps/index.dml");
  ASSERT_TRUE(platform.SeedFolder((dir / "shipped").c_str(), (dir / "user/Maps").c_str()));
  EXPECT_EQ(ReadText(dir / "user/Maps/level01.dmm"), "edited");
  EXPECT_FALSE(fs::exists(dir / "user/Maps/index.dml"));
  EXPECT_EQ(Tree(dir / "shipped"), shipped);

  // Nothing to copy from: no folder is made.
  EXPECT_FALSE(platform.SeedFolder((dir / "missing").c_str(), (dir / "other/Maps").c_str()));
  EXPECT_FALSE(fs::exists(dir / "other/Maps"));
}

TEST_F(SeedFolderTest, TheUserFolderIsNeverTheWritableGameFolder) {
  ScopedEnv xdg("XDG_DATA_HOME", (dir / "xdg").c_str());
  EXPECT_STREQ(platform.GetPathToTemp().c_str(), dir.Path().c_str());
  EXPECT_STREQ(platform.GetPathToUserFolder().c_str(), (dir / "xdg/Digmaze/").c_str());
  EXPECT_TRUE(fs::is_directory(dir / "xdg/Digmaze"));
}

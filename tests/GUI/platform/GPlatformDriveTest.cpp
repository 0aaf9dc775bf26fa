// Paths routed to the mounted resource drives or to the host, and drives
// built from the game folder's sources.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "GUI/platform/FILE_DATA.h"
#include "GUI/resources/GVirtualDrive.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/Scoped.h"

namespace fs = std::filesystem;

namespace {

bool Save(GPlatform& platform, const std::string& path, const std::string& text) {
  FILE_DATA data;
  data.Create(static_cast<int>(text.size()));
  std::copy(text.begin(), text.end(), static_cast<char*>(static_cast<void*>(data.data)));
  return platform.SaveFile(path.c_str(), &data);
}

class DriveTest : public ::testing::Test {
 protected:
  // Mounts a new empty drive called name in the temporary folder.
  std::string NewDrive(const char* name) {
    return platform.CreateVirtualDrive(dir.Path().c_str(), name).c_str();
  }

  TempDir dir;
  HeadlessPlatform platform{nullptr, "Digmaze", dir.Path()};
  // Tests may step into the temporary folder; back out before it goes.
  ScopeExit restoreCwd{[cwd = fs::current_path()] { fs::current_path(cwd); }};
};

// The game reads its drives through these paths and never sets a drive as
// the current folder, so relative paths here all belong to the host.
TEST_F(DriveTest, PathsGoToTheirSlotOrTheHost) {
  ASSERT_EQ(NewDrive("zero"), ":0/");
  ASSERT_EQ(NewDrive("one"), ":1/");
  GVirtualDrive* zero = platform.GetDriveAt(0);
  const struct {
    const char* path;
    GVirtualDrive* drive;
    const char* inner;
  } cases[] = {
      {":0\\a", zero, ":a"},
      {":1", platform.GetDriveAt(1), ":"},
      // No such slot, or a number past any slot: the path is left to the host.
      {":9/x", nullptr, ":9/x"},
      {":99999999999999999999/x", nullptr, ":99999999999999999999/x"},
      {"rel/x.png", nullptr, "rel/x.png"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform.GetVirtualDrive(c.path), c.drive) << c.path;
    EXPECT_STREQ(platform.GetDrivePath().c_str(), c.inner) << c.path;
  }

  // Neither a drive nor the host serves ":0x"; nothing is written on the
  // host under such a name.
  fs::current_path(dir.Path());
  EXPECT_EQ(platform.GetVirtualDrive(":0x"), nullptr);
  EXPECT_FALSE(Save(platform, ":0x", "x"));
  EXPECT_FALSE(fs::exists(dir / ":0x"));
}

// The game collects what a search finds before it opens anything, so
// searches are not nested here.
TEST_F(DriveTest, SearchesOnADriveAndOnTheHost) {
  ASSERT_EQ(NewDrive("tree"), ":0/");
  for (const char* f : {":0/a.png", ":0/b.png", ":0/c.wav", ":0/f1/x.png"})
    ASSERT_TRUE(Save(platform, f, "x"));
  // A mask is an extension: ".dmm" and "x.dmmx" are not maps.
  for (const char* f : {"h/one.dmm", "h/two.dmm", "h/.dmm", "h/x.dmmx"}) WriteText(dir / f, "x");
  EXPECT_EQ(Found(platform, ":0/", "png"), (std::set<std::string>{"a.png", "b.png"}));
  EXPECT_EQ(Found(platform, dir / "h/", "dmm"), (std::set<std::string>{"one.dmm", "two.dmm"}));
  EXPECT_TRUE(Found(platform, ":0/a.png", "*").empty());
  EXPECT_TRUE(Found(platform, dir / "missing", "*").empty());
}

// ConnectVirtualDrive builds a drive from the game folder's "vdd/<name>" folder the first
// time and mounts the stored files afterwards. tests/e2e/drives.sh and environment.sh check
// the built files, an unchanged second start and a read-only game's per-user folder.
class ConnectTest : public DriveTest {
 protected:
  void SetUp() override {
    for (int i = 0; i < 6; ++i) {
      // Files of one to three clusters, so the shuffle has something to move.
      std::string bytes(4096 * (i % 3) + 100 + i, static_cast<char>('a' + i));
      bytes[0] = static_cast<char>(i);
      contents["f" + std::to_string(i) + ".bin"] = bytes;
    }
    contents["sub/inner.txt"] = "inner";
    for (const auto& [name, bytes] : contents) WriteText(dir / ("vdd/pics/" + name), bytes);
  }
  // Connects "pics" and reads every source file back through the drive.
  void ExpectConnected(HeadlessPlatform& p) {
    ASSERT_STREQ(p.ConnectVirtualDrive(dir.Path().c_str(), "pics"), ":0/");
    for (const auto& [name, bytes] : contents) EXPECT_EQ(Load(p, ":0/" + name), bytes) << name;
  }

  std::map<std::string, std::string> contents;
};

TEST_F(ConnectTest, BuiltOnceFromItsSourceAndAgainWhenDamaged) {
  ExpectConnected(platform);
  // Connected again: the same slot; the drive is not mounted twice.
  EXPECT_STREQ(platform.ConnectVirtualDrive(dir.Path().c_str(), "pics"), ":0/");
  EXPECT_EQ(platform.GetDriveCount(), 1);
  const std::pair<const char*, const char*> damages[] = {
      {"pics.vdt", "not a table at all"}, {"pics.vdd", ""}, {"pics.vdd", nullptr}};
  for (const auto& [file, bytes] : damages) {
    SCOPED_TRACE(file + std::string(bytes ? " damaged" : " missing"));
    ASSERT_TRUE(platform.CloseVirtualDrive(":0/"));
    if (bytes)
      WriteText(dir / file, bytes);
    else
      fs::remove(dir / file);
    ExpectConnected(platform);
  }
}

// A missing source with no table is walked by tests/e2e/environment.sh.
TEST_F(ConnectTest, WithoutItsSourceNothingIsBuiltOrRemoved) {
  // A damaged table whose source is gone stays for someone to look at.
  WriteText(dir / "sounds.vdt", "damaged");
  EXPECT_EQ(platform.ConnectVirtualDrive(dir.Path().c_str(), "sounds"), nullptr);
  EXPECT_EQ(ReadText(dir / "sounds.vdt"), "damaged");
  EXPECT_EQ(platform.GetDriveCount(), 0);
}

}  // namespace

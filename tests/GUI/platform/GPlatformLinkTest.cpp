// Opening links: which address reaches the opener, and whether a failed start
// is reported.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/GUI/platform/HeadlessGame.h"
#include "tests/support/Scoped.h"

namespace fs = std::filesystem;

namespace {

std::string Resolve(const char* url, const char* folder = "/games/digmaze/") {
  return GPlatformUnix::ResolveLink(url, CFerroString(folder)).c_str();
}

TEST(ResolveLink, RelativeAddressesBecomeFileUrlsInTheGameFolder) {
  const struct {
    const char* url;
    const char* folder;
    const char* expected;
  } cases[] = {
      {"help/index.html", "/games/digmaze/", "file:///games/digmaze/help/index.html"},
      // Characters a URL path cannot hold, in the folder or in the address.
      {"help/index.html", "/home/a b/My Games/", "file:///home/a%20b/My%20Games/help/index.html"},
      {"help/100% sure.html", "/g/", "file:///g/help/100%25%20sure.html"},
      {"x.html", "/d\xC3\xA9j\xC3\xA0/", "file:///d%C3%A9j%C3%A0/x.html"},
      {"x.html", "/a#b?c/", "file:///a%23b%3Fc/x.html"},
      // A fragment or query of the address itself stays as it is.
      {"help/index.html#keys", "/g/", "file:///g/help/index.html#keys"},
      {"help/a b.html?x=1 2", "/g/", "file:///g/help/a%20b.html?x=1 2"},
      // An absolute path does not go through the game folder.
      {"/usr/share/doc/x y.html", "/g/", "file:///usr/share/doc/x%20y.html"},
      // A colon after a slash is no scheme.
      {"help/a:b.html", "/g/", "file:///g/help/a:b.html"},
  };
  for (const auto& c : cases) EXPECT_EQ(Resolve(c.url, c.folder), c.expected) << c.url;
}

TEST(ResolveLink, AddressesWithASchemePassUnchanged) {
  for (const char* url :
       {"file:///opt/game/help/index.html", "http://example.org/a b",
        "https://example.org/?q=1#top", "mailto:team@example.org", "svn+ssh://host/x"})
    EXPECT_EQ(Resolve(url), url);
}

TEST(ResolveLink, NothingToOpenGivesAnEmptyAddress) {
  EXPECT_EQ(Resolve(nullptr), "");
  EXPECT_EQ(Resolve(""), "");
}

class OpenLinkTest : public ::testing::Test {
 protected:
  // An opener on the PATH that records its arguments as "count|first".
  void InstallOpener() {
    fs::create_directories(dir / "bin");
    const std::string stub = dir / "bin/xdg-open";
    WriteText(stub,
              "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$(dirname \"$0\")/../args.tmp\"\n"
              "mv \"$(dirname \"$0\")/../args.tmp\" \"$(dirname \"$0\")/../args\"\n");
    fs::permissions(stub, fs::perms::owner_all);
  }
  std::string WaitForArgs() {
    for (int i = 0; i < 200 && !fs::exists(dir / "args"); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ReadText(dir / "args");
  }

  TempDir dir;
  TempDir game;
  HeadlessPlatform platform{nullptr, "Digmaze", game.Path()};
};

TEST_F(OpenLinkTest, AShippedPageOpensAsAFileOfTheGameFolder) {
  InstallOpener();
  const char* old = std::getenv("PATH");
  ScopedEnv path("PATH", (dir / "bin:" + (old ? old : "")).c_str());
  ASSERT_TRUE(platform.OpenLink("help/index.html"));
  EXPECT_EQ(WaitForArgs(), "1|file://" + game.Path() + "help/index.html");
  EXPECT_EQ(platform.iconicCalls, 1) << "the game steps aside for the browser";
}

TEST_F(OpenLinkTest, NothingStartedIsAFailureAndKeepsTheWindow) {
  EXPECT_FALSE(platform.OpenLink(""));
  EXPECT_FALSE(platform.OpenLink(nullptr));
  // No opener on the PATH: the exec fails in the child.
  ScopedEnv path("PATH", (dir / "nothing-here").c_str());
  EXPECT_FALSE(platform.OpenLink("help/index.html"));
  EXPECT_EQ(platform.iconicCalls, 0);
}

}  // namespace

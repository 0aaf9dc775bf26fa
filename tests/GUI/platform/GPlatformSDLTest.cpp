#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>

#include "GUI/platform/GPlatformSDL.h"
#include "GUI/toolkit/GComponent.h"
#include "tests/GUI/platform/HeadlessGame.h"

namespace {

// The application over the SDL platform (and no device): input is logged,
// and every main-timer tick runs `onTick`.
class SdlGame : public HeadlessGame {
 public:
  SdlGame() : HeadlessGame("/tmp/") { platform.reset(new GPlatformSDL(this, "DigmazeTest")); }
  GPlatformSDL* Sdl() { return static_cast<GPlatformSDL*>(platform.get()); }

  void SysOnUpdate() override {
    ++ticks;
    if (onTick) onTick(ticks);
  }
  void SysOnChar(unsigned ch, unsigned, unsigned) override {
    calls.push_back("Char " + std::to_string(ch));
  }
  void SysOnMouseWheel(short delta) override { calls.push_back("Wheel " + std::to_string(delta)); }
  void SysOnLButtonDblClk() override { calls.push_back("LDblClk"); }

  int ticks = 0;
  std::function<void(int)> onTick;
};

class TimerOwner : public GComponent {
 public:
  void OnTimer(unsigned timerId) override { fired.push_back(timerId); }
  std::vector<unsigned> fired;
};

int PendingTicks() {
  SDL_PumpEvents();
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_USEREVENT, SDL_USEREVENT);
}

void PushKey(Uint32 type, SDL_Scancode scancode) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.scancode = scancode;
  SDL_PushEvent(&e);
}

void PushText(const char* utf8) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
  SDL_PushEvent(&e);
}

void PushButton(Uint32 type, Uint8 button, Uint8 clicks) {
  SDL_Event e{};
  e.type = type;
  e.button.button = button;
  e.button.clicks = clicks;
  SDL_PushEvent(&e);
}

void PushWheel(int y) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.y = y;
  SDL_PushEvent(&e);
}

void PushQuit() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
}

class PlatformSDLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override { SDL_Quit(); }
};

}  // namespace

TEST(PlatformSDLTables, KeyCodes) {
  const std::pair<int, int> cases[] = {
      {4, 30},
      {5, 48},
      {6, 46},
      {7, 32},
      {8, 18},
      {9, 33},
      {10, 34},
      {11, 35},
      {12, 23},
      {13, 36},
      {14, 37},
      {15, 38},
      {16, 50},
      {17, 49},
      {18, 24},
      {19, 25},
      {20, 16},
      {21, 19},
      {22, 31},
      {23, 20},
      {24, 22},
      {25, 47},
      {26, 17},
      {27, 45},
      {28, 21},
      {29, 44},
      {30, 2},
      {38, 10},
      {39, 11},
      {40, 28},
      {41, 1},
      {42, 14},
      {43, 15},
      {44, 57},
      {45, 12},
      {46, 13},
      {54, 51},
      {58, 59},
      {67, 68},
      {68, 87},
      {69, 88},
      {70, 183},
      {74, 199},
      {76, 211},
      {77, 207},
      {79, 205},
      {80, 203},
      {81, 208},
      {82, 200},
      {84, 41},
      {224, 29},
      {228, 29},
      {225, 42},
      {229, 42},
      {226, 56},
      {230, 56},
      {227, 219},
      {231, 219},
      // Unlisted scancodes give no key.
      {0, 0},
      {3, 0},
      {47, 0},
      {53, 0},
      {55, 0},
      {71, 0},
      {73, 0},
      {75, 0},
      {78, 0},
      {83, 0},
      {85, 0},
      {232, 0},
      {-1, 0},
      {512, 0},
  };
  for (auto [scancode, key] : cases)
    EXPECT_EQ(GPlatformSDL::GetKEY_From_Scancode(scancode), key) << "scancode " << scancode;
}

TEST(PlatformSDLTables, Characters) {
  const std::pair<unsigned short, unsigned> cases[] = {
      {31, 0},       {32, 32},      {97, 97},      {255, 255},    {256, 0},    {0x0401, 168},
      {0x0451, 184}, {0x0410, 192}, {0x0430, 224}, {0x044F, 255}, {0x0450, 0}, {0x20AC, 0},
  };
  for (auto [unit, code] : cases)
    EXPECT_EQ(GPlatformSDL::UTF16ToMultibyte(unit), code) << "unit " << unit;
}

TEST_F(PlatformSDLTest, EventsBecomeApplicationCalls) {
  SdlGame game;
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  PushText("a\xD0\xB0\xE2\x82\xAC");  // "a", U+0430, then the euro sign (dropped)
  PushKey(SDL_KEYUP, SDL_SCANCODE_A);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_F13);  // no key: dropped
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1);
  PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1);
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2);
  PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 2);
  PushWheel(1);
  PushWheel(-1);
  PushQuit();
  EXPECT_EQ(game.Sdl()->MessageLoop(), 0);
  EXPECT_EQ(game.calls, (std::vector<std::string>{"KeyDown 30 0 flags=0", "Char 97", "Char 224",
                                                  "KeyUp 30 flags=0", "LDown flags=0",
                                                  "LUp flags=0", "LDown flags=0", "LDblClk",
                                                  "LUp flags=0", "Wheel 25", "Wheel -25"}));
}

TEST_F(PlatformSDLTest, ClosingTheWindowDuringAModalLoopAnswersIt) {
  SdlGame game;
  game.GetPlatform()->EnterModalLoop();
  PushQuit();
  EXPECT_EQ(game.Sdl()->MessageLoop(), 2);
  game.GetPlatform()->LeaveModalLoop();
}

TEST_F(PlatformSDLTest, QuitEndsOnlyTheInnermostLoop) {
  SdlGame game;
  std::vector<std::string> log;
  game.onTick = [&](int tick) {
    log.push_back("tick " + std::to_string(tick));
    if (tick == 1) {
      GPlatform* platform = game.GetPlatform();
      platform->EnterModalLoop();
      int code = platform->MessageLoop();
      platform->LeaveModalLoop();
      platform->QuitCancel();
      log.push_back("nested " + std::to_string(code));
    } else if (tick == 2) {
      game.Quit(7);
    } else if (tick == 3) {
      game.Quit(0);
    }
  };
  game.SetMainTimer(5);
  EXPECT_EQ(game.Sdl()->MessageLoop(), 0);
  game.KillMainTimer();
  EXPECT_EQ(log, (std::vector<std::string>{"tick 1", "tick 2", "nested 7", "tick 3"}));
}

TEST_F(PlatformSDLTest, AtMostOneTickWaits) {
  SdlGame game;
  game.SetMainTimer(5);
  ASSERT_TRUE(game.IsMainTimer());
  SDL_Delay(100);
  EXPECT_EQ(PendingTicks(), 1);
  EXPECT_TRUE(GPlatformSDL::IsTickPending());

  // A handler that blocks for many periods finds exactly one tick waiting.
  int waitingAfterBlock = -1;
  game.onTick = [&](int tick) {
    if (tick == 1) {
      SDL_Delay(100);
      waitingAfterBlock = PendingTicks();
    }
    if (tick == 3) game.Quit(0);
  };
  game.Sdl()->MessageLoop();
  game.KillMainTimer();
  EXPECT_EQ(waitingAfterBlock, 1);
  EXPECT_EQ(game.ticks, 3);
}

TEST_F(PlatformSDLTest, ARefusedTickDoesNotStopTheTimer) {
  static int refused = 0;
  refused = 0;
  SDL_SetEventFilter(
      [](void*, SDL_Event* e) -> int {
        if (e->type != SDL_USEREVENT) return 1;
        ++refused;
        return 0;
      },
      nullptr);
  TIMER_DATA timer;
  timer.period = 5;
  SdlGame game;
  game.GetPlatform()->SetTimer(&timer);
  SDL_Delay(100);
  SDL_SetEventFilter(nullptr, nullptr);
  EXPECT_GE(refused, 3);
  SDL_Delay(50);
  EXPECT_EQ(PendingTicks(), 1);

  // Stopping the timer also takes back its waiting tick.
  game.GetPlatform()->KillTimer(&timer);
  EXPECT_EQ(timer.handle, 0);
  EXPECT_EQ(PendingTicks(), 0);
  EXPECT_FALSE(GPlatformSDL::IsTickPending());
}

TEST_F(PlatformSDLTest, OwnedTimersReachTheirOwner) {
  SdlGame game;
  TimerOwner owner;
  TIMER_DATA timer;
  timer.owner = &owner;
  timer.id = 42;
  timer.period = 5;
  game.GetPlatform()->SetTimer(&timer);
  game.onTick = [&](int) {};
  SDL_Delay(30);
  PushQuit();
  game.Sdl()->MessageLoop();
  game.GetPlatform()->KillTimer(&timer);
  ASSERT_FALSE(owner.fired.empty());
  EXPECT_EQ(owner.fired[0], 42u);
  EXPECT_EQ(game.ticks, 0);
}

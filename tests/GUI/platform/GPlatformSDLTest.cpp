#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "GUI/platform/GPlatformSDL.h"
#include "GUI/toolkit/GComponent.h"
#include "GUI/toolkit/GMessageBox.h"
#include "tests/GUI/platform/HeadlessGame.h"
#include "tests/support/Scoped.h"

namespace {

// The application over the SDL platform (and no device): input is logged,
// and every main-timer tick runs `onTick`.
class SdlGame : public RecordingGame {
 public:
  SdlGame() : RecordingGame("/tmp/") { ReplacePlatform(new GPlatformSDL(this, "DigmazeTest")); }
  GPlatformSDL* Sdl() { return static_cast<GPlatformSDL*>(platform.get()); }

  void SysOnUpdate() override {
    ++ticks;
    if (onTick) onTick(ticks);
  }
  void SysOnChar(unsigned ch, unsigned, unsigned) override {
    calls.push_back("Char " + std::to_string(ch));
    if (onChar) onChar();
  }
  void SysOnMouseWheel(short delta) override { calls.push_back("Wheel " + std::to_string(delta)); }
  void SysOnLButtonDblClk() override { calls.push_back("LDblClk"); }

  int ticks = 0;
  std::function<void(int)> onTick;
  std::function<void()> onChar;
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

SDL_Event Event(Uint32 type) {
  SDL_Event e{};
  e.type = type;
  return e;
}

void PushKey(Uint32 type, SDL_Scancode scancode) {
  SDL_Event e = Event(type);
  e.key.keysym.scancode = scancode;
  SDL_PushEvent(&e);
}

void PushButton(Uint32 type, Uint8 clicks) {
  SDL_Event e = Event(type);
  e.button.button = SDL_BUTTON_LEFT;
  e.button.clicks = clicks;
  SDL_PushEvent(&e);
}

// Posts a tick of a running timer, as SDL's timer thread does.
void PostTickOf(const TIMER_DATA& timer) {
  OnTimerShotSDL(timer.period, reinterpret_cast<void*>(static_cast<intptr_t>(timer.handle)));
}

void PushQuit() {
  SDL_Event e = Event(SDL_QUIT);
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

TEST(PlatformSDLTables, KeyCodesAndCharacters) {
  // Each scancode and the key it gives; the scancodes from 0 on are unlisted and give no key.
  const int scancodes[] = {4,  5,  6,  7,  8,  9,   10,  11,  12,  13,  14,  15,  16,  17, 18,
                           19, 20, 21, 22, 23, 24,  25,  26,  27,  28,  29,  30,  38,  39, 40,
                           41, 42, 43, 44, 45, 46,  54,  58,  67,  68,  69,  70,  74,  76, 77,
                           79, 80, 81, 82, 84, 224, 228, 225, 229, 226, 230, 227, 231, 75, 78,
                           0,  3,  47, 53, 55, 71,  73,  83,  85,  232, -1,  512};
  const int keys[] = {30,  48,  46,  32,  18, 33, 34, 35, 23, 36, 37, 38,  50,  49,  24,
                      25,  16,  19,  31,  20, 22, 47, 17, 45, 21, 44, 2,   10,  11,  28,
                      1,   14,  15,  57,  12, 13, 51, 59, 68, 87, 88, 183, 199, 211, 207,
                      205, 203, 208, 200, 41, 29, 29, 42, 42, 56, 56, 219, 219, 201, 209,
                      0,   0,   0,   0,   0,  0,  0,  0,  0,  0,  0,  0};
  static_assert(std::size(scancodes) == std::size(keys));
  for (size_t i = 0; i < std::size(keys); ++i)
    EXPECT_EQ(GPlatformSDL::GetKEY_From_Scancode(scancodes[i]), keys[i]) << scancodes[i];
  const std::pair<unsigned short, unsigned> cases[] = {
      {31, 0},       {32, 32},      {97, 97},      {255, 255},    {256, 0},    {0x0401, 168},
      {0x0451, 184}, {0x0410, 192}, {0x0430, 224}, {0x044F, 255}, {0x0450, 0}, {0x20AC, 0}};
  for (auto [unit, code] : cases)
    EXPECT_EQ(GPlatformSDL::UTF16ToMultibyte(unit), code) << "unit " << unit;
}

TEST_F(PlatformSDLTest, EventsBecomeApplicationCalls) {
  SdlGame game;
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  SDL_Event text = Event(SDL_TEXTINPUT);
  SDL_strlcpy(text.text.text, "a\xD0\xB0\xE2\x82\xAC", sizeof text.text.text);  // euro dropped
  SDL_PushEvent(&text);
  PushKey(SDL_KEYUP, SDL_SCANCODE_A);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_F13);  // no key: dropped
  for (Uint8 clicks : {1, 2}) {
    PushButton(SDL_MOUSEBUTTONDOWN, clicks);
    PushButton(SDL_MOUSEBUTTONUP, clicks);
  }
  for (int y : {1, -1}) {
    SDL_Event wheel = Event(SDL_MOUSEWHEEL);
    wheel.wheel.y = y;
    SDL_PushEvent(&wheel);
  }
  PushQuit();
  EXPECT_EQ(game.Sdl()->MessageLoop(), 0);
  EXPECT_EQ(game.calls, (std::vector<std::string>{"KeyDown 30 0 flags=0", "Char 97", "Char 224",
                                                  "KeyUp 30 flags=0", "LDown flags=0",
                                                  "LUp flags=0", "LDown flags=0", "LDblClk",
                                                  "LUp flags=0", "Wheel 25", "Wheel -25"}));
}

TEST_F(PlatformSDLTest, ACharacterHandlerMayConvertTextOfItsOwn) {
  // The handler reuses (and grows) the platform's conversion buffer, as a
  // dialog's nested loop would; the rest of the typed text still arrives.
  SdlGame game;
  const std::string other(4096, 'z');
  game.onChar = [&] {
    game.GetPlatform()->Ferro_UTF8to16(reinterpret_cast<const unsigned char*>(other.c_str()));
  };
  SDL_Event text = Event(SDL_TEXTINPUT);
  SDL_strlcpy(text.text.text, "ab\xD0\xB0", sizeof text.text.text);
  SDL_PushEvent(&text);
  PushQuit();
  game.Sdl()->MessageLoop();
  EXPECT_EQ(game.calls, (std::vector<std::string>{"Char 97", "Char 98", "Char 224"}));
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
  TIMER_DATA timer;
  timer.period = 5;
  SdlGame game;
  {
    ScopedHook refuseTicks([](SDL_EventFilter filter) { SDL_SetEventFilter(filter, nullptr); },
                           [](void*, SDL_Event* e) -> int {
                             if (e->type != SDL_USEREVENT) return 1;
                             ++refused;
                             return 0;
                           });
    game.GetPlatform()->SetTimer(&timer);
    SDL_Delay(100);
  }
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

TEST_F(PlatformSDLTest, ATickPostedBeforeItsTimerWasKilledNeverReachesTheRecord) {
  SdlGame game;
  TimerOwner first, second;
  auto timer = std::make_unique<TIMER_DATA>();
  timer->owner = &first;
  timer->id = 7;
  timer->period = 3600 * 1000;
  game.GetPlatform()->SetTimer(timer.get());
  // A tick posted just before the kill, still on its way (the test holds it out of the queue
  // while the timer is killed and its record freed), arrives after a new timer was started,
  // quite possibly in a record at the same address.
  PostTickOf(*timer);
  SDL_Event late;
  SDL_PumpEvents();
  ASSERT_EQ(SDL_PeepEvents(&late, 1, SDL_GETEVENT, SDL_USEREVENT, SDL_USEREVENT), 1);
  game.GetPlatform()->KillTimer(timer.get());
  EXPECT_EQ(timer->handle, 0);
  timer.reset();
  auto newer = std::make_unique<TIMER_DATA>();
  newer->owner = &second;
  newer->id = 8;
  newer->period = 3600 * 1000;
  game.GetPlatform()->SetTimer(newer.get());
  ASSERT_NE(newer->handle, 0);
  SDL_PushEvent(&late);
  PushQuit();
  game.Sdl()->MessageLoop();
  EXPECT_TRUE(first.fired.empty());
  EXPECT_TRUE(second.fired.empty());

  // A tick waiting in the queue when its timer is killed is taken out, and one that SDL's thread
  // posts while it is told to remove the timer is not delivered.
  PostTickOf(*newer);
  const TIMER_DATA copy = *newer;
  game.GetPlatform()->KillTimer(newer.get());
  newer.reset();
  EXPECT_EQ(PendingTicks(), 0);
  PostTickOf(copy);
  EXPECT_EQ(PendingTicks(), 1);
  PushQuit();
  game.Sdl()->MessageLoop();
  EXPECT_TRUE(second.fired.empty());
  EXPECT_EQ(game.ticks, 0);
}

namespace {

// Asks a question when its timer fires, keeps the answer and ends the main
// loop.
class Asker : public GComponent {
 public:
  void OnTimer(unsigned) override {
    answers.push_back(game->MessageBox("Leave", "Really leave?", MB_OK_CANCEL));
    game->Quit(0);
  }
  std::vector<int> answers;
};

}  // namespace

TEST_F(PlatformSDLTest, AMessageBoxAnswersFromInsideTheRunningLoop) {
  HeadlessGame game("/tmp/");
  game.ReplacePlatform(new GPlatformSDL(&game, "DigmazeTest"));
  Asker asker;
  TIMER_DATA timer;
  timer.owner = &asker;
  timer.period = 3600 * 1000;  // only the ticks posted below
  game.GetPlatform()->SetTimer(&timer);
  struct Case {
    const char* what;
    std::function<void()> answer;
    int expected;
  };
  const Case cases[] = {
      {"Enter",
       [] { PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN), PushKey(SDL_KEYUP, SDL_SCANCODE_RETURN); },
       1},
      {"Escape",
       [] { PushKey(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE), PushKey(SDL_KEYUP, SDL_SCANCODE_ESCAPE); },
       2},
      {"closing the window", [] { PushQuit(); }, 2},
  };
  for (const Case& c : cases) {
    PostTickOf(timer);
    c.answer();
    EXPECT_EQ(game.Play(), 0) << c.what;
    ASSERT_FALSE(asker.answers.empty()) << c.what;
    EXPECT_EQ(asker.answers.back(), c.expected) << c.what;
    // The box is gone and the main loop can run again.
    EXPECT_EQ(game.modal, nullptr) << c.what;
    EXPECT_EQ(game.GetPlatform()->GetModalDepth(), 0) << c.what;
    static_cast<GPlatformSDL*>(game.GetPlatform())->QuitCancel();
  }
  game.GetPlatform()->KillTimer(&timer);
}

TEST_F(PlatformSDLTest, AGamepadGivesItsKeysAndMayBeUnplugged) {
  SdlGame game;
  game.Sdl()->Create();
  // SDL's virtual joystick, with every button and axis of a standard
  // controller, plugged in while the game runs.
  const int index = SDL_JoystickAttachVirtual(
      SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
  ASSERT_GE(index, 0) << SDL_GetError();
  ScopeExit detach([&] { SDL_JoystickDetachVirtual(index); });
  ASSERT_TRUE(SDL_IsGameController(index));
  const auto run = [&] {
    SDL_JoystickUpdate();
    PushQuit();
    EXPECT_EQ(game.Sdl()->MessageLoop(), 0);
    game.Sdl()->QuitCancel();
  };
  run();  // the platform takes the controller

  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr) << SDL_GetError();
  ScopeExit close([&] {
    if (stick) SDL_JoystickClose(stick);
  });
  const auto button = [&](SDL_GameControllerButton b, bool down) {
    SDL_JoystickSetVirtualButton(stick, b, down ? 1 : 0);
    run();
  };
  const auto axis = [&](SDL_GameControllerAxis a, Sint16 value) {
    SDL_JoystickSetVirtualAxis(stick, a, value);
    run();
  };
  button(SDL_CONTROLLER_BUTTON_A, true);
  button(SDL_CONTROLLER_BUTTON_A, false);
  button(SDL_CONTROLLER_BUTTON_START, true);
  button(SDL_CONTROLLER_BUTTON_START, false);
  button(SDL_CONTROLLER_BUTTON_Y, true);  // not mapped
  // The editor's and the focus's buttons: Delete, Tab, Page Up, Page Down.
  for (SDL_GameControllerButton b :
       {SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
        SDL_CONTROLLER_BUTTON_RIGHTSHOULDER}) {
    button(b, true);
    button(b, false);
  }
  // The triggers are Ctrl+Z and Ctrl+Y, pulled past the stick's threshold.
  // SDL gives a trigger half the joystick axis above its middle: -2000
  // reads 15384, -20000 6384.
  axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -2000);
  axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
  axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -2000);  // between the thresholds: still held
  axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -20000);
  axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
  button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);  // Left held twice: no second press
  button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  axis(SDL_CONTROLLER_AXIS_LEFTX, -12000);  // still beyond the release point
  axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
  axis(SDL_CONTROLLER_AXIS_RIGHTX, 32767);  // the right stick is not used
  axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
  button(SDL_CONTROLLER_BUTTON_B, true);
  // Unplugged with Down and Escape held: both are let go.
  SDL_JoystickClose(stick);
  stick = nullptr;
  SDL_JoystickDetachVirtual(index);
  run();
  EXPECT_EQ(game.calls,
            (std::vector<std::string>{
                "KeyDown 57 0 flags=0", "KeyUp 57 flags=0",      "KeyDown 1 0 flags=0",
                "KeyUp 1 flags=0",      "KeyDown 211 0 flags=0", "KeyUp 211 flags=0",
                "KeyDown 15 0 flags=0", "KeyUp 15 flags=0",      "KeyDown 201 0 flags=0",
                "KeyUp 201 flags=0",    "KeyDown 209 0 flags=0", "KeyUp 209 flags=0",
                "KeyDown 29 0 flags=0", "KeyDown 44 0 flags=0",  "KeyUp 44 flags=0",
                "KeyUp 29 flags=0",     "KeyDown 29 0 flags=0",  "KeyDown 21 0 flags=0",
                "KeyUp 21 flags=0",     "KeyUp 29 flags=0",      "KeyDown 203 0 flags=0",
                "KeyUp 203 flags=0",    "KeyDown 208 0 flags=0", "KeyDown 1 0 flags=0",
                "KeyUp 208 flags=0",    "KeyUp 1 flags=0"}));
}

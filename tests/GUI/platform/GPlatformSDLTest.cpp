#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>

#include "GUI/platform/GPlatformSDL.h"
#include "GUI/toolkit/GComponent.h"
#include "GUI/toolkit/GMessageBox.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/Scoped.h"

namespace {

SDL_Event Event(Uint32 type) {
  SDL_Event e{};
  e.type = type;
  return e;
}

void PushQuit() {
  SDL_Event e = Event(SDL_QUIT);
  SDL_PushEvent(&e);
}

// The application over the SDL platform (and no device): input and
// main-timer ticks are logged.
class SdlGame : public RecordingGame {
 public:
  SdlGame() : RecordingGame("/tmp/") { ReplacePlatform(new GPlatformSDL(this, "DigmazeTest")); }
  GPlatformSDL* Sdl() { return static_cast<GPlatformSDL*>(platform.get()); }
  // Runs the loop over what is queued, and then lets it run again.
  void RunQueued() {
    PushQuit();
    EXPECT_EQ(Sdl()->MessageLoop(), 0);
    Sdl()->QuitCancel();
  }

  void SysOnUpdate() override { ++ticks; }
  void PlatformFrame() override { ++frames; }
  void SysOnChar(unsigned ch, unsigned, unsigned) override {
    calls.push_back("Char " + std::to_string(ch));
  }
  void SysOnMouseWheel(short delta) override { calls.push_back("Wheel " + std::to_string(delta)); }
  void SysOnLButtonDblClk() override { calls.push_back("LDblClk"); }
  void SysOnActivate(unsigned active, bool) override {
    calls.push_back("Activate " + std::to_string(active));
  }

  int ticks = 0;
  int frames = 0;
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

void PushKey(Uint32 type, SDL_Scancode scancode, Uint8 repeat = 0) {
  SDL_Event e = Event(type);
  e.key.keysym.scancode = scancode;
  e.key.repeat = repeat;
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

// A timer of the owner whose ticks come only from PostTickOf.
std::unique_ptr<TIMER_DATA> OwnedTimer(GComponent* owner, unsigned id) {
  auto timer = std::make_unique<TIMER_DATA>();
  timer->owner = owner;
  timer->id = id;
  timer->period = 3600 * 1000;
  return timer;
}

class PlatformSDLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  // A tick left marked as waiting would hold up every later test's ticks.
  void TearDown() override {
    EXPECT_FALSE(GPlatformSDL::IsTickPending());
    SDL_Quit();
  }
};

TEST(PlatformSDLTables, KeyCodes) {
  // The table runs by position: a key past a gap shows an entry lost or added
  // (the letters, digits, arrows and Return reach the game in tests/e2e/keys.sh
  // and input.sh). Both keys of a pair give the left-hand code.
  EXPECT_EQ(GPlatformSDL::GetKEY_From_Scancode(SDL_SCANCODE_COMMA), static_cast<int>(KEY_COMMA));
  EXPECT_EQ(GPlatformSDL::GetKEY_From_Scancode(SDL_SCANCODE_RGUI), static_cast<int>(KEY_LSYSTEM));
  for (int scancode : {3, int{SDL_SCANCODE_PERIOD}, SDL_SCANCODE_RGUI + 1, -1, 512})
    EXPECT_EQ(GPlatformSDL::GetKEY_From_Scancode(scancode), 0) << scancode;
}

TEST_F(PlatformSDLTest, EventsBecomeApplicationCalls) {
  SdlGame game;
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  SDL_Event text = Event(SDL_TEXTINPUT);
  // No component of the game reads typed characters (the probe of
  // tests/e2e/input.sh does); Latin and Cyrillic letters pass, the euro not.
  SDL_strlcpy(text.text.text, "a\xD0\xB0\xE2\x82\xAC", sizeof text.text.text);
  SDL_PushEvent(&text);
  PushKey(SDL_KEYUP, SDL_SCANCODE_A);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_F13);  // no key: dropped
  // The system's repeat, even of a key the application no longer counts as
  // held (it makes repeats of its own).
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_B, 1);
  for (Uint8 clicks : {1, 2}) {
    PushButton(SDL_MOUSEBUTTONDOWN, clicks);
    PushButton(SDL_MOUSEBUTTONUP, clicks);
  }
  for (int y : {1, -1}) {
    SDL_Event wheel = Event(SDL_MOUSEWHEEL);
    wheel.wheel.y = y;
    SDL_PushEvent(&wheel);
  }
  for (Uint8 change : {SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_FOCUS_GAINED}) {
    SDL_Event focus = Event(SDL_WINDOWEVENT);
    focus.window.event = change;
    SDL_PushEvent(&focus);
  }
  game.RunQueued();
  EXPECT_EQ(game.calls, (std::vector<std::string>{
                            KeyDownLine(KEY_A), "Char 97", "Char 224", KeyUpLine(KEY_A),
                            "LDown flags=0", "LUp flags=0", "LDown flags=0", "LDblClk",
                            "LUp flags=0", "Wheel 25", "Wheel -25", "Activate 0", "Activate 1"}));
}

// Waits for n posts of a semaphore that calls on other threads (SDL's timer
// thread, an event filter) post: on the calls, never on the clock (the minute
// only keeps a broken build from hanging). The semaphores live as long as the
// process, as a call may still be under way when its timer is removed.
bool Posted(SDL_sem* calls, int n) {
  for (int i = 0; i < n; ++i)
    if (SDL_SemWaitTimeout(calls, 60 * 1000) != 0) return false;
  return true;
}

// Whether a timer of period beside the running ones was called three times,
// then stopped: SDL's timer thread calls timers in the order they are due,
// so by then every running timer of that period or shorter was called at
// least twice.
bool CalledTwiceMore(unsigned period) {
  static SDL_sem* const beside = SDL_CreateSemaphore(0);
  static std::atomic<int> besideCalls;
  while (SDL_SemTryWait(beside) == 0) continue;
  besideCalls = 0;
  const SDL_TimerID id = SDL_AddTimer(
      period,
      [](Uint32 interval, void*) -> Uint32 {
        SDL_SemPost(beside);
        return ++besideCalls < 3 ? interval : 0;
      },
      nullptr);
  return id != 0 && Posted(beside, 3);
}

// A tick refused by the queue must not leave the timer thinking one waits,
// and however long the loop is away, at most one tick waits for it.
TEST_F(PlatformSDLTest, AtMostOneTickWaitsAndARefusedOneDoesNotStopTheTimer) {
  SdlGame game;
  static SDL_sem* const refused = SDL_CreateSemaphore(0);
  while (SDL_SemTryWait(refused) == 0) continue;
  TIMER_DATA timer;
  timer.period = 5;
  {
    ScopedHook refuseTicks([](SDL_EventFilter filter) { SDL_SetEventFilter(filter, nullptr); },
                           [](void*, SDL_Event* e) -> int {
                             if (e->type != SDL_USEREVENT) return 1;
                             SDL_SemPost(refused);
                             return 0;
                           });
    game.GetPlatform()->SetTimer(&timer);
    ASSERT_TRUE(Posted(refused, 2));
  }
  // By then the game's timer has been called at least twice since the queue took ticks.
  ASSERT_TRUE(CalledTwiceMore(timer.period));
  EXPECT_EQ(PendingTicks(), 1);
  // Stopping the timer also takes back its waiting tick.
  game.GetPlatform()->KillTimer(&timer);
  EXPECT_EQ(PendingTicks(), 0);
}

// A frame timer's ticks wait apart from the other timers': however long the
// loop is away, one frame and one main-timer tick wait for it, a waiting
// frame never keeping the tick from being posted, and both are delivered.
TEST_F(PlatformSDLTest, FramesWaitApartAndNeverHoldUpATick) {
  SdlGame game;
  TIMER_DATA frames, ticks;
  frames.frame = true;
  frames.period = 1;
  ticks.period = 5;
  game.GetPlatform()->SetTimer(&frames);
  game.GetPlatform()->SetTimer(&ticks);
  ASSERT_TRUE(CalledTwiceMore(ticks.period));
  const auto waiting = [](Uint32 type) {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, type, type);
  };
  EXPECT_EQ(std::pair(waiting(SDL_USEREVENT), waiting(SDL_USEREVENT + 1)), std::pair(1, 1));
  game.RunQueued();
  EXPECT_GE(game.ticks, 1);
  EXPECT_GE(game.frames, 1);
  game.GetPlatform()->KillTimer(&frames);
  game.GetPlatform()->KillTimer(&ticks);
  EXPECT_EQ(std::pair(waiting(SDL_USEREVENT), waiting(SDL_USEREVENT + 1)), std::pair(0, 0));
}

TEST_F(PlatformSDLTest, TicksReachTheOwnerOfTheTimerStillRunningOnly) {
  SdlGame game;
  GPlatform* platform = game.GetPlatform();
  TimerOwner first, second;
  auto timer = OwnedTimer(&first, 7);
  platform->SetTimer(timer.get());
  PostTickOf(*timer);
  game.RunQueued();
  EXPECT_EQ(first.fired, std::vector<unsigned>{7});

  // A tick posted just before the kill, still on its way (the test holds it out of the queue
  // while the timer is killed and its record freed), arrives after a new timer was started,
  // quite possibly in a record at the same address.
  PostTickOf(*timer);
  SDL_Event late;
  SDL_PumpEvents();
  ASSERT_EQ(SDL_PeepEvents(&late, 1, SDL_GETEVENT, SDL_USEREVENT, SDL_USEREVENT), 1);
  platform->KillTimer(timer.get());
  timer.reset();
  auto newer = OwnedTimer(&second, 8);
  platform->SetTimer(newer.get());
  ASSERT_NE(newer->handle, 0);
  SDL_PushEvent(&late);
  game.RunQueued();
  EXPECT_EQ(first.fired, std::vector<unsigned>{7});
  EXPECT_TRUE(second.fired.empty());
  EXPECT_EQ(game.ticks, 0);  // an owned timer's tick is not the main timer's
  platform->KillTimer(newer.get());
}

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

// Answering a box with the keys is walked by tests/e2e/keys.sh.
TEST_F(PlatformSDLTest, ClosingTheWindowAnswersAMessageBoxAsCancel) {
  HeadlessGame game("/tmp/");
  game.ReplacePlatform(new GPlatformSDL(&game, "DigmazeTest"));
  Asker asker;
  auto timer = OwnedTimer(&asker, 1);
  game.GetPlatform()->SetTimer(timer.get());
  PostTickOf(*timer);
  PushQuit();
  EXPECT_EQ(game.Play(), 0);
  EXPECT_EQ(asker.answers, std::vector<int>{2});
  // The box is gone and the main loop can run again.
  EXPECT_EQ(game.modal, nullptr);
  EXPECT_EQ(game.GetPlatform()->GetModalDepth(), 0);
  game.GetPlatform()->KillTimer(timer.get());
}

TEST_F(PlatformSDLTest, AGamepadGivesItsKeysAndMayBeUnplugged) {
  SdlGame game;
  game.Sdl()->StartControllers();
  // SDL's virtual joystick, with every button and axis of a standard
  // controller, plugged in while the game runs.
  const int index = SDL_JoystickAttachVirtual(
      SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
  ASSERT_GE(index, 0) << SDL_GetError();
  ScopeExit detach([&] { SDL_JoystickDetachVirtual(index); });
  ASSERT_TRUE(SDL_IsGameController(index));
  // Runs the loop over what the controller sent; the key lines it gave must be `lines`.
  const auto expect = [&](const std::vector<std::string>& lines, const std::string& what) {
    SDL_JoystickUpdate();
    game.RunQueued();
    EXPECT_EQ(game.calls, lines) << what;
    game.calls.clear();
  };
  expect({}, "plugged in");  // the platform takes the controller
  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr) << SDL_GetError();
  ScopeExit close([&] {
    if (stick) SDL_JoystickClose(stick);
  });

  // Buttons reach the gamepad's keys; one without a key is dropped.
  // A key the pad holds is marked as the pad's until it is let go.
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
  expect({KeyDownLine(KEY_SPACE)}, "A");
  EXPECT_TRUE(game.IsPadKey(KEY_SPACE));
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 0);
  expect({KeyUpLine(KEY_SPACE)}, "A let go");
  EXPECT_FALSE(game.IsPadKey(KEY_SPACE));
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_Y, 1);
  expect({KeyDownLine(KEY_BACKSPACE)}, "Y");
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_Y, 0);
  expect({KeyUpLine(KEY_BACKSPACE)}, "Y let go");
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_LEFTSTICK, 1);
  expect({}, "the left stick's press gives no key");
  // The triggers are Ctrl+Z and Ctrl+Y, pulled past the stick's threshold.
  // SDL gives a trigger half the joystick axis above its middle: -2000
  // reads 15383 (short of a pull, and still held once pulled), -20000 6383.
  const std::string ctrl = KeyDownLine(KEY_LCONTROL), unctrl = KeyUpLine(KEY_LCONTROL);
  const struct {
    SDL_GameControllerAxis axis;
    Sint16 value;
    std::vector<std::string> lines;
  } moves[] = {
      {SDL_CONTROLLER_AXIS_TRIGGERLEFT, -2000, {}},
      {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767, {ctrl, KeyDownLine(KEY_Z)}},
      {SDL_CONTROLLER_AXIS_TRIGGERLEFT, -2000, {}},
      {SDL_CONTROLLER_AXIS_TRIGGERLEFT, -20000, {KeyUpLine(KEY_Z), unctrl}},
      {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767, {ctrl, KeyDownLine(KEY_Y)}},
      {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768, {KeyUpLine(KEY_Y), unctrl}},
      {SDL_CONTROLLER_AXIS_RIGHTX, 32767, {}},  // the right stick is not used
      {SDL_CONTROLLER_AXIS_LEFTY, 32767, {KeyDownLine(KEY_DOWN)}},
  };
  for (const auto& move : moves) {
    SDL_JoystickSetVirtualAxis(stick, move.axis, move.value);
    expect(move.lines, "axis " + std::to_string(move.axis) + " at " + std::to_string(move.value));
  }
  // Unplugged with Down and Escape held: both are let go.
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_B, 1);
  expect({KeyDownLine(KEY_ESCAPE)}, "B held");
  SDL_JoystickClose(stick);
  stick = nullptr;
  SDL_JoystickDetachVirtual(index);
  expect({KeyUpLine(KEY_DOWN), KeyUpLine(KEY_ESCAPE)}, "unplugged");
}

}  // namespace

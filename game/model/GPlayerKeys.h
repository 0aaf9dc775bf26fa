#pragma once

#include "GUI/toolkit/InputCodes.h"

// The keys of play: the six actions a key can have in a level (the runner's
// five and the rewind, which takes play back), which key
// (framework code) the player gives each of them, the name a script gives
// each action, and the names keys are stored under in the settings. The game
// scene, the recorder and digmaze-sim all go through this one table.
//
// A script (a recording, digmaze-sim's input) names the action the runner
// was told by the name of its default key ("Left", "Right", "Up", "Down",
// "Space" for dig), whatever key the player gave it, so a recording replays
// headless by the same rules under any mapping.

// What a key does in play.
enum PLAYER_KEY : int {
  PLAYER_LEFT,
  PLAYER_RIGHT,
  PLAYER_UP,
  PLAYER_DOWN,
  PLAYER_DIG,
  PLAYER_REWIND,  // held, takes play back; never in a script
  PLAYER_OTHER,   // any other key: it only starts a waiting level
};
// The actions a key can be given to, PLAYER_LEFT .. PLAYER_REWIND.
constexpr int PLAYER_ACTIONS = PLAYER_OTHER;
// The actions a script names, those that steer the runner: PLAYER_LEFT .. PLAYER_DIG.
constexpr int PLAYER_SCRIPTED = PLAYER_REWIND;

// Which key gives each action: the arrows, Space and Backspace unless the
// player chose others. No key gives two actions.
struct CPlayerKeys {
  unsigned codes[PLAYER_ACTIONS] = {KEY_LEFT, KEY_RIGHT, KEY_UP,
                                    KEY_DOWN, KEY_SPACE, KEY_BACKSPACE};

  bool operator==(const CPlayerKeys&) const = default;

  // Why a key cannot be given to an action.
  enum class Refusal {
    none,
    otherAction,  // another action has it
    menuKey,      // Escape and Enter open the in-game menu
    notAllowed,   // the application takes it itself (M, F11, Print Screen),
                  // or it has no name to be kept under (Shift, Alt)
  };
  // The action of a key; PLAYER_OTHER for a key that has none.
  PLAYER_KEY Find(unsigned code) const;
  // Whether code may become the key of action; holder tells the action that
  // has it when the answer is otherAction. Giving an action its own key is allowed.
  Refusal Check(PLAYER_KEY action, unsigned code, PLAYER_KEY* holder = nullptr) const;
  // Gives the key to the action when Check allows it.
  bool Assign(PLAYER_KEY action, unsigned code);
  // The first key of play (in the order of the settings' names) that no action has.
  unsigned FreeKey() const;
};

// What releasing a direction key tells the runner. The rules of a tick are
// the same under both; only what the keys say differs, and a script names
// the way it was played with (see GSimulation).
enum class Steering {
  keepGoing,      // nothing: the runner goes on until it cannot move
  stopOnRelease,  // the direction of the latest direction key still held,
                  // and with none held, to stand at the next square
};
// "keep-going" or "stop-on-release", the name in the settings and scripts.
const char* GetSteeringName(Steering steering);
// The way of a name as GetSteeringName gives it; false for another name.
bool FindSteering(const char* name, Steering& steering);

// The direction keys (PLAYER_LEFT .. PLAYER_DOWN) held, in the order they
// were pressed; a key pressed again moves to the end.
class CHeldDirections {
 public:
  void Press(PLAYER_KEY key);
  void Release(PLAYER_KEY key);
  // The latest key still held; PLAYER_OTHER when none is.
  PLAYER_KEY Latest() const { return count > 0 ? keys[count - 1] : PLAYER_OTHER; }
  bool Holds(PLAYER_KEY key) const;
  void Clear() { count = 0; }
  bool operator==(const CHeldDirections& other) const;

  static bool IsDirection(PLAYER_KEY key) { return key >= PLAYER_LEFT && key <= PLAYER_DOWN; }

 private:
  PLAYER_KEY keys[4] = {};
  int count = 0;
};

// The action of a key under the default keys: digmaze-sim's, and the
// gamepad's (its d-pad and south button play the arrows and Space whatever
// keys the player chose on the keyboard).
PLAYER_KEY GetPlayerKey(unsigned code);
// The script name of an action ("Left", "Right", "Up", "Down", "Space"), or
// null for the rewind and PLAYER_OTHER.
const char* GetPlayerKeyName(PLAYER_KEY action);
// The default key of a script name; "Escape" names the menu key, which
// scripts may hold but which gives no action. KEY_NONE for an unknown name.
unsigned FindPlayerKeyCode(const char* name);

// The name a key is kept under in the settings ("Left", "Space", "A",
// "PageUp", "F5"), or null for a key that cannot be a key of play.
const char* GetKeyName(unsigned code);
// The key of a name as GetKeyName gives it, or KEY_NONE.
unsigned FindKeyByName(const char* name);

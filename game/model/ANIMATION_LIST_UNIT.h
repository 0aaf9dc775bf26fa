#pragma once

#include "game/model/ANIMATION_LIST.h"
#include "game/model/GPlayerKeys.h"

class GRecordReader;

// The runner's animations, its controls, its counters and its sounds.
class ANIMATION_LIST_UNIT : public ANIMATION_LIST {
 public:
  static ANIMATION_LIST_UNIT* GetInstance();

  ANIMATION_LIST_UNIT();

  // Forgets the controls and the direction keys held; the way of steering stays.
  void ClearControl() override;
  bool IsAlien() const override { return false; }
  bool SelectAnimation(GUnit* unit) override;
  void InterruptAnimation(GUnit* unit) override;
  // Writes or reads the 25-byte runner list record, by the stream's direction.
  void Serialize(CFerroStream& stream) override;

  // Tells the runner the direction of a direction key; any other action
  // tells it to stand once it reaches the next square.
  void Steer(PLAYER_KEY action);
  // A direction key pressed or released, as steering says: a press gives its
  // direction; a release under stop-on-release gives the latest direction
  // still held, or with none the stand.
  void PressDirection(PLAYER_KEY action);
  void ReleaseDirection(PLAYER_KEY action);

  // The counters of a new game: 10 lives, no score, no treasure.
  void NewGame();
  // Loads the frames and sounds from the current device, image and sound
  // folders, or forgets them (null frames, no sounds) when the device and the
  // sound object are going away.
  void LoadMedia();
  void ForgetMedia();
  // Adds n to the score, which never drops below 0.
  void AddScore(int n);
  // Counts a treasure; every tenth gives a life.
  void IncreaseTreasure();
  // Takes a life; true while lives remain.
  bool DecrementLife();

  // The counters and controls of a runner list record.
  struct RECORD {
    int moveX = 0;
    int moveY = 0;
    bool dig = false;
    int lives = 0;
    int score = 0;
    int treasures = 0;
  };
  // Reads and checks a record without applying it.
  static bool ReadRecord(GRecordReader& reader, RECORD& out);
  void Apply(const RECORD& record);

  int reserved = 0;
  int moveX = 0;
  int moveY = 0;
  bool dig = false;
  // The runner was told to stand: on its next square it stops, whatever it
  // was doing (only a release under stop-on-release tells it so). Not kept in
  // a saved game.
  bool stop = false;
  // The direction keys held, and how their release steers.
  CHeldDirections held;
  Steering steering = Steering::keepGoing;
  int lives = 10;
  int score = 0;
  int treasures = 0;
  int soundHorizontalStep = -1;
  int soundVerticalStep = -1;
  int soundTreasure = -1;
  int soundLife = -1;
  int soundVictory = -1;
  int soundDeath = -1;
  int soundHole = -1;
};

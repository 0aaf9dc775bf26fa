#pragma once

#include "game/model/ANIMATION_LIST.h"

class GRecordReader;

// The runner's animations, its controls, its counters and its sounds.
class ANIMATION_LIST_UNIT : public ANIMATION_LIST {
 public:
  static ANIMATION_LIST_UNIT* GetInstance();

  ANIMATION_LIST_UNIT();

  void ClearControl() override;
  bool IsAlien() const override { return false; }
  bool SelectAnimation(GUnit* unit) override;
  void InterruptAnimation(GUnit* unit) override;
  // Writes or reads the 25-byte runner list record, by the stream's direction.
  void Serialize(CFerroStream& stream) override;

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

#pragma once

#include "game/model/ANIMATION_LIST.h"

// The aliens' animations and their pursuit of the runner.
class ANIMATION_LIST_ALIEN : public ANIMATION_LIST {
 public:
  static ANIMATION_LIST_ALIEN* GetInstance();

  ANIMATION_LIST_ALIEN();

  bool IsAlien() const override { return true; }
  // A strict pass that keeps aliens on ladders from stepping off into a fall,
  // then, when it found nothing to do, a lenient one.
  bool SelectAnimation(GUnit* alien) override;
  // One pass of the pursuit rule; false when no direction is possible.
  bool SelectAnimation2(GUnit* alien, bool strict);

  // Loads the frames and the closing-hole sound, or forgets them, as the
  // runner's list does.
  void LoadMedia();
  void ForgetMedia();

  int closeHoleSound = -1;
};

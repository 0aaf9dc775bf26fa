#pragma once

#include <memory>

#include "GUI/foundation/CFerroString.h"

class CFerroStream;
class GDevice;
class GSurface;
class GUnit;

// The animation indexes shared by the runner and the aliens.
enum ANIMATION_INDEX {
  ANIM_STAND = 0,
  ANIM_LEFT = 1,
  ANIM_RIGHT = 2,
  ANIM_UP = 3,
  ANIM_DOWN = 4,
  ANIM_FALL = 5,
  ANIM_COUNT = 6,
};

// The direction of an animation in squares; standing and unknown values give (0, 0).
void GetAnimationDirection(int animation, int& dx, int& dy);

// The picture file of a walking frame (from 0) in direction 'L', 'R', 'U' or 'D' of the units
// whose pictures start with prefix ("unit", "alien"), as the art tool writes it.
CFerroString GetFrameFileName(const char* prefix, char direction, int frame);

// One picture of an animation and the step the unit makes while it is shown.
struct FRAME {
  GSurface* image = nullptr;  // not owned; null when the sprite did not load
  int stepX = 0;
  int stepY = 0;
};

// A list of frames. The images belong to the device, not to the animation.
class ANIMATION {
 public:
  virtual ~ANIMATION() = default;

  // Replaces the frames by count frames with these images (may be null) and one step.
  void Build(int count, GSurface* const* images, int stepX, int stepY);

  int frameCount = 0;
  std::unique_ptr<FRAME[]> frames;
};

// The six animations of a kind of unit and the decisions taken for it.
class ANIMATION_LIST {
 public:
  ANIMATION_LIST() = default;
  ANIMATION_LIST(const ANIMATION_LIST&) = delete;
  ANIMATION_LIST& operator=(const ANIMATION_LIST&) = delete;
  virtual ~ANIMATION_LIST() = default;

  // Called at the start and restart of a level to forget the controls.
  virtual void ClearControl() {}
  // Whether the units of this list are aliens.
  virtual bool IsAlien() const = 0;
  // Called by GUnit::Instinct when a unit stands on a square with support;
  // false keeps the unit where it is for this tick.
  virtual bool SelectAnimation(GUnit* unit) = 0;
  // Called by GUnit::Instinct on every tick a unit spends between squares.
  virtual void InterruptAnimation(GUnit*) {}
  // Called by the saved game to store or restore the list's own state.
  virtual void Serialize(CFerroStream&) {}

  // A new device surface read from the image folder, or null.
  static GSurface* LoadSprite(const char* name);
  // Whether the frames' pictures were read from this device (none: never).
  bool HasPicturesOf(const GDevice* device) const { return device && picturesOf == device; }

  ANIMATION animations[ANIM_COUNT];

 protected:
  // Fills animations 0 to 5 for a sprite prefix such as "unit": the standing
  // icon, eight frames each way, and the falling frame.
  void BuildAnimations(const char* prefix, GSurface* standing, GSurface* falling);
  // Keeps every animation's frames and steps but drops their pictures.
  void ForgetFrames();

 private:
  // The device BuildAnimations read the pictures from; none after ForgetFrames.
  const GDevice* picturesOf = nullptr;
};

#include "game/model/ANIMATION_LIST.h"

#include <cstdio>

#include "GUI/graphics/GSurface.h"
#include "game/model/GModelMedia.h"

namespace {
const int dirX[ANIM_COUNT] = {0, -1, 1, 0, 0, 0};
const int dirY[ANIM_COUNT] = {0, 0, 0, -1, 1, 1};
}  // namespace

void GetAnimationDirection(int animation, int& dx, int& dy) {
  dx = 0;
  dy = 0;
  if (animation > 0 && animation < ANIM_COUNT) {
    dx = dirX[animation];
    dy = dirY[animation];
  }
}

CFerroString GetFrameFileName(const char* prefix, char direction, int frame) {
  char name[64];
  std::snprintf(name, sizeof name, "%s_%c_%02d.png", prefix, direction, frame + 1);
  return name;
}

void ANIMATION::Build(int count, GSurface* const* images, int stepX, int stepY) {
  frameCount = count;
  frames = std::make_unique<FRAME[]>(count);
  for (int i = 0; i < count; ++i) frames[i] = FRAME{images[i], stepX, stepY};
}

GSurface* ANIMATION_LIST::LoadSprite(const char* name) {
  return GModelMedia::LoadImage(name);
}

void ANIMATION_LIST::BuildAnimations(const char* prefix, GSurface* standing, GSurface* falling) {
  static const char letters[] = "LRUD";
  static const int steps[4][2] = {{-4, 0}, {4, 0}, {0, -4}, {0, 4}};
  animations[ANIM_STAND].Build(1, &standing, 0, 0);
  for (int way = 0; way < 4; ++way) {
    GSurface* images[8];
    for (int i = 0; i < 8; ++i)
      images[i] = LoadSprite(GetFrameFileName(prefix, letters[way], i).c_str());
    animations[ANIM_LEFT + way].Build(8, images, steps[way][0], steps[way][1]);
  }
  animations[ANIM_FALL].Build(1, &falling, 0, 4);
  picturesOf = GSurface::device;
}

void ANIMATION_LIST::ForgetFrames() {
  picturesOf = nullptr;
  for (ANIMATION& animation : animations)
    for (int i = 0; i < animation.frameCount; ++i) animation.frames[i].image = nullptr;
}

// Loading and forgetting the model's pictures and sounds as a whole, when an
// application comes and goes.
#include "game/model/ANIMATION_LIST_ALIEN.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GCell.h"
#include "game/model/GMap.h"
#include "game/model/GModelMedia.h"

void GModelMedia::LoadAll() {
  GCell::LoadIcons();
  ANIMATION_LIST_UNIT::GetInstance()->LoadMedia();
  ANIMATION_LIST_ALIEN::GetInstance()->LoadMedia();
  GMap::GetInstance()->LoadMedia();
}

void GModelMedia::ForgetAll() {
  GCell::ForgetIcons();
  ANIMATION_LIST_UNIT::GetInstance()->ForgetMedia();
  ANIMATION_LIST_ALIEN::GetInstance()->ForgetMedia();
  GMap::GetInstance()->ForgetMedia();
}

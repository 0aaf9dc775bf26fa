// Loading and forgetting the model's pictures and sounds as a whole, when an
// application comes and goes.
#include "GUI/graphics/GSurface.h"
#include "game/model/ANIMATION_LIST_ALIEN.h"
#include "game/model/ANIMATION_LIST_UNIT.h"
#include "game/model/GCell.h"
#include "game/model/GMap.h"
#include "game/model/GModelMedia.h"

void GModelMedia::LoadAll() {
  GCell::LoadIcons();
  // A list made by the call here loads its media as it is made; reading them
  // again would decode every sprite and sound twice. A list made before, for
  // another device or none, loads them anew.
  ANIMATION_LIST_UNIT* units = ANIMATION_LIST_UNIT::GetInstance();
  if (!units->HasPicturesOf(GSurface::device)) units->LoadMedia();
  ANIMATION_LIST_ALIEN* aliens = ANIMATION_LIST_ALIEN::GetInstance();
  if (!aliens->HasPicturesOf(GSurface::device)) aliens->LoadMedia();
  GMap::GetInstance()->LoadMedia();
}

void GModelMedia::ForgetAll() {
  GCell::ForgetIcons();
  ANIMATION_LIST_UNIT::GetInstance()->ForgetMedia();
  ANIMATION_LIST_ALIEN::GetInstance()->ForgetMedia();
  GMap::GetInstance()->ForgetMedia();
}

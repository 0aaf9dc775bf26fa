#include "GUI/toolkit/GScene.h"

#include "GUI/graphics/GDevice.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"

namespace {

unsigned Now() {
  GPlatform* platform = GComponent::game ? GComponent::game->GetPlatform() : nullptr;
  return platform ? platform->GetTick() : 0;
}

}  // namespace

GScene::GScene() {
  if (game && game->GetDevice()) game->GetDevice()->GetSize(width, height);
}

void GScene::OnUpdate() {
  if (scenePeriod == 0) return;
  unsigned now = Now();
  if (now < lastPeriodTick + scenePeriod) return;
  lastPeriodTick = now;
  OnPeriod();
}

void GScene::SetScenePeriod(unsigned ms) {
  scenePeriod = ms;
  lastPeriodTick = Now();
}

void GScene::RefreshCovering() {
  coveringDirty = false;
}

void GScene::RenderAll() {
  RefreshCovering();
  Draw();
}

#include "GUI/toolkit/GScene.h"

#include "GUI/graphics/GDevice.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"

namespace {

unsigned Now() {
  GPlatform* platform = GComponent::game ? GComponent::game->GetPlatform() : nullptr;
  return platform ? platform->GetTick() : 0;
}

// Passes of the invalidation walk before drawing. One pass reaches
// everything above a dirty component; another is needed only when a
// translucent component repainted one drawn before it.
constexpr int kMaxInvalidationPasses = 8;

}  // namespace

GScene::GScene() {
  if (game && game->GetDevice()) game->GetDevice()->GetSize(width, height);
}

void GScene::OnUpdate() {
  if (scenePeriod == 0) return;
  const unsigned now = Now();
  if (now < lastPeriodTick + scenePeriod) return;
  lastPeriodTick = now;
  OnPeriod();
}

void GScene::SetScenePeriod(unsigned ms) {
  scenePeriod = ms;
  lastPeriodTick = Now();
}

bool GScene::AppendCovering(GComponent* c) {
  if (coveringCount >= kMaxCovering) return false;
  coveringList[coveringCount++] = c;
  return true;
}

void GScene::DetectCovering(GComponent* c) {
  // Depth first: a child's subtree is drawn before its next sibling, which
  // lies above all of it (a dialog over another dialog hides that one's
  // buttons too).
  for (GComponent* child : c->children) {
    if (!child->IsShown() || child->IsModal()) continue;
    if (!AppendCovering(child)) return;
    DetectCovering(child);
  }
}

void GScene::RefreshCovering() {
  if (!coveringDirty) return;
  coveringDirty = false;
  coveringCount = 0;
  AppendCovering(this);
  DetectCovering(this);
  GComponent* modal = game ? game->modal : nullptr;
  if (modal && modal != this && modal->IsShown() && AppendCovering(modal)) DetectCovering(modal);

  for (int i = 0; i < coveringCount; ++i) {
    GComponent* below = coveringList[i];
    const CFerroRect& area = below->GetClipRect();
    below->coveringComponents.clear();
    for (int j = i + 1; j < coveringCount; ++j)
      if (coveringList[j]->GetClipRect().Intersects(area))
        below->coveringComponents.push_back(coveringList[j]);
  }
}

void GScene::RenderAll() {
  RefreshCovering();
  OnBeforeRender();
  for (int i = 0; i < coveringCount; ++i) coveringList[i]->coveredRect = CFerroRect();
  for (int pass = 0; pass < kMaxInvalidationPasses; ++pass) {
    bool again = false;
    for (int i = 0; i < coveringCount; ++i) {
      GComponent* c = coveringList[i];
      if (!c->dirty || c->coveredRect.ContainsRect(c->dirtyRect)) continue;
      c->coveredRect = c->dirtyRect;
      c->InvalidateCoveringComponents();
    }
    for (int i = 0; i < coveringCount && !again; ++i) {
      GComponent* c = coveringList[i];
      again = c->dirty && !c->coveredRect.ContainsRect(c->dirtyRect);
    }
    if (!again) break;
  }
  for (int i = 0; i < coveringCount; ++i) coveringList[i]->Draw();
}

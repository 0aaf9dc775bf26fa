// Modal runs of components, the links the application keeps to them, and
// the guard that keeps a delivery from reaching a destroyed component.
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/toolkit/GComponent.h"
#include "GUI/toolkit/GScene.h"

void GComponent::BeginModal() {
  // Beginning the run of the component that is already modal changes
  // nothing: it would record itself as the focus to return to.
  if (!game || game->modal == this) return;
  // A key held since before the run gives it no repeats: they would press
  // its buttons unseen (Space held through the end of a game answering the
  // box that ends it).
  game->ResetRepeatedKey();
  prevModal = game->modal;
  autoParented = false;
  if (!parent) {
    if (GComponent* scene = game->GetScene()) {
      scene->AddChild(this);
      autoParented = true;
    }
  }
  game->modal = this;
  // Modal components are bounded by the back buffer, not by their parent.
  SetRecalcAbsData();
  Show(true);
  if (parent) ChildTo(parent->GetChildCount() - 1);
  RecalcCovering();
  Invalidate();
  prevFocus = game->focused;
  if (prevFocus == this) return;
  if (prevFocus) {
    prevFocus->SysOnKillFocus();
    prevFocus->Invalidate();
  }
  game->focused = this;
  SysOnSetFocus();
  Invalidate();
}

void GComponent::EndModal(int result) {
  if (!game) return;
  // The nested loop this component runs returns result and ends the run.
  GPlatform* platform = game->GetPlatform();
  if (modalLoopLevel > 0 && platform) {
    platform->Quit(result);
    return;
  }
  if (game->modal == this) game->modal = prevModal;
  prevModal = nullptr;
  Show(false);
  if (autoParented) {
    if (parent) parent->DeleteChild(this, false);
    autoParented = false;
    parent = nullptr;
  }
  if (prevFocus == this) return;
  game->focused = prevFocus;
  if (prevFocus) prevFocus->SysOnSetFocus();
}

int GComponent::DoModal() {
  BeginModal();
  return RunModalLoop();
}

int GComponent::RunModalLoop() {
  GPlatform* platform = game ? game->GetPlatform() : nullptr;
  if (!platform) {
    EndModal(0);
    return 0;
  }
  platform->EnterModalLoop();
  const int outerLevel = modalLoopLevel;
  modalLoopLevel = platform->GetModalDepth();
  GDispatchGuard self(this);
  const int result = platform->MessageLoop();
  platform->LeaveModalLoop();
  if (self) {
    modalLoopLevel = outerLevel;
    EndModal(0);
  }
  platform->QuitCancel();
  return result;
}

void GComponent::ClearLinks() {
  if (!game) return;
  if (game->modal == this) {
    // A modal component hidden, removed or destroyed without EndModal hands
    // the modal role back to the one it interrupted, and the focus to what
    // had it before, as EndModal would.
    GComponent* const outer = prevModal;
    prevModal = nullptr;
    game->modal = outer;
    bool focusInside = false;
    for (GComponent* c = game->focused; c && !focusInside; c = c->parent) focusInside = c == this;
    if (focusInside) {
      GComponent* next = prevFocus && prevFocus != this ? prevFocus : outer;
      game->focused = next;
      if (next) next->SysOnSetFocus();
    }
  }
  if (game->captured == this) {
    game->captured = nullptr;
    game->capturedZone = ZONE_WIN;
  }
  if (game->highlighted == this) {
    game->highlighted = nullptr;
    game->highlightedZone = ZONE_WIN;
  }
  if (game->focused == this) game->focused = nullptr;
  if (game->pressed == this) {
    game->pressed = nullptr;
    game->pressedZone = ZONE_WIN;
  }
  if (game->keyTarget == this) game->keyTarget = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Dispatch guards
// ---------------------------------------------------------------------------------------------

GDispatchGuard::GDispatchGuard(GComponent* component) : target(component), previous(nullptr) {
  if (GGame* game = GComponent::game) {
    previous = game->dispatchGuards;
    game->dispatchGuards = this;
  }
}

GDispatchGuard::~GDispatchGuard() {
  if (GGame* game = GComponent::game; game && game->dispatchGuards == this)
    game->dispatchGuards = previous;
}

void GDispatchGuard::Forget(GComponent* component) {
  GGame* game = GComponent::game;
  for (GDispatchGuard* g = game ? game->dispatchGuards : nullptr; g; g = g->previous)
    if (g->target == component) g->target = nullptr;
}

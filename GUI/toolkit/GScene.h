#pragma once

#include "GUI/toolkit/GDialog.h"

// A full-screen dialog, one of the application's scenes; only the current
// scene is shown. The scene keeps the covering list of its tree: the flat
// drawing order (the scene, then each component followed by its subtree, in
// child order, the modal component and its subtree last) that every frame
// walks instead of the tree.
class GScene : public GDialog {
 public:
  // The longest covering list; components beyond it are not drawn.
  static constexpr int kMaxCovering = 1000;

  // At (0, 0) with the device's scene size.
  GScene();

  bool IsScene() const override { return true; }
  // Hooks for the game's scenes; the frame itself never calls these two.
  virtual void OnCreate() {}
  virtual void OnDestroy() {}
  // Called by GGame::SetScene after this scene became current.
  virtual void OnStart() {}
  // Called by GGame::SetScene before the scene nextScene replaces this one.
  virtual void OnFinish(int nextScene) { (void)nextScene; }
  // Called by GGame::SysOnUpdate on every main-timer tick; runs OnPeriod.
  virtual void OnUpdate();
  // Called by GGame::SetScene before showing the scene.
  virtual void ShowChildrenByDefault() {}
  // Called by OnUpdate once per scene period.
  virtual void OnPeriod() {}
  // Called by RenderAll on every frame before anything is drawn, with the
  // covering list up to date: a scene that draws some of its changes straight
  // into the back buffer does it here, and invalidates what lies over them.
  virtual void OnBeforeRender() {}
  // Called by the application after every main-timer tick: whether the scene
  // has something to draw between ticks (units moving smoothly), so frames
  // are drawn at the display's rate until the next tick asks again.
  virtual bool WantsFramesBetweenTicks() const { return false; }

  // OnPeriod every ms milliseconds (0 = never), the first one period from now.
  void SetScenePeriod(unsigned ms);
  // Rebuilds the covering list when the tree changed since the last time.
  void RefreshCovering();
  // Called by the frame: brings the covering list up to date, passes every
  // dirty rectangle on to the components above it and draws the dirty ones.
  void RenderAll();
  // Called by components when the tree or its geometry changed.
  void MarkCoveringDirty() { coveringDirty = true; }
  bool IsCoveringDirty() const { return coveringDirty; }
  int GetCoveringCount() const { return coveringCount; }

  // The scene that was current before this one (-1 = none); set by SetScene.
  int previousScene = -1;

 protected:
  unsigned scenePeriod = 0;
  unsigned lastPeriodTick = 0;
  bool coveringDirty = true;

 private:
  // Appends each shown, non-modal child of c, followed by its own subtree.
  void DetectCovering(GComponent* c);
  bool AppendCovering(GComponent* c);

  GComponent* coveringList[kMaxCovering] = {};
  int coveringCount = 0;
};

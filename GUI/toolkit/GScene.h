#pragma once

#include "GUI/toolkit/GComponent.h"

// A full-screen component tree, one of the application's scenes. The scene
// covers the device's scene size; only the current scene is shown.
class GScene : public GComponent {
 public:
  GScene();

  bool IsScene() const override { return true; }
  // Hooks for the game's scenes; the frame itself never calls the first two.
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

  // OnPeriod every ms milliseconds (0 = never), the first one period from now.
  void SetScenePeriod(unsigned ms);
  // Brings the drawing order up to date.
  void RefreshCovering();
  // Called by the frame: redraws every dirty part of the scene.
  void RenderAll();

  // The scene that was current before this one (-1 = none); set by SetScene.
  int previousScene = -1;

 protected:
  unsigned scenePeriod = 0;
  unsigned lastPeriodTick = 0;
  bool coveringDirty = true;
};

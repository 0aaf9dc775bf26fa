#pragma once

#include "GUI/foundation/CFerroRect.h"

class GGame;
class GImage;

// Base of every on-screen element. This is the part of the component that the
// application frame relies on: identity, geometry, visibility, the dirty mark
// and the hooks the frame calls; children, zones, themes and event routing
// build on it.
class GComponent {
 public:
  // The application in use; set by it.
  static GGame* game;

  GComponent() = default;
  GComponent(const GComponent&) = delete;
  GComponent& operator=(const GComponent&) = delete;
  virtual ~GComponent();

  // Called by owners to place the component; false when already created.
  virtual bool Create(GComponent* parent, unsigned style, int x, int y, int w, int h, unsigned id);
  virtual void GetPosition(int& x, int& y) const;
  virtual void GetSize(int& w, int& h) const;
  void SetSize(int w, int h);
  // Called by readers of the derived fields when they are marked stale.
  virtual void RecalcAbsData();
  void SetRecalcAbsData() { needRecalcAbs = true; }
  // Called by the application on every update tick while this one is modal.
  virtual void OnUpdateModal() {}
  // Offsets of the inner zone in the window and of the client zone in the
  // inner zone; no frame here.
  virtual void GetInnerOffset(int& x, int& y) const;
  virtual void GetClientOffset(int& x, int& y) const;
  virtual void Invalidate();
  virtual void InvalidateRect(const CFerroRect& rect);
  // Called by the scene's render pass: redraws the dirty part, if shown.
  virtual void Draw();
  virtual bool IsVisibled() const;
  virtual void Show(bool show);
  // Called by the application to end this component's modal run.
  virtual void EndModal(int result);
  virtual bool IsDialog() const { return false; }
  virtual bool IsScene() const { return false; }
  virtual bool IsMenu() const { return false; }
  // Called by the application after the size changed.
  virtual void RecalcLayout() {}
  // Called by Draw with the drawing origin at the client zone: paint here.
  virtual void OnRender() {}
  // Called by the frame to choose the cursor over each zone; null = default.
  virtual GImage* OnSetCursorWIN(unsigned flags, int x, int y);
  virtual GImage* OnSetCursorINNER(unsigned flags, int x, int y);
  virtual GImage* OnSetCursorCLIENT(unsigned flags, int x, int y);
  virtual GImage* OnSetCursor(unsigned flags, int x, int y);
  // Called by the application on every tick while focused (caret blinking).
  virtual void SysOnFocusTimer(unsigned now) { OnFocusTimer(now); }
  virtual void OnFocusTimer(unsigned now) { (void)now; }
  // Called by the platform when a timer owned by this component fires.
  virtual void OnTimer(unsigned id) { (void)id; }

  void GetAbsoluteWindowPosition(int& x, int& y);
  bool IsShown();
  unsigned GetStyle() const { return style; }
  unsigned GetId() const { return id; }
  bool IsDirty() const { return dirty; }

  static constexpr unsigned STYLE_VISIBLE = 0x1;

 protected:
  GComponent* parent = nullptr;
  unsigned id = 0xFFFFFFFFu;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int absX = 0;
  int absY = 0;
  CFerroRect clipRect{-1, -1, -1, -1};
  bool needRecalcAbs = true;
  unsigned style = 0;
  bool dirty = false;
  CFerroRect dirtyRect;
};

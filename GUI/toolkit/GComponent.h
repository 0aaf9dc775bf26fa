#pragma once

#include <vector>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/foundation/CFerroString.h"
#include "GUI/toolkit/InputCodes.h"

class GGame;
class GImage;
class GThemeComponent;

// Colour groups of a component and the states each group has an entry for.
enum COMPONENT_COLOR : int {
  COLOR_BACKGROUND = 0,
  COLOR_TEXT = 1,
  COLOR_BORDER = 2,
  COLOR_CAPTION_BACKGROUND = 3,
  COLOR_CAPTION_TEXT = 4,
};
enum COMPONENT_COLOR_STATE : int {
  COLOR_NORMAL = 0,
  COLOR_DISABLED = 1,
  COLOR_HIGHLIGHTED = 2,
  COLOR_PRESSED = 3,
};

enum COMPONENT_ALIGN_TEXT : int {
  ALIGN_LEFT = 0,
  ALIGN_CENTER = 1,
  ALIGN_RIGHT = 2,
};

// Generated event chains. For each event X the toolkit has three dispatch
// points, WinOnX, InnerOnX and ClientOnX, which the input routing calls for
// the zone under the cursor and which toolkit classes override; each base
// dispatch point only calls its application hook, OnXWIN, OnXINNER or OnX,
// which are empty here and overridden by application code.
//
// Mouse buttons and moves, (flags, x, y) in the zone's coordinates:
//   LButtonDown LButtonUp LButtonClick LButtonDblClk RButtonDown RButtonUp
//   RButtonClick RButtonDblClk MButtonDown MButtonUp MButtonClick
//   MButtonDblClk MouseMove, and MouseEnter (with an extra GLOBAL pair).
// The wheel, (delta); keys and characters, (code, count, flags); and mouse
// leave, (flags). The key, character and wheel dispatch points return true
// to pass the event on along the chain and up to the parents, false when
// they consumed it.
#define GCOMPONENT_MOUSE_CHAIN(X)                          \
  virtual void On##X##WIN(unsigned, int, int) {}           \
  virtual void WinOn##X(unsigned flags, int x, int y) {    \
    On##X##WIN(flags, x, y);                               \
  }                                                        \
  virtual void On##X##INNER(unsigned, int, int) {}         \
  virtual void InnerOn##X(unsigned flags, int x, int y) {  \
    On##X##INNER(flags, x, y);                             \
  }                                                        \
  virtual void On##X(unsigned, int, int) {}                \
  virtual void ClientOn##X(unsigned flags, int x, int y) { \
    On##X(flags, x, y);                                    \
  }

#define GCOMPONENT_KEY_CHAIN(X)                                             \
  virtual void On##X##WIN(unsigned, unsigned, unsigned) {}                  \
  virtual bool WinOn##X(unsigned code, unsigned count, unsigned flags) {    \
    On##X##WIN(code, count, flags);                                         \
    return true;                                                            \
  }                                                                         \
  virtual void On##X##INNER(unsigned, unsigned, unsigned) {}                \
  virtual bool InnerOn##X(unsigned code, unsigned count, unsigned flags) {  \
    On##X##INNER(code, count, flags);                                       \
    return true;                                                            \
  }                                                                         \
  virtual void On##X(unsigned, unsigned, unsigned) {}                       \
  virtual bool ClientOn##X(unsigned code, unsigned count, unsigned flags) { \
    On##X(code, count, flags);                                              \
    return true;                                                            \
  }

// The base of every on-screen element: scenes, dialogs, buttons, pictures,
// static texts. Components form a tree rooted in a scene; a parent owns its
// children (except a modal component that BeginModal lent to the scene).
// Every component has three nested zones (window, inner, client; see
// COMPONENT_ZONE) and every mouse event reaches exactly one component in one
// zone. Drawing is retained: a component marks a dirty rectangle and the
// scene redraws, once per frame, the dirty components and what lies above
// them. The look is the theme's; the component decides geometry, state and
// routing.
//
// Sections of the implementation:
//   GComponent.cpp        construction, tree, geometry, state, hit testing
//   GComponentDraw.cpp    absolute data, invalidation, covering, Draw
//   GComponentModal.cpp   modal runs and the links of the application
class GComponent {
 public:
  // The application in use; set by it.
  static GGame* game;

  GComponent();
  GComponent(const GComponent&) = delete;
  GComponent& operator=(const GComponent&) = delete;
  // Deletes the children it owns, clears every link to itself and leaves
  // its parent.
  virtual ~GComponent();

  // [Tree]
  // Called by owners to place the component into parent (none for a root):
  // false when it was created before. The size is kept within the theme's
  // limits and the application adds its own style bits.
  virtual bool Create(GComponent* parent, unsigned style, int x, int y, int w, int h, unsigned id);
  // Appends child (before a trailing run of minimized dialogs) and takes it.
  void AddChild(GComponent* child);
  // Removes child from the children and, with destroy, deletes it; false
  // when it is not a child.
  bool DeleteChild(GComponent* child, bool destroy);
  // Destroys every child.
  void DeleteAllChildren();
  void SetParent(GComponent* newParent);
  GComponent* GetParent() const { return parent; }
  int Find(const GComponent* child) const;
  // The first direct child with that id, or null.
  GComponent* Find(unsigned childId) const;
  int GetChildCount() const { return static_cast<int>(children.size()); }
  GComponent* GetChild(int index) const;
  // Moves the component to the end of its siblings (before a trailing run
  // of minimized dialogs unless it is one).
  void ToTopmost();
  void ChildTo(int index);
  // The scene at the root of the tree, or null.
  GComponent* GetRootScene();

  // [Geometry] Positions are relative to the parent's client origin.
  virtual void GetPosition(int& x, int& y);
  virtual void GetSize(int& w, int& h);
  void SetPosition(int x, int y);
  void SetSize(int w, int h);
  // Sizes the window so that the client rectangle becomes cw x ch.
  void SetClientSize(int cw, int ch);
  // Inner rectangle at (0, 0): window less the theme's inner gaps.
  virtual void GetInnerRect(CFerroRect* rect);
  virtual void GetInnerOffset(int& x, int& y);
  virtual void GetClientOffset(int& x, int& y);
  // Client rectangle at (0, 0): inner less the client gaps (and scroll bars).
  virtual void GetClientRect(CFerroRect* rect);
  // How far the client content is scrolled; (0, 0) unless a scroller.
  virtual void GetScrollerOffset(int& x, int& y);
  void GetAbsoluteWindowPosition(int& x, int& y);
  void GetAbsoluteWindowRect(CFerroRect* rect);
  // The visible part in back-buffer coordinates; left -1 when not shown.
  const CFerroRect& GetClipRect();
  bool IsShown();
  // Centres the component in its parent (on the back buffer without one).
  void AlignToCenter();
  void AlignToCenterMonitor();
  // Fits the component around its children with the given margins.
  void CorrectSize(const CFerroRect* margins);
  void CorrectSize(int margin);

  // Called by readers of the derived fields when they are marked stale.
  virtual void RecalcAbsData();
  // Marks the derived fields of this component and its subtree stale.
  void SetRecalcAbsData();
  // Whether the parent's client area clips the component (pop-ups say no).
  virtual bool IsClipedByParent() { return true; }
  // Called after the size changed and, when IsRecalcLayout, before drawing.
  virtual void RecalcLayout() {}
  virtual bool IsRecalcLayout() { return false; }

  // [State]
  virtual void Show(bool show);
  // STYLE_VISIBLE set here and in every ancestor.
  virtual bool IsVisibled() const;
  virtual void Enable(bool enable);
  virtual bool IsEnabled() const;
  // Shows the component held down (a button pressed by mouse or key).
  virtual void Fix(bool fix);
  virtual bool IsFixed() const { return fixed; }
  virtual bool IsHighlighted() const;
  virtual bool IsPressed() const;
  virtual bool IsFocused() const;
  virtual bool IsModal() const;
  void SetFocus();
  virtual void SetWindowText(const char* text);
  virtual const CFerroString& GetWindowText() const { return windowText; }
  bool SetFont(int index);
  int GetFont() const { return font; }
  virtual bool SetAlignText(int align);
  int GetAlignText() const { return alignText; }
  unsigned GetStyle() const { return style; }
  void SetStyle(unsigned newStyle) { style = newStyle; }
  unsigned GetId() const { return id; }
  bool IsDirty() const { return dirty; }
  const CFerroRect& GetDirtyRect() const { return dirtyRect; }
  GThemeComponent* GetTheme() const { return theme; }
  void SetTheme(GThemeComponent* drawing) { theme = drawing; }

  // Colours; DEFAULT_COLOR means "ask the theme".
  void SetColor(COMPONENT_COLOR group, COMPONENT_COLOR_STATE state, unsigned color);
  unsigned GetColor(COMPONENT_COLOR group, COMPONENT_COLOR_STATE state) const;
  // The group's colour for the component's current state, falling back to
  // the theme's defaults for the normal and the disabled state.
  unsigned ResolveColor(COMPONENT_COLOR group, unsigned normalDefault,
                        unsigned disabledDefault) const;
  // Copies the font and every colour.
  void CopyAttributesTo(GComponent* other) const;

  // [Hit testing] (absolute coordinates)
  virtual bool IsOver(int x, int y);
  // The deepest component under (x, y), the zone it is hit in and, in x and
  // y, the point in that zone's coordinates; null when this is not hit.
  GComponent* DetectComponentByCursorRecurse(int& x, int& y, int& zone);
  // Called by the routing while this holds the capture: absolute cursor ->
  // window coordinates less the inner offset.
  virtual void CorrectPositionClientForCaptured(int& x, int& y);
  // Called by the routing while this is modal: the component to search from.
  virtual GComponent* CorrectPositionClientForModal(int& x, int& y);

  // [Drawing]
  virtual void Invalidate();
  // Marks rect (window coordinates) for redrawing in the next frame.
  virtual void InvalidateRect(const CFerroRect& rect);
  // Called by the scene's render pass for dirty entries: invalidates the
  // components above this one that overlap its dirty rectangle.
  void InvalidateCoveringComponents();
  // Called by the scene's render pass: redraws the dirty part, if shown.
  virtual void Draw();
  // Marks the covering list of the tree for rebuilding.
  void RecalcCovering();
  const std::vector<GComponent*>& GetCoveringComponents() const { return coveringComponents; }

  // [Modal]
  // Makes the component the modal one (added to the current scene when it
  // has no parent), shown on top and focused; a key repeat under way stops.
  virtual void BeginModal();
  // Ends the modal run; while the component runs a nested loop this only
  // asks that loop to return result.
  virtual void EndModal(int result);
  // BeginModal, then a nested loop until EndModal; returns its result.
  virtual int DoModal();
  // Runs a nested loop for this already modal component until its EndModal
  // asks it to return, then ends the modal state; returns the result.
  int RunModalLoop();
  // Clears every link of the application that points to this component.
  void ClearLinks();

  // [Kinds]
  virtual bool IsButton() const { return false; }
  virtual bool IsStatic() const { return false; }
  virtual bool IsEdit() const { return false; }
  virtual bool IsListBox() const { return false; }
  virtual bool IsTree() const { return false; }
  virtual bool IsDialog() const { return false; }
  virtual bool IsScene() const { return false; }
  virtual bool IsPicture() const { return false; }
  virtual bool IsSinglePicture() const { return false; }
  virtual bool IsDiscretBox() const { return false; }
  virtual bool IsCheckBox() const { return false; }
  virtual bool IsMenu() const { return false; }
  virtual bool IsScroller() const { return false; }
  virtual bool HasVScrollBar() { return false; }
  virtual bool IsButtonCloseVisibled() { return false; }
  virtual bool IsButtonMaximizeVisibled() { return false; }
  virtual bool IsButtonRestoreVisibled() { return false; }
  virtual bool IsButtonMinimizeVisibled() { return false; }
  virtual bool IsButtonCloseHilited() { return false; }
  virtual bool IsButtonMaximizeHilited() { return false; }
  virtual bool IsButtonRestoreHilited() { return false; }
  virtual bool IsButtonMinimizeHilited() { return false; }
  virtual bool IsMinimized() const { return false; }
  virtual bool IsMaximized() const { return false; }

  // [Keyboard focus] Every dialog keeps one of its children (or its own
  // area) as the target of the focus keys: Tab and the arrows move it,
  // Enter and Space press it (GDialog).
  // Whether the component can hold its dialog's keyboard focus; buttons
  // can. The dialog also asks that it is visible and enabled.
  virtual bool IsFocusStop() const { return IsButton(); }
  // Whether the theme draws this component with the focus look: its dialog
  // has the keys, the focus rests here, and the keys were used last.
  bool IsFocusShown() const;
  // Makes this component its dialog's keyboard focus when it can hold it:
  // called by the controls a press or a moving pointer reaches.
  void TakeDialogFocus();

  // [Hooks]
  // Called by the application on every update tick while this is modal.
  virtual void OnUpdateModal() {}
  // Rendering chain, called by Draw. WinOnRender asks the theme to draw the
  // frame and caption, then calls OnRenderWIN; false stops the drawing of a
  // bordered or captioned component. InnerOnRender calls OnRenderINNER; false
  // skips the client zone. ClientOnRender calls OnRender, with the origin at
  // the (scrolled) client origin.
  virtual void OnRenderWIN() {}
  virtual bool WinOnRender();
  virtual void OnRenderINNER() {}
  virtual bool InnerOnRender();
  virtual void OnRender() {}
  virtual void ClientOnRender();
  // Called by Draw to erase a strip of the inner zone (inner coordinates) and
  // the client zone; both ask the theme.
  virtual void OnEraseInner(CFerroRect* rect);
  virtual void OnEraseClient();

  GCOMPONENT_MOUSE_CHAIN(LButtonDown)
  GCOMPONENT_MOUSE_CHAIN(LButtonUp)
  GCOMPONENT_MOUSE_CHAIN(LButtonClick)
  GCOMPONENT_MOUSE_CHAIN(LButtonDblClk)
  GCOMPONENT_MOUSE_CHAIN(RButtonDown)
  GCOMPONENT_MOUSE_CHAIN(RButtonUp)
  GCOMPONENT_MOUSE_CHAIN(RButtonClick)
  GCOMPONENT_MOUSE_CHAIN(RButtonDblClk)
  GCOMPONENT_MOUSE_CHAIN(MButtonDown)
  GCOMPONENT_MOUSE_CHAIN(MButtonUp)
  GCOMPONENT_MOUSE_CHAIN(MButtonClick)
  GCOMPONENT_MOUSE_CHAIN(MButtonDblClk)
  GCOMPONENT_MOUSE_CHAIN(MouseMove)
  GCOMPONENT_KEY_CHAIN(KeyDown)
  GCOMPONENT_KEY_CHAIN(KeyUp)
  GCOMPONENT_KEY_CHAIN(Char)

  // Wheel chain, one notch = +25 or -25.
  virtual void OnMouseWheelWIN(short) {}
  virtual bool WinOnMouseWheel(short delta) {
    OnMouseWheelWIN(delta);
    return true;
  }
  virtual void OnMouseWheelINNER(short) {}
  virtual bool InnerOnMouseWheel(short delta) {
    OnMouseWheelINNER(delta);
    return true;
  }
  virtual void OnMouseWheel(short) {}
  virtual bool ClientOnMouseWheel(short delta) {
    OnMouseWheel(delta);
    return true;
  }

  // Called by the frame to choose the cursor over each zone; null = none.
  virtual GImage* OnSetCursorWIN(unsigned flags, int x, int y);
  virtual GImage* OnSetCursorINNER(unsigned flags, int x, int y);
  virtual GImage* OnSetCursorCLIENT(unsigned flags, int x, int y);
  // Called after OnSetCursorCLIENT; an image returned here wins.
  virtual GImage* OnSetCursor(unsigned flags, int x, int y);

  // Mouse enter: the routing calls GlobalOnMouseEnter when the cursor comes
  // onto the component and the zone's enter dispatch point; GlobalOnMouseEnter
  // and ClientOnMouseEnter call OnMouseEnter. OnMouseEnterGLOBAL is never
  // called by the toolkit.
  GCOMPONENT_MOUSE_CHAIN(MouseEnter)
  virtual void OnMouseEnterGLOBAL(unsigned, int, int) {}
  virtual void GlobalOnMouseEnter(unsigned flags, int x, int y) { OnMouseEnter(flags, x, y); }
  // Mouse leave, the same way round.
  virtual void OnMouseLeaveGLOBAL(unsigned) {}
  virtual void GlobalOnMouseLeave(unsigned flags) { OnMouseLeave(flags); }
  virtual void OnMouseLeaveWIN(unsigned) {}
  virtual void WinOnMouseLeave(unsigned flags) { OnMouseLeaveWIN(flags); }
  virtual void OnMouseLeaveINNER(unsigned) {}
  virtual void InnerOnMouseLeave(unsigned flags) { OnMouseLeaveINNER(flags); }
  virtual void OnMouseLeave(unsigned) {}
  virtual void ClientOnMouseLeave(unsigned flags) { OnMouseLeave(flags); }

  // Called by the routing when the component gains or loses the keyboard
  // focus; losing it also redraws the component.
  virtual void OnSetFocus() {}
  virtual void SysOnSetFocus() { OnSetFocus(); }
  virtual void OnKillFocus() {}
  virtual void SysOnKillFocus();
  // Called by the application on every tick while focused (caret blinking).
  virtual void OnFocusTimer(unsigned) {}
  virtual void SysOnFocusTimer(unsigned now) { OnFocusTimer(now); }
  // Called by SetWindowText after the text changed.
  virtual void OnChangeText() {}
  virtual void SysOnChangeText() { OnChangeText(); }
  // Called by the platform when a timer owned by this component fires.
  virtual void OnTimer(unsigned) {}
  // Called by the routing for the copy, cut and paste shortcuts.
  virtual void OnCopy() {}
  virtual void SysOnCopy() { OnCopy(); }
  virtual void OnCut() {}
  virtual void SysOnCut() { OnCut(); }
  virtual void OnPast() {}
  virtual void SysOnPast() { OnPast(); }
  // Called by AddChild and DeleteChild after the children changed.
  virtual void OnCreateChild(GComponent*) {}
  virtual void OnDestroyChild(GComponent*) {}
  // Called by the input routing when a press this component holds ends
  // without its release: the window lost the input, the scene changed, or
  // another press took the capture over. By then the application no longer
  // counts it as captured or pressed, and no release or click follows. It
  // is also called on the target of a held key whose release will never
  // come. A component that shows or tracks a press (a button held down, a
  // grabbed slider, a stroke) drops it here as if it had never happened;
  // toolkit classes override SysOnCancelPress and call their base, which
  // ends with the application hook OnCancelPress.
  virtual void OnCancelPress() {}
  virtual void SysOnCancelPress() { OnCancelPress(); }
  // Called by its dialog with each key while this component, a focus stop
  // that is not a button (a grid of its own), holds the dialog's keyboard
  // focus, before the dialog's own focus keys; false takes the key.
  virtual bool OnFocusKeyDown(unsigned, unsigned, unsigned) { return true; }

 protected:
  // The theme's inner and client gaps (zero without a theme).
  void GetInnerGap(CFerroRect* gap);
  void GetClientGap(CFerroRect* gap);
  // The whole back buffer in absolute coordinates (empty without one).
  static CFerroRect BackBufferRect();

  GThemeComponent* theme = nullptr;  // the drawing object of this kind; not owned
  GComponent* parent = nullptr;
  unsigned id = 0xFFFFFFFFu;  // -1: not created
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int absX = 0;
  int absY = 0;
  CFerroRect clipRect{-1, -1, -1, -1};
  bool needRecalcAbs = true;
  unsigned style = 0;
  int alignText = ALIGN_LEFT;
  CFerroString windowText;
  bool fixed = false;
  // Owned, in drawing order (later children are drawn above and hit first).
  std::vector<GComponent*> children;
  bool dirty = false;
  CFerroRect dirtyRect;
  GComponent* prevModal = nullptr;
  bool autoParented = false;
  GComponent* prevFocus = nullptr;
  // Later entries of the scene's covering list that overlap this one.
  std::vector<GComponent*> coveringComponents;
  int font = -1;
  unsigned colors[5][4];

 private:
  // The scene builds the covering list from the tree; the application's
  // input routing looks through components for the wheel's target.
  friend class GScene;
  friend class GGame;

  // The dirty rectangle as far as it was already passed on to the covering
  // components in the current render pass.
  CFerroRect coveredRect{0, 0, 0, 0};
  // The level of the nested loop this component runs (0 = none).
  int modalLoopLevel = 0;
};

#undef GCOMPONENT_MOUSE_CHAIN
#undef GCOMPONENT_KEY_CHAIN

// Marks a component that an event is being delivered to. If a handler
// destroys the component, its destructor clears `target`, so the rest of a
// delivery that calls several handlers in a row is skipped instead of
// reaching freed memory. Guards nest (a handler may run a modal loop).
class GDispatchGuard {
 public:
  explicit GDispatchGuard(GComponent* component);
  ~GDispatchGuard();
  GDispatchGuard(const GDispatchGuard&) = delete;
  GDispatchGuard& operator=(const GDispatchGuard&) = delete;

  // The component, or null once it was destroyed.
  GComponent* Get() const { return target; }
  explicit operator bool() const { return target != nullptr; }

  // Called by ~GComponent.
  static void Forget(GComponent* component);

 private:
  GComponent* target;
  GDispatchGuard* previous;
};

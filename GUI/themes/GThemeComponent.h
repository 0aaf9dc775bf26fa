#pragma once

#include "GUI/foundation/CFerroRect.h"

class GComponent;
class GScroller;
class GSurface;
class GTheme;

// The drawing object of one kind of control: the sizes (gaps, border,
// caption, scroll bars, limits), colours, fonts, hit test and drawing that a
// component asks of its theme. Components hold a pointer to the object for
// their kind and never draw their own frame, caption, face or text.
//
// Every size, colour, font and drawing operation the theme has is passed on
// to the owning theme with the component, so a theme subclass changes a look
// for all kinds at once; a drawing-object subclass changes it for one kind.
// Without an owning theme (tests) the answers are those of a control with no
// look: no gaps, no border, nothing drawn, opaque. Rectangles are in the
// component's window coordinates unless a comment says otherwise.
class GThemeComponent {
 public:
  explicit GThemeComponent(GTheme* owner = nullptr) : theme(owner) {}
  GThemeComponent(const GThemeComponent&) = delete;
  GThemeComponent& operator=(const GThemeComponent&) = delete;
  virtual ~GThemeComponent() = default;

  // Called by the component's Draw with the origin at its window: draws the
  // caption (STYLE_CAPTION) and the border (STYLE_BORDER). False stops the
  // drawing of a bordered or captioned component.
  virtual bool RenderWin(GComponent* component);
  // Called by controls that draw their inner zone through the theme (buttons).
  virtual bool RenderInner(GComponent* component);
  // Called by controls' ClientOnRender with the origin at the client zone.
  virtual void RenderClient(GComponent* component);
  // Called by scrollers' InnerOnRender with the origin at the inner zone:
  // bars, arrows and sliders.
  virtual void RenderScroller(GScroller* scroller);
  // The width of a vertical bar and height of a horizontal one.
  virtual int GetSBSize(GComponent* component);
  // The gaps between window and inner rectangle, one per side.
  virtual void GetInnerGap(GComponent* component, CFerroRect* gap);
  // The gaps between inner and client rectangle, one per side.
  virtual void GetClientGap(CFerroRect* gap);
  // Hit test in the component's parent coordinates.
  virtual bool IsOver(GComponent* component, int x, int y);
  // The limits Create and resizing keep a component's size within.
  virtual void GetMinSize(GComponent* component, int& w, int& h);
  virtual void GetMaxSize(GComponent* component, int& w, int& h);
  // Called by Draw for each strip of the inner zone around the client zone
  // (rect in inner coordinates), unless the component has STYLE_NOERASE.
  virtual void EraseInnerRect(GComponent* component, CFerroRect* rect);
  // Called by Draw with the origin at the client zone, unless STYLE_NOERASE.
  virtual void EraseClient(GComponent* component);
  virtual int GetBorderSize(GComponent* component);
  virtual unsigned GetBorderColor(GComponent* component);
  virtual unsigned GetBorderInsideColor(GComponent* component);
  virtual void RenderBorder(GComponent* component);
  virtual void RenderCaption(GComponent* component);
  virtual int GetCaptionHeight(GComponent* component);
  // The caption band; left -1 when the component has none.
  virtual void GetCaptionRect(GComponent* component, CFerroRect* rect);
  // The caption buttons; empty when the component's style has no such box.
  virtual void GetButtonCloseRect(GComponent* component, CFerroRect* rect);
  virtual void GetButtonMaximizeRect(GComponent* component, CFerroRect* rect);
  virtual void GetButtonMinimizeRect(GComponent* component, CFerroRect* rect);
  // The leftmost edge the caption's text must keep clear of: the rectangle
  // of the leftmost caption button present (empty without buttons).
  virtual void GetRightestButtonRect(GComponent* component, CFerroRect* rect);
  virtual unsigned GetBgColor(GComponent* component);
  virtual unsigned GetTextColor(GComponent* component);
  virtual unsigned GetSelectedTextColor(GComponent* component);
  virtual unsigned GetSelectedColor(GComponent* component);
  // The font index for the component's text; -1 for none.
  virtual int GetTextFont(GComponent* component);
  virtual unsigned GetCaptionBgColor(GComponent* component);
  virtual unsigned GetCaptionTextColor(GComponent* component);
  virtual int GetCaptionTextFont(GComponent* component);
  // Whether the component is translucent, so that invalidating it must also
  // repaint what lies beneath.
  virtual bool IsAlpha(GComponent* component);

  GTheme* GetOwner() const { return theme; }
  // The application's back buffer, which the drawing operations draw into;
  // null without an owning theme or back buffer.
  GSurface* GetBackbuffer() const;

 protected:
  // Draws the component's window text in its text font and the colour given,
  // centred in the client zone and moved by (dx, dy).
  void DrawLabel(GComponent* component, unsigned color, int dx, int dy);

  GTheme* theme;  // the owning theme; null for a control without a look
};

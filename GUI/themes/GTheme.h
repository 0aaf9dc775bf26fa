#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "GUI/foundation/CFerroRect.h"
#include "GUI/foundation/CFerroString.h"

class GComponent;
class GGame;
class GImage;
class GScroller;
class GSurface;
class GThemeComponent;

// The cursors a theme provides, each read from a file named after its
// prefix (see GTheme::LoadCursors).
enum CURSOR_ENUM : int {
  CURSOR_ARROW = 0,
  CURSOR_TARGET = 1,
  CURSOR_MOVE = 2,
  CURSOR_TEXT = 3,
  CURSOR_LINK = 4,
  CURSOR_LEFT = 5,
  CURSOR_TOP = 6,
  CURSOR_RIGHT = 7,
  CURSOR_BOTTOM = 8,
  CURSOR_LEFT_TOP = 9,
  CURSOR_LEFT_BOTTOM = 10,
  CURSOR_RIGHT_TOP = 11,
  CURSOR_RIGHT_BOTTOM = 12,
  CURSOR_COUNT = 13,
};

// The kinds of control a theme has a drawing object for (slot 0 is unused).
enum THEME_KIND : int {
  THEME_BUTTON = 1,
  THEME_LISTBOX = 2,
  THEME_COMBOBOX = 3,
  THEME_STATIC = 4,
  THEME_MENU = 5,
  THEME_EDIT = 6,
  THEME_TREE = 7,
  THEME_PICTURE = 8,
  THEME_GRID = 9,
  THEME_DIALOG = 10,
  THEME_CHECKBOX = 11,
  THEME_VALUE_ROW = 12,
  THEME_BUTTON_IMAGE = 13,
  THEME_KIND_COUNT = 14,
};

enum SCROLLER_ARROW_DIRECTION : int {
  ARROW_LEFT = 0,
  ARROW_UP = 1,
  ARROW_RIGHT = 2,
  ARROW_DOWN = 3,
};

enum SCROLLER_BUTTON_STATE : int {
  SB_NORMAL = 0,
  SB_HIGHLIGHTED = 1,
  SB_PRESSED = 2,
  SB_DISABLED = 3,
};

// A look: the fonts, cursors and default colours of the controls, and one
// drawing object per kind of control (GThemeComponent). Components never
// draw themselves; they ask the drawing object of their kind, which by
// default asks the theme with the component as argument. So a theme changes
// a look for every control by overriding an operation here, or for one kind
// of control by overriding it in a drawing object.
//
// Colours are 0xRRGGBB. The operations ending in Default give the theme's
// colour for the normal state, those ending in DisabledDefault for a
// disabled control; the ones taking a component resolve the component's own
// colour group by its state and fall back on those (GComponent::ResolveColor).
// Drawing happens in the back buffer with the origin and clip the caller set.
class GTheme {
 public:
  GTheme(GGame* game, const char* name);
  GTheme(const GTheme&) = delete;
  GTheme& operator=(const GTheme&) = delete;
  virtual ~GTheme();

  // Called once by the application after construction: loads the text and
  // caption fonts, makes the scroll-arrow pictures and loads the cursors.
  virtual bool Create();

  // [Erasing] EraseInnerRect fills a strip of the inner zone (inner
  // coordinates) with the background colour unless it is DEFAULT_COLOR;
  // EraseClient fills the client zone.
  virtual void EraseInnerRect(GComponent* component, CFerroRect* rect);
  virtual void EraseClient(GComponent* component);

  // [Scroll bars] The bar size, and the bars, arrows and sliders of a
  // scroller drawn in its inner coordinates.
  virtual int GetSBSize() = 0;
  virtual void RenderScroller(GScroller* scroller) = 0;

  // [Frame] Gaps, border sizes and colours, and the frame itself.
  virtual void GetInnerGap(GComponent* component, CFerroRect* gap);
  virtual int GetBorderSize(GComponent* component);
  virtual unsigned GetBorderColor(GComponent* component);
  virtual unsigned GetBorderColorDefault();
  virtual unsigned GetBorderColorDisabledDefault();
  virtual unsigned GetBorderInsideColor(GComponent* component);
  virtual void RenderBorder(GComponent* component);
  virtual void RenderBorderThick(GComponent* component);

  // [Caption] The band along the top of a dialog and its buttons.
  virtual int GetCaptionHeight(GComponent* component) = 0;
  virtual void RenderCaption(GComponent* component);
  virtual void RenderButtonClose(GComponent* component);
  virtual void RenderButtonMaximize(GComponent* component);
  virtual void RenderButtonRestore(GComponent* component);
  virtual void RenderButtonMinimize(GComponent* component);
  virtual unsigned GetButtonCloseColor(GComponent* component);
  virtual unsigned GetButtonCloseBgColor(GComponent* component);
  virtual unsigned GetButtonCloseBgHilitedColor(GComponent* component);
  virtual unsigned GetButtonMaximizeColor(GComponent* component);
  virtual unsigned GetButtonMaximizeBgColor(GComponent* component);
  virtual unsigned GetButtonMaximizeBgHilitedColor(GComponent* component);
  virtual unsigned GetButtonMinimizeColor(GComponent* component);
  virtual unsigned GetButtonMinimizeBgColor(GComponent* component);
  virtual unsigned GetButtonMinimizeBgHilitedColor(GComponent* component);
  virtual void RenderBgCaption(GComponent* component, CFerroRect* rect, unsigned color);

  // [Colours]
  virtual unsigned GetBgColor(GComponent* component);
  virtual unsigned GetBgColorDefault();
  virtual unsigned GetBgColorDisabledDefault();
  virtual unsigned GetTextColor(GComponent* component);
  virtual unsigned GetTextColorDefault();
  virtual unsigned GetTextColorDisabledDefault();
  virtual unsigned GetCaptionBgColor(GComponent* component);
  virtual unsigned GetCaptionBgColorDefault();
  virtual unsigned GetCaptionBgColorDisabledDefault();
  virtual unsigned GetCaptionTextColor(GComponent* component);
  virtual unsigned GetCaptionTextColorDefault();
  virtual unsigned GetCaptionTextColorDisabledDefault();
  virtual unsigned GetSelectedTextColor(GComponent* component);
  virtual unsigned GetSelectedColor(GComponent* component);

  // [Fonts] The component's own font when it set one, else the theme's.
  virtual int GetTextFont(GComponent* component);
  virtual const char* GetTextNameFont() = 0;
  virtual int GetCaptionTextFont(GComponent* component);
  virtual const char* GetCaptionTextNameFont() = 0;

  // Whether the component is drawn translucent.
  virtual bool IsAlpha(GComponent* component);
  // The size of a message box's buttons.
  virtual void GetButtonSizeForMessageBox(int& w, int& h);
  // The hook every message-box label passes through; null leaves the label.
  virtual const char* Translate(const char* text);
  // A square picture of size w x h filled with back (transparent when it is
  // DEFAULT_COLOR) with an arrow in arrow colour pointing in direction.
  virtual GSurface* CreateScrollerArrow(unsigned arrow, unsigned back,
                                        SCROLLER_ARROW_DIRECTION direction, int w, int h);
  // Makes the four state pictures of one arrow direction.
  virtual void CreateScrollerButton(SCROLLER_ARROW_DIRECTION direction);
  virtual void GetSBColors(SCROLLER_BUTTON_STATE state, unsigned& arrow, unsigned& back);
  virtual int GetSplitterSize();

  // The font of that file name (without extension) in the theme folder,
  // loaded once; the application's font index.
  int AddFont(const char* name);
  // Reads a picture file of the theme folder into a device surface and keeps
  // it with the pivot given; null when the file cannot be read or decoded.
  GImage* AddPicture(const char* fileName, int pivotX, int pivotY);
  // Reads the cursors of the theme folder's "cursors" folder: files named
  // after a cursor's prefix, "__" and the hot spot as four digits (xxyy).
  // Missing cursors take a related one (see the definition); the arrow also
  // becomes the application's default cursor.
  void LoadCursors();
  GImage* GetCursor(int which) const {
    return which >= 0 && which < CURSOR_COUNT ? cursors[which] : nullptr;
  }
  // Replaces a cursor; false for an unknown cursor. The old image's surface
  // is deleted unless another cursor still shows the same image.
  bool SetCursor(int which, GImage* image);
  // The theme folder: the game folder + name + separator.
  const CFerroString& GetPath();
  const CFerroString& GetName() const { return name; }
  // The drawing object for a kind of control; null for an empty slot.
  GThemeComponent* GetComponentTheme(int kind) const {
    return kind >= 0 && kind < THEME_KIND_COUNT ? components[kind].get() : nullptr;
  }
  // The arrow picture of a direction in a state; null before Create.
  GSurface* GetScrollerArrow(int direction, int state) const {
    return direction >= 0 && direction < 4 && state >= 0 && state < 4 ? arrows[direction][state]
                                                                      : nullptr;
  }
  int GetTextFontIndex() const { return textFont; }
  int GetCaptionFontIndex() const { return captionFont; }
  GGame* GetGame() const { return game; }
  // The application's back buffer, which every drawing operation draws into.
  GSurface* GetBackbuffer() const;

 protected:
  // Installs the drawing object of a kind (the theme owns it).
  void SetComponentTheme(int kind, std::unique_ptr<GThemeComponent> drawing);
  // The component's own drawing object answers for sizes and colours of its
  // kind; a component without one is answered by the theme itself.
  int DrawingBorderSize(GComponent* component);
  unsigned DrawingBorderColor(GComponent* component);
  unsigned DrawingBgColor(GComponent* component);
  // Draws the frame rings from ring `first` to ring `last` (0 is the window's
  // outermost pixel ring): the innermost in the border colour, the outermost
  // of them in the border-inside colour, the rest in the caption background.
  void DrawFrameRings(GComponent* component, int first, int last);
  // Loads a picture file into a new device surface; null on failure (the
  // surface is then given back to the device).
  GSurface* LoadSurface(const CFerroString& path);

  GGame* game;
  CFerroString name;
  CFerroString path;  // empty until GetPath computed it
  std::vector<std::pair<CFerroString, int>> fonts;
  std::vector<GImage*> pictures;  // owned by the device
  std::unique_ptr<GThemeComponent> components[THEME_KIND_COUNT];
  int textFont = 1;
  int captionFont = 1;
  GImage* cursors[CURSOR_COUNT] = {};  // owned by the device
  GSurface* arrows[4][4] = {};         // by direction and state; owned by the device
};

// Each channel of a 0xRRGGBB colour multiplied by factor (truncated, at most
// 0xFF).
unsigned ScaleColor(unsigned color, double factor);
// Each channel of color raised by the matching channel of amount, at most 0xFF.
unsigned AddColor(unsigned color, unsigned amount);

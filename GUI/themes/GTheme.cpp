// The base theme: fonts, cursors, default colours, colour resolution, the
// one-pixel and thick frames, the caption with its buttons, erasing, and the
// scroll-arrow pictures.
//
// Sections: construction and resources; cursors; sizes and colours; frame
// and caption; erasing; scroll arrows; colour arithmetic.
#include "GUI/themes/GTheme.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "GUI/graphics/GDevice.h"
#include "GUI/graphics/GImage.h"
#include "GUI/graphics/GSurface.h"
#include "GUI/platform/FILE_DATA.h"
#include "GUI/platform/GGame.h"
#include "GUI/platform/GPlatform.h"
#include "GUI/themes/GThemeComponent.h"
#include "GUI/toolkit/GComponent.h"

namespace {

// File name prefixes of the cursors, by CURSOR_ENUM.
constexpr const char* kCursorPrefixes[CURSOR_COUNT] = {
    "cursor_arrow",       "cursor_target",   "cursor_move",        "cursor_text",
    "cursor_link",        "cursor_left",     "cursor_top",         "cursor_right",
    "cursor_bottom",      "cursor_left_top", "cursor_left_bottom", "cursor_right_top",
    "cursor_right_bottom"};

// The cursor a file name stands for, with its hot spot, or -1. The name is
// the prefix, "__", then the hot spot's x and y as two decimal digits each;
// anything may follow. The digits are read one at a time, so a name that
// ends early is refused without reading past its end.
int ParseCursorFileName(const char* fileName, int& hotX, int& hotY) {
  const char* separator = std::strstr(fileName, "__");
  if (!separator) return -1;
  const size_t prefixLength = static_cast<size_t>(separator - fileName);
  int which = -1;
  for (int i = 0; i < CURSOR_COUNT; ++i) {
    if (std::strlen(kCursorPrefixes[i]) == prefixLength &&
        std::strncmp(fileName, kCursorPrefixes[i], prefixLength) == 0) {
      which = i;
      break;
    }
  }
  if (which < 0) return -1;
  const char* digits = separator + 2;
  for (int k = 0; k < 4; ++k)
    if (!std::isdigit(static_cast<unsigned char>(digits[k]))) return -1;
  hotX = (digits[0] - '0') * 10 + (digits[1] - '0');
  hotY = (digits[2] - '0') * 10 + (digits[3] - '0');
  return which;
}

// Caption-button glyphs, drawn inside the button square less a quarter of
// its side on every edge.
enum class CaptionGlyph { close, maximize, restore, minimize };

void DrawCaptionButton(GSurface* back, const CFerroRect& r, unsigned bg, unsigned color,
                       CaptionGlyph glyph) {
  if (r.IsEmpty()) return;
  if (bg != DEFAULT_COLOR) back->FillRect(r.left, r.top, r.Width(), r.Height(), bg);
  const int inset = std::max(1, r.Width() / 4);
  const int x0 = r.left + inset, y0 = r.top + inset;
  const int x1 = r.right - 1 - inset, y1 = r.bottom - 1 - inset;
  if (x1 < x0 || y1 < y0) return;
  const int w = x1 - x0 + 1, h = y1 - y0 + 1;
  switch (glyph) {
    case CaptionGlyph::close:
      back->DrawLine(x0, y0, x1, y1, color);
      back->DrawLine(x0, y1, x1, y0, color);
      break;
    case CaptionGlyph::maximize:
      back->DrawRect(x0, y0, w, h, color);
      back->DrawHorizontalLine(x0, y0 + 1, w, color);
      break;
    case CaptionGlyph::restore: {
      // A window behind another, the front one hiding the back one's corner.
      const int k = std::max(2, w * 3 / 4);
      back->DrawRect(x1 - k + 1, y0, k, k, color);
      if (bg != DEFAULT_COLOR) back->FillRect(x0, y1 - k + 1, k, k, bg);
      back->DrawRect(x0, y1 - k + 1, k, k, color);
      break;
    }
    case CaptionGlyph::minimize:
      back->FillRect(x0, y1 - 1, w, 2, color);
      break;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and resources
// ---------------------------------------------------------------------------------------------

GTheme::GTheme(GGame* owner, const char* themeName)
    : game(owner), name(themeName ? themeName : "") {}

GTheme::~GTheme() = default;

bool GTheme::Create() {
  if (const char* fontName = GetTextNameFont()) textFont = AddFont(fontName);
  if (const char* fontName = GetCaptionTextNameFont()) captionFont = AddFont(fontName);
  // Text in the other font reads better than no text at all.
  if (textFont < 0) textFont = captionFont;
  if (captionFont < 0) captionFont = textFont;
  for (int direction = ARROW_LEFT; direction <= ARROW_DOWN; ++direction)
    CreateScrollerButton(static_cast<SCROLLER_ARROW_DIRECTION>(direction));
  LoadCursors();
  return game && game->GetDevice();
}

void GTheme::SetComponentTheme(int kind, std::unique_ptr<GThemeComponent> drawing) {
  if (kind >= 0 && kind < THEME_KIND_COUNT) components[kind] = std::move(drawing);
}

const CFerroString& GTheme::GetPath() {
  GPlatform* platform = game ? game->GetPlatform() : nullptr;
  if (path.IsEmpty() && platform) path = platform->GetPathToGame() + name + platform->GetSlash();
  return path;
}

GSurface* GTheme::GetBackbuffer() const {
  return game ? game->GetBackSurface() : nullptr;
}

int GTheme::AddFont(const char* fontName) {
  if (!fontName) return -1;
  for (const auto& [loaded, index] : fonts)
    if (loaded == fontName) return index;
  // A font that cannot be loaded is remembered too (as -1), so it is not
  // looked for again.
  const CFerroString file = GetPath() + fontName;
  const int index = game ? game->CreateFontex(file.c_str()) : -1;
  fonts.emplace_back(CFerroString(fontName), index);
  if (index < 0 && game && game->GetPlatform()) {
    // A font is a picture and its description; either may be what is wrong.
    GPlatform* platform = game->GetPlatform();
    const CFerroString picture = file + ".tga", description = file + ".txt";
    const char* without = "its text is drawn in the theme's other font, if any";
    if (platform->GetFileLength(picture.c_str()) < 0)
      platform->ReportFileFault(GPlatform::FileFault::missing, "font", picture.c_str(), without);
    else if (platform->GetFileLength(description.c_str()) < 0)
      platform->ReportFileFault(GPlatform::FileFault::missing, "font", description.c_str(),
                                without);
    else
      platform->ReportFileFault(GPlatform::FileFault::damaged, "font", (file + ".tga/.txt").c_str(),
                                without);
  }
  return index;
}

GSurface* GTheme::LoadSurface(const CFerroString& file) {
  GPlatform* platform = game ? game->GetPlatform() : nullptr;
  GDevice* device = game ? game->GetDevice() : nullptr;
  if (!platform || !device) return nullptr;
  FILE_DATA data;
  if (!platform->LoadFile(file.c_str(), &data)) {
    platform->ReportFileFault(GPlatform::FileFault::missing, "picture", file.c_str(),
                              "it is left blank");
    return nullptr;
  }
  GSurface* surface = device->AddSurface();
  if (surface && !surface->Load(data.data, data.size)) {
    device->DeleteSurface(surface);
    platform->ReportFileFault(GPlatform::FileFault::damaged, "picture", file.c_str(),
                              "it is left blank");
    return nullptr;
  }
  return surface;
}

GImage* GTheme::AddPicture(const char* fileName, int pivotX, int pivotY) {
  if (!fileName) return nullptr;
  GSurface* surface = LoadSurface(GetPath() + fileName);
  if (!surface) return nullptr;
  GImage* image = game->GetDevice()->AddPicture(surface, pivotX, pivotY);
  pictures.push_back(image);
  return image;
}

// ---------------------------------------------------------------------------------------------
// Cursors
// ---------------------------------------------------------------------------------------------

void GTheme::LoadCursors() {
  for (int i = 0; i < CURSOR_COUNT; ++i) SetCursor(i, nullptr);
  GPlatform* platform = game ? game->GetPlatform() : nullptr;
  if (platform && game->GetDevice()) {
    const CFerroString folder = GetPath() + "cursors" + platform->GetSlash();
    // The names are gathered first and sorted, so that of two files for one
    // cursor the same one wins whatever order the folder lists them in.
    std::vector<CFerroString> names;
    for (const char* file = platform->GetFirstFile(folder.c_str(), "png"); file;
         file = platform->GetNextFile())
      names.emplace_back(file);
    std::sort(names.begin(), names.end());
    for (const CFerroString& file : names) {
      int hotX = 0, hotY = 0;
      const int which = ParseCursorFileName(file.c_str(), hotX, hotY);
      if (which < 0 || cursors[which]) continue;
      if (GSurface* surface = LoadSurface(folder + file))
        cursors[which] = game->GetDevice()->AddPicture(surface, hotX, hotY);
    }
  }

  // Missing cursors borrow a related image: the pointing ones the arrow, each
  // resize cursor its opposite, or else the arrow. The move cursor has none.
  for (int which : {CURSOR_TARGET, CURSOR_TEXT, CURSOR_LINK})
    if (!cursors[which]) cursors[which] = cursors[CURSOR_ARROW];
  static constexpr int kPairs[][2] = {{CURSOR_LEFT, CURSOR_RIGHT},
                                      {CURSOR_TOP, CURSOR_BOTTOM},
                                      {CURSOR_LEFT_TOP, CURSOR_RIGHT_BOTTOM},
                                      {CURSOR_LEFT_BOTTOM, CURSOR_RIGHT_TOP}};
  for (const auto& pair : kPairs) {
    GImage*& a = cursors[pair[0]];
    GImage*& b = cursors[pair[1]];
    if (!a) a = b;
    if (!b) b = a;
    if (!a) a = b = cursors[CURSOR_ARROW];
  }
  if (game) game->defaultCursor = cursors[CURSOR_ARROW];
}

bool GTheme::SetCursor(int which, GImage* image) {
  if (which < 0 || which >= CURSOR_COUNT) return false;
  GImage* old = cursors[which];
  cursors[which] = image;
  if (!old || old == image) return true;
  // Fallbacks share images, so an image still shown elsewhere stays.
  if (std::find(std::begin(cursors), std::end(cursors), old) != std::end(cursors)) return true;
  if (game) {
    if (game->defaultCursor == old) game->defaultCursor = cursors[CURSOR_ARROW];
    if (game->cursorImage == old) game->cursorImage = nullptr;
    if (GDevice* device = game->GetDevice()) device->DeleteSurface(old->GetSurface());
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Sizes and colours
// ---------------------------------------------------------------------------------------------

int GTheme::DrawingBorderSize(GComponent* component) {
  GThemeComponent* drawing = component->GetTheme();
  return drawing ? drawing->GetBorderSize(component) : GetBorderSize(component);
}

unsigned GTheme::DrawingBorderColor(GComponent* component) {
  GThemeComponent* drawing = component->GetTheme();
  return drawing ? drawing->GetBorderColor(component) : GetBorderColor(component);
}

unsigned GTheme::DrawingBgColor(GComponent* component) {
  GThemeComponent* drawing = component->GetTheme();
  return drawing ? drawing->GetBgColor(component) : GetBgColor(component);
}

void GTheme::GetInnerGap(GComponent* component, CFerroRect* gap) {
  const int border = DrawingBorderSize(component);
  *gap = CFerroRect(border, border, border, border);
  if (component->GetStyle() & STYLE_CAPTION) {
    GThemeComponent* drawing = component->GetTheme();
    gap->top = drawing ? drawing->GetCaptionHeight(component) : GetCaptionHeight(component);
  }
}

int GTheme::GetBorderSize(GComponent* component) {
  const unsigned style = component->GetStyle();
  if (!(style & STYLE_BORDER)) return 0;
  if (style & STYLE_THICK_BORDER) return 6;
  return (style & STYLE_CAPTION) ? 4 : 1;
}

unsigned GTheme::GetBorderColor(GComponent* component) {
  return component->ResolveColor(COLOR_BORDER, GetBorderColorDefault(),
                                 GetBorderColorDisabledDefault());
}

unsigned GTheme::GetBorderColorDefault() {
  return 0xFFFFFF;
}

unsigned GTheme::GetBorderColorDisabledDefault() {
  return 0xC3C3C3;
}

unsigned GTheme::GetBorderInsideColor(GComponent* component) {
  return ScaleColor(DrawingBorderColor(component), 0.7);
}

unsigned GTheme::GetBgColor(GComponent* component) {
  return component->ResolveColor(COLOR_BACKGROUND, GetBgColorDefault(),
                                 GetBgColorDisabledDefault());
}

unsigned GTheme::GetBgColorDefault() {
  return 0xFFFFFF;
}

unsigned GTheme::GetBgColorDisabledDefault() {
  return 0xEFEFEF;
}

unsigned GTheme::GetTextColor(GComponent* component) {
  return component->ResolveColor(COLOR_TEXT, GetTextColorDefault(), GetTextColorDisabledDefault());
}

unsigned GTheme::GetTextColorDefault() {
  return 0x000000;
}

unsigned GTheme::GetTextColorDisabledDefault() {
  return 0xAFAFAF;
}

unsigned GTheme::GetCaptionBgColor(GComponent* component) {
  return component->ResolveColor(COLOR_CAPTION_BACKGROUND, GetCaptionBgColorDefault(),
                                 GetCaptionBgColorDisabledDefault());
}

unsigned GTheme::GetCaptionBgColorDefault() {
  return 0x947955;
}

unsigned GTheme::GetCaptionBgColorDisabledDefault() {
  return 0x838383;
}

unsigned GTheme::GetCaptionTextColor(GComponent* component) {
  return component->ResolveColor(COLOR_CAPTION_TEXT, GetCaptionTextColorDefault(),
                                 GetCaptionTextColorDisabledDefault());
}

unsigned GTheme::GetCaptionTextColorDefault() {
  return 0x000000;
}

unsigned GTheme::GetCaptionTextColorDisabledDefault() {
  return 0xEFEFEF;
}

unsigned GTheme::GetSelectedTextColor(GComponent*) {
  return 0x000000;
}

unsigned GTheme::GetSelectedColor(GComponent*) {
  return 0xFFFFFF;
}

unsigned GTheme::GetButtonCloseColor(GComponent*) {
  return 0xFFFFFF;
}

unsigned GTheme::GetButtonCloseBgColor(GComponent*) {
  return 0xC75050;
}

unsigned GTheme::GetButtonCloseBgHilitedColor(GComponent*) {
  return 0xE04343;
}

unsigned GTheme::GetButtonMaximizeColor(GComponent*) {
  return 0x000000;
}

unsigned GTheme::GetButtonMaximizeBgColor(GComponent*) {
  return DEFAULT_COLOR;
}

unsigned GTheme::GetButtonMaximizeBgHilitedColor(GComponent*) {
  return 0x3665B3;
}

unsigned GTheme::GetButtonMinimizeColor(GComponent* component) {
  return GetButtonMaximizeColor(component);
}

unsigned GTheme::GetButtonMinimizeBgColor(GComponent* component) {
  return GetButtonMaximizeBgColor(component);
}

unsigned GTheme::GetButtonMinimizeBgHilitedColor(GComponent* component) {
  return GetButtonMaximizeBgHilitedColor(component);
}

int GTheme::GetTextFont(GComponent* component) {
  return component->GetFont() >= 0 ? component->GetFont() : textFont;
}

int GTheme::GetCaptionTextFont(GComponent*) {
  return captionFont;
}

bool GTheme::IsAlpha(GComponent*) {
  return false;
}

void GTheme::GetButtonSizeForMessageBox(int& w, int& h) {
  w = 115;
  h = 20;
}

const char* GTheme::Translate(const char* text) {
  return text;
}

int GTheme::GetSplitterSize() {
  return 8;
}

// ---------------------------------------------------------------------------------------------
// Frame and caption
// ---------------------------------------------------------------------------------------------

void GTheme::RenderBorder(GComponent* component) {
  GSurface* back = GetBackbuffer();
  const int size = DrawingBorderSize(component);
  int w = 0, h = 0;
  component->GetSize(w, h);
  if (!back || size < 1 || w < 1 || h < 1) return;
  back->DrawRect(0, 0, w, h, DrawingBorderColor(component));
  if (size >= 2) RenderBorderThick(component);
}

void GTheme::RenderBorderThick(GComponent* component) {
  DrawFrameRings(component, 1, DrawingBorderSize(component) - 1);
}

void GTheme::DrawFrameRings(GComponent* component, int first, int last) {
  GSurface* back = GetBackbuffer();
  if (!back || first > last) return;
  GThemeComponent* drawing = component->GetTheme();
  const unsigned border = DrawingBorderColor(component);
  const unsigned inside =
      drawing ? drawing->GetBorderInsideColor(component) : GetBorderInsideColor(component);
  const unsigned fill =
      drawing ? drawing->GetCaptionBgColor(component) : GetCaptionBgColor(component);
  int w = 0, h = 0;
  component->GetSize(w, h);
  for (int ring = first; ring <= last; ++ring) {
    // A window narrower than the frame shows only the rings that fit.
    if (2 * ring >= w || 2 * ring >= h) break;
    const unsigned color = ring == first ? inside : ring == last ? border : fill;
    back->DrawRect(ring, ring, w - 2 * ring, h - 2 * ring, color);
  }
}

void GTheme::RenderCaption(GComponent* component) {
  GSurface* back = GetBackbuffer();
  GThemeComponent* drawing = component->GetTheme();
  if (!back || !drawing) return;
  CFerroRect caption;
  drawing->GetCaptionRect(component, &caption);
  if (caption.left == -1 || caption.IsEmpty()) return;
  RenderBgCaption(component, &caption, drawing->GetCaptionBgColor(component));

  // The caption band is inset by the thin border, so with a border its last
  // rows lie in the inner zone, which is drawn afterwards. The bottom line
  // and the text keep to the rows that stay visible.
  CFerroRect gap;
  drawing->GetInnerGap(component, &gap);
  int bottom = std::min(caption.bottom, gap.top);
  if (bottom <= caption.top) bottom = caption.bottom;
  if (component->GetStyle() & STYLE_BORDER)
    back->DrawHorizontalLine(caption.left, bottom - 1, caption.Width(),
                             DrawingBorderColor(component));

  const CFerroString& text = component->GetWindowText();
  GDevice* device = game ? game->GetDevice() : nullptr;
  if (device && !text.IsEmpty()) {
    const int font = drawing->GetCaptionTextFont(component);
    int tw = 0, th = 0;
    device->GetTextSize(text.c_str(), font, tw, th);
    back->TextOutIn(CFerroRect(caption.left, caption.top, caption.right, bottom),
                    caption.left + (caption.Width() - tw) / 2,
                    caption.top + (bottom - caption.top - th) / 2, text.c_str(), font,
                    drawing->GetCaptionTextColor(component), DEFAULT_COLOR);
  }

  if (component->IsButtonCloseVisibled()) RenderButtonClose(component);
  if (component->IsButtonMaximizeVisibled()) RenderButtonMaximize(component);
  if (component->IsButtonRestoreVisibled()) RenderButtonRestore(component);
  if (component->IsButtonMinimizeVisibled()) RenderButtonMinimize(component);
}

void GTheme::RenderBgCaption(GComponent*, CFerroRect* rect, unsigned color) {
  GSurface* back = GetBackbuffer();
  if (!back || !rect || color == DEFAULT_COLOR) return;
  back->FillRect(rect->left, rect->top, rect->Width(), rect->Height(), color);
}

void GTheme::RenderButtonClose(GComponent* component) {
  GSurface* back = GetBackbuffer();
  GThemeComponent* drawing = component->GetTheme();
  if (!back || !drawing) return;
  CFerroRect r;
  drawing->GetButtonCloseRect(component, &r);
  const unsigned bg = component->IsButtonCloseHilited() ? GetButtonCloseBgHilitedColor(component)
                                                        : GetButtonCloseBgColor(component);
  DrawCaptionButton(back, r, bg, GetButtonCloseColor(component), CaptionGlyph::close);
}

void GTheme::RenderButtonMaximize(GComponent* component) {
  GSurface* back = GetBackbuffer();
  GThemeComponent* drawing = component->GetTheme();
  if (!back || !drawing) return;
  CFerroRect r;
  drawing->GetButtonMaximizeRect(component, &r);
  const unsigned bg = component->IsButtonMaximizeHilited()
                          ? GetButtonMaximizeBgHilitedColor(component)
                          : GetButtonMaximizeBgColor(component);
  DrawCaptionButton(back, r, bg, GetButtonMaximizeColor(component), CaptionGlyph::maximize);
}

void GTheme::RenderButtonRestore(GComponent* component) {
  GSurface* back = GetBackbuffer();
  GThemeComponent* drawing = component->GetTheme();
  if (!back || !drawing) return;
  // Restore takes the place of maximize while the dialog is maximized.
  CFerroRect r;
  drawing->GetButtonMaximizeRect(component, &r);
  const unsigned bg = component->IsButtonRestoreHilited()
                          ? GetButtonMaximizeBgHilitedColor(component)
                          : GetButtonMaximizeBgColor(component);
  DrawCaptionButton(back, r, bg, GetButtonMaximizeColor(component), CaptionGlyph::restore);
}

void GTheme::RenderButtonMinimize(GComponent* component) {
  GSurface* back = GetBackbuffer();
  GThemeComponent* drawing = component->GetTheme();
  if (!back || !drawing) return;
  CFerroRect r;
  drawing->GetButtonMinimizeRect(component, &r);
  const unsigned bg = component->IsButtonMinimizeHilited()
                          ? GetButtonMinimizeBgHilitedColor(component)
                          : GetButtonMinimizeBgColor(component);
  DrawCaptionButton(back, r, bg, GetButtonMinimizeColor(component), CaptionGlyph::minimize);
}

// ---------------------------------------------------------------------------------------------
// Erasing
// ---------------------------------------------------------------------------------------------

void GTheme::EraseInnerRect(GComponent* component, CFerroRect* rect) {
  GSurface* back = GetBackbuffer();
  if (!back || !rect) return;
  const unsigned color = DrawingBgColor(component);
  if (color == DEFAULT_COLOR) return;
  back->FillRect(rect->left, rect->top, rect->Width(), rect->Height(), color);
}

void GTheme::EraseClient(GComponent* component) {
  GSurface* back = GetBackbuffer();
  if (!back) return;
  const unsigned color = DrawingBgColor(component);
  if (color == DEFAULT_COLOR) return;
  CFerroRect client;
  component->GetClientRect(&client);
  back->FillRect(0, 0, client.Width(), client.Height(), color);
}

// ---------------------------------------------------------------------------------------------
// Scroll arrows
// ---------------------------------------------------------------------------------------------

void GTheme::GetSBColors(SCROLLER_BUTTON_STATE state, unsigned& arrow, unsigned& back) {
  switch (state) {
    case SB_HIGHLIGHTED:
      arrow = 0x606060, back = 0xDADADA;
      break;
    case SB_PRESSED:
      arrow = 0xFFFFFF, back = 0x606060;
      break;
    case SB_DISABLED:
      arrow = 0xCCCCCC, back = 0xF5F5F5;
      break;
    default:
      arrow = 0x606060, back = 0xF0F0F0;
      break;
  }
}

void GTheme::CreateScrollerButton(SCROLLER_ARROW_DIRECTION direction) {
  if (direction < ARROW_LEFT || direction > ARROW_DOWN) return;
  GDevice* device = game ? game->GetDevice() : nullptr;
  if (!device) return;
  // A theme without a bar size still gets arrows of a usable size.
  int size = GetSBSize();
  if (size <= 0) size = 7;
  for (int state = SB_NORMAL; state <= SB_DISABLED; ++state) {
    unsigned arrow = 0, back = 0;
    GetSBColors(static_cast<SCROLLER_BUTTON_STATE>(state), arrow, back);
    if (arrows[direction][state]) device->DeleteSurface(arrows[direction][state]);
    arrows[direction][state] = CreateScrollerArrow(arrow, back, direction, size, size);
  }
}

GSurface* GTheme::CreateScrollerArrow(unsigned arrow, unsigned back,
                                      SCROLLER_ARROW_DIRECTION direction, int w, int h) {
  GDevice* device = game ? game->GetDevice() : nullptr;
  if (!device || w < 1 || h < 1) return nullptr;
  GSurface* surface = device->AddSurface();
  if (!surface) return nullptr;
  if (!surface->Create(w, h)) {
    device->DeleteSurface(surface);
    return nullptr;
  }
  if (back == DEFAULT_COLOR) {
    for (int i = 0; i < w * h; ++i) surface->MaskTransparentPixel(i);
  } else {
    surface->Clear(back);
  }
  // A triangle pointing in the direction, centred: its rows (columns for
  // left and right) grow by two pixels from the tip, keeping the parity of
  // the picture's width so it sits exactly in the middle.
  const bool vertical = direction == ARROW_UP || direction == ARROW_DOWN;
  const int across = vertical ? w : h;
  const int along = vertical ? h : w;
  const int depth = std::max(1, (std::min(across, along) + 1) / 4);
  const int start = (along - depth) / 2;
  const bool tipFirst = direction == ARROW_UP || direction == ARROW_LEFT;
  for (int i = 0; i < depth; ++i) {
    const int length = std::min(across, 2 * i + 1 + (across + 1) % 2);
    const int offset = (across - length) / 2;
    const int at = start + (tipFirst ? i : depth - 1 - i);
    if (vertical)
      surface->FillRect(offset, at, length, 1, arrow);
    else
      surface->FillRect(at, offset, 1, length, arrow);
  }
  return surface;
}

// ---------------------------------------------------------------------------------------------
// Colour arithmetic
// ---------------------------------------------------------------------------------------------

unsigned ScaleColor(unsigned color, double factor) {
  auto channel = [&](int shift) {
    // The small bias keeps products such as 160 x 0.7 from falling just
    // below the whole number they stand for.
    const double v = ((color >> shift) & 0xFF) * factor + 1e-9;
    const unsigned c = v <= 0.0 ? 0u : v >= 255.0 ? 255u : static_cast<unsigned>(v);
    return c << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

unsigned AddColor(unsigned color, unsigned amount) {
  auto channel = [&](int shift) {
    const unsigned c = ((color >> shift) & 0xFF) + ((amount >> shift) & 0xFF);
    return std::min(c, 0xFFu) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

#include "ui/win32/SkinEngine.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/WidePath.h"
#include "ui/SkinFile.h"
#include "ui/win32/CommonControls.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/Subclass.h"
#include "ui/win32/Window.h"

namespace tw::ui {
namespace {

constexpr int kButtonCornerRadius = 4;

COLORREF ToColorRef(const SkinColor& color) { return RGB(color.red, color.green, color.blue); }

// One object of the skin turned into what GDI paints with, at one DPI.
struct SkinLook {
  SkinLook(const SkinObject& from, int dpi) : object(from), dpi(dpi) {
    if (object.background) background.Reset(CreateSolidBrush(ToColorRef(*object.background)));
    // Border widths are pixels at 96 DPI; a border is never thinner than the one pixel it was.
    if (object.border && object.border->width > 0) {
      object.border->width = std::max(1, ScalePixels(object.border->width, dpi));
    }
    if (object.font) {
      LOGFONTA logFont{};
      // Points as pixels at 96 DPI (10 points: the panels' 13-pixel Tahoma),
      // grown as the panels' own font is.
      logFont.lfHeight = -ScaleFontPixels(MulDiv(object.font->points, kDesignDpi, 72), dpi);
      logFont.lfWeight = object.font->bold ? FW_BOLD : FW_NORMAL;
      logFont.lfItalic = object.font->italic ? TRUE : FALSE;
      logFont.lfCharSet = DEFAULT_CHARSET;
      logFont.lfQuality = DEFAULT_QUALITY;
      lstrcpynA(logFont.lfFaceName, object.font->face.c_str(), LF_FACESIZE);
      font.Reset(CreateFontIndirectA(&logFont));
    }
  }
  COLORREF Color(const std::optional<SkinColor>& color, COLORREF fallback) const {
    return color ? ToColorRef(*color) : fallback;
  }
  // A length the skin's drawing was made with at 96 DPI.
  int Px(int pixels) const { return ScalePixels(pixels, dpi); }

  SkinObject object;
  int dpi;
  UniqueBrush background;
  UniqueFont font;
};

// How a window takes its look, by what kind of window it is.
enum class Role {
  Container,   // panels, the host frame, any window of ours: background and border
  PushButton,  // drawn by us (owner-draw), state and hover included
  GroupBox,    // painted by us: border colour and caption
  CheckMark,   // check boxes and option buttons: colours and font; drawn by us where
               // the control asks its parent (common controls 6), at a fixed size
  Colored,     // check boxes, option buttons, labels and other controls: colours and font
};

// Everything the engine keeps for one subclassed window, handed to its
// subclass and freed with the window.
struct SkinnedWindow {
  std::shared_ptr<const SkinLook> look;  // null while the window only answers for its children
  Role role = Role::Container;
  bool isDefault = false;  // a push button that was BS_DEFPUSHBUTTON
  bool notifies = false;   // a push button that had BS_NOTIFY
  bool hot = false;
  LONG captionRight = 0;  // a group box's: where its caption's background ended when last painted
};

LRESULT SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, SkinnedWindow* state);

SkinnedWindow* StateOf(HWND window) { return SubclassData<&SkinProc>(window); }

std::string ClassNameOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

Role RoleOf(HWND window) {
  const std::string className = ClassNameOf(window);
  if (lstrcmpiA(className.c_str(), "Button") == 0) {
    switch (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON: return Role::PushButton;
      case BS_GROUPBOX: return Role::GroupBox;
      case BS_OWNERDRAW: return Role::Container;  // someone else draws it: background only
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: return Role::CheckMark;
      default: return Role::Colored;
    }
  }
  for (const char* control : {"Static", "Edit", "ComboBox", "ListBox", "ScrollBar"}) {
    if (lstrcmpiA(className.c_str(), control) == 0) return Role::Colored;
  }
  // The common controls (msctls_trackbar32, SysListView32...) colour themselves
  // from their parent's answers too.
  if (className.starts_with("msctls_") || className.starts_with("Sys")) return Role::Colored;
  return Role::Container;
}

// XP's visual styles ignore the text colour of check boxes and option
// buttons; the classic drawing honours it. SetWindowTheme is not on Windows
// 2000, hence the run-time look-up.
void UseClassicDrawing(HWND window) {
  using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static const auto setWindowTheme = SystemFunction<SetWindowThemeFunction>("uxtheme.dll", "SetWindowTheme");
  if (setWindowTheme) setWindowTheme(window, L"", L"");
}

// The window's state, subclassing it on first use; null when it cannot be subclassed.
SkinnedWindow* Attach(HWND window, Role role) {
  if (SkinnedWindow* existing = StateOf(window)) return existing;
  auto state = std::make_unique<SkinnedWindow>();
  state->role = role;
  if (!AddSubclass<&SkinProc>(window, state.get())) return nullptr;
  return state.release();
}

// The parent answers WM_CTLCOLOR* and WM_DRAWITEM for its skinned children.
void EnsureParentAnswers(HWND child) {
  if (HWND parent = GetParent(child)) Attach(parent, RoleOf(parent));
}

void FrameInside(HDC dc, RECT rect, const SkinBorder& border) {
  UniqueBrush brush(CreateSolidBrush(ToColorRef(border.color)));
  for (int i = 0; i < border.width && rect.right > rect.left && rect.bottom > rect.top; ++i) {
    FrameRect(dc, &rect, brush.get());
    InflateRect(&rect, -1, -1);
  }
}

bool HasVisibleBorder(const SkinLook& look) { return look.object.border && look.object.border->width > 0; }

// The colours a child is drawn with: its parent's look first (so plain labels
// sit on a skinned panel's background), then the child's own.
HBRUSH AnswerControlColor(HWND parent, SkinnedWindow& parentState, UINT message, HDC dc, HWND child) {
  const bool paintsLikeStatic = message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN || message == WM_CTLCOLORDLG;
  const SkinnedWindow* childState = StateOf(child);
  const SkinLook* childLook = childState ? childState->look.get() : nullptr;
  const SkinLook* parentLook = parentState.role == Role::Container ? parentState.look.get() : nullptr;

  HBRUSH brush = reinterpret_cast<HBRUSH>(
      CallNextSubclass(parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)));
  // A window that colours this child itself keeps its say; only the system's
  // default answer is the skin's to replace.
  if (brush != nullptr && brush != GetSysColorBrush(COLOR_BTNFACE) && brush != GetSysColorBrush(COLOR_WINDOW)) {
    return brush;
  }
  // A box that takes no typing (read-only or disabled) asks as a label does;
  // on the panel's background it would look like one open to typing, so it
  // keeps the face colour Windows gives such boxes.
  char className[8] = {};
  if (message == WM_CTLCOLORSTATIC && GetClassNameA(child, className, sizeof className) > 0 &&
      lstrcmpiA(className, "Edit") == 0) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    if (parentLook && parentLook->object.text && IsWindowEnabled(child)) {
      SetTextColor(dc, ToColorRef(*parentLook->object.text));
    }
    return GetSysColorBrush(COLOR_BTNFACE);
  }
  if (paintsLikeStatic && parentLook && parentLook->background) {
    SetBkColor(dc, ToColorRef(*parentLook->object.background));
    brush = parentLook->background.get();
  }
  if (paintsLikeStatic && parentLook && parentLook->object.text) SetTextColor(dc, ToColorRef(*parentLook->object.text));
  if (childLook) {
    if (childLook->background) {
      SetBkColor(dc, ToColorRef(*childLook->object.background));
      brush = childLook->background.get();
    }
    const bool enabled = IsWindowEnabled(child) != FALSE;
    if (enabled && childLook->object.text) SetTextColor(dc, ToColorRef(*childLook->object.text));
    if (!enabled && childLook->object.disabled) SetTextColor(dc, ToColorRef(*childLook->object.disabled));
  }
  return brush;
}

COLORREF ParentBackground(HWND button) {
  if (const SkinnedWindow* parent = StateOf(GetParent(button)); parent && parent->look) {
    if (parent->look->object.background) return ToColorRef(*parent->look->object.background);
  }
  return GetSysColor(COLOR_BTNFACE);
}

void DrawPushButton(const DRAWITEMSTRUCT& item, const SkinnedWindow& state) {
  const SkinLook& look = *state.look;
  const SkinObject& object = look.object;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0;

  MemoryCanvas canvas(item.hDC, item.rcItem);
  HDC dc = canvas.dc();
  RECT rect = item.rcItem;
  UniqueBrush corners(CreateSolidBrush(ParentBackground(item.hwndItem)));
  FillRect(dc, &rect, corners.get());

  const COLORREF system = GetSysColor(COLOR_BTNFACE);
  COLORREF face = look.Color(object.background, system);
  if (pressed) {
    face = look.Color(object.pressed, face);
  } else if (state.hot && !disabled) {
    face = look.Color(object.hover, face);
  }
  UniqueBrush faceBrush(CreateSolidBrush(face));
  const bool bordered = HasVisibleBorder(look) || state.isDefault;
  const COLORREF borderColor = state.isDefault ? look.Color(object.focus, GetSysColor(COLOR_HIGHLIGHT))
                                               : look.Color(object.border ? std::optional(object.border->color)
                                                                          : std::nullopt,
                                                            face);
  const int borderWidth = std::max(object.border ? object.border->width : 0, state.isDefault ? look.Px(2) : 0);
  UniquePen borderPen(bordered ? CreatePen(PS_SOLID, 1, borderColor) : nullptr);
  {
    SelectionGuard brushGuard(dc, faceBrush.get());
    SelectionGuard penGuard(dc, bordered ? static_cast<HGDIOBJ>(borderPen.get()) : GetStockObject(NULL_PEN));
    // NULL_PEN leaves the right and bottom edge undrawn, hence the extra pixel.
    const int corner = look.Px(kButtonCornerRadius) * 2;
    RoundRect(dc, rect.left, rect.top, rect.right + (bordered ? 0 : 1), rect.bottom + (bordered ? 0 : 1), corner,
              corner);
    for (int i = 1; i < borderWidth; ++i) {
      SelectionGuard hollow(dc, GetStockObject(NULL_BRUSH));
      RoundRect(dc, rect.left + i, rect.top + i, rect.right - i, rect.bottom - i, corner, corner);
    }
  }

  const std::string caption = WindowText(item.hwndItem);
  RECT textRect = rect;
  if (pressed) OffsetRect(&textRect, look.Px(1), look.Px(1));
  HFONT font = look.font ? look.font.get() : reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
  SelectionGuard fontGuard(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? look.Color(object.disabled, GetSysColor(COLOR_GRAYTEXT))
                            : look.Color(object.text, GetSysColor(COLOR_BTNTEXT)));
  // The mnemonic is underlined only once the keyboard is in use, as on a plain button.
  const UINT prefix = (item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
  DrawTextA(dc, caption.c_str(), -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | prefix);

  if (focused) {
    RECT ring = rect;
    InflateRect(&ring, -look.Px(3), -look.Px(3));
    if (object.focus) {
      FrameInside(dc, ring, SkinBorder{1, *object.focus});
    } else {
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      DrawFocusRect(dc, &ring);
    }
  }
}

// The box or circle of a check box or option button: 13 pixels at 96 DPI,
// grown with the layout it sits in.
constexpr int kMarkSize = 13;
constexpr COLORREF kMarkEdge = RGB(0x8F, 0xA6, 0xBE);
constexpr COLORREF kMarkAccent = RGB(0x1C, 0x7E, 0xD6);

// Check boxes and option buttons of common controls 6 ask their parent before
// they paint; we paint them whole then, and they keep their own behaviour.
// border: the mark's edge; focus: the tick or dot and a pressed edge.
void DrawCheckMark(const NMCUSTOMDRAW& draw, const SkinnedWindow& state) {
  HWND button = draw.hdr.hwndFrom;
  const SkinLook& look = *state.look;
  const LONG style = GetWindowLongA(button, GWL_STYLE);
  const LONG type = style & BS_TYPEMASK;
  const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
  const LRESULT check = SendMessageA(button, BM_GETCHECK, 0, 0);
  const bool pushed = (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  const bool enabled = IsWindowEnabled(button) != FALSE;
  const LRESULT cues = SendMessageA(button, WM_QUERYUISTATE, 0, 0);

  MemoryCanvas canvas(draw.hdc, draw.rc);
  HDC dc = canvas.dc();
  const RECT rect = draw.rc;
  // The parent colours the background and the text, as for the system's drawing.
  HWND parent = GetParent(button);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(button)));
  FillRect(dc, &rect, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));

  const COLORREF accent = look.Color(look.object.focus, kMarkAccent);
  const COLORREF edge = !enabled ? look.Color(look.object.disabled, GetSysColor(COLOR_GRAYTEXT))
                        : pushed ? accent
                                 : look.Color(look.object.border ? std::optional(look.object.border->color)
                                                                 : std::nullopt,
                                              kMarkEdge);
  const COLORREF mark = enabled ? accent : edge;
  const int size = look.Px(kMarkSize);
  const int top = rect.top + (rect.bottom - rect.top - size) / 2;
  const RECT box{rect.left, top, rect.left + size, top + size};
  // The mark's insides, drawn for 13 pixels, at this size.
  const auto at = [&](int x, int y) { return POINT{box.left + look.Px(x), box.top + look.Px(y)}; };
  UniquePen edgePen(CreatePen(PS_SOLID, 1, edge));
  UniqueBrush face(CreateSolidBrush(check == BST_CHECKED && !radio ? mark : RGB(0xFF, 0xFF, 0xFF)));
  {
    SelectionGuard pen(dc, check == BST_CHECKED && !radio ? GetStockObject(NULL_PEN) : edgePen.get());
    SelectionGuard fill(dc, face.get());
    if (radio) {
      Ellipse(dc, box.left, box.top, box.right, box.bottom);
    } else {
      RoundRect(dc, box.left, box.top, box.right + 1, box.bottom + 1, look.Px(4), look.Px(4));
    }
  }
  if (radio && check == BST_CHECKED) {
    UniqueBrush dot(CreateSolidBrush(mark));
    SelectionGuard pen(dc, GetStockObject(NULL_PEN));
    SelectionGuard fill(dc, dot.get());
    const POINT from = at(3, 3), to = at(11, 11);
    Ellipse(dc, from.x, from.y, to.x, to.y);
  } else if (check == BST_CHECKED) {
    UniquePen tick(CreatePen(PS_SOLID, look.Px(2), RGB(0xFF, 0xFF, 0xFF)));
    SelectionGuard pen(dc, tick.get());
    const POINT points[] = {at(3, 6), at(5, 9), at(10, 3)};
    Polyline(dc, points, 3);
  } else if (check == BST_INDETERMINATE) {
    UniqueBrush dash(CreateSolidBrush(mark));
    const POINT from = at(3, 5), to = at(10, 8);
    const RECT bar{from.x, from.y, to.x, to.y};
    FillRect(dc, &bar, dash.get());
  }

  const std::string caption = WindowText(button);
  RECT text{box.right + look.Px(5), rect.top, rect.right, rect.bottom};
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
  SelectionGuard fontGuard(dc, font);
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) SetTextColor(dc, look.Color(look.object.disabled, GetSysColor(COLOR_GRAYTEXT)));
  const UINT prefix = (cues & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
  DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | prefix);
  if ((draw.uItemState & CDIS_FOCUS) && !(cues & UISF_HIDEFOCUS) && !caption.empty()) {
    RECT ring = text;
    DrawTextA(dc, caption.c_str(), -1, &ring, DT_SINGLELINE | DT_CALCRECT | prefix);
    const int height = ring.bottom - ring.top;
    ring.top = text.top + (text.bottom - text.top - height) / 2;
    ring.bottom = ring.top + height;
    InflateRect(&ring, 1, 0);
    ring.right = std::min(ring.right, rect.right);
    DrawFocusRect(dc, &ring);
  }
}

void PaintGroupBox(HWND window, SkinnedWindow& state) {
  PaintDc paint(window);
  HDC dc = paint.get();
  const SkinLook& look = *state.look;
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  SelectionGuard fontGuard(dc, font);
  // The parent sets the caption's colours, as it would for the system's own drawing.
  HWND parent = GetParent(window);
  HBRUSH brush = reinterpret_cast<HBRUSH>(
      SendMessageA(parent ? parent : window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(window)));
  if (brush == nullptr) brush = GetSysColorBrush(COLOR_BTNFACE);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT client{};
  GetClientRect(window, &client);

  // A caption shorter than the last leaves that one's end behind: the system
  // clears only the old text as it would have placed it, and nothing erases
  // a group box. The row is painted anew up to where the old caption ended.
  RECT row{client.left, client.top, std::min(state.captionRight, client.right), client.top + metrics.tmHeight};
  if (row.right > row.left) FillRect(dc, &row, brush);
  state.captionRight = 0;

  RECT frame = client;
  frame.top += metrics.tmHeight / 2;
  const SkinBorder border = look.object.border.value_or(SkinBorder{1, SkinColor{0xC0, 0xC0, 0xC0}});
  FrameInside(dc, frame, border);

  const std::string caption = WindowText(window);
  if (caption.empty()) return;
  const UINT prefix = (SendMessageA(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
  const int inset = look.Px(8);
  RECT label{client.left + inset, client.top, client.right - inset, client.top + metrics.tmHeight};
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &label, DT_SINGLELINE | DT_CALCRECT | prefix);
  label.right = std::min(label.right, client.right - inset);
  RECT behind = label;
  InflateRect(&behind, look.Px(2), 0);
  FillRect(dc, &behind, brush);
  state.captionRight = behind.right;
  if (!IsWindowEnabled(window)) SetTextColor(dc, look.Color(look.object.disabled, GetSysColor(COLOR_GRAYTEXT)));
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &label, DT_SINGLELINE | DT_END_ELLIPSIS | prefix);
}

void TrackHover(HWND window, SkinnedWindow& state, bool inside) {
  if (state.hot == inside) return;
  state.hot = inside;
  if (inside) {
    TrackMouseLeave(window);
  }
  InvalidateRect(window, nullptr, FALSE);
}

// As a parent: colours and drawing for skinned children; nothing for a
// message that is not about them.
std::optional<LRESULT> AnswerForChildren(HWND window, SkinnedWindow& state, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<LRESULT>(
          AnswerControlColor(window, state, message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      const SkinnedWindow* child = header.code == NM_CUSTOMDRAW ? StateOf(header.hwndFrom) : nullptr;
      if (child && child->role == Role::CheckMark && child->look) {
        const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
        if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
        DrawCheckMark(draw, *child);
        return CDRF_SKIPDEFAULT;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const SkinnedWindow* child = item.CtlType == ODT_BUTTON ? StateOf(item.hwndItem) : nullptr;
      if (child && child->role == Role::PushButton && child->look) {
        DrawPushButton(item, *child);
        return TRUE;
      }
      break;
    }
  }
  return std::nullopt;
}

// A container's background and border, where its look has them.
LRESULT ContainerProc(HWND window, const SkinLook& look, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_ERASEBKGND || (!look.background && !HasVisibleBorder(look))) {
    return CallNextSubclass(window, message, wParam, lParam);
  }
  HDC dc = reinterpret_cast<HDC>(wParam);
  RECT client{};
  GetClientRect(window, &client);
  LRESULT result = 1;
  if (look.background) {
    FillRect(dc, &client, look.background.get());
  } else {
    result = CallNextSubclass(window, message, wParam, lParam);
  }
  if (HasVisibleBorder(look)) FrameInside(dc, client, *look.object.border);
  return result;
}

// A push button we draw answers as the push button it was.
LRESULT PushButtonProc(HWND window, SkinnedWindow& state, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      // What the push button it was would answer, so dialog keys treat it the same.
      return DLGC_BUTTON | (state.isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE:
      // The dialog manager moves the default mark with this; we draw the mark.
      state.isDefault = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      InvalidateRect(window, nullptr, FALSE);
      return CallNextSubclass(window, message, (wParam & ~BS_TYPEMASK) | BS_OWNERDRAW, lParam);
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button reports a double click instead of a second
      // click; the push button it was clicks twice.
      if (!state.notifies) message = WM_LBUTTONDOWN;
      break;
    case WM_MOUSEMOVE:
      TrackHover(window, state, true);
      break;
    case WM_MOUSELEAVE:
      TrackHover(window, state, false);
      break;
    case WM_ERASEBKGND:
      return 1;  // the drawing covers every pixel
    case WM_PAINT:
      EnsureParentAnswers(window);
      break;
  }
  return CallNextSubclass(window, message, wParam, lParam);
}

LRESULT GroupBoxProc(HWND window, SkinnedWindow& state, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      EnsureParentAnswers(window);
      PaintGroupBox(window, state);
      return 0;
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE: {
      // The system may paint these at once in its own way; paint ours after it.
      const LRESULT result = CallNextSubclass(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, FALSE);
      return result;
    }
  }
  return CallNextSubclass(window, message, wParam, lParam);
}

// A control the system paints in our colours; its border, where the look has
// one, goes round it after the system's painting.
LRESULT ColoredProc(HWND window, const SkinLook& look, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) EnsureParentAnswers(window);
  if (!HasVisibleBorder(look) || (message != WM_PAINT && message != WM_SETTEXT && message != WM_ENABLE)) {
    return CallNextSubclass(window, message, wParam, lParam);
  }
  const LRESULT result = CallNextSubclass(window, message, wParam, lParam);
  WindowDc dc(window);
  RECT client{};
  GetClientRect(window, &client);
  FrameInside(dc.get(), client, *look.object.border);
  return result;
}

LRESULT SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, SkinnedWindow* state) {
  if (message == WM_NCDESTROY) {
    delete state;
    return CallNextSubclass(window, message, wParam, lParam);
  }
  if (const auto answer = AnswerForChildren(window, *state, message, wParam, lParam)) return *answer;
  const SkinLook* look = state->look.get();
  if (look == nullptr) return CallNextSubclass(window, message, wParam, lParam);
  switch (state->role) {
    case Role::Container: return ContainerProc(window, *look, message, wParam, lParam);
    case Role::PushButton: return PushButtonProc(window, *state, message, wParam, lParam);
    case Role::GroupBox: return GroupBoxProc(window, *state, message, wParam, lParam);
    case Role::CheckMark:
      // The parent draws it (see WM_NOTIFY); its border is the mark's edge.
      if (message == WM_PAINT) EnsureParentAnswers(window);
      break;
    case Role::Colored: return ColoredProc(window, *look, message, wParam, lParam);
  }
  return CallNextSubclass(window, message, wParam, lParam);
}

// A frame of "none" takes the window's border away; its size stays.
void RemoveFrame(HWND window) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  const LONG plainStyle = style & ~(WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
  const LONG plainExStyle = exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME);
  if (plainStyle == style && plainExStyle == exStyle) return;
  SetWindowLongA(window, GWL_STYLE, plainStyle);
  SetWindowLongA(window, GWL_EXSTYLE, plainExStyle);
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

}  // namespace

struct SkinEngine::Impl {
  int dpi = kDesignDpi;
  std::optional<SkinFile> skin;
  // Made on first use, ordered by name.
  std::vector<std::pair<std::string, std::shared_ptr<const SkinLook>>> looks;

  std::shared_ptr<const SkinLook> LookFor(std::string_view name) {
    if (!skin) return nullptr;
    const auto at = std::lower_bound(looks.begin(), looks.end(), name,
                                     [](const auto& look, std::string_view key) { return look.first < key; });
    if (at != looks.end() && at->first == name) return at->second;
    const SkinObject* object = skin->Find(name);
    if (object == nullptr) return nullptr;
    auto look = std::make_shared<const SkinLook>(*object, dpi);
    looks.emplace(at, std::string(name), look);
    return look;
  }
};

SkinEngine::SkinEngine(int dpi) : impl_(new Impl) { impl_->dpi = dpi; }

SkinEngine::~SkinEngine() { delete impl_; }

bool SkinEngine::HasSkin() const { return impl_->skin.has_value(); }

bool SkinEngine::LoadSkinText(std::string_view text) {
  impl_->looks.clear();
  impl_->skin = SkinFile::Parse(text);
  return impl_->skin.has_value();
}

bool SkinEngine::LoadSkinFile(const std::string& path) {
  UniqueHandle file(NtPlatform() ? CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                                 : CreateFileA(Utf8ToAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string text;
  if (file) {
    // One byte more than a skin may have, so that an oversized file is seen as one.
    text.resize(SkinFile::kMaxFileSize + 1);
    DWORD read = 0;
    if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) read = 0;
    text.resize(read);
  }
  if (text.empty()) {
    impl_->looks.clear();
    impl_->skin.reset();
    return false;
  }
  return LoadSkinText(text);
}

bool SkinEngine::ApplySkin(HWND window, std::string_view objectName) {
  if (window == nullptr || !IsWindow(window)) return false;
  std::shared_ptr<const SkinLook> look = impl_->LookFor(objectName);
  if (!look) return false;

  SkinnedWindow* existing = StateOf(window);
  const Role role = existing ? existing->role : RoleOf(window);
  if (role == Role::PushButton && (existing == nullptr || existing->look == nullptr)) {
    // We draw it from now on; the button keeps its id, state and clicks.
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    SkinnedWindow* state = Attach(window, role);
    if (state == nullptr) return false;
    state->isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    state->notifies = (style & BS_NOTIFY) != 0;
    EnsureParentAnswers(window);
    SetWindowLongA(window, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
  }
  SkinnedWindow* attached = Attach(window, role);
  if (attached == nullptr) return false;
  SkinnedWindow& state = *attached;
  if (role != Role::Container) EnsureParentAnswers(window);
  if (role == Role::CheckMark) UseClassicDrawing(window);
  // Hand the window its new look before letting go of the old one.
  std::shared_ptr<const SkinLook> previous = std::exchange(state.look, look);
  if (look->font && role != Role::Container) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(look->font.get()), FALSE);
  }
  if (role == Role::Container && look->object.border && look->object.border->width == 0) RemoveFrame(window);
  InvalidateRect(window, nullptr, TRUE);
  return true;
}

}  // namespace tw::ui

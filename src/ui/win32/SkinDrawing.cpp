#include "ui/win32/SkinParts.h"

#include <commctrl.h>

#include <string>

#include "ui/win32/Window.h"

namespace tw::ui::skin {

void FrameInside(HDC dc, RECT rect, const SkinBorder& border) {
  UniqueBrush brush(CreateSolidBrush(ToColorRef(border.color)));
  for (int i = 0; i < border.width && rect.right > rect.left && rect.bottom > rect.top; ++i) {
    FrameRect(dc, &rect, brush.get());
    InflateRect(&rect, -1, -1);
  }
}

bool HasVisibleBorder(const SkinLook& look) { return look.object.border && look.object.border->width > 0; }

namespace {

// The mark's box or circle: 13 pixels at 96 DPI, grown with the layout it sits in.
constexpr int kMarkSize = 13;
constexpr COLORREF kMarkEdge = RGB(0x8F, 0xA6, 0xBE);
constexpr COLORREF kMarkAccent = RGB(0x1C, 0x7E, 0xD6);

COLORREF ParentBackground(HWND button) {
  if (const SkinnedWindow* parent = StateOf(GetParent(button)); parent && parent->look) {
    if (parent->look->object.background) return ToColorRef(*parent->look->object.background);
  }
  return GetSysColor(COLOR_BTNFACE);
}

// What a checked or half-checked mark holds inside its box: a dot, a tick
// or a dash, drawn for 13 pixels, at the box's size.
void DrawMarkInside(HDC dc, const SkinLook& look, const RECT& box, bool radio, LRESULT check, COLORREF mark) {
  const auto at = [&](int x, int y) { return POINT{box.left + look.Px(x), box.top + look.Px(y)}; };
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
}

}  // namespace

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
  DrawMarkInside(dc, look, box, radio, check, mark);

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

}  // namespace tw::ui::skin

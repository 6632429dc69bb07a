#include "ui/win32/SkinEngine.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/win32/Handles.h"
#include "ui/SkinFile.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/Subclass.h"
#include "ui/win32/Window.h"

namespace tw::ui {
namespace {

constexpr int kButtonCornerRadius = 4;

COLORREF ToColorRef(const SkinColor& color) { return RGB(color.red, color.green, color.blue); }

// One object of the skin turned into what GDI paints with.
struct SkinLook {
  explicit SkinLook(const SkinObject& from) : object(from) {
    if (object.background) background.Reset(CreateSolidBrush(ToColorRef(*object.background)));
    if (object.font) {
      LOGFONTA logFont{};
      WindowDc screen(nullptr);
      logFont.lfHeight = -MulDiv(object.font->points, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
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

  SkinObject object;
  UniqueBrush background;
  UniqueFont font;
};

// How a window takes its look, by what kind of window it is.
enum class Role {
  Container,   // panels, the host frame, any window of ours: background and border
  PushButton,  // drawn by us (owner-draw), state and hover included
  GroupBox,    // painted by us: border colour and caption
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
  static const SetWindowThemeFunction setWindowTheme = [] {
    // From the system folder only, never from beside the program; kept for
    // the life of the process.
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return SetWindowThemeFunction{};
    HMODULE uxtheme = LoadLibraryA((std::string(folder, length) + "\\uxtheme.dll").c_str());
    return uxtheme ? reinterpret_cast<SetWindowThemeFunction>(
                         reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")))
                   : nullptr;
  }();
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
  const int borderWidth = std::max(object.border ? object.border->width : 0, state.isDefault ? 2 : 0);
  UniquePen borderPen(bordered ? CreatePen(PS_SOLID, 1, borderColor) : nullptr);
  {
    SelectionGuard brushGuard(dc, faceBrush.get());
    SelectionGuard penGuard(dc, bordered ? static_cast<HGDIOBJ>(borderPen.get()) : GetStockObject(NULL_PEN));
    // NULL_PEN leaves the right and bottom edge undrawn, hence the extra pixel.
    RoundRect(dc, rect.left, rect.top, rect.right + (bordered ? 0 : 1), rect.bottom + (bordered ? 0 : 1),
              kButtonCornerRadius * 2, kButtonCornerRadius * 2);
    for (int i = 1; i < borderWidth; ++i) {
      SelectionGuard hollow(dc, GetStockObject(NULL_BRUSH));
      RoundRect(dc, rect.left + i, rect.top + i, rect.right - i, rect.bottom - i, kButtonCornerRadius * 2,
                kButtonCornerRadius * 2);
    }
  }

  const std::string caption = WindowText(item.hwndItem);
  RECT textRect = rect;
  if (pressed) OffsetRect(&textRect, 1, 1);
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
    InflateRect(&ring, -3, -3);
    if (object.focus) {
      FrameInside(dc, ring, SkinBorder{1, *object.focus});
    } else {
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      DrawFocusRect(dc, &ring);
    }
  }
}

void PaintGroupBox(HWND window, const SkinnedWindow& state) {
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

  RECT frame = client;
  frame.top += metrics.tmHeight / 2;
  const SkinBorder border = look.object.border.value_or(SkinBorder{1, SkinColor{0xC0, 0xC0, 0xC0}});
  FrameInside(dc, frame, border);

  const std::string caption = WindowText(window);
  if (caption.empty()) return;
  const UINT prefix = (SendMessageA(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
  RECT label{client.left + 8, client.top, client.right - 8, client.top + metrics.tmHeight};
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &label, DT_SINGLELINE | DT_CALCRECT | prefix);
  label.right = std::min(label.right, client.right - 8);
  RECT behind = label;
  InflateRect(&behind, 2, 0);
  FillRect(dc, &behind, brush);
  if (!IsWindowEnabled(window)) SetTextColor(dc, look.Color(look.object.disabled, GetSysColor(COLOR_GRAYTEXT)));
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &label, DT_SINGLELINE | DT_END_ELLIPSIS | prefix);
}

void TrackHover(HWND window, SkinnedWindow& state, bool inside) {
  if (state.hot == inside) return;
  state.hot = inside;
  if (inside) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
  }
  InvalidateRect(window, nullptr, FALSE);
}

LRESULT SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, SkinnedWindow* state) {
  const SkinLook* look = state->look.get();

  switch (message) {
    case WM_NCDESTROY:
      delete state;
      return CallNextSubclass(window, message, wParam, lParam);

    // As a parent: colours and drawing for skinned children.
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<LRESULT>(
          AnswerControlColor(window, *state, message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
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
  if (look == nullptr) return CallNextSubclass(window, message, wParam, lParam);

  switch (state->role) {
    case Role::Container:
      if (message == WM_ERASEBKGND && (look->background || HasVisibleBorder(*look))) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        RECT client{};
        GetClientRect(window, &client);
        LRESULT result = 1;
        if (look->background) {
          FillRect(dc, &client, look->background.get());
        } else {
          result = CallNextSubclass(window, message, wParam, lParam);
        }
        if (HasVisibleBorder(*look)) FrameInside(dc, client, *look->object.border);
        return result;
      }
      break;
    case Role::PushButton:
      switch (message) {
        case WM_GETDLGCODE:
          // What the push button it was would answer, so dialog keys treat it the same.
          return DLGC_BUTTON | (state->isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        case BM_SETSTYLE:
          // The dialog manager moves the default mark with this; we draw the mark.
          state->isDefault = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
          InvalidateRect(window, nullptr, FALSE);
          return CallNextSubclass(window, message, (wParam & ~BS_TYPEMASK) | BS_OWNERDRAW, lParam);
        case WM_LBUTTONDBLCLK:
          // An owner-drawn button reports a double click instead of a second
          // click; the push button it was clicks twice.
          if (!state->notifies) message = WM_LBUTTONDOWN;
          break;
        case WM_MOUSEMOVE:
          TrackHover(window, *state, true);
          break;
        case WM_MOUSELEAVE:
          TrackHover(window, *state, false);
          break;
        case WM_ERASEBKGND:
          return 1;  // the drawing covers every pixel
        case WM_PAINT:
          EnsureParentAnswers(window);
          break;
      }
      break;
    case Role::GroupBox:
      switch (message) {
        case WM_PAINT:
          EnsureParentAnswers(window);
          PaintGroupBox(window, *state);
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
      break;
    case Role::Colored:
      if (message == WM_PAINT) EnsureParentAnswers(window);
      if (HasVisibleBorder(*look) && (message == WM_PAINT || message == WM_SETTEXT || message == WM_ENABLE)) {
        const LRESULT result = CallNextSubclass(window, message, wParam, lParam);
        WindowDc dc(window);
        RECT client{};
        GetClientRect(window, &client);
        FrameInside(dc.get(), client, *look->object.border);
        return result;
      }
      break;
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
  std::optional<SkinFile> skin;
  std::map<std::string, std::shared_ptr<const SkinLook>, std::less<>> looks;

  std::shared_ptr<const SkinLook> LookFor(std::string_view name) {
    if (!skin) return nullptr;
    if (auto found = looks.find(name); found != looks.end()) return found->second;
    const SkinObject* object = skin->Find(name);
    if (object == nullptr) return nullptr;
    auto look = std::make_shared<const SkinLook>(*object);
    looks.emplace(std::string(name), look);
    return look;
  }
};

SkinEngine::SkinEngine() : impl_(new Impl) {}

SkinEngine::~SkinEngine() { delete impl_; }

bool SkinEngine::HasSkin() const { return impl_->skin.has_value(); }

bool SkinEngine::LoadSkinText(std::string_view text) {
  impl_->looks.clear();
  impl_->skin = SkinFile::Parse(text);
  return impl_->skin.has_value();
}

bool SkinEngine::LoadSkinFile(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
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
  if (role == Role::Colored) {
    const std::string className = ClassNameOf(window);
    if (lstrcmpiA(className.c_str(), "Button") == 0) UseClassicDrawing(window);
  }
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

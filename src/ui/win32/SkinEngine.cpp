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
#include "ui/win32/SkinParts.h"
#include "ui/win32/Subclass.h"
#include "ui/win32/Window.h"

namespace tw::ui {
namespace {

using namespace skin;

LRESULT SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, SkinnedWindow* state);

}  // namespace

SkinnedWindow* skin::StateOf(HWND window) { return SubclassData<&SkinProc>(window); }

namespace {

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

#include "app/win32/NavigationSurface.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "app/CommandDispatch.h"
#include "app/NavigationItems.h"
#include "ui/win32/CommonControls.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/Subclass.h"
#include "ui/win32/ToolTips.h"

namespace tw {
namespace {

using nav::Box;
using nav::kActionHeight;
using nav::kActionTop;
using nav::kCard;
using nav::kSideWidth;
using nav::kStatusTop;
using nav::kTitleHeight;

SIZE SizeOf(const RECT& rect) { return SIZE{rect.right - rect.left, rect.bottom - rect.top}; }

bool CoversPanels(NavigationCommand command) {
  const std::vector<Action> actions = DispatchCommand(command);
  return std::any_of(actions.begin(), actions.end(),
                     [](const Action& a) { return a.kind == ActionKind::BringMovieToFront; });
}

}  // namespace

NavigationSurface::NavigationSurface(CommandSink sink, int dpi) : sink_(std::move(sink)), dpi_(dpi) {}

NavigationSurface::~NavigationSurface() {
  // Destroy the windows while the fonts and the controls' table still exist:
  // the base class would do it only after our members are gone.
  if (hwnd() != nullptr) DestroyWindow(hwnd());
}

bool NavigationSurface::Create(HWND mainWindow) {
  look_.Load(dpi_);

  ui::WindowArgs args;
  args.className = "TidewaveNavigation";
  args.caption = "Navigation";
  args.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  args.exStyle = WS_EX_CONTROLPARENT;
  args.x = 0;
  args.y = 0;
  args.width = ui::ScalePixels(kWidth, dpi_);
  args.height = ui::ScalePixels(kHeight, dpi_);
  args.parent = mainWindow;
  args.background = nullptr;  // we paint every pixel
  return ui::Window::Create(args);
}

std::string NavigationSurface::CaptionOf(const nav::NavigationControl& item) const {
  switch (item.id) {
    case IDC_FS_versionLabel: return version_.empty() ? std::string() : "Version " + version_;
    case IDC_FS_lastChangeLabel: return lastChange_;
    default: return item.caption;
  }
}

void NavigationSurface::CreateControls() {
  if (!controls_.empty()) return;
  // The surface has drawn the controls already, as they draw themselves: made
  // while it draws nothing, they leave the screen as it is. What was still
  // waiting to be painted stays waiting.
  ui::UniqueRegion unpainted(CreateRectRgn(0, 0, 0, 0));
  GetUpdateRgn(hwnd(), unpainted.get(), FALSE);
  SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
  for (const nav::NavigationControl& item : layout_) {
    const Kind kind = item.kind;
    const bool isLabel = kind == Kind::Heading || kind == Kind::StatusLabel || kind == Kind::LastChangeLabel;
    DWORD style = WS_CHILD;
    if (nav::ShownInView(item.id, view_, activeItem_, !lastChange_.empty())) style |= WS_VISIBLE;
    if (isLabel) {
      style |= SS_OWNERDRAW | SS_NOPREFIX;
    } else {
      style |= BS_OWNERDRAW;
      if (kind != Kind::TitleStrip) style |= WS_TABSTOP;
    }
    const RECT rect = OnScreen(item.rect);
    HWND window = CreateWindowExA(0, isLabel ? "STATIC" : "BUTTON", CaptionOf(item).c_str(), style, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, hwnd(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), GetModuleHandleA(nullptr),
                                  nullptr);
    if (window == nullptr) continue;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(look_.body.get()), FALSE);
    if (!isLabel) ui::AddSubclass<&NavigationSurface::ControlProc>(window, this);
    controls_.push_back({item.id, kind, window});
  }
  SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
  RedrawWindow(hwnd(), nullptr, unpainted.get(), RDW_INVALIDATE | RDW_ALLCHILDREN);
}

RECT NavigationSurface::OnScreen(const RECT& designed) const {
  return RECT{ui::ScalePixels(designed.left, dpi_), ui::ScalePixels(designed.top, dpi_),
              ui::ScalePixels(designed.right, dpi_), ui::ScalePixels(designed.bottom, dpi_)};
}

void NavigationSurface::PaintControls(HDC dc) const {
  const bool cues = (SendMessageA(hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) == 0;
  for (const nav::NavigationControl& item : layout_) {
    if (!nav::ShownInView(item.id, view_, activeItem_, !lastChange_.empty())) continue;
    const RECT& rect = item.rect;
    const RECT screen = OnScreen(rect);
    ui::ScaledDrawing scaled(dc, SizeOf(rect), SizeOf(screen), POINT{screen.left, screen.top});
    nav::ControlState state;
    state.selected = item.id == activeItem_ && view_ == View::Home;
    state.cues = cues;
    nav::DrawControl(dc, RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top}, item.id, item.kind,
                     CaptionOf(item), look_, state);
  }
}

void NavigationSurface::AddToolTips() {
  if (toolTips_ != nullptr) return;
  // The window buttons show a glyph only; the tip puts their caption into words.
  toolTips_ = ui::CreateToolTips(hwnd());
  if (toolTips_ == nullptr) return;
  for (int id : {IDC_FS_minimizeButton, IDC_FS_trayButton, IDC_FS_closeButton}) {
    std::string text = CaptionText(FindNavigationItem(id)->caption);
    TOOLINFOA tool = ui::ToolOf(hwnd(), GetDlgItem(hwnd(), id), text.data());
    SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

const NavigationSurface::Control* NavigationSurface::FindControl(int id) const {
  for (const Control& control : controls_) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

void NavigationSurface::Send(NavigationCommand command) {
  if (sink_) sink_(command);
}

void NavigationSurface::PressCard(int index) {
  const NavigationItem& first = NavigationGroups()[static_cast<std::size_t>(index)].items.front();
  if (OpensPanel(first.command)) {
    Press(first.id);
    return;
  }
  SendMessageA(ui::RootWindow(hwnd()), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(GetDlgItem(hwnd(), first.id));
}

void NavigationSurface::Press(int id) {
  if (id >= IDC_FS_firstHomeCard && id < IDC_FS_firstHomeCard + nav::kHomeCardCount) {
    PressCard(id - IDC_FS_firstHomeCard);
    return;
  }
  std::optional<NavigationCommand> command;
  if (const NavigationItem* item = FindNavigationItem(id)) {
    command = item->command;
  } else {
    for (const NavigationGroup& group : NavigationGroups()) {
      if (group.id == id) command = group.command;
    }
  }
  if (!command) return;
  // The surface's own view changes first: the command may end the program,
  // and after that nothing of ours may be touched.
  if (command == NavigationCommand::About) {
    ShowView(View::About, 0);
  } else if (command == NavigationCommand::CloseAbout) {
    ShowView(View::Home, 0);
  } else if (OpensPanel(*command)) {
    ShowView(View::Home, id);
  } else if (CoversPanels(*command)) {
    ShowView(View::Home, 0);
  }
  Send(*command);
}

void NavigationSurface::ShowView(View view, int activeItem) {
  const int previousActive = activeItem_;
  const View previousView = view_;
  view_ = view;
  activeItem_ = activeItem;
  // The controls that come and go with the view.
  constexpr int kViewControls[] = {IDC_FS_hidePanelButton,    IDC_FS_closePanelButton,   IDC_FS_closeAboutButton,
                                   IDC_FS_firstHomeCard + 0,  IDC_FS_firstHomeCard + 1,  IDC_FS_firstHomeCard + 2,
                                   IDC_FS_firstHomeCard + 3,  IDC_FS_lastChangeLabel};
  HWND focus = GetFocus();
  for (int id : kViewControls) {
    const bool visible = nav::ShownInView(id, view, activeItem, !lastChange_.empty());
    if (!visible && hotItem_ == id) hotItem_ = 0;
    HWND control = GetDlgItem(hwnd(), id);
    if (control == nullptr) continue;  // not made yet: the surface draws it
    if (!visible && control == focus) {
      // Keep the keyboard where the user was instead of losing it with the button.
      int opener = IDC_FS_homeButton;
      if (previousActive != 0) {
        opener = previousActive;
      } else if (previousView == View::About) {
        opener = IDC_FS_aboutButton;
      }
      SetFocus(GetDlgItem(hwnd(), opener));
    }
    ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
  }
  // Everything right of the side bar changes, and the side bar's selection.
  InvalidateRect(hwnd(), nullptr, FALSE);
  for (int id : {previousActive, activeItem}) {
    if (id != 0) InvalidateRect(GetDlgItem(hwnd(), id), nullptr, FALSE);
  }
}

void NavigationSurface::TakeFocus() {
  HWND item = GetDlgItem(hwnd(), activeItem_ != 0 ? activeItem_ : IDC_FS_homeButton);
  if (item != nullptr) SetFocus(item);
}

bool NavigationSurface::Cancel() {
  const bool about = view_ == View::About;
  if (!about && activeItem_ == 0) return false;
  const int opener = about ? int{IDC_FS_aboutButton} : activeItem_;
  // From inside the panel, the keyboard comes back to the item that opened it;
  // on the surface it stays where it is, unless its button goes away.
  const bool focusOnSurface = IsChild(hwnd(), GetFocus());
  Press(about ? IDC_FS_closeAboutButton : IDC_FS_closePanelButton);
  if (!focusOnSurface) SetFocus(GetDlgItem(hwnd(), opener));
  return true;
}

void NavigationSurface::SetVersion(std::string_view version) {
  version_ = version;
  const std::string text = version_.empty() ? std::string() : "Version " + version_;
  SetWindowTextA(GetDlgItem(hwnd(), IDC_FS_versionLabel), text.c_str());
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void NavigationSurface::ShowHome() { ShowView(View::Home, 0); }

POINT NavigationSurface::ContentOrigin() const {
  return POINT{ui::ScalePixels(nav::kContentOrigin.x, dpi_), ui::ScalePixels(nav::kContentOrigin.y, dpi_)};
}

void NavigationSurface::SetLastChange(std::string_view text) {
  lastChange_ = text;
  SetWindowTextA(GetDlgItem(hwnd(), IDC_FS_lastChangeLabel), lastChange_.c_str());
  ShowView(view_, activeItem_);
}

void NavigationSurface::MoveFocus(HWND from, bool backwards) {
  HWND next = GetNextDlgTabItem(hwnd(), from, backwards ? TRUE : FALSE);
  if (next == nullptr || next == from) return;
  // Arrow keys are keyboard use: show where the focus went.
  SendMessageA(ui::RootWindow(hwnd()), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(next);
}

void NavigationSurface::DrawControl(const DRAWITEMSTRUCT& item) {
  const Control* control = FindControl(static_cast<int>(item.CtlID));
  if (control == nullptr) return;
  nav::ControlState state;
  state.hot = hotItem_ == control->id;
  state.selected = control->id == activeItem_ && view_ == View::Home;
  state.pressed = (item.itemState & ODS_SELECTED) != 0;
  state.focused = (item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0;
  // Access keys are underlined only once the keyboard is in use, as on the system's buttons.
  state.cues = (SendMessageA(item.hwndItem, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) == 0;
  const auto designed = std::find_if(layout_.begin(), layout_.end(),
                                     [&](const nav::NavigationControl& c) { return c.id == control->id; });
  if (designed == layout_.end()) return;
  ui::MemoryCanvas canvas(item.hDC, item.rcItem);
  ui::ScaledDrawing scaled(canvas.dc(), SizeOf(designed->rect), SizeOf(item.rcItem),
                           POINT{item.rcItem.left, item.rcItem.top});
  const RECT& rect = designed->rect;
  nav::DrawControl(canvas.dc(), RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top}, control->id,
                   control->kind, ui::WindowText(item.hwndItem), look_, state);
}

// ---- messages ----

LRESULT NavigationSurface::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       NavigationSurface* self) {
  return self->OnControlMessage(window, message, wParam, lParam);
}

LRESULT NavigationSurface::OnControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const int id = GetDlgCtrlID(window);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the owner drawing covers every pixel
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The title strip moves the window while the button is held, so it acts
      // on the press itself, as a caption does.
      if (id == IDC_FS_titleStrip) {
        Press(id);
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      if (hotItem_ != id) {
        const int previous = hotItem_;
        hotItem_ = id;
        ui::TrackMouseLeave(window);
        if (HWND old = GetDlgItem(hwnd(), previous)) InvalidateRect(old, nullptr, FALSE);
        InvalidateRect(window, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      if (hotItem_ == id) {
        hotItem_ = 0;
        InvalidateRect(window, nullptr, FALSE);
      }
      break;
    case WM_SETFOCUS:
      lastFocus_ = window;
      break;
    case WM_GETDLGCODE: {
      // Enter presses the focused item and the arrows walk the items; the
      // dialog manager would otherwise take both keys for itself.
      LRESULT code = ui::CallNextSubclass(window, message, wParam, lParam);
      const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
      if (keyMessage != nullptr && keyMessage->message == WM_KEYDOWN && keyMessage->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;
      }
      return code | DLGC_WANTARROWS;
    }
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_RETURN:
          SendMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window));
          return 0;
        case VK_UP:
        case VK_LEFT:
          MoveFocus(window, true);
          return 0;
        case VK_DOWN:
        case VK_RIGHT:
          MoveFocus(window, false);
          return 0;
      }
      break;
  }
  return ui::CallNextSubclass(window, message, wParam, lParam);
}

LRESULT NavigationSurface::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Only a click presses: an owner-drawn button reports a quick second
      // click as a double click, which must not run a command twice.
      if (HIWORD(wParam) == BN_CLICKED && lParam != 0) Press(LOWORD(wParam));
      return 0;
    case WM_DRAWITEM:
      DrawControl(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The rest of the title band moves the window too.
      if (static_cast<short>(HIWORD(lParam)) < ui::ScalePixels(kTitleHeight, dpi_)) Send(NavigationCommand::Drag);
      return 0;
    case WM_SETFOCUS:
      // Focus given to the surface goes on to the item that last had it.
      SetFocus(lastFocus_ != nullptr && IsWindowVisible(lastFocus_) ? lastFocus_
                                                                     : GetDlgItem(hwnd(), IDC_FS_homeButton));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      // Owned by the main window, the tips would outlive the surface and its buttons.
      if (toolTips_ != nullptr) DestroyWindow(std::exchange(toolTips_, nullptr));
      break;
    case WM_PAINT: {
      ui::PaintDc paint(hwnd());
      ui::MemoryCanvas canvas(paint.get(), paint.area());
      {
        const RECT surface = nav::Box(0, 0, kWidth, kHeight);
        ui::ScaledDrawing scaled(canvas.dc(), SizeOf(surface), SizeOf(OnScreen(surface)), POINT{0, 0});
        PaintPage(canvas.dc(), look_, view_, activeItem_, version_,
                  view_ == View::Home && activeItem_ == 0 && !lastChange_.empty());
      }
      if (controls_.empty()) PaintControls(canvas.dc());
      return 0;
    }
  }
  return ui::Window::OnMessage(message, wParam, lParam);
}

}  // namespace tw

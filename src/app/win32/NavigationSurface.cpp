#include "app/win32/NavigationSurface.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "app/CommandDispatch.h"
#include "app/NavigationItems.h"
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

bool OpensPanel(std::string_view command) {
  const std::vector<Action> actions = DispatchCommand(command);
  return std::any_of(actions.begin(), actions.end(), [](const Action& a) { return a.kind == ActionKind::ShowPanel; });
}

bool CoversPanels(std::string_view command) {
  const std::vector<Action> actions = DispatchCommand(command);
  return std::any_of(actions.begin(), actions.end(),
                     [](const Action& a) { return a.kind == ActionKind::BringMovieToFront; });
}

}  // namespace

NavigationSurface::NavigationSurface(CommandSink sink) : sink_(std::move(sink)) {}

NavigationSurface::~NavigationSurface() {
  // Destroy the windows while the fonts and the controls' table still exist:
  // the base class would do it only after our members are gone.
  if (hwnd() != nullptr) DestroyWindow(hwnd());
}

bool NavigationSurface::Create(HWND mainWindow) {
  look_.Load();

  ui::WindowArgs args;
  args.className = "TidewaveNavigation";
  args.caption = "Navigation";
  args.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  args.exStyle = WS_EX_CONTROLPARENT;
  args.x = 0;
  args.y = 0;
  args.width = kWidth;
  args.height = kHeight;
  args.parent = mainWindow;
  args.background = nullptr;  // we paint every pixel
  if (!ui::Window::Create(args)) return false;
  CreateControls();
  AddToolTips();
  ShowView(View::Home, 0);
  return true;
}

HWND NavigationSurface::AddControl(int id, Kind kind, std::string_view caption, RECT rect) {
  const bool isLabel = kind == Kind::Heading || kind == Kind::StatusLabel || kind == Kind::LastChangeLabel;
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (isLabel) {
    style |= SS_OWNERDRAW | SS_NOPREFIX;
  } else {
    style |= BS_OWNERDRAW;
    if (kind != Kind::TitleStrip) style |= WS_TABSTOP;
  }
  const std::string text(caption);
  HWND window = CreateWindowExA(0, isLabel ? "STATIC" : "BUTTON", text.c_str(), style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(look_.body.get()), FALSE);
  if (!isLabel) {
    ui::AddSubclass<&NavigationSurface::ControlProc>(window, this);
  }
  controls_.push_back({id, kind, window});
  return window;
}

void NavigationSurface::CreateControls() {
  auto caption = [](int id) { return FindNavigationItem(id)->caption; };
  // Creation order is the Tab order: the side bar first, then what belongs
  // to the content, then the title strip's buttons and the window buttons.
  AddControl(IDC_FS_titleStrip, Kind::TitleStrip, caption(IDC_FS_titleStrip), Box(0, 0, 336, kTitleHeight));

  constexpr int kSideX = 10, kSideItemWidth = kSideWidth - 2 * kSideX;
  constexpr int kItemHeight = 28, kHeadingHeight = 22, kGroupGap = 8;
  AddControl(IDC_FS_homeButton, Kind::SideItem, caption(IDC_FS_homeButton), Box(kSideX, 56, kSideItemWidth, 30));
  int y = 96;
  for (const NavigationGroup& group : NavigationGroups()) {
    AddControl(group.id, group.command.empty() ? Kind::Heading : Kind::HeadingButton, group.caption,
               Box(kSideX, y, kSideItemWidth, kHeadingHeight));
    y += kHeadingHeight;
    for (const NavigationItem& item : group.items) {
      AddControl(item.id, Kind::SideItem, item.caption, Box(kSideX, y, kSideItemWidth, kItemHeight));
      y += kItemHeight;
    }
    y += kGroupGap;
  }

  // The home view's cards, then its line about the last change (no tab stop).
  for (int i = 0; i < nav::kHomeCardCount; ++i) {
    AddControl(IDC_FS_firstHomeCard + i, Kind::HomeCard, CaptionText(NavigationGroups()[i].caption),
               nav::HomeCardRect(i));
  }
  AddControl(IDC_FS_lastChangeLabel, Kind::LastChangeLabel, "", nav::kLastChangeLine);

  const int closeLeft = kCard.right - 104;
  AddControl(IDC_FS_hidePanelButton, Kind::ActionButton, caption(IDC_FS_hidePanelButton),
             Box(closeLeft - 8 - 84, kActionTop, 84, kActionHeight));
  AddControl(IDC_FS_closePanelButton, Kind::ActionButton, caption(IDC_FS_closePanelButton),
             Box(closeLeft, kActionTop, 104, kActionHeight));
  AddControl(IDC_FS_closeAboutButton, Kind::PrimaryButton, caption(IDC_FS_closeAboutButton),
             Box(kCard.right - 84, kActionTop, 84, kActionHeight));

  constexpr int kWindowButtonWidth = 46;
  const int windowButtonsLeft = kWidth - 3 * kWindowButtonWidth;
  int x = windowButtonsLeft - 10;
  struct TitleButton {
    int id, width;
  };
  constexpr TitleButton kTitleButtons[] = {
      {IDC_FS_aboutButton, 62}, {IDC_FS_helpButton, 56}, {IDC_FS_mainSettingsButton, 108}};
  // Laid out from the right; created in reading order.
  RECT titleRects[3];
  for (int i = 0; i < 3; ++i) {
    x -= kTitleButtons[i].width;
    titleRects[i] = Box(x, 8, kTitleButtons[i].width, kTitleHeight - 16);
    x -= 4;
  }
  for (int i = 2; i >= 0; --i) {
    AddControl(kTitleButtons[i].id, Kind::TitleButton, caption(kTitleButtons[i].id), titleRects[i]);
  }

  AddControl(IDC_FS_restartButton, Kind::RestartButton, caption(IDC_FS_restartButton),
             Box(kWidth - 12 - 150, kStatusTop + 4, 150, kHeight - kStatusTop - 8));
  AddControl(IDC_FS_versionLabel, Kind::StatusLabel, "", Box(16, kStatusTop + 1, 300, kHeight - kStatusTop - 1));

  x = windowButtonsLeft;
  for (int id : {IDC_FS_minimizeButton, IDC_FS_trayButton, IDC_FS_closeButton}) {
    AddControl(id, Kind::WindowButton, caption(id), Box(x, 0, kWindowButtonWidth, kTitleHeight));
    x += kWindowButtonWidth;
  }
}

void NavigationSurface::AddToolTips() {
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

void NavigationSurface::Send(std::string_view command) {
  if (sink_) sink_(command, "");
}

void NavigationSurface::PressCard(int index) {
  const NavigationItem& first = NavigationGroups()[static_cast<std::size_t>(index)].items.front();
  if (OpensPanel(first.command)) {
    Press(first.id);
    return;
  }
  SendMessageA(GetAncestor(hwnd(), GA_ROOT), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(GetDlgItem(hwnd(), first.id));
}

void NavigationSurface::Press(int id) {
  if (id >= IDC_FS_firstHomeCard && id < IDC_FS_firstHomeCard + nav::kHomeCardCount) {
    PressCard(id - IDC_FS_firstHomeCard);
    return;
  }
  std::string_view command;
  if (const NavigationItem* item = FindNavigationItem(id)) {
    command = item->command;
  } else {
    for (const NavigationGroup& group : NavigationGroups()) {
      if (group.id == id) command = group.command;
    }
  }
  if (command.empty()) return;
  // The surface's own view changes first: the command may end the program,
  // and after that nothing of ours may be touched.
  if (command == "IDC_FS_about") {
    ShowView(View::About, 0);
  } else if (command == "IDC_FS_closeAbout") {
    ShowView(View::Home, 0);
  } else if (OpensPanel(command)) {
    ShowView(View::Home, id);
  } else if (CoversPanels(command)) {
    ShowView(View::Home, 0);
  }
  Send(command);
}

void NavigationSurface::ShowView(View view, int activeItem) {
  const int previousActive = activeItem_;
  const View previousView = view_;
  view_ = view;
  activeItem_ = activeItem;
  const bool panelOpen = view == View::Home && activeItem != 0;
  const bool home = view == View::Home && activeItem == 0;
  const std::pair<int, bool> visibility[] = {
      {IDC_FS_hidePanelButton, panelOpen},
      {IDC_FS_closePanelButton, panelOpen},
      {IDC_FS_closeAboutButton, view == View::About},
      {IDC_FS_firstHomeCard + 0, home},
      {IDC_FS_firstHomeCard + 1, home},
      {IDC_FS_firstHomeCard + 2, home},
      {IDC_FS_firstHomeCard + 3, home},
      {IDC_FS_lastChangeLabel, home && !lastChange_.empty()},
  };
  HWND focus = GetFocus();
  for (const auto& [id, visible] : visibility) {
    HWND control = GetDlgItem(hwnd(), id);
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
    if (!visible && hotItem_ == id) hotItem_ = 0;
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

void NavigationSurface::SetVariable(std::string_view name, std::string_view value) {
  if (name == "_root.version") {
    version_ = value;
    const std::string text = version_.empty() ? std::string() : "Version " + version_;
    SetWindowTextA(GetDlgItem(hwnd(), IDC_FS_versionLabel), text.c_str());
    InvalidateRect(hwnd(), nullptr, FALSE);
  } else if (name == "_root.home" && value == "true") {
    ShowView(View::Home, 0);
  }
}

POINT NavigationSurface::ContentOrigin() const { return nav::kContentOrigin; }

void NavigationSurface::SetLastChange(std::string_view text) {
  lastChange_ = text;
  SetWindowTextA(GetDlgItem(hwnd(), IDC_FS_lastChangeLabel), lastChange_.c_str());
  ShowView(view_, activeItem_);
}

void NavigationSurface::MoveFocus(HWND from, bool backwards) {
  HWND next = GetNextDlgTabItem(hwnd(), from, backwards ? TRUE : FALSE);
  if (next == nullptr || next == from) return;
  // Arrow keys are keyboard use: show where the focus went.
  SendMessageA(GetAncestor(hwnd(), GA_ROOT), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(next);
}

void NavigationSurface::DrawControl(const DRAWITEMSTRUCT& item) {
  const Control* control = FindControl(static_cast<int>(item.CtlID));
  if (control == nullptr) return;
  const bool selected = control->id == activeItem_ && view_ == View::Home;
  nav::DrawControl(item, look_, control->kind, hotItem_ == control->id, selected);
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
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
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
      if (static_cast<short>(HIWORD(lParam)) < kTitleHeight) Send("Drag");
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
      PaintPage(canvas.dc(), look_, view_, activeItem_, version_,
                view_ == View::Home && activeItem_ == 0 && !lastChange_.empty());
      return 0;
    }
  }
  return ui::Window::OnMessage(message, wParam, lParam);
}

}  // namespace tw

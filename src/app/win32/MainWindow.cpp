#include "app/win32/MainWindow.h"

#include <windowsx.h>
#include <commctrl.h>

#include <memory>

#include "Version.h"
#include "app/ProgramVersion.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32SystemInfo.h"
#include "settings/MainSettings.h"
#include "settings/RegistrySettings.h"
#include "system/SystemShortcuts.h"
#include "tuning/Presets.h"
#include "ui/win32/CommonControls.h"

namespace tw {
namespace {

constexpr UINT_PTR kFinishStartupTimer = 1;
// Long enough for the window to wait for input first: Wine counts a program
// as waiting only once it has found nothing to handle.
constexpr UINT kFinishStartupMs = 50;

// Where Tab would go first in `parent`: a tab stop that is shown and enabled,
// in creation order, looked for inside shown containers too. In a group of
// option buttons only the chosen one is a tab stop (the buttons see to that
// when checked), so the choice is not changed by the focus landing on another.
HWND FirstTabStop(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0 || (style & WS_DISABLED) != 0) continue;
    if (style & WS_TABSTOP) return child;
    if (HWND inner = FirstTabStop(child)) return inner;
  }
  return nullptr;
}

// A date or time as the user's settings write it.
std::string SystemDateText(const SystemTime& when, bool time) {
  const SYSTEMTIME at = ToSystemTime(when);
  char text[80] = {};
  const int length = time ? GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &at, nullptr, text, sizeof text)
                          : GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &at, nullptr, text, sizeof text);
  return length > 0 ? text : "";
}

// The numbers the version resource is made from, so no library has to load
// at start-up to read that resource back.
std::string OwnVersionText() {
  return MovieVersionText(TIDEWAVE_VERSION_MAJOR, TIDEWAVE_VERSION_MINOR, TIDEWAVE_VERSION_REVISION);
}

}  // namespace

MainWindow::MainWindow(AppContext& app, IVersionSource& version, ui::INotifyIcon& notifyIcon, int dpi)
    : Tray1(notifyIcon),
      app_(app),
      version_(version),
      dpi_(dpi),
      skin_(dpi),
      flash_([this](NavigationCommand command) { OnNavigationCommand(command); }, dpi) {
  const PanelLinks links{[this](const std::string& tip) {
                           // Before the icon is made, the tip waits for it.
                           if (!startupFinished_) {
                             Tray1.Icon().TrayToolTip = tip;
                           } else {
                             Tray1.Icon().SetTip(tip);
                           }
                         },
                         [this](const LastChange& change) { RecordChange(change); },
                         [this] { ShowStoredLastChange(); }};
  panels_ = MakePanels(app_, links);
}

MainWindow::~MainWindow() {
  // Panels are children of the host: let them go before the windows do.
  for (auto& panel : panels_.byId) panel->Unload();
}

bool MainWindow::HostFrame::Create(HWND parent, POINT origin, int dpi) {
  ui::WindowArgs args;
  args.className = "TidewaveHost";
  args.caption = "framChildWindow";
  // Hidden until a panel is shown in it.
  args.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  args.exStyle = WS_EX_CONTROLPARENT;
  args.x = origin.x;
  args.y = origin.y;
  args.width = ui::ScalePixels(kHostDesignWidth, dpi);
  args.height = ui::ScalePixels(kHostDesignHeight, dpi);
  args.parent = parent;
  return ui::Window::Create(args);
}

bool MainWindow::Create(int showCommand) {
  // The navigation surface draws the caption bar and window buttons itself.
  constexpr DWORD kStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  ui::WindowArgs args;
  args.className = kClassName;
  args.caption = kCaption;
  args.style = kStyle;
  args.exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
  const int width = ui::ScalePixels(kClientWidth, dpi_), height = ui::ScalePixels(kClientHeight, dpi_);
  args.x = work.left + ((work.right - work.left) - width) / 2;
  args.y = work.top + ((work.bottom - work.top) - height) / 2;
  args.width = width;
  args.height = height;
  if (!ui::Window::Create(args)) return false;
  InitializeCues();
  Startup(showCommand);
  return true;
}

void MainWindow::InitializeCues() {
  // As the dialog manager does for a dialog box: the access keys and the focus
  // stay hidden until the keyboard is used, unless it was used to start us.
  // Once for the first paint, and again for the controls made after it.
  SendMessageA(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0);
}

void MainWindow::Startup(int showCommand) {
  // The single-instance test and the mutex came before the window.
  const auto show = [&] {
    if (showCommand == SW_HIDE) return;
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    showCommand = SW_HIDE;
  };
  // The window is shown as soon as it can be painted whole: the navigation
  // surface draws its controls itself until they exist, and nothing the first
  // paint shows needs comctl32 or the panels' hidden host. The rest, its
  // controls included, follows once the first messages have been taken.
  flash_.Create(hwnd());
  flash_.SetVersion(OwnVersionText());
  ShowStoredLastChange();
  // Start-in-tray is read once, first: a window that starts in the tray is never shown.
  const bool startInTray = LoadMainSettingsValues(app_.registry).chkRunProgramMini;
  if (!startInTray) show();

  app_.os = DetectOsFamily(version_);
  LoadPresets(app_.tuning.PresetSettings);

  // Each panel reads its settings and starts its timers; its windows wait
  // until it is first shown.
  for (PanelId id : kStartupLoadOrder) Panel(id).Start(*this);

  if (startInTray) startedInTray_ = ShowStillRunningNotice();
  // Not in the tray after all (the shell took no icon): the window stays.
  if (!startedInTray_) show();
  // Under Wine, the surface's controls, the panels' host, the skin and the
  // icon take 70 to 130 ms, much of it waiting on the shell's process for the
  // icon: a click or key the user gives meanwhile finishes it first
  // (RouteEarlyInput).
  if (!startupFinished_) SetTimer(hwnd(), kFinishStartupTimer, kFinishStartupMs, nullptr);
}

void MainWindow::FinishStartup() {
  KillTimer(hwnd(), kFinishStartupTimer);
  if (startupFinished_) return;
  startupFinished_ = true;
  flash_.CreateControls();
  // The window took the keyboard when it was shown, before there was an item to give it to.
  if (GetFocus() == hwnd() || GetFocus() == flash_.hwnd()) flash_.TakeFocus();
  InitializeCues();
  framChildWindow_.Create(hwnd(), flash_.ContentOrigin(), dpi_);
  SetWindowPos(framChildWindow_.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  BringMovieToFront();
  skin_.LoadSkinFile(app_.programFolder + "\\RTidewaveMask.skn");
  skin_.ApplySkin(framChildWindow_.hwnd(), "NoFrame");
  Tray1.Create();
  Tray1.SetTrayImage(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_SHARED)));
  Tray1.LeftClick = [this] { RestoreMainWindow(); };
  // The shell is still waiting for the click to be taken: the menu, and an
  // exit chosen from it, must not run inside that call.
  Tray1.RightClick = [this] { PostMessageA(hwnd(), kShowTrayMenu, 0, 0); };
  Tray1.MouseClick = [this](int&) { RestoreMainWindow(); };
  // With the tip the status monitor has given it meanwhile, if any.
  Tray1.Show(true);
  ui::RegisterControlClasses();
  flash_.AddToolTips();
}

void MainWindow::RouteEarlyInput(MSG& message) {
  if (startupFinished_) return;
  const UINT kind = message.message;
  const bool key = kind >= WM_KEYFIRST && kind <= WM_KEYLAST;
  const bool press = kind >= WM_LBUTTONDOWN && kind <= WM_MBUTTONDBLCLK;
  if ((!key && !press) || (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd))) return;
  FinishStartup();
  // The key goes to the item that now has the keyboard; the press to the
  // control now under the pointer, where the surface had drawn it.
  if (key) {
    if (HWND focus = GetFocus()) message.hwnd = focus;
    return;
  }
  POINT at{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
  MapWindowPoints(message.hwnd, flash_.hwnd(), &at, 1);
  HWND target = ChildWindowFromPointEx(flash_.hwnd(), at, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
  if (target == nullptr || target == flash_.hwnd()) return;
  MapWindowPoints(flash_.hwnd(), target, &at, 1);
  message.hwnd = target;
  message.lParam = MAKELPARAM(at.x, at.y);
}

void MainWindow::OnNavigationCommand(NavigationCommand command) {
  // A panel needs its host and the skin: a command that comes first finishes start-up.
  FinishStartup();
  if (!MayLeaveShownPanel(command)) return;
  // A restart closes every other program the user has open: one key press on
  // a focused item must not do that unasked.
  if (command == NavigationCommand::Restart && !ConfirmRestart()) return;
  for (const Action& action : DispatchCommand(command)) Perform(action);
}

bool MainWindow::TranslateHelpKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_F1) return false;
  if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;
  OpenHelpInFront();
  return true;
}

void MainWindow::OpenHelpInFront() {
  std::string_view page = ui::kHomeHelpPage;
  // A panel is in front while the host is shown; the navigation hides it with its views.
  if (IsWindowVisible(framChildWindow_.hwnd())) {
    for (const PanelInfo& info : kPanels) {
      const ui::Panel& panel = Panel(info.id);
      if (panel.IsLoaded() && IsWindowVisible(panel.hwnd())) page = info.helpPage;
    }
  }
  ShowHelpProblem(OpenHelpPage(app_.shell, app_.files, reinterpret_cast<std::uintptr_t>(hwnd()), app_.programFolder,
                               page));
}

void MainWindow::ShowHelpProblem(const std::string& problem) {
  if (problem.empty()) return;
  app_.messages.Show(reinterpret_cast<std::uintptr_t>(hwnd()), problem, ui::kMbOk | ui::kMbIconInformation);
}

bool MainWindow::MayLeaveShownPanel(NavigationCommand command) {
  // By their styles: hidden in the tray, the window's "Exit" still leaves the panel.
  const auto shown = [](HWND window) { return window != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE); };
  if (!shown(framChildWindow_.hwnd())) return true;
  for (const PanelInfo& info : kPanels) {
    ui::Panel& panel = Panel(info.id);
    if (panel.IsLoaded() && shown(panel.hwnd()) && LeavesPanel(command, info.id)) return panel.QueryLeave();
  }
  return true;
}

bool MainWindow::ConfirmRestart() {
  return app_.messages.Show(reinterpret_cast<std::uintptr_t>(hwnd()),
                            "Restart Windows now?\r\n\r\nEvery program that is open will be closed, and work not "
                            "saved in them will be lost.",
                            ui::kMbYesNo | ui::kMbIconQuestion | ui::kMbDefButton2) == ui::kIdYes;
}

void MainWindow::Perform(const Action& action) {
  ui::Panel& panel = Panel(action.panel);
  switch (action.kind) {
    case ActionKind::MinimizeMainWindow: ShowWindow(hwnd(), SW_MINIMIZE); break;
    case ActionKind::BringMovieToFront: BringMovieToFront(); break;
    case ActionKind::SetPanelVisible:
      if (!action.value && !panel.IsLoaded()) break;  // nothing to hide
      panel.Load(*this);
      ShowWindow(panel.hwnd(), action.value ? SW_SHOWNA : SW_HIDE);
      break;
    case ActionKind::HideAllPanels: HideAllPanels(); break;
    case ActionKind::ShowPanel: ShowPanel(action.panel); break;
    case ActionKind::LoadPanel: panel.Load(*this); break;
    case ActionKind::UnloadPanel: panel.Unload(); break;
    case ActionKind::RenewWalk:
      if (!panel.IsLoaded()) {
        panels_.normalMode->Pages().currWizardPage = 0;
        panel.Load(*this);
      } else if (!panels_.normalMode->Pages().WalkUnderWay()) {
        panels_.normalMode->NewWalk();
      }
      break;
    case ActionKind::IntializeList:
      panels_.backUp->Load(*this);
      panels_.backUp->intializeList();
      break;
    case ActionKind::SetHostWidth: {
      RECT rect;
      GetWindowRect(framChildWindow_.hwnd(), &rect);
      SetHostSize(ui::ScalePixels(action.value, dpi_), rect.bottom - rect.top);
      break;
    }
    case ActionKind::SetHostHeight: {
      RECT rect;
      GetWindowRect(framChildWindow_.hwnd(), &rect);
      SetHostSize(rect.right - rect.left, ui::ScalePixels(action.value, dpi_));
      break;
    }
    case ActionKind::HideTrayIcon: Tray1.Show(false); break;
    case ActionKind::EndProcess: DestroyWindow(hwnd()); break;
    case ActionKind::ShowStillRunningNotice:
      if (!ShowStillRunningNotice()) {
        app_.messages.Show(reinterpret_cast<std::uintptr_t>(hwnd()),
                           "Tidewave cannot put its icon in the notification area just now, so it stays open here.",
                           ui::kMbOk | ui::kMbIconInformation);
      }
      break;
    case ActionKind::OpenHelp:
      ShowHelpProblem(OpenHelp(app_.shell, app_.files, reinterpret_cast<std::uintptr_t>(hwnd()), app_.programFolder));
      break;
    case ActionKind::BeginWindowDrag: BeginWindowDrag(); break;
    case ActionKind::OpenInternetProperties: OpenInternetProperties(app_.shell); break;
    case ActionKind::OpenSystemProperties: OpenSystemProperties(app_.shell); break;
    case ActionKind::OpenModemSettings: OpenModemSettings(app_.shell); break;
    case ActionKind::OpenNetworkSettings: OpenNetworkSettings(app_.shell, app_.os.code); break;
    case ActionKind::RestartWindows: RestartWindows(app_.shell); break;
  }
}

void MainWindow::SetHostSize(int width, int height) {
  SetWindowPos(framChildWindow_.hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::ShowPanel(PanelId id) {
  for (PanelId other : kShowPanelHideOrder) {
    if (Panel(other).IsLoaded()) ShowWindow(Panel(other).hwnd(), SW_HIDE);
  }
  ui::Panel& panel = Panel(id);
  panel.Load(*this);  // a panel is a child of the host from its creation
  ShowWindow(panel.hwnd(), SW_SHOW);
  SetWindowPos(framChildWindow_.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  // The keyboard goes into the panel the user opened. While the window is not
  // active, it goes there on activation instead: setting it now would activate
  // a window that may be hidden in the tray.
  if (HWND first = FirstTabStop(panel.hwnd())) {
    if (GetActiveWindow() == hwnd()) {
      SetFocus(first);
    } else {
      lastFocus_ = first;
    }
  }
}

void MainWindow::HideAllPanels() {
  for (PanelId id : kHideAllOrder) {
    if (Panel(id).IsLoaded()) ShowWindow(Panel(id).hwnd(), SW_HIDE);
  }
}

void MainWindow::BringMovieToFront() {
  // Covered is not enough: Tab, access keys and Space would still reach the
  // panel's controls, and a Space on a hidden "Optimize Now" would apply again.
  // The host goes out of sight with its panels; they keep their own visibility.
  HWND host = framChildWindow_.hwnd();
  const bool focusInHost = host != nullptr && IsChild(host, GetFocus());
  SetWindowPos(flash_.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (host != nullptr) ShowWindow(host, SW_HIDE);
  if (focusInHost) flash_.TakeFocus();
}

void MainWindow::ShowHome() {
  // Back home is the whole home view: a panel that asks for it and does not
  // bring the surface in front itself (a restore did not) would leave its
  // host over half of the home view.
  BringMovieToFront();
  flash_.ShowHome();
}

void MainWindow::applyAllControls(ui::Panel& panel) { ui::SkinPanelControls(skin_, panel); }

void MainWindow::RestoreMainWindow() {
  ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
}

bool MainWindow::ShowStillRunningNotice() {
  // A restart that Windows refused has taken the icon away, or the shell never
  // took it. Hidden without an icon the program would have no way back, and
  // its single-instance check would then turn away every new start. Hidden
  // before start-up has finished, the icon is made at once.
  FinishStartup();
  if (!Tray1.EnsureInShell()) return false;
  ShowWindow(hwnd(), SW_HIDE);
  // NT 4.0's shell, like every shell before version 5, has no balloons.
  if (IsNtFamily(app_.os.code) && Tray1.Icon().HasBalloons()) {
    Tray1.showBalloonoolTip(true);
  } else {
    // Against the bottom-right corner, where the notification area lies; it closes itself.
    const SIZE screen = ui::ScreenSize();
    notice_.MsgAuto_box("The Program Still Running Here", ui::kMbIconInformation, "Program notification", 5, true,
                        RGB(242, 248, 200), static_cast<float>(screen.cx - 40), static_cast<float>(screen.cy), 0);
  }
  return true;
}

void MainWindow::RecordChange(const LastChange& change) {
  SaveLastChange(app_.registry, change);
  ShowLastChange(change);
}

void MainWindow::ShowLastChange(const LastChange& change) {
  std::string text = LastChangeText(change, SystemDateText(change.when, false), SystemDateText(change.when, true),
                                    UndoKept(app_.files, app_.programFolder, change));
  Win32SystemInfo system;
  if (ChangedSinceWindowsStarted(change.when, app_.clock.GetLocalTime(),
                                 WindowsUpSeconds(system, GetTickCount()))) {
    text += "\r\n";
    text += kNextStartNote;
  }
  flash_.SetLastChange(text);
}

void MainWindow::ShowStoredLastChange() {
  if (const auto change = LoadLastChange(app_.registry)) ShowLastChange(*change);
  for (const auto& panel : panels_.byId) {
    if (panel) panel->ChangedElsewhere();
  }
}

void MainWindow::ShowTrayMenu() {
  enum : UINT { kRestore = 1, kExit = 2 };
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  AppendMenuA(menu.get(), MF_STRING, kRestore, "&Restore");
  AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu.get(), MF_STRING, kExit, "E&xit");
  SetMenuDefaultItem(menu.get(), kRestore, FALSE);
  POINT at{};
  GetCursorPos(&at);
  // The menu closes on a click elsewhere only while our window is in front,
  // and the message after it lets the next right click open it again at once.
  SetForegroundWindow(hwnd());
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                                       at.x, at.y, 0, hwnd(), nullptr));
  PostMessageA(hwnd(), WM_NULL, 0, 0);
  if (chosen == kRestore) {
    RestoreMainWindow();
    SetForegroundWindow(hwnd());
  } else if (chosen == kExit) {
    // The program's own way out: panels unload, their timers stop, the icon goes.
    OnNavigationCommand(NavigationCommand::Close);
  }
}

void MainWindow::BeginWindowDrag() {
  ReleaseCapture();
  SendMessageA(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void MainWindow::UnloadPanels(std::span<const PanelId> order) {
  for (PanelId id : order) Panel(id).Unload();
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (!MayLeaveShownPanel(NavigationCommand::Close)) return 0;
      DestroyWindow(hwnd());
      return 0;
    case WM_COMMAND: {
      // Escape: the dialog manager sends IDCANCEL. It closes the panel or the
      // about view the user has open, as their own buttons do.
      if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
        flash_.Cancel();
        return 0;
      }
      // Enter on a push button inside a panel: the dialog manager treats this
      // window as the dialog, so the press arrives here, either as IDOK (no
      // default button found) or as the button's own click. Hand it back to
      // the button, whose panel handles it.
      HWND button = reinterpret_cast<HWND>(lParam);
      if (lParam == 0 && LOWORD(wParam) == IDOK) {
        button = GetFocus();
        const LRESULT code = button && IsChild(hwnd(), button) ? SendMessageA(button, WM_GETDLGCODE, 0, 0) : 0;
        if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) return 0;
      } else if (HIWORD(wParam) != BN_CLICKED || !IsChild(hwnd(), button) || GetParent(button) == hwnd()) {
        break;
      }
      SendMessageA(button, BM_CLICK, 0, 0);
      return 0;
    }
    case WM_NEXTDLGCTL:
      ui::MoveDialogFocus(hwnd(), wParam, lParam);
      return 0;
    case WM_ACTIVATE:
      // A command line run in another session cannot reach this window: what
      // it changed shows when the user comes back to it.
      if (LOWORD(wParam) != WA_INACTIVE) ShowStoredLastChange();
      // Keyboard focus returns where it was when the window is activated again.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd(), focus)) lastFocus_ = focus;
      } else if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      flash_.TakeFocus();
      return 0;
    case kShowRunningInstance:
      RestoreMainWindow();
      SetForegroundWindow(hwnd());
      return 1;
    case kShowTrayMenu:
      ShowTrayMenu();
      return 0;
    case WM_TIMER:
      if (wParam != kFinishStartupTimer) break;
      FinishStartup();
      return 0;
    case kChangedElsewhere:
      ShowStoredLastChange();
      return 0;
    case WM_DESTROY:
      // Nothing is saved here: every panel stores its settings when the user saves them.
      UnloadPanels(kShutdownOrder);
      // No tick may follow the window: the status monitor's would bring the icon back.
      for (PanelId id : kShutdownOrder) Panel(id).Stop();
      Tray1.Show(false);
      PostQuitMessage(0);
      return 0;
  }
  return ui::Window::OnMessage(message, wParam, lParam);
}

}  // namespace tw

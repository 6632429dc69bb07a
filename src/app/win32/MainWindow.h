#pragma once
// frmMain: the program's only top-level window. The navigation surface covers
// it; behind the surface lies the panel host, framChildWindow, in which one
// panel at a time is shown and brought in front of the surface.
#include <array>
#include <memory>
#include <string_view>

#include "app/AppContext.h"
#include "app/CommandDispatch.h"
#include "app/LastChange.h"
#include "app/Panels.h"
#include "app/win32/NavigationSurface.h"
#include "app/win32/PanelFactory.h"
#include "platform/Version.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Panel.h"
#include "ui/win32/SkinEngine.h"
#include "ui/win32/Tray.h"
#include "ui/win32/Window.h"
#include "ui/win32/msgFrm.h"

namespace tw {

class MainWindow final : public ui::Window, public ui::PanelHost {
 public:
  static constexpr const char* kClassName = "TidewaveMain";
  static constexpr const char* kCaption = "Tidewave";
  // Pixels at 96 DPI; the window grows with the screen's DPI. The navigation
  // surface covers the whole client area, and the host is as wide as the panels.
  static constexpr int kClientWidth = NavigationSurface::kWidth;
  static constexpr int kClientHeight = NavigationSurface::kHeight;
  static constexpr int kHostDesignWidth = ui::kHostWidth;
  static constexpr int kHostDesignHeight = 332;
  // Sent by a second start to the running window: show, restore and come to the front.
  static constexpr UINT kShowRunningInstance = WM_APP + 1;
  // Posted by a right click on the tray icon: the menu opens from our own message loop.
  static constexpr UINT kShowTrayMenu = WM_APP + 2;
  // Posted by tidewave-cli after it changed the values: show the last change it stored.
  static constexpr UINT kChangedElsewhere = WM_APP + 3;

  // Laid out at `dpi`: the screen's, or one a test chooses.
  MainWindow(AppContext& app, IVersionSource& version, ui::INotifyIcon& notifyIcon, int dpi = ui::ScreenDpi());
  ~MainWindow() override;

  // Creates the window and runs the start-up, showing the window with
  // `showCommand` unless it starts in the tray; SW_HIDE leaves it hidden.
  // False if the window could not be made.
  bool Create(int showCommand = SW_HIDE);
  // After start-up: true when the start-in-tray option left the window hidden.
  bool StartedInTray() const { return startedInTray_; }
  // What the window does not need to take input: the panels' host and the
  // skin, the notification-area icon, the window buttons' tips, the panels'
  // control classes. A timer that Create sets runs it, its message coming
  // after every other; a navigation command or hiding to the tray first.
  void FinishStartup();
  bool StartupFinished() const { return startupFinished_; }
  // The message loop hands every message here first: a key or mouse press for
  // the window that comes before start-up has finished finishes it, and is
  // sent on to the control that now has the keyboard or lies under the pointer.
  void RouteEarlyInput(MSG& message);

  // The dispatcher: every navigation command comes here.
  void OnNavigationCommand(NavigationCommand command);

  // The message loop hands every message here before the dialog keys: F1
  // pressed anywhere in the window opens the help page of what is in front
  // and is taken (true).
  bool TranslateHelpKey(const MSG& message);
  // The help page of the panel in front, or the guide's first page from the
  // home and about views.
  void OpenHelpInFront();
  // A help that could not be shown says why, in the program's own message box.
  void ShowHelpProblem(const std::string& problem);

  void ShowPanel(PanelId id);
  void HideAllPanels();
  void RestoreMainWindow();
  // Hides the window to the tray with the still-running notice; false, and
  // the window stays, when the shell holds no icon to come back through.
  bool ShowStillRunningNotice();
  void BeginWindowDrag();
  // After every apply and restore that wrote: stored, and shown on the home view.
  void RecordChange(const LastChange& change);
  // The tray icon's right-click menu: "Restore" and "Exit".
  void ShowTrayMenu();
  ui::Panel& Panel(PanelId id) { return *panels_.byId[static_cast<int>(id)]; }
  NavigationSurface& Movie() { return flash_; }
  // The timed notice the 9x family gets in place of a tray balloon.
  ui::msgFrm& StillRunningNotice() { return notice_; }

  // ui::PanelHost
  HWND HostWindow() const override { return framChildWindow_.hwnd(); }
  ui::SkinEngine& Skin() override { return skin_; }
  void applyAllControls(ui::Panel& panel) override;
  void BringMovieToFront() override;
  void ShowHome() override;
  int Dpi() const override { return dpi_; }

  ui::Tray Tray1;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  class HostFrame final : public ui::Window {
   public:
    bool Create(HWND parent, POINT origin, int dpi);
  };

  void Startup(int showCommand);
  void InitializeCues();
  void UnloadPanels(std::span<const PanelId> order);
  void Perform(const Action& action);
  // Asks before a restart (No is the default); true for Yes.
  bool ConfirmRestart();
  // The panel shown asks about its unsaved changes when `command` leaves it;
  // false when the user stays.
  bool MayLeaveShownPanel(NavigationCommand command);
  void SetHostSize(int width, int height);
  void ShowLastChange(const LastChange& change);
  // The stored record, which tidewave-cli may have written meanwhile, and
  // the values it may have changed under the open panels.
  void ShowStoredLastChange();

  AppContext& app_;
  IVersionSource& version_;
  const int dpi_;
  ui::SkinEngine skin_;
  NavigationSurface flash_;
  HostFrame framChildWindow_;
  Panels panels_;
  bool startedInTray_ = false;
  bool startupFinished_ = false;
  HWND lastFocus_ = nullptr;
  ui::msgFrm notice_;
};

}  // namespace tw

// The real main window in this process, with the real registry and windows,
// a recording shell and a recording notification area.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <map>

#include "app/NavigationItems.h"
#include "backup/BackupManager.h"
#include "settings/RegistrySettings.h"
#include "settings/win32/frmMainSettings.h"
#include "support/RegistrySnapshot.h"
#include "support/wine/MainWindowFixture.h"
#include "platform/win32/Win32Registry.h"
#include "support/TuningKeys.h"
#include "support/wine/Program.h"
#include "support/wine/ScratchFolder.h"
#include "tuning/WizardMode.h"
#include "tuning/win32/frmNormalMode.h"

namespace tw::test {
namespace {

// The bytes the process's heaps hold in use.
std::size_t HeapBytesInUse() {
  HANDLE heaps[64];
  const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
  std::size_t used = 0;
  for (DWORD i = 0; i < count; ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += entry.cbData;
    }
    HeapUnlock(heaps[i]);
  }
  return used;
}

class MainWindowTest : public MainWindowFixture {
 protected:
  HWND TopChild() { return GetWindow(main_->hwnd(), GW_CHILD); }
  bool IsNt() { return TestFamily() == "xp"; }
};

TEST_F(MainWindowTest, StartupStartsSixPanelsWithoutTheirWindowsAndAddsTheTrayIconOnce) {
  MainWindow& main = Start();
  EXPECT_EQ("Tidewave", WindowText(main.hwnd()));
  RECT client{};
  GetClientRect(main.hwnd(), &client);
  EXPECT_EQ(724, client.right);
  EXPECT_EQ(540, client.bottom);
  EXPECT_EQ(IsNt() ? 7 : 3, app_->os.code);

  for (const PanelInfo& info : kPanels) {
    ui::Panel& panel = main.Panel(info.id);
    EXPECT_FALSE(panel.IsLoaded()) << info.name << ": its windows wait until it is shown";
    EXPECT_EQ(info.id != PanelId::frmNormalMode, panel.IsStarted()) << info.name;
  }
  EXPECT_EQ(nullptr, GetWindow(main.HostWindow(), GW_CHILD));
  EXPECT_EQ(main.Movie().hwnd(), TopChild()) << "the navigation is in front";
  ASSERT_EQ(1u, notify_.calls.size());
  EXPECT_EQ(ui::kNimAdd, notify_.calls[0].message);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(main.Tray1.hwnd()), notify_.calls[0].data.window);
  EXPECT_NE(0u, notify_.calls[0].data.icon);
  EXPECT_FALSE(main.StartedInTray());
}

TEST_F(MainWindowTest, EachPanelCommandShowsExactlyThatPanelInFrontAndSizesTheHost) {
  MainWindow& main = Start();
  using enum NavigationCommand;
  const struct { NavigationCommand command; PanelId panel; int height; } cases[] = {
      {MainSettings, PanelId::frmMainSettings, 245},     {WizardMode, PanelId::frmWizardMode, 250},
      {NormalMode, PanelId::frmNormalMode, 252},         {BackupManager, PanelId::frmBackUp, 246},
      {PingSettings, PanelId::frmNetPingerSettings, 244},
      {SystemStatus, PanelId::frmSystemStatus, 255},     {RamConfiguration, PanelId::frmRamConfiguration, 240},
  };
  for (const auto& c : cases) {
    main.OnNavigationCommand(c.command);
    EXPECT_EQ(std::vector<PanelId>{c.panel}, VisiblePanels()) << CommandName(c.command);
    RECT host{};
    GetWindowRect(main.HostWindow(), &host);
    EXPECT_EQ(440, host.right - host.left) << CommandName(c.command);
    EXPECT_EQ(c.height, host.bottom - host.top) << CommandName(c.command);
    EXPECT_EQ(main.HostWindow(), TopChild()) << CommandName(c.command);
    EXPECT_EQ(main.HostWindow(), GetParent(main.Panel(c.panel).hwnd()));
    EXPECT_EQ(std::string(Info(c.panel).caption), WindowText(main.Panel(c.panel).hwnd()));
  }
  main.OnNavigationCommand(NavigationCommand::Home);
  EXPECT_EQ(main.Movie().hwnd(), TopChild());
  EXPECT_EQ(1u, VisiblePanels().size()) << "home covers the panel without hiding it";
  main.OnNavigationCommand(NavigationCommand::ClosePanel);
  EXPECT_TRUE(VisiblePanels().empty());
}

TEST_F(MainWindowTest, TheStepByStepEditorKeepsAWalkUntilFinishThenOpensOnItsFirstPage) {
  Win32Registry real;
  RegistrySnapshot snapshot(real);
  KeepTuningKeys(snapshot, real);
  ScratchFolder folder;  // for the backup "Finish" writes
  app_->programFolder = folder.path();
  MainWindow& main = Start();
  main.OnNavigationCommand(NavigationCommand::NormalMode);
  auto& editor = static_cast<frmNormalMode&>(main.Panel(PanelId::frmNormalMode));
  for (int i = 0; i < 5; ++i) SendMessageA(editor.Control(IDC_cmdNextPage), BM_CLICK, 0, 0);
  SendMessageA(editor.Control(IDC_txtTTLValue), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("99"));
  ASSERT_EQ(5, editor.Pages().currWizardPage);
  // Left for another panel and for the home view, the walk is found as it was left.
  main.OnNavigationCommand(NavigationCommand::PingSettings);
  main.OnNavigationCommand(NavigationCommand::HidePanel);
  main.OnNavigationCommand(NavigationCommand::NormalMode);
  EXPECT_EQ(5, editor.Pages().currWizardPage);
  EXPECT_TRUE(HasVisibleStyle(editor.Control(WizardPageId(5))));
  EXPECT_EQ("99", WindowText(editor.Control(IDC_txtTTLValue)));

  for (int i = 0; i < 2; ++i) SendMessageA(editor.Control(IDC_cmdNextPage), BM_CLICK, 0, 0);
  SendMessageA(editor.Control(IDC_chkICMPValue), BM_CLICK, 0, 0);
  SendMessageA(editor.Control(IDC_cmdNextPage), BM_CLICK, 0, 0);
  ASSERT_EQ(8, editor.Pages().currWizardPage) << "finished";
  const HWND window = editor.hwnd();
  const TcpIpSettings left = app_->tuning.CurrentSettings;
  EXPECT_EQ(99, left.TTL);
  main.OnNavigationCommand(NavigationCommand::NormalMode);
  EXPECT_EQ(0, editor.Pages().currWizardPage);
  EXPECT_TRUE(HasVisibleStyle(editor.Control(WizardPageId(0))));
  EXPECT_FALSE(HasVisibleStyle(editor.Control(WizardPageId(5))));
  EXPECT_FALSE(IsWindowEnabled(editor.Control(IDC_cmdPrevPage)));
  EXPECT_EQ("64", WindowText(editor.Control(IDC_txtTTLValue))) << "the controls' start values";
  EXPECT_NE(BST_CHECKED, SendMessageA(editor.Control(IDC_chkICMPValue), BM_GETCHECK, 0, 0));
  EXPECT_EQ("Next>>", WindowText(editor.Control(IDC_cmdNextPage)));
  EXPECT_TRUE(IsWindowEnabled(editor.Control(IDC_cmdNextPage)));
  EXPECT_EQ(window, editor.hwnd()) << "in the windows it has";
  EXPECT_EQ(left, app_->tuning.CurrentSettings) << "the record keeps what the last walk left";
}

// Each new walk once made the editor's windows anew, and the system keeps a
// little of every label it destroys: memory grew with every opening.
TEST_F(MainWindowTest, OpeningTheStepByStepEditorAgainAndAgainKeepsNoMemory) {
  MainWindow& main = Start();
  // Their timers' work is theirs, not the editor's.
  for (const PanelInfo& info : kPanels) main.Panel(info.id).Stop();
  const auto walks = [&](int times) {
    for (int i = 0; i < times; ++i) {
      main.OnNavigationCommand(NavigationCommand::NormalMode);
      auto& editor = static_cast<frmNormalMode&>(main.Panel(PanelId::frmNormalMode));
      SendMessageA(editor.Control(IDC_cmdNextPage), BM_CLICK, 0, 0);
      editor.Pages().currWizardPage = 8;  // as "Finish" leaves it, without applying
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
  };
  walks(3);
  const std::size_t before = HeapBytesInUse();
  // The heap gives back exactly what a clean walk took: a dozen show a leak of a few dozen bytes each.
  constexpr int kWalks = 12;
  walks(kWalks);
  const auto growth = static_cast<long long>(HeapBytesInUse()) - static_cast<long long>(before);
  EXPECT_LT(growth, kWalks * 64) << "bytes kept per opening: " << growth / kWalks;
}

TEST_F(MainWindowTest, AboutThenCloseAboutKeepsEveryPanelInsideTheHost) {
  MainWindow& main = Start();
  main.OnNavigationCommand(NavigationCommand::About);
  EXPECT_TRUE(VisiblePanels().empty());
  for (const PanelInfo& info : kPanels) EXPECT_FALSE(main.Panel(info.id).IsLoaded()) << "hiding makes nothing";
  EXPECT_EQ(main.Movie().hwnd(), TopChild());

  main.OnNavigationCommand(NavigationCommand::CloseAbout);
  EXPECT_EQ(7u, VisiblePanels().size());
  EXPECT_EQ(main.Movie().hwnd(), TopChild()) << "the navigation stays in front";
  for (const PanelInfo& info : kPanels) {
    EXPECT_EQ(main.HostWindow(), GetParent(main.Panel(info.id).hwnd())) << info.name;
    EXPECT_EQ(0, GetWindowLongA(main.Panel(info.id).hwnd(), GWL_STYLE) & WS_POPUP) << info.name;
  }
}

TEST_F(MainWindowTest, CloseUnloadsThePanelsRemovesTheTrayIconAndEnds) {
  MainWindow& main = Start();
  main.OnNavigationCommand(NavigationCommand::Close);
  for (const PanelInfo& info : kPanels) EXPECT_FALSE(main.Panel(info.id).IsLoaded()) << info.name;
  ASSERT_FALSE(notify_.calls.empty());
  EXPECT_EQ(ui::kNimDelete, notify_.calls.back().message);
  EXPECT_FALSE(main.Tray1.IsVisible());
  EXPECT_FALSE(IsWindow(main.hwnd()));
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop is told to end";
}

TEST_F(MainWindowTest, HidingToTheTrayAndALeftClickOnTheIconRestoresTheWindow) {
  MainWindow& main = Start();
  ShowWindow(main.hwnd(), SW_SHOW);
  main.OnNavigationCommand(NavigationCommand::Tray);
  EXPECT_FALSE(IsWindowVisible(main.hwnd()));
  if (IsNt()) {
    ASSERT_EQ(2u, notify_.calls.size());
    EXPECT_EQ(23u, notify_.calls[1].data.flags) << "the balloon says the program still runs";
  } else {
    EXPECT_EQ(1u, notify_.calls.size()) << "no balloon on the 9x family";
  }
  // What the shell sends when the icon is clicked with the left button.
  SendMessageA(main.Tray1.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(WM_LBUTTONDOWN, 0));
  EXPECT_TRUE(IsWindowVisible(main.hwnd()));
  ShowWindow(main.hwnd(), SW_HIDE);
  SendMessageA(main.Tray1.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(WM_LBUTTONDOWN, 0));
  EXPECT_FALSE(IsWindowVisible(main.hwnd())) << "a second click within the pause is ignored";
}

// The window is shown as soon as it is whole, before the panels start; they
// have all started by the time start-up returns, and start-in-tray never shows it.
TEST_F(MainWindowTest, StartUpShowsTheWindowUnlessTheStoredOptionKeepsItInTheTray) {
  MainWindow& shown = Start(SW_SHOWNORMAL);
  EXPECT_FALSE(shown.StartedInTray());
  EXPECT_TRUE(IsWindowVisible(shown.hwnd()));
  for (PanelId id : kStartupLoadOrder) EXPECT_TRUE(shown.Panel(id).IsStarted()) << Info(id).name;

  SaveSettingValue(registry(), SettingsPath(kMainSettingsKey), "chkRunProgramMini", "1");
  MainWindow& hidden = Start(SW_SHOWNORMAL);
  EXPECT_TRUE(hidden.StartedInTray());
  EXPECT_FALSE(IsWindowVisible(hidden.hwnd()));
  EXPECT_TRUE(hidden.Tray1.IsVisible());
}

TEST_F(MainWindowTest, ShortcutsGoThroughTheShellAndRestartUnloadsFirst) {
  files_.CreateFolder("C:\\Tidewave");
  ASSERT_EQ(kErrorSuccess, files_.WriteNewFile("C:\\Tidewave\\TidewaveHelp.chm", "ITSF"));
  MainWindow& main = Start();
  main.OnNavigationCommand(NavigationCommand::NetworkSettings);
  main.OnNavigationCommand(NavigationCommand::Help);
  main.OnNavigationCommand(NavigationCommand::InternetProperties);
  main.OnNavigationCommand(NavigationCommand::SystemProperties);
  main.OnNavigationCommand(NavigationCommand::ModemSettings);
  ASSERT_EQ(6u, shell_.calls.size()) << "Help looks for an open viewer first";
  EXPECT_EQ(IsNt() ? "rundll32.exe shell32.dll,Control_RunDLL ncpa.cpl"
                   : "rundll32.exe shell32.dll,Control_RunDLL netcpl.cpl",
            shell_.calls[0].text);
  EXPECT_EQ("BringBackWindow", shell_.calls[1].what);
  EXPECT_EQ("C:\\Tidewave\\TidewaveHelp.chm", shell_.calls[2].text);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(main.hwnd()), shell_.calls[2].owner);
  EXPECT_EQ("rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,,0", shell_.calls[3].text);
  EXPECT_EQ("rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl,,0", shell_.calls[4].text);
  EXPECT_EQ("rundll32.exe shell32.dll,Control_RunDLL modem.cpl", shell_.calls[5].text);

  shell_.exitAccepted = false;
  messages_.answers.push_back(ui::kIdYes);
  main.OnNavigationCommand(NavigationCommand::Restart);
  EXPECT_EQ("ExitWindowsEx", shell_.calls.back().what);
  EXPECT_EQ(2u, shell_.calls.back().flags);
  EXPECT_FALSE(main.Tray1.IsVisible());
  EXPECT_TRUE(IsWindow(main.hwnd())) << "a refused restart leaves the program running";
  main.OnNavigationCommand(NavigationCommand::WizardMode);
  EXPECT_EQ(std::vector<PanelId>{PanelId::frmWizardMode}, VisiblePanels()) << "panels load again on use";
}

TEST_F(MainWindowTest, TheKeyboardReachesOnlyTheShownPanelAndEnterPressesItsButtons) {
  ScratchFolder folder;
  app_->programFolder = folder.path();
  Win32Registry real;
  RegistrySnapshot snapshot(real);
  KeepTuningKeys(snapshot, real);
  MainWindow& main = Start();
  ShowWindow(main.hwnd(), SW_SHOW);
  SetForegroundWindow(main.hwnd());
  const std::string backups = folder.path() + "\\Backups";

  main.OnNavigationCommand(NavigationCommand::WizardMode);
  HWND optimize = main.Panel(PanelId::frmWizardMode).Control(IDC_cmdOptimize);
  SetFocus(optimize);
  LoopKey(VK_RETURN);
  EXPECT_EQ(std::vector<std::string>{"001.BCK"}, FolderEntries(backups)) << "Enter pressed Optimize Now";
  EXPECT_FALSE(HasVisibleStyle(main.HostWindow())) << "the apply handed the window back to the navigation";
  EXPECT_FALSE(IsChild(main.HostWindow(), GetFocus())) << "the keyboard left the covered panel";

  LoopKey(VK_SPACE);
  LoopKey(VK_RETURN);
  for (int i = 0; i < 40; ++i) LoopKey(VK_TAB);
  EXPECT_EQ(std::vector<std::string>{"001.BCK"}, FolderEntries(backups)) << "nothing reached the hidden button";

  main.OnNavigationCommand(NavigationCommand::CloseAbout);
  EXPECT_FALSE(HasVisibleStyle(main.HostWindow())) << "panels set visible stay behind the navigation";
  main.OnNavigationCommand(NavigationCommand::WizardMode);
  EXPECT_TRUE(HasVisibleStyle(main.HostWindow()));
}

TEST_F(MainWindowTest, OpeningTheBackupManagerReadsTheFolderAgainEachTime) {
  ScratchFolder folder;
  app_->programFolder = folder.path();
  MainWindow& main = Start();
  main.OnNavigationCommand(NavigationCommand::BackupManager);
  HWND list = main.Panel(PanelId::frmBackUp).Control(IDC_lstBackUpList);
  auto rows = [&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); };
  EXPECT_EQ(std::vector<PanelId>{PanelId::frmBackUp}, VisiblePanels());
  EXPECT_EQ(0, rows());
  const std::string backups = folder.path() + "\\Backups";
  ASSERT_EQ(kErrorSuccess, files_.WriteNewFile(backups + "\\001.BCK", "#2024-03-05#\r\n#15:51:09#\r\n7\r\n"))
      << "the folder was created when the list was filled";
  EXPECT_EQ(0, rows()) << "not before it is opened again";
  main.OnNavigationCommand(NavigationCommand::BackupManager);
  EXPECT_EQ(1, rows());
}

TEST_F(MainWindowTest, OpeningAPanelPutsTheKeyboardInItAndEscapeClosesItOrTheAboutView) {
  MainWindow& main = Start();
  ShowWindow(main.hwnd(), SW_SHOW);
  SetForegroundWindow(main.hwnd());
  NavigationSurface& surface = main.Movie();
  auto item = [&](int id) { return GetDlgItem(surface.hwnd(), id); };
  ui::Panel& wizard = main.Panel(PanelId::frmWizardMode);

  SendMessageA(item(IDC_FS_firstMenuItem), BM_CLICK, 0, 0);
  EXPECT_EQ(wizard.Control(IDC_optMode_0), GetFocus()) << "on the panel's first control";
  // The values now come from the family found at start-up, after the panels were made.
  EXPECT_EQ(IsNtFamily(DetectOsFamily(version_).code), WindowText(wizard.Control(ModeNowId(10))) != "n/a")
      << "SYN has a place on NT only";
  SendMessageA(wizard.Control(IDC_optMode_2), BM_CLICK, 0, 0);
  const std::string chosen = WindowText(wizard.Control(IDC_lblModeDescrip));
  LoopKey(VK_ESCAPE);
  EXPECT_TRUE(VisiblePanels().empty());
  EXPECT_EQ(0, surface.ActiveItem());
  EXPECT_EQ(item(IDC_FS_firstMenuItem), GetFocus()) << "back on the item that opened the panel";

  SendMessageA(item(IDC_FS_firstMenuItem), BM_CLICK, 0, 0);
  EXPECT_EQ(wizard.Control(IDC_optMode_2), GetFocus()) << "on the chosen option, which stays chosen";
  EXPECT_EQ(chosen, WindowText(wizard.Control(IDC_lblModeDescrip)));
  SetFocus(item(IDC_FS_homeButton));
  LoopKey(VK_ESCAPE);
  EXPECT_TRUE(VisiblePanels().empty());
  EXPECT_EQ(item(IDC_FS_homeButton), GetFocus()) << "on the surface the keyboard stays put";

  SendMessageA(item(IDC_FS_aboutButton), BM_CLICK, 0, 0);
  SetFocus(item(IDC_FS_closeAboutButton));
  LoopKey(VK_ESCAPE);
  EXPECT_EQ(NavigationSurface::View::Home, surface.CurrentView());
  EXPECT_EQ(item(IDC_FS_aboutButton), GetFocus()) << "Done went away: back on About";
  LoopKey(VK_ESCAPE);
  EXPECT_EQ(item(IDC_FS_aboutButton), GetFocus()) << "nothing open, nothing happens";
}

TEST_F(MainWindowTest, F1OpensTheHelpPageOfThePanelInFrontAndTheGuidesFirstPageElsewhere) {
  const std::string helpFile = "C:\\Tidewave\\TidewaveHelp.chm";
  files_.CreateFolder("C:\\Tidewave");
  ASSERT_EQ(kErrorSuccess, files_.WriteNewFile(helpFile, "ITSF"));
  MainWindow& main = Start();
  ShowWindow(main.hwnd(), SW_SHOW);
  SetForegroundWindow(main.hwnd());
  const auto f1 = [&] {
    shell_.calls.clear();
    LoopKey(VK_F1);
    EXPECT_EQ(2u, shell_.calls.size()) << "a look for an open viewer, then the viewer";
    return shell_.calls.empty() ? std::string() : shell_.calls.back().parameters;
  };
  EXPECT_EQ("\"C:\\Tidewave\\TidewaveHelp.chm::/welcome.htm\"", f1()) << "the home view";
  EXPECT_EQ("hh.exe", shell_.calls.back().text);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(main.hwnd()), shell_.calls.back().owner);
  using enum NavigationCommand;
  const struct { NavigationCommand command; const char* page; } panels[] = {
      {WizardMode, "wizard-mode.htm"},      {NormalMode, "advanced-mode.htm"},
      {BackupManager, "backup.htm"},        {PingSettings, "ping-settings.htm"},
      {SystemStatus, "system-status.htm"},  {RamConfiguration, "ram-configuration.htm"},
      {MainSettings, "main-settings.htm"},
  };
  for (const auto& panel : panels) {
    main.OnNavigationCommand(panel.command);
    ASSERT_TRUE(IsChild(main.hwnd(), GetFocus())) << CommandName(panel.command);
    EXPECT_EQ("\"C:\\Tidewave\\TidewaveHelp.chm::/" + std::string(panel.page) + "\"", f1())
        << CommandName(panel.command);
  }
  main.OnNavigationCommand(NavigationCommand::About);
  EXPECT_NE(std::string::npos, f1().find("::/welcome.htm")) << "the about view";

  // Without its file the help says so, in the program's own box.
  files_.RemoveFile(helpFile);
  LoopKey(VK_F1);
  ASSERT_FALSE(messages_.shown.empty());
  EXPECT_NE(std::string::npos, messages_.shown.back().text.find("TidewaveHelp.chm is missing"))
      << messages_.shown.back().text;
}

TEST_F(MainWindowTest, HidingToTheTrayBringsBackAnIconARefusedRestartTookAway) {
  MainWindow& main = Start();
  shell_.exitAccepted = false;
  messages_.answers.push_back(ui::kIdYes);
  main.OnNavigationCommand(NavigationCommand::Restart);
  ASSERT_FALSE(main.Tray1.IsVisible());
  main.OnNavigationCommand(NavigationCommand::Tray);
  EXPECT_TRUE(main.Tray1.IsVisible()) << "a hidden window needs its way back";
  EXPECT_EQ(ui::kNimAdd, notify_.calls[notify_.calls.size() - (IsNt() ? 2 : 1)].message);
}

TEST_F(MainWindowTest, MinimizeMinimizes) {
  MainWindow& main = Start();
  ShowWindow(main.hwnd(), SW_SHOW);
  main.OnNavigationCommand(NavigationCommand::Minimize);
  EXPECT_TRUE(IsIconic(main.hwnd()));
}

// The first control sent BM_CLICK since it was last cleared: what a key pressed.
HWND clicked = nullptr;
LRESULT CALLBACK RecordClicks(int code, WPARAM wParam, LPARAM lParam) {
  const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call.message == BM_CLICK && clicked == nullptr) clicked = call.hwnd;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK AddDescendant(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

TEST_F(MainWindowTest, InEveryViewEachAccessKeyIsItsOwnAndPressesWhatItNames) {
  ScratchFolder folder;
  app_->programFolder = folder.path();
  Win32Registry real;
  RegistrySnapshot snapshot(real);
  KeepTuningKeys(snapshot, real);
  // The pinger on, so its controls take keys; "Find" pings its host: loopback.
  for (const auto& [name, text] : {std::pair{"chkDoPinging", "1"}, {"optAuto", "False"}, {"optManual", "True"},
                                   {"txtPingHost", "127.0.0.1"}}) {
    SaveSettingValue(registry(), SettingsPath(kNetPingerKey), name, text);
  }
  MainWindow& main = Start();
  ShowWindow(main.hwnd(), SW_SHOW);
  SetForegroundWindow(main.hwnd());
  const auto click = [](HWND control) { SendMessageA(control, BM_CLICK, 0, 0); };
  const auto item = [&](int id) { return GetDlgItem(main.Movie().hwnd(), id); };
  click(item(IDC_FS_firstMenuItem));  // a backup, for a row to choose in the list
  click(main.Panel(PanelId::frmWizardMode).Control(IDC_cmdOptimize));
  // Each view by the item that opens it, and what makes its buttons usable.
  const std::pair<int, std::function<void()>> views[] = {
      {IDC_FS_homeButton, nullptr},
      {IDC_FS_firstMenuItem, nullptr},
      // The editor keeps its walk: on the MTU page, where "Find" is.
      {IDC_FS_firstMenuItem + 1,
       [&] {
         auto& editor = static_cast<frmNormalMode&>(main.Panel(PanelId::frmNormalMode));
         if (editor.Pages().currWizardPage == 0) click(editor.Control(IDC_cmdNextPage));
       }},
      {IDC_FS_firstMenuItem + 2,
       [&] {
         LVITEMA row{};
         row.stateMask = row.state = LVIS_SELECTED;
         SendMessageA(main.Panel(PanelId::frmBackUp).Control(IDC_lstBackUpList), LVM_SETITEMSTATE, 0,
                      reinterpret_cast<LPARAM>(&row));
       }},
      {IDC_FS_firstMenuItem + 3, nullptr},
      {IDC_FS_firstMenuItem + 4, nullptr},
      {IDC_FS_firstMenuItem + 5, nullptr},
      {IDC_FS_mainSettingsButton,
       [&] { click(main.Panel(PanelId::frmMainSettings).Control(mainsettings::IDC_chkRunProgramMini)); }},
  };
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &RecordClicks, nullptr, GetCurrentThreadId());
  for (const auto& [opener, ready] : views) {
    const auto open = [&, &ready = ready] {
      click(item(opener));
      if (ready) ready();
    };
    open();
    const std::string view = WindowText(item(opener));
    // Every key a user can press here, on the controls shown and enabled.
    std::vector<HWND> controls;
    EnumChildWindows(main.hwnd(), &AddDescendant, reinterpret_cast<LPARAM>(&controls));
    std::map<char, std::pair<int, std::string>> keys;
    for (HWND control : controls) {
      const char key = AccessKey(WindowText(control));
      const bool literal = ClassName(control) == "Static" && (GetWindowLongA(control, GWL_STYLE) & SS_NOPREFIX);
      if (!IsWindowVisible(control) || !IsWindowEnabled(control) || literal || key == '\0') continue;
      // Pressed below: all of them on the home view, beside a panel the panel's own.
      const bool pressed = opener == IDC_FS_homeButton || IsChild(main.HostWindow(), control);
      const auto [owner, fresh] = keys.emplace(key, std::pair{pressed ? GetDlgCtrlID(control) : 0, WindowText(control)});
      EXPECT_TRUE(fresh) << view << ": \"" << WindowText(control) << "\" and \"" << owner->second.second
                         << "\" share Alt+" << key;
    }
    for (const auto& [key, owner] : keys) {
      if (owner.first == 0) continue;
      open();  // each view as it was: its controls are known by their ids
      messages_.answers = {ui::kIdNo};  // to a restore's or a delete's question
      clicked = nullptr;
      MSG message{GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(key), 0x20000000, 0, {}};
      if (!IsDialogMessageA(main.hwnd(), &message)) DispatchMessageA(&message);
      EXPECT_EQ(owner.first, clicked ? GetDlgCtrlID(clicked) : 0) << view << ": Alt+" << key << " is " << owner.second;
    }
  }
  UnhookWindowsHookEx(hook);
}

// A restart ends every program the user has open: it is asked first, with No
// as the answer a stray Enter gives, and No leaves everything as it was.
TEST_F(MainWindowTest, RestartAsksFirstAndNoChangesNothing) {
  MainWindow& main = Start();
  main.OnNavigationCommand(NavigationCommand::WizardMode);
  main.OnNavigationCommand(NavigationCommand::Restart);
  ASSERT_EQ(1u, messages_.shown.size());
  EXPECT_EQ(ui::kMbYesNo | ui::kMbIconQuestion | ui::kMbDefButton2, messages_.shown[0].flags);
  EXPECT_EQ(0u, messages_.shown[0].text.rfind("Restart Windows now?", 0));
  EXPECT_TRUE(shell_.calls.empty()) << "no restart asked of Windows";
  EXPECT_TRUE(main.Tray1.IsVisible());
  EXPECT_TRUE(main.Panel(PanelId::frmWizardMode).IsLoaded()) << "nothing unloaded";
}

// A shell that will not take the icon: hiding would leave a program no one can
// reach and that blocks its own next start, so the window stays and says why.
TEST_F(MainWindowTest, WithoutATrayIconTheWindowStaysShown) {
  notify_.accept = false;
  SaveSettingValue(registry(), SettingsPath(kMainSettingsKey), "chkRunProgramMini", "1");
  MainWindow& main = Start(SW_SHOWNORMAL);
  EXPECT_FALSE(main.StartedInTray()) << "start-in-tray shows the window instead";
  EXPECT_TRUE(IsWindowVisible(main.hwnd()));
  main.OnNavigationCommand(NavigationCommand::Tray);
  EXPECT_TRUE(IsWindowVisible(main.hwnd()));
  ASSERT_EQ(1u, messages_.shown.size());
  EXPECT_NE(std::string::npos, messages_.shown[0].text.find("notification area"));
  ASSERT_GE(notify_.calls.size(), 2u);
  EXPECT_EQ(ui::kNimAdd, notify_.calls[notify_.calls.size() - 2].message) << "the add is tried again";

  notify_.accept = true;  // the shell is back
  main.OnNavigationCommand(NavigationCommand::Tray);
  EXPECT_FALSE(IsWindowVisible(main.hwnd()));
  EXPECT_TRUE(main.Tray1.Icon().InShell());
}

}  // namespace
}  // namespace tw::test

// The home view as a user meets it: the line about the last change after an
// apply, a restore and a restart; the four cards; the tray icon's menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "app/LastChange.h"
#include "app/NavigationItems.h"
#include "backup/BackupManager.h"
#include "backup/win32/frmBackUp.h"
#include "platform/win32/Win32Registry.h"
#include "settings/RegistrySettings.h"
#include "support/RegistrySnapshot.h"
#include "support/TuningKeys.h"
#include "support/wine/MainWindowFixture.h"
#include "support/wine/Program.h"
#include "support/wine/ScratchFolder.h"
#include "tuning/WizardMode.h"

namespace tw::test {
namespace {

class HomeView : public MainWindowFixture {
 protected:
  HWND Item(int id) { return GetDlgItem(main_->Movie().hwnd(), id); }
  HWND Line() { return Item(IDC_FS_lastChangeLabel); }
  // Lets the tray's pause after a click run out.
  void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(10);
    }
  }
};

TEST_F(HomeView, TheLastChangeLineFollowsEachApplyAndRestoreAndOutlivesARestart) {
  ScratchFolder folder;
  app_->programFolder = folder.path();
  Win32Registry real;
  RegistrySnapshot snapshot(real);
  KeepTuningKeys(snapshot, real);
  WriteText(SettingsPath(kHomeKey), kLastChangeValue, "Applied\tyesterday");
  MainWindow* main = &Start();
  EXPECT_FALSE(HasVisibleStyle(Line())) << "a damaged record shows no line";

  main->OnNavigationCommand(NavigationCommand::WizardMode);
  ui::Panel& wizard = main->Panel(PanelId::frmWizardMode);
  SendMessageA(wizard.Control(IDC_optMode_2), BM_CLICK, 0, 0);
  SendMessageA(wizard.Control(IDC_cmdOptimize), BM_CLICK, 0, 0);
  const std::string applied = WindowText(Line());
  EXPECT_EQ(0u, applied.rfind("Last change: Wizard Mode \"Automatic-C\" applied on ", 0)) << applied;
  EXPECT_NE(std::string::npos, applied.find(" values changed. Undo: Backup, then 001.BCK, then Restore.\r\n" +
                                            std::string(kNextStartNote)))
      << applied;
  EXPECT_TRUE(HasVisibleStyle(Line())) << "the apply went back to the home view, which shows it";
  EXPECT_EQ("Static", ClassName(Line())) << "a text control a screen reader reads";

  main_.reset();
  main = &Start();
  EXPECT_EQ(applied, WindowText(Line())) << "read back at start-up";
  EXPECT_TRUE(HasVisibleStyle(Line()));
  SendMessageA(Item(IDC_FS_firstMenuItem + 5), BM_CLICK, 0, 0);  // Ping Settings
  EXPECT_FALSE(HasVisibleStyle(Line())) << "only on the home view";

  SendMessageA(Item(IDC_FS_firstMenuItem + 2), BM_CLICK, 0, 0);  // Backup
  HWND list = main->Panel(PanelId::frmBackUp).Control(IDC_lstBackUpList);
  ASSERT_EQ(1, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  LVITEMA state{};
  state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  messages_.answers = {ui::kIdYes};
  SendMessageA(main->Panel(PanelId::frmBackUp).Control(IDC_cmdRestore), BM_CLICK, 0, 0);
  const std::string restored = WindowText(Line());
  EXPECT_EQ(0u, restored.rfind("Last change: backup 001.BCK restored on ", 0)) << restored;
  EXPECT_NE(std::string::npos, restored.find(" values changed. Undo: Backup, then 002.BCK, then Restore."))
      << restored;
  EXPECT_EQ((std::vector<std::string>{"001.BCK", "002.BCK"}), FolderEntries(folder.path() + "\\Backups"))
      << "what the restore replaced is backed up first";
  EXPECT_EQ(2, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) << "and listed";
  EXPECT_FALSE(HasVisibleStyle(main->HostWindow())) << "the restore ends on the whole home view, the list gone";
  EXPECT_TRUE(HasVisibleStyle(Line()));
  SendMessageA(Item(IDC_FS_firstMenuItem + 2), BM_CLICK, 0, 0);  // Backup again
  EXPECT_TRUE(HasVisibleStyle(main->HostWindow()));
  EXPECT_EQ(std::vector<PanelId>{PanelId::frmBackUp}, VisiblePanels());
  EXPECT_FALSE(HasVisibleStyle(Line()));
}

TEST_F(HomeView, EachCardOpensItsAreaByMouseOrKeyboard) {
  MainWindow& main = Start();
  ShowWindow(main.hwnd(), SW_SHOW);
  SetForegroundWindow(main.hwnd());
  const PanelId opened[] = {PanelId::frmWizardMode, PanelId::frmSystemStatus, PanelId::frmNetPingerSettings};
  for (int i = 0; i < 3; ++i) {
    HWND card = Item(IDC_FS_firstHomeCard + i);
    SendMessageA(card, BM_CLICK, 0, 0);
    EXPECT_EQ(std::vector<PanelId>{opened[i]}, VisiblePanels()) << i;
    EXPECT_FALSE(HasVisibleStyle(card)) << "hidden under an open panel, so Tab cannot reach it";
    LoopKey(VK_ESCAPE);
    EXPECT_TRUE(HasVisibleStyle(card));
  }
  // By keyboard: Tab from the last menu item reaches the first card, Enter opens it.
  SetFocus(Item(IDC_FS_firstMenuItem + 9));
  LoopKey(VK_TAB);
  EXPECT_EQ(Item(IDC_FS_firstHomeCard), GetFocus());
  LoopKey(VK_RIGHT);
  LoopKey(VK_RETURN);
  EXPECT_EQ(std::vector<PanelId>{PanelId::frmSystemStatus}, VisiblePanels());
  LoopKey(VK_ESCAPE);

  // The Windows shortcuts have no panel: the card puts the keyboard on the first of them.
  SendMessageA(Item(IDC_FS_firstHomeCard + 3), BM_CLICK, 0, 0);
  EXPECT_TRUE(VisiblePanels().empty());
  EXPECT_TRUE(shell_.calls.empty()) << "no Windows settings opened unasked";
  EXPECT_EQ(Item(IDC_FS_firstMenuItem + 6), GetFocus());
}

// The menu the tray icon's right click opens, read and answered from inside
// its own loop: the key of the item chosen, or nothing to just read it.
struct MenuVisit {
  std::vector<std::string> items;
  char key = 0;
  int ticks = 0;
  bool done = false;
};
MenuVisit* visit = nullptr;

void CALLBACK AnswerMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if ((menu == nullptr || !IsWindowVisible(menu)) && ++visit->ticks < 20) return;
  KillTimer(nullptr, timer);
  visit->done = true;
  if (menu == nullptr) return;
  HMENU items = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
  for (int i = 0; i < GetMenuItemCount(items); ++i) {
    char text[64] = {};
    GetMenuStringA(items, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    visit->items.push_back(text);
  }
  PostMessageA(menu, WM_CHAR, static_cast<WPARAM>(visit->key), 0);
}

TEST_F(HomeView, TheTrayMenuRestoresTheWindowAndExitsAsTheProgramDoes) {
  MainWindow& main = Start();
  main.OnNavigationCommand(NavigationCommand::Tray);
  ASSERT_FALSE(IsWindowVisible(main.hwnd()));
  auto rightClick = [&](char key) {
    MenuVisit answer{{}, key, 0, false};
    // Without a window manager the activation that follows Restore reaches the
    // window a little later, and may close a menu opened at once: try again.
    for (int attempt = 0; attempt < 3 && answer.items.empty(); ++attempt) {
      // A click within the tray's pause after the one before is not taken.
      for (int i = 0; i < 100 && main.Tray1.Icon().Busy(); ++i) Pump(20);
      answer = {{}, key, 0, false};
      visit = &answer;
      SetTimer(nullptr, 0, 50, AnswerMenu);
      // What the shell sends when the icon is pressed with the right button;
      // the menu opens as the window's messages are handled.
      SendMessageA(main.Tray1.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONDOWN, 0));
      for (int i = 0; i < 100 && !answer.done; ++i) Pump(50);
      Pump(100);
      visit = nullptr;
    }
    return answer.items;
  };
  EXPECT_EQ((std::vector<std::string>{"&Restore", "", "E&xit"}), rightClick('r'));
  EXPECT_TRUE(IsWindowVisible(main.hwnd()));

  EXPECT_EQ(3u, rightClick('x').size());
  for (const PanelInfo& info : kPanels) EXPECT_FALSE(main.Panel(info.id).IsLoaded()) << info.name;
  EXPECT_EQ(ui::kNimDelete, notify_.calls.back().message) << "the icon goes";
  EXPECT_FALSE(main.Tray1.IsVisible());
  EXPECT_FALSE(IsWindow(main.hwnd()));
}

}  // namespace
}  // namespace tw::test

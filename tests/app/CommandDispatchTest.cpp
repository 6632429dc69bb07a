#include "app/CommandDispatch.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/NavigationItems.h"

namespace tw {
namespace {

using A = ActionKind;
using P = PanelId;

std::vector<Action> Open(P panel, int height) {
  return {{A::ShowPanel, panel}, {A::SetHostWidth, panel, 440}, {A::SetHostHeight, panel, height}};
}

TEST(CommandDispatch, PanelCommandsShowThePanelThenSizeTheHost) {
  EXPECT_EQ(Open(P::frmMainSettings, 245), DispatchCommand("IDC_FS_settings"));
  EXPECT_EQ(Open(P::frmWizardMode, 250), DispatchCommand("IDC_FS_wizardMode"));
  EXPECT_EQ(Open(P::frmNetPingerSettings, 244), DispatchCommand("IDC_FS_pingSetting"));
  EXPECT_EQ(Open(P::frmSystemStatus, 255), DispatchCommand("IDC_FS_systemSatus"));
  EXPECT_EQ(Open(P::frmRamConfiguration, 240), DispatchCommand("IDC_FS_ramConfig"));

  std::vector<Action> backup{{A::IntializeList, P::frmBackUp}};
  for (const Action& action : Open(P::frmBackUp, 246)) backup.push_back(action);
  EXPECT_EQ(backup, DispatchCommand("IDC_FS_backupManger")) << "the list is re-read before showing";

  std::vector<Action> normal{{A::UnloadPanel, P::frmNormalMode},
                             {A::ResetWizardPage, P::frmNormalMode},
                             {A::LoadPanel, P::frmNormalMode}};
  for (const Action& action : Open(P::frmNormalMode, 252)) normal.push_back(action);
  EXPECT_EQ(normal, DispatchCommand("IDC_FS_normalMode")) << "the step-by-step editor opens fresh";
}

TEST(CommandDispatch, CommandsThatReturnToTheNavigation) {
  const std::vector<Action> toFront{{A::BringMovieToFront}};
  const std::vector<Action> hideThenFront{{A::HideAllPanels}, {A::BringMovieToFront}};
  EXPECT_EQ(toFront, DispatchCommand("IDC_FS_home"));
  EXPECT_EQ(toFront, DispatchCommand("IDC_FS_hide"));
  EXPECT_EQ(hideThenFront, DispatchCommand("IDC_FS_main"));
  EXPECT_EQ(hideThenFront, DispatchCommand("IDC_FS_sysSettingClicked"));
}

TEST(CommandDispatch, AboutHidesEveryPanelBetweenTwoMovesToTheFrontCloseAboutShowsThem) {
  const P order[] = {P::frmWizardMode,       P::frmNormalMode,       P::frmBackUp,      P::frmNetPingerSettings,
                     P::frmSystemStatus,     P::frmRamConfiguration, P::frmMainSettings};
  std::vector<Action> about{{A::BringMovieToFront}}, closeAbout;
  for (P panel : order) {
    about.push_back({A::SetPanelVisible, panel, 0});
    closeAbout.push_back({A::SetPanelVisible, panel, 1});
  }
  about.push_back({A::BringMovieToFront});
  EXPECT_EQ(about, DispatchCommand("IDC_FS_about"));
  EXPECT_EQ(closeAbout, DispatchCommand("IDC_FS_closeAbout"));
}

TEST(CommandDispatch, CloseAndRestartUnloadInTheirOwnOrders) {
  const P closeOrder[] = {P::frmWizardMode,   P::frmNormalMode,       P::frmBackUp,      P::frmNetPingerSettings,
                          P::frmSystemStatus, P::frmRamConfiguration, P::frmMainSettings};
  const P restartOrder[] = {P::frmWizardMode,       P::frmNormalMode,   P::frmBackUp,      P::frmNetPingerSettings,
                            P::frmRamConfiguration, P::frmMainSettings, P::frmSystemStatus};
  std::vector<Action> close, restart;
  for (P panel : closeOrder) close.push_back({A::UnloadPanel, panel});
  for (P panel : restartOrder) restart.push_back({A::UnloadPanel, panel});
  close.insert(close.end(), {{A::HideTrayIcon}, {A::EndProcess}});
  restart.insert(restart.end(), {{A::HideTrayIcon}, {A::RestartWindows}});
  EXPECT_EQ(close, DispatchCommand("IDC_FS_close"));
  EXPECT_EQ(restart, DispatchCommand("IDC_FS_restart")) << "restart leaves ending the process to Windows";
}

TEST(CommandDispatch, SingleActionCommands) {
  const struct { const char* command; A action; } cases[] = {
      {"IDC_FS_minimize", A::MinimizeMainWindow},
      {"IDC_FS_tray", A::ShowStillRunningNotice},
      {"IDC_FS_help", A::OpenHelp},
      {"Drag", A::BeginWindowDrag},
      {"IDC_FS_internetProperties", A::OpenInternetProperties},
      {"IDC_FS_systemSetting", A::OpenSystemProperties},
      {"IDC_FS_modemSetting", A::OpenModemSettings},
      {"IDC_FS_networkSetting", A::OpenNetworkSettings},
  };
  for (const auto& c : cases) EXPECT_EQ(std::vector<Action>{{c.action}}, DispatchCommand(c.command)) << c.command;
}

TEST(CommandDispatch, MatchingIsExactAndCaseSensitive) {
  for (const char* unknown : {"", "idc_fs_home", "IDC_FS_HOME", "IDC_FS_home ", " Drag", "drag",
                              "IDC_FS_backupManager", "IDC_FS_systemStatus", "IDC_FS_"}) {
    EXPECT_TRUE(DispatchCommand(unknown).empty()) << unknown;
  }
}

TEST(CommandDispatch, TheNavigationReachesEveryCommandAndSendsNothingUnknown) {
  const char* vocabulary[] = {
      "IDC_FS_minimize",      "IDC_FS_about",     "IDC_FS_closeAbout",         "IDC_FS_main",
      "IDC_FS_close",         "IDC_FS_tray",      "IDC_FS_home",               "IDC_FS_settings",
      "IDC_FS_help",          "Drag",             "IDC_FS_hide",               "IDC_FS_wizardMode",
      "IDC_FS_normalMode",    "IDC_FS_backupManger", "IDC_FS_pingSetting",     "IDC_FS_systemSatus",
      "IDC_FS_ramConfig",     "IDC_FS_internetProperties", "IDC_FS_systemSetting", "IDC_FS_modemSetting",
      "IDC_FS_networkSetting", "IDC_FS_restart",  "IDC_FS_sysSettingClicked"};
  std::vector<std::string_view> sent;
  for (const NavigationGroup& group : NavigationGroups()) {
    if (!group.command.empty()) sent.push_back(group.command);
    for (const NavigationItem& item : group.items) sent.push_back(item.command);
  }
  for (const NavigationItem& item : NavigationChrome()) sent.push_back(item.command);
  for (const char* command : vocabulary) {
    EXPECT_NE(sent.end(), std::find(sent.begin(), sent.end(), command)) << command << " is unreachable";
  }
  for (std::string_view command : sent) EXPECT_FALSE(DispatchCommand(command).empty()) << command;
}

}  // namespace
}  // namespace tw

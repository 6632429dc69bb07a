#include "app/CommandDispatch.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using A = ActionKind;
using P = PanelId;
using C = NavigationCommand;

std::vector<Action> Open(P panel, int height) {
  return {{A::ShowPanel, panel}, {A::SetHostWidth, panel, 440}, {A::SetHostHeight, panel, height}};
}

TEST(CommandDispatch, PanelCommandsShowThePanelThenSizeTheHost) {
  EXPECT_EQ(Open(P::frmMainSettings, 245), DispatchCommand(C::MainSettings));
  EXPECT_EQ(Open(P::frmWizardMode, 250), DispatchCommand(C::WizardMode));
  EXPECT_EQ(Open(P::frmNetPingerSettings, 244), DispatchCommand(C::PingSettings));
  EXPECT_EQ(Open(P::frmSystemStatus, 255), DispatchCommand(C::SystemStatus));
  EXPECT_EQ(Open(P::frmRamConfiguration, 240), DispatchCommand(C::RamConfiguration));

  std::vector<Action> backup{{A::IntializeList, P::frmBackUp}};
  for (const Action& action : Open(P::frmBackUp, 246)) backup.push_back(action);
  EXPECT_EQ(backup, DispatchCommand(C::BackupManager)) << "the list is re-read before showing";

  std::vector<Action> normal{{A::RenewWalk, P::frmNormalMode}};
  for (const Action& action : Open(P::frmNormalMode, 252)) normal.push_back(action);
  EXPECT_EQ(normal, DispatchCommand(C::NormalMode)) << "the step-by-step editor opens fresh once a walk is done";

  // Opening another panel leaves the one shown; opening it again does not.
  EXPECT_TRUE(LeavesPanel(C::SystemStatus, P::frmRamConfiguration));
  EXPECT_FALSE(LeavesPanel(C::RamConfiguration, P::frmRamConfiguration));
  EXPECT_FALSE(LeavesPanel(C::NormalMode, P::frmNormalMode)) << "a walk goes on until Finish";
}

TEST(CommandDispatch, CommandsThatReturnToTheNavigation) {
  const std::vector<Action> toFront{{A::BringMovieToFront}};
  const std::vector<Action> hideThenFront{{A::HideAllPanels}, {A::BringMovieToFront}};
  EXPECT_EQ(toFront, DispatchCommand(C::Home));
  EXPECT_EQ(toFront, DispatchCommand(C::HidePanel));
  EXPECT_EQ(hideThenFront, DispatchCommand(C::ClosePanel));
  EXPECT_EQ(hideThenFront, DispatchCommand(C::SystemSettings));
  for (C command : {C::Home, C::HidePanel, C::ClosePanel, C::SystemSettings, C::About, C::Close, C::Restart}) {
    EXPECT_TRUE(LeavesPanel(command, P::frmMainSettings)) << CommandName(command);
  }
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
  EXPECT_EQ(about, DispatchCommand(C::About));
  EXPECT_EQ(closeAbout, DispatchCommand(C::CloseAbout));
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
  EXPECT_EQ(close, DispatchCommand(C::Close));
  EXPECT_EQ(restart, DispatchCommand(C::Restart)) << "restart leaves ending the process to Windows";
}

TEST(CommandDispatch, SingleActionCommands) {
  const struct { C command; A action; } cases[] = {
      {C::Minimize, A::MinimizeMainWindow},
      {C::Tray, A::ShowStillRunningNotice},
      {C::Help, A::OpenHelp},
      {C::Drag, A::BeginWindowDrag},
      {C::InternetProperties, A::OpenInternetProperties},
      {C::SystemProperties, A::OpenSystemProperties},
      {C::ModemSettings, A::OpenModemSettings},
      {C::NetworkSettings, A::OpenNetworkSettings},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::vector<Action>{{c.action}}, DispatchCommand(c.command)) << CommandName(c.command);
    EXPECT_FALSE(LeavesPanel(c.command, P::frmNetPingerSettings)) << "the panel stays: " << CommandName(c.command);
  }
}

TEST(CommandDispatch, NamesMatchExactlyAndCaseSensitively) {
  for (const NamedCommand& named : NavigationCommands()) {
    EXPECT_EQ(named.command, CommandNamed(named.name));
    EXPECT_EQ(named.name, CommandName(named.command));
  }
  for (const char* unknown : {"", "idc_fs_home", "IDC_FS_HOME", "IDC_FS_home ", " Drag", "drag",
                              "IDC_FS_backupManager", "IDC_FS_systemStatus", "IDC_FS_"}) {
    EXPECT_EQ(std::nullopt, CommandNamed(unknown)) << unknown;
  }
}

}  // namespace
}  // namespace tw

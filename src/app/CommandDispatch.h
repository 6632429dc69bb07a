#pragma once
// The navigation's commands and the dispatcher's decision: which actions a
// command runs, in order. The main window performs them.
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "app/Panels.h"

namespace tw {

// What a navigation item asks for. Outside the program (the soak driver, the
// tests that press items by name) a command goes by the name the
// NavigationCommands() table gives it.
enum class NavigationCommand {
  Minimize,
  About,
  CloseAbout,
  ClosePanel,
  Close,
  Tray,
  Home,
  MainSettings,
  Help,
  Drag,
  HidePanel,
  WizardMode,
  NormalMode,
  BackupManager,
  PingSettings,
  SystemStatus,
  RamConfiguration,
  InternetProperties,
  SystemProperties,
  ModemSettings,
  NetworkSettings,
  Restart,
  SystemSettings,  // the "System Settings" group's heading
};

struct NamedCommand {
  NavigationCommand command;
  std::string_view name;
};

// Every command once, in the enumeration's order, with its name.
std::span<const NamedCommand> NavigationCommands();
std::string_view CommandName(NavigationCommand command);
// Compared exactly and case-sensitively; no command for an unknown name.
std::optional<NavigationCommand> CommandNamed(std::string_view name);

enum class ActionKind {
  MinimizeMainWindow,
  BringMovieToFront,
  SetPanelVisible,  // panel, value 1 visible / 0 hidden; a panel not yet loaded is loaded
  HideAllPanels,
  ShowPanel,        // panel
  LoadPanel,        // panel
  UnloadPanel,      // panel
  RenewWalk,        // frmNormalMode on a new walk (currWizardPage = 0, start values); kept while its walk is under way
  IntializeList,    // frmBackUp re-reads the backup folder
  SetHostWidth,     // value
  SetHostHeight,    // value
  HideTrayIcon,
  EndProcess,
  ShowStillRunningNotice,
  OpenHelp,
  BeginWindowDrag,
  OpenInternetProperties,
  OpenSystemProperties,
  OpenModemSettings,
  OpenNetworkSettings,
  RestartWindows,
};

struct Action {
  ActionKind kind;
  PanelId panel = PanelId::frmWizardMode;
  int value = 0;
  bool operator==(const Action&) const = default;
};

std::vector<Action> DispatchCommand(NavigationCommand command);
// True when the command shows a panel in the host.
bool OpensPanel(NavigationCommand command);
// True when the command takes panel `shown` out of sight (another panel, the
// home or about view) or ends the program: what it holds unsaved is asked about first.
bool LeavesPanel(NavigationCommand command, PanelId shown);

}  // namespace tw

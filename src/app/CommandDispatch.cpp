#include "app/CommandDispatch.h"

#include <algorithm>
#include <span>

namespace tw {
namespace {

using Actions = std::vector<Action>;
using C = NavigationCommand;

// The names are those the program's navigation has always sent, misspellings
// included; nothing else in the program spells them.
constexpr NamedCommand kNamedCommands[] = {
    {C::Minimize, "IDC_FS_minimize"},
    {C::About, "IDC_FS_about"},
    {C::CloseAbout, "IDC_FS_closeAbout"},
    {C::ClosePanel, "IDC_FS_main"},
    {C::Close, "IDC_FS_close"},
    {C::Tray, "IDC_FS_tray"},
    {C::Home, "IDC_FS_home"},
    {C::MainSettings, "IDC_FS_settings"},
    {C::Help, "IDC_FS_help"},
    {C::Drag, "Drag"},
    {C::HidePanel, "IDC_FS_hide"},
    {C::WizardMode, "IDC_FS_wizardMode"},
    {C::NormalMode, "IDC_FS_normalMode"},
    {C::BackupManager, "IDC_FS_backupManger"},
    {C::PingSettings, "IDC_FS_pingSetting"},
    {C::SystemStatus, "IDC_FS_systemSatus"},
    {C::RamConfiguration, "IDC_FS_ramConfig"},
    {C::InternetProperties, "IDC_FS_internetProperties"},
    {C::SystemProperties, "IDC_FS_systemSetting"},
    {C::ModemSettings, "IDC_FS_modemSetting"},
    {C::NetworkSettings, "IDC_FS_networkSetting"},
    {C::Restart, "IDC_FS_restart"},
    {C::SystemSettings, "IDC_FS_sysSettingClicked"},
};

constexpr bool InEnumerationOrder() {
  for (std::size_t i = 0; i < std::size(kNamedCommands); ++i) {
    if (static_cast<std::size_t>(kNamedCommands[i].command) != i) return false;
  }
  return static_cast<std::size_t>(C::SystemSettings) + 1 == std::size(kNamedCommands);
}
static_assert(InEnumerationOrder(), "CommandName looks a command up by its value");

Actions OpenPanel(PanelId panel) {
  return {{ActionKind::ShowPanel, panel},
          {ActionKind::SetHostWidth, panel, kHostWidth},
          {ActionKind::SetHostHeight, panel, Info(panel).hostHeight}};
}

Actions Unload(std::span<const PanelId> order) {
  Actions actions;
  for (PanelId panel : order) actions.push_back({ActionKind::UnloadPanel, panel});
  actions.push_back({ActionKind::HideTrayIcon});
  return actions;
}

Actions SetAllVisible(bool visible) {
  Actions actions;
  for (PanelId panel : kHideAllOrder) actions.push_back({ActionKind::SetPanelVisible, panel, visible ? 1 : 0});
  return actions;
}

Actions Then(Actions first, const Actions& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

}  // namespace

std::span<const NamedCommand> NavigationCommands() { return kNamedCommands; }

std::string_view CommandName(NavigationCommand command) {
  return kNamedCommands[static_cast<std::size_t>(command)].name;
}

std::optional<NavigationCommand> CommandNamed(std::string_view name) {
  for (const NamedCommand& named : kNamedCommands) {
    if (named.name == name) return named.command;
  }
  return std::nullopt;
}

std::vector<Action> DispatchCommand(NavigationCommand command) {
  using enum NavigationCommand;
  // No default: a command added without its actions does not compile.
  switch (command) {
    case Minimize: return {{ActionKind::MinimizeMainWindow}};
    case About:
      return Then(Then({{ActionKind::BringMovieToFront}}, SetAllVisible(false)), {{ActionKind::BringMovieToFront}});
    case CloseAbout: return SetAllVisible(true);
    case ClosePanel: return {{ActionKind::HideAllPanels}, {ActionKind::BringMovieToFront}};
    case Close: return Then(Unload(kCloseCommandOrder), {{ActionKind::EndProcess}});
    case Tray: return {{ActionKind::ShowStillRunningNotice}};
    case Home: return {{ActionKind::BringMovieToFront}};
    case MainSettings: return OpenPanel(PanelId::frmMainSettings);
    case Help: return {{ActionKind::OpenHelp}};
    case Drag: return {{ActionKind::BeginWindowDrag}};
    case HidePanel: return {{ActionKind::BringMovieToFront}};
    case WizardMode: return OpenPanel(PanelId::frmWizardMode);
    // A walk left for another panel is found as it was left; only a finished
    // one starts again on the first page.
    case NormalMode:
      return Then({{ActionKind::RenewWalk, PanelId::frmNormalMode}}, OpenPanel(PanelId::frmNormalMode));
    case BackupManager:
      return Then({{ActionKind::IntializeList, PanelId::frmBackUp}}, OpenPanel(PanelId::frmBackUp));
    case PingSettings: return OpenPanel(PanelId::frmNetPingerSettings);
    case SystemStatus: return OpenPanel(PanelId::frmSystemStatus);
    case RamConfiguration: return OpenPanel(PanelId::frmRamConfiguration);
    case InternetProperties: return {{ActionKind::OpenInternetProperties}};
    case SystemProperties: return {{ActionKind::OpenSystemProperties}};
    case ModemSettings: return {{ActionKind::OpenModemSettings}};
    case NetworkSettings: return {{ActionKind::OpenNetworkSettings}};
    case Restart: return Then(Unload(kRestartCommandOrder), {{ActionKind::RestartWindows}});
    case SystemSettings: return {{ActionKind::HideAllPanels}, {ActionKind::BringMovieToFront}};
  }
  return {};  // a value outside the enumeration
}

bool OpensPanel(NavigationCommand command) {
  const Actions actions = DispatchCommand(command);
  return std::any_of(actions.begin(), actions.end(), [](const Action& a) { return a.kind == ActionKind::ShowPanel; });
}

bool LeavesPanel(NavigationCommand command, PanelId shown) {
  for (const Action& action : DispatchCommand(command)) {
    switch (action.kind) {
      case ActionKind::ShowPanel:
        if (action.panel != shown) return true;
        break;
      case ActionKind::SetPanelVisible:
        if (action.panel == shown && action.value == 0) return true;
        break;
      case ActionKind::UnloadPanel:
        if (action.panel == shown) return true;
        break;
      case ActionKind::HideAllPanels:
      case ActionKind::BringMovieToFront:
      case ActionKind::EndProcess:
      case ActionKind::RestartWindows: return true;
      default: break;
    }
  }
  return false;
}

}  // namespace tw

#include "app/CommandDispatch.h"

#include <span>

namespace tw {
namespace {

using Actions = std::vector<Action>;

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

std::vector<Action> DispatchCommand(std::string_view command) {
  if (command == "IDC_FS_minimize") return {{ActionKind::MinimizeMainWindow}};
  if (command == "IDC_FS_about") {
    return Then(Then({{ActionKind::BringMovieToFront}}, SetAllVisible(false)), {{ActionKind::BringMovieToFront}});
  }
  if (command == "IDC_FS_closeAbout") return SetAllVisible(true);
  if (command == "IDC_FS_main") return {{ActionKind::HideAllPanels}, {ActionKind::BringMovieToFront}};
  if (command == "IDC_FS_close") return Then(Unload(kCloseCommandOrder), {{ActionKind::EndProcess}});
  if (command == "IDC_FS_tray") return {{ActionKind::ShowStillRunningNotice}};
  if (command == "IDC_FS_home") return {{ActionKind::BringMovieToFront}};
  if (command == "IDC_FS_settings") return OpenPanel(PanelId::frmMainSettings);
  if (command == "IDC_FS_help") return {{ActionKind::OpenHelp}};
  if (command == "Drag") return {{ActionKind::BeginWindowDrag}};
  if (command == "IDC_FS_hide") return {{ActionKind::BringMovieToFront}};
  if (command == "IDC_FS_wizardMode") return OpenPanel(PanelId::frmWizardMode);
  if (command == "IDC_FS_normalMode") {
    return Then({{ActionKind::UnloadPanel, PanelId::frmNormalMode},
                 {ActionKind::ResetWizardPage, PanelId::frmNormalMode},
                 {ActionKind::LoadPanel, PanelId::frmNormalMode}},
                OpenPanel(PanelId::frmNormalMode));
  }
  if (command == "IDC_FS_backupManger") {
    return Then({{ActionKind::IntializeList, PanelId::frmBackUp}}, OpenPanel(PanelId::frmBackUp));
  }
  if (command == "IDC_FS_pingSetting") return OpenPanel(PanelId::frmNetPingerSettings);
  if (command == "IDC_FS_systemSatus") return OpenPanel(PanelId::frmSystemStatus);
  if (command == "IDC_FS_ramConfig") return OpenPanel(PanelId::frmRamConfiguration);
  if (command == "IDC_FS_internetProperties") return {{ActionKind::OpenInternetProperties}};
  if (command == "IDC_FS_systemSetting") return {{ActionKind::OpenSystemProperties}};
  if (command == "IDC_FS_modemSetting") return {{ActionKind::OpenModemSettings}};
  if (command == "IDC_FS_networkSetting") return {{ActionKind::OpenNetworkSettings}};
  if (command == "IDC_FS_restart") return Then(Unload(kRestartCommandOrder), {{ActionKind::RestartWindows}});
  if (command == "IDC_FS_sysSettingClicked") return {{ActionKind::HideAllPanels}, {ActionKind::BringMovieToFront}};
  return {};
}

}  // namespace tw

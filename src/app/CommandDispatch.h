#pragma once
// The command dispatcher's decision: which actions a navigation command runs,
// in order. The main window performs them.
#include <string_view>
#include <vector>

#include "app/Panels.h"

namespace tw {

enum class ActionKind {
  MinimizeMainWindow,
  BringMovieToFront,
  SetPanelVisible,  // panel, value 1 visible / 0 hidden; a panel not yet loaded is loaded
  HideAllPanels,
  ShowPanel,        // panel
  LoadPanel,        // panel
  UnloadPanel,      // panel
  ResetWizardPage,  // frmNormalMode's currWizardPage = 0
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

// Compared exactly and case-sensitively; an unknown command gives no action.
std::vector<Action> DispatchCommand(std::string_view command);

}  // namespace tw

#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/AppContext.h"
#include "app/LastChange.h"
#include "app/Panels.h"
#include "backup/win32/frmBackUp.h"
#include "memory/SharedMonitor.h"
#include "settings/win32/frmMainSettings.h"
#include "tuning/win32/frmNormalMode.h"
#include "ui/win32/Panel.h"

namespace tw {

// What panels reach of the main window: the tray icon's tooltip and the home
// view's record of the last change.
struct PanelLinks {
  std::function<void(const std::string& tip)> showTrayTip;  // TrayToolTip, then Show(true)
  std::function<void(const LastChange& change)> changeMade;  // after every apply and restore that wrote
  std::function<void()> backupDeleted;  // after the backup manager deleted a file
};

// The seven panels, each at its PanelId, with the three the main window works
// with by their own type, and what the status monitor and the RAM alarm
// share. Each panel gets from `app` only what it works with.
struct Panels {
  std::unique_ptr<SharedMonitor> monitor;  // first, so it goes after the panels that share it
  std::array<std::unique_ptr<ui::Panel>, kPanelCount> byId;
  frmNormalMode* normalMode = nullptr;
  frmBackUp* backUp = nullptr;
  frmMainSettings* mainSettings = nullptr;
};

Panels MakePanels(AppContext& app, const PanelLinks& links);

}  // namespace tw

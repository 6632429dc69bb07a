#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/AppContext.h"
#include "app/LastChange.h"
#include "app/Panels.h"
#include "ui/win32/Panel.h"

namespace tw {

// The panel object for each of the seven panels. A panel whose contents are
// not built yet is an empty window carrying its caption and size. Each panel
// gets from `app` only what it works with.
// What panels reach of the main window: its other panels (the status monitor
// and the RAM alarm read each other) and the tray icon's tooltip.
struct PanelLinks {
  std::function<ui::Panel&(PanelId id)> panel;
  std::function<void(PanelId id)> start;  // starts another panel: its settings read, its timers running
  std::function<void(const std::string& tip)> showTrayTip;  // TrayToolTip, then Show(true)
  std::function<void(const LastChange& change)> changeMade;  // after every apply and restore that wrote
};

std::unique_ptr<ui::Panel> MakePanel(PanelId id, AppContext& app, const PanelLinks& links = {});

}  // namespace tw

#pragma once
#include <memory>

#include "app/AppContext.h"
#include "app/Panels.h"
#include "ui/win32/Panel.h"

namespace tw {

// The panel object for each of the seven panels. A panel whose contents are
// not built yet is an empty window carrying its caption and size. Each panel
// gets from `app` only what it works with.
std::unique_ptr<ui::Panel> MakePanel(PanelId id, AppContext& app);

}  // namespace tw

#pragma once
#include <memory>

#include "app/Panels.h"
#include "ui/win32/Panel.h"

namespace tw {

// The panel object for each of the seven panels. A panel whose contents are
// not built yet is an empty window carrying its caption and size.
std::unique_ptr<ui::Panel> MakePanel(PanelId id);

}  // namespace tw

#pragma once
// The orders in which the main window walks its seven panels; the panels
// themselves are catalogued in ui/Panels.h, where every panel area can see them.
#include <array>

#include "ui/Panels.h"

namespace tw {

using ui::Info;
using ui::kHostWidth;
using ui::kPanelCount;
using ui::kPanels;
using ui::PanelId;
using ui::PanelInfo;

// The orders in which the program walks its panels; each is kept as it is.
inline constexpr std::array<PanelId, 6> kStartupLoadOrder{
    PanelId::frmWizardMode,        PanelId::frmBackUp,           PanelId::frmNetPingerSettings,
    PanelId::frmSystemStatus,      PanelId::frmRamConfiguration, PanelId::frmMainSettings};
inline constexpr std::array<PanelId, 7> kHideAllOrder{
    PanelId::frmWizardMode,        PanelId::frmNormalMode,       PanelId::frmBackUp,
    PanelId::frmNetPingerSettings, PanelId::frmSystemStatus,     PanelId::frmRamConfiguration,
    PanelId::frmMainSettings};
inline constexpr std::array<PanelId, 7> kShowPanelHideOrder{
    PanelId::frmWizardMode,        PanelId::frmNormalMode,       PanelId::frmBackUp,
    PanelId::frmNetPingerSettings, PanelId::frmRamConfiguration, PanelId::frmMainSettings,
    PanelId::frmSystemStatus};
inline constexpr std::array<PanelId, 7> kShutdownOrder = kShowPanelHideOrder;
inline constexpr std::array<PanelId, 7> kCloseCommandOrder = kHideAllOrder;
inline constexpr std::array<PanelId, 7> kRestartCommandOrder = kShowPanelHideOrder;

}  // namespace tw

#pragma once
// The seven panels the main window hosts.
#include <array>
#include <string_view>

namespace tw {

enum class PanelId {
  frmWizardMode,
  frmNormalMode,
  frmBackUp,
  frmNetPingerSettings,
  frmSystemStatus,
  frmRamConfiguration,
  frmMainSettings,
};

inline constexpr int kPanelCount = 7;
inline constexpr int kHostWidth = 440;

struct PanelInfo {
  PanelId id;
  std::string_view name;
  std::string_view caption;  // the caption of the panel's frame
  int hostHeight;            // the host's height while the panel is shown from the navigation
};

inline constexpr std::array<PanelInfo, kPanelCount> kPanels{{
    {PanelId::frmWizardMode, "frmWizardMode", "Wizard Mode", 250},
    {PanelId::frmNormalMode, "frmNormalMode", "Normal Mode", 252},
    {PanelId::frmBackUp, "frmBackUp", "Backup", 246},
    {PanelId::frmNetPingerSettings, "frmNetPingerSettings", "Net Pinger Settings", 244},
    {PanelId::frmSystemStatus, "frmSystemStatus", "System Status", 255},
    {PanelId::frmRamConfiguration, "frmRamConfiguration", "Ram Configuration", 240},
    {PanelId::frmMainSettings, "frmMainSettings", "Main Settings", 245},
}};

constexpr const PanelInfo& Info(PanelId id) { return kPanels[static_cast<int>(id)]; }

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
inline constexpr std::array<PanelId, 7> kRestartCommandOrder{
    PanelId::frmWizardMode,        PanelId::frmNormalMode,       PanelId::frmBackUp,
    PanelId::frmNetPingerSettings, PanelId::frmRamConfiguration, PanelId::frmMainSettings,
    PanelId::frmSystemStatus};

}  // namespace tw

#pragma once
// The seven panels the main window hosts: their names, frame captions and the
// host size each is shown at. Every panel's layout takes these from here, and
// so does the main window, so a panel and its host cannot disagree.
#include <array>
#include <span>
#include <string_view>

#include "ui/ControlLayout.h"

namespace tw::ui {

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
// The panels' width in pixels at 96 DPI: the main window's panel host and the
// navigation's content area, where the host goes, are as wide.
inline constexpr int kHostWidth = 440;

struct PanelInfo {
  PanelId id;
  std::string_view name;
  std::string_view caption;  // the caption of the panel's frame
  int hostHeight;            // the host's height while the panel is shown from the navigation
  std::string_view helpPage;  // its page in the user guide, which F1 opens while it is in front
};

inline constexpr std::array<PanelInfo, kPanelCount> kPanels{{
    {PanelId::frmWizardMode, "frmWizardMode", "Wizard Mode", 250, "wizard-mode.htm"},
    {PanelId::frmNormalMode, "frmNormalMode", "Normal Mode", 252, "advanced-mode.htm"},
    {PanelId::frmBackUp, "frmBackUp", "Backup", 246, "backup.htm"},
    {PanelId::frmNetPingerSettings, "frmNetPingerSettings", "Net Pinger Settings", 244, "ping-settings.htm"},
    {PanelId::frmSystemStatus, "frmSystemStatus", "System Status", 255, "system-status.htm"},
    {PanelId::frmRamConfiguration, "frmRamConfiguration", "Ram Configuration", 240, "ram-configuration.htm"},
    {PanelId::frmMainSettings, "frmMainSettings", "Main Settings", 245, "main-settings.htm"},
}};

// What a panel's status line says once its Save has stored what it shows.
inline constexpr const char* kSavedText = "Saved.";

// The guide's first page, which F1 opens from the home and about views.
inline constexpr std::string_view kHomeHelpPage = "welcome.htm";

constexpr const PanelInfo& Info(PanelId id) { return kPanels[static_cast<int>(id)]; }

// A panel's layout: its name, caption and host size from the catalogue, with its controls.
constexpr PanelSpec PanelLayout(PanelId id, std::span<const ControlSpec> controls) {
  return {Info(id).name, Info(id).caption, kHostWidth, Info(id).hostHeight, controls};
}

}  // namespace tw::ui

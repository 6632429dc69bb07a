#include "app/NavigationItems.h"

namespace tw {
namespace {

// The captions of the menu items are those of the main window's old button
// route, so users and screen readers meet the names they know.
constexpr NavigationItem kInternetBooster[] = {
    {IDC_FS_firstMenuItem + 0, "Wizard Mode", "IDC_FS_wizardMode",
     "Pick the preset that fits your connection and apply it in one step."},
    {IDC_FS_firstMenuItem + 1, "Advanced Mode", "IDC_FS_normalMode",
     "Set each TCP/IP value yourself, page by page, with recommended values."},
    {IDC_FS_firstMenuItem + 2, "Backup", "IDC_FS_backupManger",
     "Every change is saved first. Restore or delete earlier settings here."},
};
constexpr NavigationItem kRamBooster[] = {
    {IDC_FS_firstMenuItem + 3, "System Status", "IDC_FS_systemSatus",
     "Free memory and processor use as they happen."},
    {IDC_FS_firstMenuItem + 4, "Ram Configuration", "IDC_FS_ramConfig",
     "When to sound the alarm and free memory by itself."},
};
constexpr NavigationItem kNetPinger[] = {
    {IDC_FS_firstMenuItem + 5, "Ping Settings", "IDC_FS_pingSetting",
     "Keep an idle connection open with a ping at a steady pace."},
};
constexpr NavigationItem kSystemSettings[] = {
    {IDC_FS_firstMenuItem + 6, "Internet Properties", "IDC_FS_internetProperties"},
    {IDC_FS_firstMenuItem + 7, "System Properties", "IDC_FS_systemSetting"},
    {IDC_FS_firstMenuItem + 8, "Modems Settings", "IDC_FS_modemSetting"},
    {IDC_FS_firstMenuItem + 9, "Network Settings", "IDC_FS_networkSetting"},
};

constexpr NavigationGroup kGroups[] = {
    {IDC_FS_firstGroupHeading + 0, "Internet Booster", "", kInternetBooster},
    {IDC_FS_firstGroupHeading + 1, "Ram Booster", "", kRamBooster},
    {IDC_FS_firstGroupHeading + 2, "Net Pinger", "", kNetPinger},
    {IDC_FS_firstGroupHeading + 3, "System Settings", "IDC_FS_sysSettingClicked", kSystemSettings},
};

constexpr NavigationItem kChrome[] = {
    {IDC_FS_titleStrip, "Tidewave", "Drag"},
    {IDC_FS_homeButton, "Home", "IDC_FS_home"},
    {IDC_FS_mainSettingsButton, "Main Settings", "IDC_FS_settings", "How Tidewave starts with Windows."},
    {IDC_FS_helpButton, "Help", "IDC_FS_help"},
    {IDC_FS_aboutButton, "About", "IDC_FS_about"},
    {IDC_FS_minimizeButton, "Minimize", "IDC_FS_minimize"},
    {IDC_FS_trayButton, "Hide to tray", "IDC_FS_tray"},
    {IDC_FS_closeButton, "Close", "IDC_FS_close"},
    // Shown while a panel is open: back to the overview with the panel kept as
    // it is, or closed.
    {IDC_FS_hidePanelButton, "Back", "IDC_FS_hide"},
    {IDC_FS_closePanelButton, "Close Panel", "IDC_FS_main"},
    {IDC_FS_closeAboutButton, "Done", "IDC_FS_closeAbout"},
    {IDC_FS_restartButton, "Restart Windows", "IDC_FS_restart"},
};

}  // namespace

std::span<const NavigationGroup> NavigationGroups() { return kGroups; }
std::span<const NavigationItem> NavigationChrome() { return kChrome; }

const NavigationItem* FindNavigationItem(int id) {
  for (const NavigationItem& item : kChrome) {
    if (item.id == id) return &item;
  }
  for (const NavigationGroup& group : kGroups) {
    for (const NavigationItem& item : group.items) {
      if (item.id == id) return &item;
    }
  }
  return nullptr;
}

const NavigationGroup* FindNavigationGroup(int itemId) {
  for (const NavigationGroup& group : kGroups) {
    for (const NavigationItem& item : group.items) {
      if (item.id == itemId) return &group;
    }
  }
  return nullptr;
}

}  // namespace tw

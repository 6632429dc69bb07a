#include "app/NavigationItems.h"

namespace tw {
namespace {

constexpr NavigationItem kInternetBooster[] = {
    {IDC_FS_firstMenuItem + 0, "Wizard Mode", "IDC_FS_wizardMode"},
    {IDC_FS_firstMenuItem + 1, "Advanced Mode", "IDC_FS_normalMode"},
    {IDC_FS_firstMenuItem + 2, "Backup", "IDC_FS_backupManger"},
};
constexpr NavigationItem kRamBooster[] = {
    {IDC_FS_firstMenuItem + 3, "System Status", "IDC_FS_systemSatus"},
    {IDC_FS_firstMenuItem + 4, "Ram Configuration", "IDC_FS_ramConfig"},
};
constexpr NavigationItem kNetPinger[] = {
    {IDC_FS_firstMenuItem + 5, "Ping Settings", "IDC_FS_pingSetting"},
};
constexpr NavigationItem kSystemSettings[] = {
    {IDC_FS_firstMenuItem + 6, "Internet Properties", "IDC_FS_internetProperties"},
    {IDC_FS_firstMenuItem + 7, "System Properties", "IDC_FS_systemSetting"},
    {IDC_FS_firstMenuItem + 8, "Modems Settings", "IDC_FS_modemSetting"},
    {IDC_FS_firstMenuItem + 9, "Network Settings", "IDC_FS_networkSetting"},
};
constexpr NavigationItem kProgram[] = {
    {IDC_FS_firstMenuItem + 10, "Main Settings", "IDC_FS_settings"},
    {IDC_FS_firstMenuItem + 11, "Help", "IDC_FS_help"},
    {IDC_FS_firstMenuItem + 12, "About", "IDC_FS_about"},
};

constexpr NavigationGroup kGroups[] = {
    {"Internet Booster", "", kInternetBooster},
    {"Ram Booster", "", kRamBooster},
    {"Net Pinger", "", kNetPinger},
    {"System Settings", "IDC_FS_sysSettingClicked", kSystemSettings},
    {"Tidewave", "", kProgram},
};

constexpr NavigationItem kChrome[] = {
    {IDC_FS_titleStrip, "Tidewave", "Drag"},
    {IDC_FS_minimizeButton, "Minimize", "IDC_FS_minimize"},
    {IDC_FS_trayButton, "Hide to tray", "IDC_FS_tray"},
    {IDC_FS_closeButton, "Close", "IDC_FS_close"},
    {IDC_FS_homeButton, "Home", "IDC_FS_home"},
    {IDC_FS_brand, "Tidewave", "IDC_FS_main"},
    {IDC_FS_hidePanelButton, "Back", "IDC_FS_hide"},
    {IDC_FS_closeAboutButton, "Close", "IDC_FS_closeAbout"},
    {IDC_FS_restartButton, "Restart Windows", "IDC_FS_restart"},
};

}  // namespace

std::span<const NavigationGroup> NavigationGroups() { return kGroups; }
std::span<const NavigationItem> NavigationChrome() { return kChrome; }

}  // namespace tw

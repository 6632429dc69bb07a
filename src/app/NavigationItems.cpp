#include "app/NavigationItems.h"

#include <cctype>

namespace tw {
namespace {

using C = NavigationCommand;

// The captions of the menu items are those of the main window's old button
// route, so users and screen readers meet the names they know. Each "&" marks
// an access key (Alt and the letter presses the item): one letter per item
// across the whole surface, and none that a panel's own controls take, since
// the surface stays beside every panel ("Restore", "Delete", "Play Sound at
// Ping", "Save", "Optimize Now", "Find"). The window buttons have none: a stray
// Alt+C must not end the program.
constexpr NavigationItem kInternetBooster[] = {
    {IDC_FS_firstMenuItem + 0, "&Wizard Mode", C::WizardMode,
     "Pick the preset that fits your connection and apply it in one step."},
    {IDC_FS_firstMenuItem + 1, "Ad&vanced Mode", C::NormalMode,
     "Set each TCP/IP value yourself, page by page, with recommended values."},
    {IDC_FS_firstMenuItem + 2, "&Backup", C::BackupManager,
     "Every change is saved first. Restore or delete earlier settings here."},
};
constexpr NavigationItem kRamBooster[] = {
    {IDC_FS_firstMenuItem + 3, "System S&tatus", C::SystemStatus,
     "Free memory and processor use as they happen."},
    {IDC_FS_firstMenuItem + 4, "Ram Config&uration", C::RamConfiguration,
     "When to sound the alarm and free memory by itself."},
};
constexpr NavigationItem kNetPinger[] = {
    {IDC_FS_firstMenuItem + 5, "&Ping Settings", C::PingSettings,
     "Keep an idle connection open with a ping at a steady pace."},
};
constexpr NavigationItem kSystemSettings[] = {
    {IDC_FS_firstMenuItem + 6, "&Internet Properties", C::InternetProperties},
    {IDC_FS_firstMenuItem + 7, "S&ystem Properties", C::SystemProperties},
    {IDC_FS_firstMenuItem + 8, "Mod&ems Settings", C::ModemSettings},
    {IDC_FS_firstMenuItem + 9, "Networ&k Settings", C::NetworkSettings},
};

constexpr NavigationGroup kGroups[] = {
    {IDC_FS_firstGroupHeading + 0, "Internet Booster", {}, kInternetBooster},
    {IDC_FS_firstGroupHeading + 1, "Ram Booster", {}, kRamBooster},
    {IDC_FS_firstGroupHeading + 2, "Net Pinger", {}, kNetPinger},
    {IDC_FS_firstGroupHeading + 3, "System Settin&gs", C::SystemSettings, kSystemSettings},
};

constexpr NavigationItem kChrome[] = {
    {IDC_FS_titleStrip, "Tidewave", C::Drag},
    {IDC_FS_homeButton, "H&ome", C::Home},
    {IDC_FS_mainSettingsButton, "&Main Settings", C::MainSettings, "How Tidewave starts with Windows."},
    {IDC_FS_helpButton, "&Help", C::Help},
    {IDC_FS_aboutButton, "&About", C::About},
    {IDC_FS_minimizeButton, "Minimize", C::Minimize},
    {IDC_FS_trayButton, "Hide to tray", C::Tray},
    {IDC_FS_closeButton, "Close", C::Close},
    // Shown while a panel is open: back to the overview with the panel kept as
    // it is, or closed. Not "Back": Advanced Mode's pages have a "<<Back" of
    // their own, just above it.
    {IDC_FS_hidePanelButton, "Hide Panel", C::HidePanel},
    {IDC_FS_closePanelButton, "Close Panel", C::ClosePanel},
    {IDC_FS_closeAboutButton, "Done", C::CloseAbout},
    {IDC_FS_restartButton, "Restart Windows", C::Restart},
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

std::string CaptionText(std::string_view caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;  // "&&" stands for one "&"
    text += caption[i];
  }
  return text;
}

char AccessKey(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    ++i;
  }
  return '\0';
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

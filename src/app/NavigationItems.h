#pragma once
// What the navigation surface offers: every command of the dispatcher's
// vocabulary is reachable from one of these items.
#include <span>
#include <string_view>

namespace tw {

struct NavigationItem {
  int id;                   // control id of the item's window
  std::string_view caption;
  std::string_view command;  // sent to the dispatcher when the item is pressed
};

struct NavigationGroup {
  std::string_view caption;
  std::string_view command;  // sent when the group's heading is pressed, or empty
  std::span<const NavigationItem> items;
};

// Menu groups, in their order on the surface.
std::span<const NavigationGroup> NavigationGroups();
// The window buttons and the other fixed items of the surface.
std::span<const NavigationItem> NavigationChrome();

// Control ids of the surface's fixed parts.
enum NavigationIds : int {
  IDC_FS_titleStrip = 2001,
  IDC_FS_minimizeButton,
  IDC_FS_trayButton,
  IDC_FS_closeButton,
  IDC_FS_homeButton,
  IDC_FS_brand,
  IDC_FS_hidePanelButton,
  IDC_FS_closeAboutButton,
  IDC_FS_versionLabel,
  IDC_FS_restartButton,
  IDC_FS_firstMenuItem = 2100,
};

}  // namespace tw

#pragma once
// What the navigation surface offers: every command of the dispatcher's
// vocabulary is reachable from exactly one of these items.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/CommandDispatch.h"

namespace tw {

struct NavigationItem {
  int id;                    // control id of the item's window
  // The window's caption: what the user and a screen reader see, with "&"
  // before its access key.
  std::string_view caption;
  NavigationCommand command;  // sent to the dispatcher when the item is pressed
  // For an item that opens a panel: one line under its title while it is open.
  std::string_view description = {};
};

struct NavigationGroup {
  int id;  // control id of the group's heading
  std::string_view caption;
  std::optional<NavigationCommand> command;  // sent when the heading is pressed; none: a plain label
  std::span<const NavigationItem> items;
};

// Menu groups of the side bar, in their order.
std::span<const NavigationGroup> NavigationGroups();
// The title strip, the window buttons and the other fixed items.
std::span<const NavigationItem> NavigationChrome();

// The item (of a group or the chrome) with this control id, or null.
const NavigationItem* FindNavigationItem(int id);
// The group an item belongs to, or null for the chrome.
const NavigationGroup* FindNavigationGroup(int itemId);

// A caption as it reads, without its access-key marker ("&&" stands for "&").
std::string CaptionText(std::string_view caption);
// The letter after a caption's "&", in upper case, or '\0' if it has none.
char AccessKey(std::string_view caption);

// Control ids of the surface's fixed parts.
enum NavigationIds : int {
  IDC_FS_titleStrip = 2001,
  IDC_FS_minimizeButton,
  IDC_FS_trayButton,
  IDC_FS_closeButton,
  IDC_FS_homeButton,
  IDC_FS_mainSettingsButton,
  IDC_FS_helpButton,
  IDC_FS_aboutButton,
  IDC_FS_hidePanelButton,
  IDC_FS_closePanelButton,
  IDC_FS_closeAboutButton,
  IDC_FS_restartButton,
  IDC_FS_versionLabel,  // "Version x.y.0.z" in the status bar: not an item
  IDC_FS_lastChangeLabel,  // what the last apply or restore did, on the home view: not an item
  IDC_FS_firstGroupHeading = 2050,
  IDC_FS_firstMenuItem = 2100,
  // The home view's cards, one per menu group in the groups' order; each opens its group's area.
  IDC_FS_firstHomeCard = 2150,
};

}  // namespace tw

#include "app/NavigationItems.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "tuning/MtuSearch.h"
#include "tuning/WizardMode.h"

namespace tw {
namespace {

// Every command the surface can send, with how often.
std::map<NavigationCommand, int> SentCommands() {
  std::map<NavigationCommand, int> sent;
  for (const NavigationItem& item : NavigationChrome()) ++sent[item.command];
  for (const NavigationGroup& group : NavigationGroups()) {
    if (group.command) ++sent[*group.command];
    for (const NavigationItem& item : group.items) ++sent[item.command];
  }
  return sent;
}

TEST(NavigationItems, SendEveryCommandExactlyOnce) {
  const std::map<NavigationCommand, int> sent = SentCommands();
  for (const NamedCommand& named : NavigationCommands()) {
    const auto found = sent.find(named.command);
    ASSERT_NE(sent.end(), found) << named.name << " cannot be reached";
    EXPECT_EQ(1, found->second) << named.name << " is offered more than once";
  }
}

TEST(NavigationItems, MenuItemsCarryTheCaptionsUsersKnow) {
  const std::map<NavigationCommand, std::string> captionOf = {
      {NavigationCommand::WizardMode, "Wizard Mode"},
      {NavigationCommand::NormalMode, "Advanced Mode"},
      {NavigationCommand::BackupManager, "Backup"},
      {NavigationCommand::SystemStatus, "System Status"},
      {NavigationCommand::RamConfiguration, "Ram Configuration"},
      {NavigationCommand::PingSettings, "Ping Settings"},
      {NavigationCommand::MainSettings, "Main Settings"},
      {NavigationCommand::InternetProperties, "Internet Properties"},
      {NavigationCommand::SystemProperties, "System Properties"},
      {NavigationCommand::ModemSettings, "Modems Settings"},
      {NavigationCommand::NetworkSettings, "Network Settings"},
      {NavigationCommand::Help, "Help"},
      {NavigationCommand::About, "About"},
      {NavigationCommand::Drag, "Tidewave"},
  };
  std::map<NavigationCommand, std::string> actual;
  for (const NavigationItem& item : NavigationChrome()) actual[item.command] = CaptionText(item.caption);
  for (const NavigationGroup& group : NavigationGroups()) {
    for (const NavigationItem& item : group.items) actual[item.command] = CaptionText(item.caption);
  }
  for (const auto& [command, caption] : captionOf) EXPECT_EQ(caption, actual[command]) << CommandName(command);
}

TEST(NavigationItems, IdsAreUniqueAndFindTheirItems) {
  std::set<int> ids;
  std::set<std::string_view> captions;
  auto check = [&](const NavigationItem& item, const NavigationGroup* group) {
    EXPECT_TRUE(ids.insert(item.id).second) << "id " << item.id << " used twice";
    EXPECT_TRUE(captions.insert(item.caption).second) << "caption " << item.caption << " used twice";
    EXPECT_EQ(&item, FindNavigationItem(item.id));
    EXPECT_EQ(group, FindNavigationGroup(item.id));
  };
  for (const NavigationItem& item : NavigationChrome()) check(item, nullptr);
  for (const NavigationGroup& group : NavigationGroups()) {
    EXPECT_TRUE(ids.insert(group.id).second) << "heading id " << group.id << " used twice";
    EXPECT_EQ(nullptr, FindNavigationItem(group.id)) << "a heading is not an item";
    for (const NavigationItem& item : group.items) check(item, &group);
  }
  EXPECT_EQ(nullptr, FindNavigationItem(0));
  EXPECT_EQ(nullptr, FindNavigationItem(IDC_FS_versionLabel));
}

TEST(NavigationItems, CaptionsReadWithoutTheirAccessKeyMarker) {
  EXPECT_EQ("Save & Close", CaptionText("Save && &Close"));
  EXPECT_EQ('C', AccessKey("Save && &close")) << "in upper case; \"&&\" is an ampersand";
  EXPECT_EQ('\0', AccessKey("Tom && Jerry"));
  EXPECT_EQ('\0', AccessKey("Ends with &"));
}

TEST(NavigationItems, EveryItemAUserReadsHasAnAccessKeyOfItsOwn) {
  std::map<char, std::string_view> taken;
  auto claim = [&](std::string_view caption) {
    const char key = AccessKey(caption);
    ASSERT_NE('\0', key) << caption << " has no access key";
    const auto [owner, fresh] = taken.emplace(key, caption);
    EXPECT_TRUE(fresh) << caption << " and " << owner->second << " share " << key;
  };
  // Shown beside the navigation, the Wizard Mode panel's buttons have theirs first.
  for (const ui::ControlSpec& control : kWizardModeControls) {
    if (control.kind == ui::ControlKind::Button) claim(control.caption);
  }
  // So has the MTU page's one button with a key, in both its captions.
  claim(kFindMtuCaption);
  claim(kCancelMtuCaption);
  for (const NavigationGroup& group : NavigationGroups()) {
    if (group.command) claim(group.caption);
    for (const NavigationItem& item : group.items) claim(item.caption);
  }
  for (int id : {IDC_FS_homeButton, IDC_FS_mainSettingsButton, IDC_FS_helpButton, IDC_FS_aboutButton}) {
    claim(FindNavigationItem(id)->caption);
  }
  for (int id : {IDC_FS_titleStrip, IDC_FS_minimizeButton, IDC_FS_trayButton, IDC_FS_closeButton}) {
    EXPECT_EQ('\0', AccessKey(FindNavigationItem(id)->caption)) << "no key may drag, hide or end the program";
  }
}

TEST(NavigationItems, EveryItemThatOpensAPanelSaysWhatItIsFor) {
  int panels = 0;
  auto check = [&](const NavigationItem& item) {
    if (!OpensPanel(item.command)) return;
    ++panels;
    EXPECT_FALSE(item.description.empty()) << item.caption;
  };
  for (const NavigationItem& item : NavigationChrome()) check(item);
  for (const NavigationGroup& group : NavigationGroups()) {
    for (const NavigationItem& item : group.items) check(item);
  }
  EXPECT_EQ(kPanelCount, panels);
}

}  // namespace
}  // namespace tw

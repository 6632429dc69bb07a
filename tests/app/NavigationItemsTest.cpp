#include "app/NavigationItems.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/CommandDispatch.h"
#include "tuning/MtuSearch.h"
#include "tuning/WizardMode.h"

namespace tw {
namespace {

// The dispatcher's whole vocabulary, as the navigation must send it.
const std::vector<std::string> kVocabulary = {
    "IDC_FS_minimize",     "IDC_FS_about",          "IDC_FS_closeAbout",         "IDC_FS_main",
    "IDC_FS_close",        "IDC_FS_tray",           "IDC_FS_home",               "IDC_FS_settings",
    "IDC_FS_help",         "Drag",                  "IDC_FS_hide",               "IDC_FS_wizardMode",
    "IDC_FS_normalMode",   "IDC_FS_backupManger",   "IDC_FS_pingSetting",        "IDC_FS_systemSatus",
    "IDC_FS_ramConfig",    "IDC_FS_internetProperties", "IDC_FS_systemSetting",  "IDC_FS_modemSetting",
    "IDC_FS_networkSetting", "IDC_FS_restart",      "IDC_FS_sysSettingClicked",
};

// Every command the surface can send, with how often.
std::map<std::string, int> SentCommands() {
  std::map<std::string, int> sent;
  for (const NavigationItem& item : NavigationChrome()) ++sent[std::string(item.command)];
  for (const NavigationGroup& group : NavigationGroups()) {
    if (!group.command.empty()) ++sent[std::string(group.command)];
    for (const NavigationItem& item : group.items) ++sent[std::string(item.command)];
  }
  return sent;
}

TEST(NavigationItems, SendEveryCommandOfTheVocabularyExactlyOnce) {
  const std::map<std::string, int> sent = SentCommands();
  for (const std::string& command : kVocabulary) {
    const auto found = sent.find(command);
    ASSERT_NE(sent.end(), found) << command << " cannot be reached";
    EXPECT_EQ(1, found->second) << command << " is offered more than once";
    EXPECT_FALSE(DispatchCommand(command).empty()) << command << " is not one the dispatcher knows";
  }
  EXPECT_EQ(kVocabulary.size(), sent.size()) << "an item sends a command outside the vocabulary";
}

TEST(NavigationItems, MenuItemsCarryTheCaptionsUsersKnow) {
  const std::map<std::string, std::string> captionOf = {
      {"IDC_FS_wizardMode", "Wizard Mode"},
      {"IDC_FS_normalMode", "Advanced Mode"},
      {"IDC_FS_backupManger", "Backup"},
      {"IDC_FS_systemSatus", "System Status"},
      {"IDC_FS_ramConfig", "Ram Configuration"},
      {"IDC_FS_pingSetting", "Ping Settings"},
      {"IDC_FS_settings", "Main Settings"},
      {"IDC_FS_internetProperties", "Internet Properties"},
      {"IDC_FS_systemSetting", "System Properties"},
      {"IDC_FS_modemSetting", "Modems Settings"},
      {"IDC_FS_networkSetting", "Network Settings"},
      {"IDC_FS_help", "Help"},
      {"IDC_FS_about", "About"},
      {"Drag", "Tidewave"},
  };
  std::map<std::string, std::string> actual;
  for (const NavigationItem& item : NavigationChrome()) actual[std::string(item.command)] = CaptionText(item.caption);
  for (const NavigationGroup& group : NavigationGroups()) {
    for (const NavigationItem& item : group.items) actual[std::string(item.command)] = CaptionText(item.caption);
  }
  for (const auto& [command, caption] : captionOf) EXPECT_EQ(caption, actual[command]) << command;
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
    if (!group.command.empty()) claim(group.caption);
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
  auto opensPanel = [](std::string_view command) {
    for (const Action& action : DispatchCommand(command)) {
      if (action.kind == ActionKind::ShowPanel) return true;
    }
    return false;
  };
  int panels = 0;
  auto check = [&](const NavigationItem& item) {
    if (!opensPanel(item.command)) return;
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

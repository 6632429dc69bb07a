// Where the settings live: names only, so no registry is needed.
#include <gtest/gtest.h>

#include "settings/RegistrySettings.h"

namespace tw::test {
namespace {

TEST(SettingsPath, KeysLieUnderTheVendorKey) {
  EXPECT_EQ("SOFTWARE\\Marlpit\\Tidewave\\Settings\\MainSettings", SettingsPath(kMainSettingsKey));
  EXPECT_EQ("SOFTWARE\\Marlpit\\Tidewave\\Settings\\NetPinger", SettingsPath(kNetPingerKey));
  EXPECT_EQ("SOFTWARE\\Marlpit\\Tidewave\\Settings\\RamSettings", SettingsPath(kRamSettingsKey));
}

}  // namespace
}  // namespace tw::test

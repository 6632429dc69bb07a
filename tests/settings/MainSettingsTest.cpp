#include <gtest/gtest.h>

#include "settings/MainSettings.h"
#include "settings/RegistrySettings.h"
#include "support/RegistryTest.h"

namespace tw::test {
namespace {

class MainSettings : public RegistryTest {
 protected:
  std::string Stored(std::string_view name) {
    return GetSettingValue(registry(), SettingsPath(kMainSettingsKey), name, Variant("missing")).Text();
  }
  std::string RawRunEntry() {
    return GetStringValue(registry(), kHkeyCurrentUser, kRunKey, kRunValueName, Variant("missing")).Text();
  }
};

TEST_F(MainSettings, APathWithASpaceIsQuotedAndEitherFormReadsBack) {
  EXPECT_EQ("C:\\Tools\\Tidewave\\Tidewave.exe", RunEntryText("C:\\Tools\\Tidewave\\Tidewave.exe"));
  EXPECT_EQ("\"C:\\Program Files\\Tidewave\\Tidewave.exe\"", RunEntryText("C:\\Program Files\\Tidewave\\Tidewave.exe"));
  EXPECT_EQ("C:\\Program Files\\Tidewave\\Tidewave.exe", RunEntryPath("\"C:\\Program Files\\Tidewave\\Tidewave.exe\""));
  EXPECT_EQ("C:\\Program Files\\Tidewave\\Tidewave.exe", RunEntryPath("C:\\Program Files\\Tidewave\\Tidewave.exe"));
  EXPECT_EQ("C:\\A B\\Tidewave.exe", RunEntryPath("\"C:\\A B\\Tidewave.exe\" /min")) << "arguments after the quotes";
  EXPECT_EQ("\"", RunEntryPath("\"")) << "a lone quote is no quoted path";

  WriteRunEntry(registry(), "C:\\Program Files\\Tidewave\\Tidewave.exe");
  EXPECT_EQ("\"C:\\Program Files\\Tidewave\\Tidewave.exe\"", RawRunEntry());
  EXPECT_EQ("C:\\Program Files\\Tidewave\\Tidewave.exe", ReadRunEntry(registry()));
  SetTypedValue(registry(), kHkeyCurrentUser, kRunKey, kRunValueName, kRegSz, Variant("C:\\Old Place\\Tidewave.exe"));
  EXPECT_EQ("C:\\Old Place\\Tidewave.exe", ReadRunEntry(registry())) << "as an earlier version wrote it";
}

TEST_F(MainSettings, TheRunEntryIsWrittenRemovedAndNeverWrittenEmpty) {
  EXPECT_EQ(std::nullopt, ReadRunEntry(registry()));
  WriteRunEntry(registry(), "");
  EXPECT_EQ(std::nullopt, ReadRunEntry(registry())) << "no program path, no entry";
  WriteRunEntry(registry(), "C:\\Tools\\Tidewave.exe");
  EXPECT_EQ("C:\\Tools\\Tidewave.exe", RawRunEntry());
  RemoveRunEntry(registry());
  EXPECT_EQ(std::nullopt, ReadRunEntry(registry()));
  RemoveRunEntry(registry());  // again, on a missing value: nothing happens
}

TEST_F(MainSettings, BothOptionsStoreAsZeroOrOneAndAnythingElseReadsUnticked) {
  EXPECT_EQ((MainSettingsValues{false, false}), LoadMainSettingsValues(registry())) << "first run: defaults";
  SaveMainSettingsValues(registry(), {true, false});
  EXPECT_EQ("1", Stored("chkRunMainProgram"));
  EXPECT_EQ("0", Stored("chkRunProgramMini"));
  EXPECT_EQ((MainSettingsValues{true, false}), LoadMainSettingsValues(registry()));
  SaveMainSettingsValues(registry(), {false, true});
  EXPECT_EQ((MainSettingsValues{false, true}), LoadMainSettingsValues(registry()));

  for (const char* junk : {"yes", "", "2", "-1"}) {
    SaveSettingValue(registry(), SettingsPath(kMainSettingsKey), "chkRunProgramMini", junk);
    EXPECT_FALSE(LoadMainSettingsValues(registry()).chkRunProgramMini) << junk;
  }
  SaveSettingValue(registry(), SettingsPath(kMainSettingsKey), "chkRunProgramMini", " 1 ");
  EXPECT_TRUE(LoadMainSettingsValues(registry()).chkRunProgramMini) << "the integer value of the text";
}

}  // namespace
}  // namespace tw::test

// What only the in-memory registry can stage: refused access and handle leaks.
#include <gtest/gtest.h>

#include "memory/RamAlarm.h"
#include "pinger/NetPinger.h"
#include "settings/CRegister.h"
#include "settings/MainSettings.h"
#include "settings/RegistrySettings.h"
#include "support/FakeTimer.h"
#include "support/MemoryRegistry.h"

namespace tw::test {
namespace {

constexpr std::string_view kTcp = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

TEST(RegistryAccess, SettingsAndNumbersAreReadFromKeysThatOnlyOpenForReading) {
  MemoryRegistry registry;
  SetTypedValue(registry, kHkeyLocalMachine, kTcp, "DefaultTTL", kRegDword, 128);
  SaveSettingValue(registry, SettingsPath(kMainSettingsKey), "chkRunMainProgram", "1");
  registry.DenyWrites(kHkeyLocalMachine, "SYSTEM");
  registry.DenyWrites(kHkeyLocalMachine, "SOFTWARE");
  EXPECT_EQ(Variant("1"), GetSettingValue(registry, SettingsPath(kMainSettingsKey), "chkRunMainProgram", "0"))
      << "an account without administrator rights still reads its settings";
  EXPECT_EQ(128, CRegister(registry).myREGGetSetting(kHkeyLocalMachine, kTcp, "DefaultTTL"));
  registry.DenyAccess(kHkeyLocalMachine, kTcp);
  EXPECT_EQ(0, CRegister(registry).myREGGetSetting(kHkeyLocalMachine, kTcp, "DefaultTTL"));
  EXPECT_EQ(0u, registry.OpenHandles());
}

TEST(RegistryAccess, RefusedWritesAreSilentOrReportedAsTheirStatus) {
  MemoryRegistry registry;
  registry.DenyWrites(kHkeyLocalMachine, "SOFTWARE");
  EXPECT_EQ(kErrorAccessDenied, SaveSettingValue(registry, SettingsPath(kMainSettingsKey), "chkRunMainProgram", "1"));
  EXPECT_EQ(Variant("0"), GetSettingValue(registry, SettingsPath(kMainSettingsKey), "chkRunMainProgram", "0"));
  EXPECT_EQ(kErrorAccessDenied, SetTypedValue(registry, kHkeyLocalMachine, "SOFTWARE\\X", "v", kRegDword, 1))
      << "the key could not be created: that is the cause, not the missing key the write would meet";
  EXPECT_EQ(0u, registry.OpenHandles());
}

// A limited user on NT may not write under HKEY_LOCAL_MACHINE: no panel says
// "Saved." then, each names what was refused and why, and keeps its changes
// to be saved again.
TEST(RegistryAccess, ASaveWindowsRefusesIsNamedAndStaysToBeSaved) {
  MemoryRegistry registry;
  registry.DenyWrites(kHkeyLocalMachine, "SOFTWARE");

  const SaveResult main = SaveMainSettingsValues(registry, {true, false});
  EXPECT_EQ("Not saved.", SaveStatusText(main));
  EXPECT_EQ(2, main.values);
  ASSERT_EQ(2u, main.refused.size());
  const std::string message = SaveFailureMessage(main);
  for (const char* part : {"2 of the 2 settings", "chkRunMainProgram, chkRunProgramMini",
                           "HKEY_LOCAL_MACHINE\\SOFTWARE\\Marlpit\\Tidewave\\Settings\\MainSettings",
                           "as an administrator"}) {
    EXPECT_NE(std::string::npos, message.find(part)) << part << " in " << message;
  }

  FakeTimerFactory timers;
  NetPinger pinger(NetPinger::Services{.registry = registry, .timers = timers, .ping = {}, .startPing = {},
                                       .playSound = {}, .pumpMessages = [] {}});
  pinger.Form_Load();
  pinger.txtPingHost_Change("127.0.0.1");
  const SaveResult ping = pinger.cmdSave_Click().value();
  EXPECT_EQ(6u, ping.refused.size());
  EXPECT_TRUE(pinger.Controls().saveEnabled) << "nothing stored: still a change to save";

  struct : IMemoryStatus {
    void GlobalMemoryStatus(MemoryFigures&) override {}
  } memory;
  RamAlarm alarm(RamAlarm::Services{.registry = registry, .timers = timers, .memory = memory, .queryProcessor = {},
                                    .playSound = {}, .pumpMessages = [] {}, .allocate = {}});
  alarm.Form_Load();
  alarm.txtAlarm_Change("300");
  EXPECT_TRUE(alarm.cmdSave_Click());
  EXPECT_EQ(9u, alarm.LastSave().refused.size());
  EXPECT_TRUE(alarm.Changed());
  EXPECT_EQ("300", alarm.Controls().alarm) << "the edit stays in its box, not the stored value read back";

  MemoryRegistry writable;
  EXPECT_EQ("Saved.", SaveStatusText(SaveMainSettingsValues(writable, {true, false})));
  EXPECT_EQ("", SaveFailureMessage(SaveMainSettingsValues(writable, {true, false})));
}

TEST(RegistryAccess, EveryOperationClosesItsKey) {
  MemoryRegistry registry;
  const std::string path = SettingsPath(kRamSettingsKey);
  SaveSettingValue(registry, path, "a", "1");
  GetSettingValue(registry, path, "a", "");
  GetSettingValue(registry, path, "missing", "");
  SetTypedValue(registry, kHkeyLocalMachine, kTcp, "MTU", kRegSz, "1500");
  SetTypedValue(registry, kHkeyLocalMachine, kTcp, "MTU", kRegSz, "", true);
  CRegister(registry).myREGGetSetting(kHkeyLocalMachine, path, "a");
  EXPECT_EQ(0u, registry.OpenHandles());
}

}  // namespace
}  // namespace tw::test

// What only the in-memory registry can stage: refused access and handle leaks.
#include <gtest/gtest.h>

#include "settings/CRegister.h"
#include "settings/RegistrySettings.h"
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
  SaveSettingValue(registry, SettingsPath(kMainSettingsKey), "chkRunMainProgram", "1");
  EXPECT_EQ(Variant("0"), GetSettingValue(registry, SettingsPath(kMainSettingsKey), "chkRunMainProgram", "0"));
  EXPECT_EQ(kErrorAccessDenied, SetTypedValue(registry, kHkeyLocalMachine, "SOFTWARE\\X", "v", kRegDword, 1))
      << "the key could not be created: that is the cause, not the missing key the write would meet";
  EXPECT_EQ(0u, registry.OpenHandles());
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

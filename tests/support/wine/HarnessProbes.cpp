// Tests that go wrong on purpose, each its own way, for the harness's own check
// (check_harness.sh): disabled, so that only that check runs them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "platform/win32/Win32Registry.h"
#include "support/TuningKeys.h"
#include "support/wine/Program.h"
#include "support/TcpIpKeys.h"

namespace tw::test {
namespace {

TEST(DISABLED_HarnessProbe, Fails) { EXPECT_EQ(1, 2) << "on purpose"; }

TEST(DISABLED_HarnessProbe, Crashes) { RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr); }

TEST(DISABLED_HarnessProbe, Aborts) { std::abort(); }

TEST(DISABLED_HarnessProbe, Hangs) { Sleep(INFINITE); }

// Dies with the TCP/IP parameters changed, its snapshot never restored, and
// the program it started still running.
TEST(DISABLED_HarnessProbe, CrashesWithTheTcpIpKeysChangedAndTidewaveRunning) {
  Program tidewave;
  ASSERT_TRUE(tidewave.Start(BesideTests("Tidewave.exe")));
  ASSERT_NE(nullptr, tidewave.WaitForMainWindow());
  Win32Registry registry;
  RegistrySnapshot snapshot(registry);
  KeepTuningKeys(snapshot, registry);
  RegKey key;
  ASSERT_EQ(kErrorSuccess, RegKey::Create(registry, kHkeyLocalMachine, kTcpipParametersKey, kKeyAllAccess, key));
  const std::uint8_t ttl[] = {201, 0, 0, 0};
  ASSERT_EQ(kErrorSuccess, registry.SetValueEx(key.get(), "DefaultTTL", kRegDword, ttl, sizeof ttl));
  RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
}

}  // namespace
}  // namespace tw::test

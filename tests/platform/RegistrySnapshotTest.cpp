// The snapshot's journal, which lets the next Wine test program put back what
// one that died had changed. Here a dead program is the journal copied away
// before its snapshot restored, and its changes made again.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>

#include "support/MemoryRegistry.h"
#include "support/RegistrySnapshot.h"

namespace tw::test {
namespace {

constexpr std::string_view kParameters = "SYSTEM\\Tcpip\\Parameters";

class SnapshotJournal : public ::testing::Test {
 protected:
  void SetUp() override {
    Set(kParameters, "DefaultTTL", kRegDword, {64, 0, 0, 0});
    Set(kParameters, "Hostname", kRegSz, {'w', 0});
    RegistrySnapshot::SetJournal(journal_);
  }
  void TearDown() override {
    RegistrySnapshot::SetJournal("");
    std::remove(journal_.c_str());
    std::remove(leftover_.c_str());
  }

  void Set(std::string_view path, std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data) {
    RegKey key;
    ASSERT_EQ(kErrorSuccess, RegKey::Create(registry_, kHkeyLocalMachine, path, kKeyAllAccess, key));
    ASSERT_EQ(kErrorSuccess, registry_.SetValueEx(key.get(), name, type, data.data(),
                                                  static_cast<std::uint32_t>(data.size())));
  }
  // Type and bytes of a value; nullopt when it or its key is missing.
  std::optional<std::pair<std::uint32_t, std::vector<std::uint8_t>>> Get(std::string_view path,
                                                                       std::string_view name) {
    RegKey key;
    if (RegKey::Open(registry_, kHkeyLocalMachine, path, kKeyRead, key) != kErrorSuccess) return std::nullopt;
    std::uint32_t type = 0;
    std::uint8_t data[64];
    std::uint32_t size = sizeof data;
    if (registry_.QueryValueEx(key.get(), name, &type, data, &size) != kErrorSuccess) return std::nullopt;
    return std::make_pair(type, std::vector<std::uint8_t>(data, data + size));
  }
  bool KeyExists(std::string_view path) {
    RegKey key;
    return RegKey::Open(registry_, kHkeyLocalMachine, path, kKeyRead, key) == kErrorSuccess;
  }
  // What the journal holds now, as a program dying at this point leaves it.
  void Die() {
    std::ifstream from(journal_, std::ios::binary);
    ASSERT_TRUE(from) << "no journal written";
    std::ofstream(leftover_, std::ios::binary) << from.rdbuf();
  }
  static bool FileExists(const std::string& path) { return std::ifstream(path).good(); }

  MemoryRegistry registry_;
  // CTest runs these tests side by side, each in its own process: one file each.
  const std::string name_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string journal_ = ::testing::TempDir() + "tidewave-snapshot-" + name_ + ".journal";
  const std::string leftover_ = ::testing::TempDir() + "tidewave-snapshot-leftover-" + name_ + ".journal";
};

TEST_F(SnapshotJournal, TheNextProgramPutsBackValuesTypesAndKeysADeadOneChanged) {
  const auto changeEverything = [&] {
    Set(kParameters, "DefaultTTL", kRegSz, {'1', '2', '8', 0});
    Set(kParameters, "MTU", kRegDword, {0xDC, 0x05, 0, 0});
    Set(std::string(kParameters) + "\\Interfaces\\{A}", "MTU", kRegDword, {1, 0, 0, 0});
    Set(kParameters, "Hostname", kRegSz, {});
  };
  {
    RegistrySnapshot snapshot(registry_);
    snapshot.Keep(kHkeyLocalMachine, std::string(kParameters), {"DefaultTTL", "MTU", "Hostname"});
    snapshot.Keep(kHkeyLocalMachine, std::string(kParameters) + "\\Interfaces\\{A}", {"MTU"});
    changeEverything();
    Die();
  }
  EXPECT_FALSE(FileExists(journal_)) << "a snapshot that restored leaves no journal";
  changeEverything();
  // A program that died while writing leaves half a line.
  std::ofstream(leftover_, std::ios::binary | std::ios::app) << "V 2147483650 1 4 53595354";

  EXPECT_EQ(4u, RegistrySnapshot::RestoreJournal(registry_, leftover_));
  EXPECT_EQ(std::make_pair(kRegDword, std::vector<std::uint8_t>{64, 0, 0, 0}), Get(kParameters, "DefaultTTL"));
  EXPECT_EQ(std::make_pair(kRegSz, std::vector<std::uint8_t>{'w', 0}), Get(kParameters, "Hostname"));
  EXPECT_EQ(std::nullopt, Get(kParameters, "MTU")) << "a value that was missing is missing again";
  EXPECT_FALSE(KeyExists(std::string(kParameters) + "\\Interfaces")) << "the first key that was missing goes";
  EXPECT_FALSE(FileExists(leftover_));
  EXPECT_EQ(0u, RegistrySnapshot::RestoreJournal(registry_, leftover_)) << "nothing left to put back";
}

TEST_F(SnapshotJournal, OfSnapshotsThatOverlapTheOldestHasTheLastWord) {
  RegistrySnapshot outer(registry_);
  outer.Keep(kHkeyLocalMachine, std::string(kParameters), {"DefaultTTL"});
  Set(kParameters, "DefaultTTL", kRegDword, {100, 0, 0, 0});
  {
    RegistrySnapshot inner(registry_);
    inner.Keep(kHkeyLocalMachine, std::string(kParameters), {"DefaultTTL"});
    Set(kParameters, "DefaultTTL", kRegDword, {200, 0, 0, 0});
    Die();
  }
  EXPECT_EQ(std::make_pair(kRegDword, std::vector<std::uint8_t>{100, 0, 0, 0}), Get(kParameters, "DefaultTTL"));
  EXPECT_TRUE(FileExists(journal_)) << "the outer snapshot still holds its value";
  EXPECT_EQ(2u, RegistrySnapshot::RestoreJournal(registry_, leftover_));
  EXPECT_EQ(std::make_pair(kRegDword, std::vector<std::uint8_t>{64, 0, 0, 0}), Get(kParameters, "DefaultTTL"));
  outer.Restore();
  EXPECT_FALSE(FileExists(journal_));
}

TEST_F(SnapshotJournal, WithoutAJournalNothingIsWritten) {
  RegistrySnapshot::SetJournal("");
  RegistrySnapshot snapshot(registry_);
  snapshot.Keep(kHkeyLocalMachine, std::string(kParameters), {"DefaultTTL"});
  EXPECT_FALSE(FileExists(journal_));
}

}  // namespace
}  // namespace tw::test

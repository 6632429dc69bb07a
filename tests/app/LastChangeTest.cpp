// The home view's line about the last change: what it says, and the record
// kept in the registry that brings it back after a restart.
#include "app/LastChange.h"

#include <gtest/gtest.h>

#include <cstring>

#include "settings/RegistrySettings.h"
#include "support/MemoryFileSystem.h"
#include "support/RegistryTest.h"

namespace tw::test {
namespace {

constexpr SystemTime kWhen{2026, 12, 0, 7, 13, 45, 3, 0};  // as kept: no day of the week

LastChange Applied() {
  return {LastChange::Kind::Applied, "Wizard Mode \"Automatic-C\"", kWhen, 20, 12, 0, "003.BCK"};
}

TEST(LastChangeText, SaysWhatWhenHowManyChangedAndHowToUndo) {
  EXPECT_EQ("Last change: Wizard Mode \"Automatic-C\" applied on 12/7/2026 at 1:45 PM.\r\n"
            "12 of 20 values changed. Undo: Backup, then 003.BCK, then Restore.",
            LastChangeText(Applied(), "12/7/2026", "1:45 PM"));
  LastChange restored{LastChange::Kind::Restored, "002.BCK", kWhen, 24, 10, 3, "004.BCK"};
  EXPECT_EQ("Last change: backup 002.BCK restored on 7.12.2026 at 13:45.\r\n10 of 24 values changed, 3 refused by "
            "Windows. Undo: Backup, then 004.BCK, then Restore.",
            LastChangeText(restored, "7.12.2026", "13:45"));
}

// Windows has read a change once it started after it, across a day's and a year's end.
TEST(LastChange, ReadAtTheNextStartOnlyUntilWindowsStartsAgain) {
  const SystemTime now{2027, 1, 0, 1, 0, 0, 30, 0};
  constexpr std::int64_t kOneMinute = 60;
  EXPECT_TRUE(ChangedSinceWindowsStarted(SystemTime{2026, 12, 0, 31, 23, 59, 31, 0}, now, kOneMinute));
  EXPECT_FALSE(ChangedSinceWindowsStarted(SystemTime{2026, 12, 0, 31, 23, 59, 28, 0}, now, kOneMinute));
  EXPECT_FALSE(ChangedSinceWindowsStarted(kWhen, now, 3 * kOneMinute));
  EXPECT_TRUE(ChangedSinceWindowsStarted(kWhen, kWhen, 0));

  // Up 60 days on the NT family: GetTickCount has wrapped to a minute, the
  // boot time has not. Without the report (the 9x family), the tick count.
  struct UpSixtyDays final : ISystemInformation {
    long NtQuerySystemInformation(std::uint32_t infoClass, std::span<std::uint8_t> buffer) override {
      const std::int64_t times[2] = {130'000'000'000'000'000, 130'000'000'000'000'000 + 60ll * 86400 * 10'000'000};
      if (reports && infoClass == kSystemTimeOfDayInformation) std::memcpy(buffer.data(), times, sizeof times);
      return reports ? 0 : static_cast<long>(0xC0000002);
    }
    bool reports = true;
  } system;
  EXPECT_EQ(60ll * 86400, WindowsUpSeconds(system, 60000));
  system.reports = false;
  EXPECT_EQ(60, WindowsUpSeconds(system, 60000));
}

// An apply that wrote nothing leaves the line about the change before it.
TEST(LastChange, NoneFromAnApplyThatWroteNothing) {
  ApplyResult result;
  result.backup.path = "C:\\Program Files\\Tidewave\\Backups\\007.BCK";
  result.outcome = ApplyOutcome::PartlyApplied;
  EXPECT_EQ("007.BCK", LastChangeOfApply(result, "x", kWhen)->undo);
  for (const ApplyOutcome nothing : {ApplyOutcome::RefusedWithoutBackup, ApplyOutcome::NothingToDo}) {
    result.outcome = nothing;
    EXPECT_EQ(std::nullopt, LastChangeOfApply(result, "x", kWhen));
  }
}

class LastChangeStore : public RegistryTest {
 protected:
  void Store(const std::string& text) { SaveSettingValue(registry(), SettingsPath(kHomeKey), kLastChangeValue, text); }
};

TEST_F(LastChangeStore, RoundTripsThroughTheSettingsKey) {
  EXPECT_EQ(std::nullopt, LoadLastChange(registry())) << "nothing applied yet";
  SaveLastChange(registry(), Applied());
  EXPECT_EQ(Applied(), LoadLastChange(registry()));
  EXPECT_EQ("Applied\t#2026-12-07#\t#13:45:03#\t20\t12\t0\t003.BCK\tWizard Mode \"Automatic-C\"",
            GetSettingValue(registry(), SettingsPath(kHomeKey), kLastChangeValue, "").Text());

  // A restored file may carry any name; a long one is shortened so the record
  // still fits what the settings reader takes, and one with a line break
  // cannot break the record.
  LastChange odd{LastChange::Kind::Restored, std::string(300, 'n') + ".BCK", {2024, 2, 0, 29, 0, 0, 0, 0},
                 1, 0, 1, "999.BCK"};
  SaveLastChange(registry(), odd);
  const auto back = LoadLastChange(registry());
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(120u, back->what.size());
  EXPECT_EQ("...", back->what.substr(117));
  EXPECT_EQ(odd.when, back->when) << "29 February of a leap year";
  odd.what = "a\r\nb.BCK";
  SaveLastChange(registry(), odd);
  EXPECT_EQ("a  b.BCK", LoadLastChange(registry())->what);
}

// Once the backup that undoes the last change is gone, deleted here or by
// hand, the line no longer offers it, after a restart too; and the backup
// manager can tell that file from the others before it deletes it.
TEST_F(LastChangeStore, TheLineOffersTheUndoOnlyWhileItsBackupIsThere) {
  MemoryFileSystem files;
  files.AddFolder("C:\\Tidewave");
  files.AddFolder("C:\\Tidewave\\Backups");
  EXPECT_FALSE(UndoKept(files, "C:\\Tidewave", Applied()));
  ASSERT_EQ(kErrorSuccess, files.WriteNewFile("C:\\Tidewave\\Backups\\003.BCK", "x"));
  EXPECT_TRUE(UndoKept(files, "C:\\Tidewave", Applied()));
  ASSERT_EQ(kErrorSuccess, files.RemoveFile("C:\\Tidewave\\Backups\\003.BCK"));
  EXPECT_FALSE(UndoKept(files, "C:\\Tidewave", Applied()));
  EXPECT_EQ("Last change: Wizard Mode \"Automatic-C\" applied on 12/7/2026 at 1:45 PM.\r\n"
            "12 of 20 values changed. Its backup 003.BCK is deleted: it cannot be undone.",
            LastChangeText(Applied(), "12/7/2026", "1:45 PM", false));

  EXPECT_FALSE(UndoesLastChange(registry(), "003.BCK")) << "no change recorded";
  SaveLastChange(registry(), Applied());
  EXPECT_TRUE(UndoesLastChange(registry(), "003.bck"));
  EXPECT_FALSE(UndoesLastChange(registry(), "002.BCK"));
}

TEST_F(LastChangeStore, ADamagedRecordShowsNoLine) {
  const std::string good = "Applied\t#2026-12-07#\t#13:45:03#\t20\t12\t0\t003.BCK\tWizard Mode";
  ASSERT_TRUE(ParseLastChangeRecord(good).has_value());
  const std::string stamp = "\t#2026-12-07#\t#13:45:03#\t";
  const std::vector<std::string> damagedRecords = {
           std::string(""),
           good + "\textra",
           "Undone" + good.substr(7),
           "Applied\t#2026-02-29#\t#13:45:03#\t20\t12\t0\t003.BCK\tWizard Mode",  // no such day
           "Applied" + stamp + "20\t21\t0\t003.BCK\tWizard Mode",  // more changed than written
           "Applied" + stamp + "-20\t12\t0\t003.BCK\tWizard Mode",
           "Applied" + stamp + "20\t12\t0\t\tWizard Mode",  // no backup named
           "Applied" + stamp + "20\t12\t0\t003.BCK\tWizard\rMode",
  };
  for (const std::string& damaged : damagedRecords) {
    EXPECT_EQ(std::nullopt, ParseLastChangeRecord(damaged)) << damaged;
    Store(damaged);
    EXPECT_EQ(std::nullopt, LoadLastChange(registry())) << damaged;
  }
  // A number where the text belongs: the reader gets its raw bytes.
  WriteRaw(SettingsPath(kHomeKey), kLastChangeValue, kRegDword, {1, 0, 0, 0});
  EXPECT_EQ(std::nullopt, LoadLastChange(registry()));
}

}  // namespace
}  // namespace tw::test

// tidewave-cli's arguments, and the exit code each outcome ends in, over the
// registry and disk in memory: what a script decides on must not drift.
#include "app/ConsoleCommands.h"

#include <gtest/gtest.h>

#include "app/LastChange.h"
#include "support/TcpIpKeys.h"
#include "tcpip/TcpIpLayout.h"
#include "support/TuningTestBed.h"

namespace tw::test {
namespace {

using cli::ParseArguments;

TEST(CommandLineArguments, OptionsAnywhereOperandsCountedAndEveryMistakeNamed) {
  const auto apply = ParseArguments({"--json", "apply", "Windows default"});
  EXPECT_EQ("", apply.error);
  EXPECT_EQ(cli::Command::Apply, apply.arguments.command);
  EXPECT_TRUE(apply.arguments.json);
  EXPECT_EQ("Windows default", apply.arguments.operand);
  const auto help = ParseArguments({"help", "restore"});
  EXPECT_TRUE(help.arguments.help);
  EXPECT_EQ(cli::Command::Restore, help.arguments.command);
  EXPECT_EQ("", ParseArguments({"show"}).error) << "show's preset is optional";

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {}, {"apply"}, {"restore"}, {"list", "x"}, {"apply", "Automatic-A", "Automatic-B"}, {"optimize"},
           {"list", "--force"}}) {
    EXPECT_NE("", ParseArguments(bad).error) << (bad.empty() ? "(nothing)" : bad[0]);
  }
}

class ConsoleCommandsTest : public ::testing::Test {
 protected:
  cli::Outcome Run(std::vector<std::string> args) { return cli::RunCommandLine(args, machine_); }
  std::string Backup(std::string_view name) { return bed_.files.Contents(std::string(kBackupsFolder) + "\\" + std::string(name)); }
  double Ttl() { return ReadCurrentValue(bed_.memory, kHkeyLocalMachine, kTcpipParametersKey, "DefaultTTL"); }

  TuningTestBed bed_{7};
  cli::Machine machine_{bed_.registry, bed_.files, bed_.clock, kProgramFolder, bed_.family};
};

TEST_F(ConsoleCommandsTest, ApplyBacksUpFirstAndRecordsTheLastChangeTheHomeViewShows) {
  bed_.SetDword(kHkeyLocalMachine, kTcpipParametersKey, "DefaultTTL", 32);
  // Year-old backups under the last numbers: the next one is 001.BCK, and newest.
  for (const char* old : {"998.BCK", "999.BCK"}) {
    bed_.files.AddFile(std::string(kBackupsFolder) + "\\" + old, "#2023-03-05#\r\n#15:51:09#\r\n7\r\n");
  }
  const cli::Outcome applied = Run({"apply", "Automatic-E"});
  EXPECT_EQ(cli::kExitDone, applied.exitCode) << applied.error;
  EXPECT_TRUE(applied.changed);
  EXPECT_NE(std::string::npos, applied.output.find("Backup 001.BCK")) << applied.output;
  EXPECT_NE(std::string::npos, Backup("001.BCK").find("\"DefaultTTL\"\r\n32\r\n"));
  EXPECT_EQ(64, Ttl());
  const auto change = LoadLastChange(bed_.memory);
  ASSERT_TRUE(change);
  EXPECT_EQ("Command line \"Automatic-E\"", change->what);
  EXPECT_EQ("001.BCK", change->undo);

  // Undone by restoring the newest backup, itself backed up first.
  const cli::Outcome restored = Run({"restore", "newest", "--json"});
  EXPECT_EQ(cli::kExitDone, restored.exitCode) << restored.error;
  EXPECT_EQ(32, Ttl());
  EXPECT_NE(std::string::npos, restored.output.find("\"restored\":\"001.BCK\",\"backup\":\"002.BCK\""))
      << restored.output;
  EXPECT_EQ(LastChange::Kind::Restored, LoadLastChange(bed_.memory)->kind);
  EXPECT_EQ(0, bed_.files.WritesOutsideChanges()) << "each backup is written under the change lock";

  // "Windows default" proposes no number of its own: this Windows decides each.
  const std::string shown = Run({"show", "Windows default"}).output;
  EXPECT_NE(std::string::npos, shown.find("32       Windows decides  *")) << shown;
}

TEST_F(ConsoleCommandsTest, EachFailureHasItsOwnCodeAndChangesNothing) {
  bed_.SetDword(kHkeyLocalMachine, kTcpipParametersKey, "DefaultTTL", 32);
  const auto expectFailure = [&](std::vector<std::string> args, int code) {
    const cli::Outcome outcome = Run(args);
    EXPECT_EQ(code, outcome.exitCode) << args[0] << ": " << outcome.error;
    EXPECT_NE("", outcome.error);
    EXPECT_EQ(std::string::npos, outcome.error.find('\n')) << "one line: " << outcome.error;
    EXPECT_FALSE(outcome.changed);
    EXPECT_EQ(32, Ttl());
  };
  expectFailure({"apply", "automatic-e"}, cli::kExitUnknownPreset);
  expectFailure({"restore", "..\\001.BCK"}, cli::kExitUsage);
  expectFailure({"restore", "newest"}, cli::kExitBackupUnusable);
  expectFailure({"restore", "005.BCK"}, cli::kExitBackupUnusable);
  bed_.files.AddFile(std::string(kBackupsFolder) + "\\007.BCK", "#2024-03-05#\r\n#15:51:09#\r\n3\r\n");
  expectFailure({"restore", "007"}, cli::kExitBackupUnusable);
  bed_.files.AddFile(std::string(kBackupsFolder) + "\\008.BCK", "#2024-03-05#\r\n#15:51:09#\r\n7\r\n\"Foo\"\r\n");
  expectFailure({"restore", "008.BCK"}, cli::kExitBackupUnusable);
  // Another change holds the lock past the wait: this one gives up, before choosing the newest too.
  bed_.files.HoldChangesElsewhere(true);
  expectFailure({"apply", "Automatic-E"}, cli::kExitFailed);
  expectFailure({"restore", "newest"}, cli::kExitFailed);
  bed_.files.HoldChangesElsewhere(false);
  bed_.files.DenyWrites(kBackupsFolder);
  expectFailure({"apply", "Automatic-E"}, cli::kExitNoBackup);
  bed_.memory.DenyWrites(kHkeyLocalMachine, kTcpipParametersKey);
  expectFailure({"apply", "Automatic-E"}, cli::kExitNotAdministrator);
  EXPECT_FALSE(LoadLastChange(bed_.memory));

  // Listed newest first, each with why it cannot be restored here.
  const std::string list = Run({"list"}).output;
  EXPECT_LT(list.find("008.BCK"), list.find("007.BCK"));
  EXPECT_NE(std::string::npos, list.find("no: taken on Windows 98")) << list;
  EXPECT_NE(std::string::npos, list.find("no: damaged at line 4")) << list;
}

TEST_F(ConsoleCommandsTest, ValuesWindowsRefusesAreNamedAndTheRestChange) {
  bed_.AddKey(InterfaceKey("{A}"));
  bed_.memory.DenyWrites(kHkeyLocalMachine, InterfaceKey("{A}"));
  const cli::Outcome outcome = Run({"apply", "Automatic-E", "--json"});
  EXPECT_EQ(cli::kExitRefused, outcome.exitCode);
  EXPECT_TRUE(outcome.changed);
  EXPECT_EQ(64, Ttl());
  EXPECT_NE(std::string::npos, outcome.error.find("Interfaces\\{A}\\MTU (Windows error 5")) << outcome.error;
  EXPECT_NE(std::string::npos, outcome.output.find("\"exitCode\":6")) << outcome.output;
  EXPECT_EQ(2, LoadLastChange(bed_.memory)->refused);
}

}  // namespace
}  // namespace tw::test

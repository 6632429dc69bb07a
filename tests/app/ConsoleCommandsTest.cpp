// tidewave-cli's arguments, and the exit code each outcome ends in, over the
// registry and disk in memory: what a script decides on must not drift.
#include "app/ConsoleCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>

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
  const auto named = ParseArguments({"apply", "--", "--help"});
  EXPECT_EQ("", named.error);
  EXPECT_FALSE(named.arguments.help) << "after --, no argument is an option";
  EXPECT_EQ("--help", named.arguments.operand);
  const auto helpOfHelp = ParseArguments({"help", "help"});
  EXPECT_EQ("", helpOfHelp.error);
  EXPECT_TRUE(helpOfHelp.arguments.help);
  EXPECT_EQ(cli::Command::Overview, helpOfHelp.arguments.command);

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {}, {"apply"}, {"restore"}, {"list", "x"}, {"apply", "Automatic-A", "Automatic-B"}, {"optimize"},
           {"list", "--force"}, {"help", "list", "extra"}, {"help", "help", "list"}, {"list", "--", "--json"}}) {
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
  // Opened, they hang (COM1, AUX), read as empty (NUL) or as the console.
  for (const char* device : {"COM1", "aux", "NUL.BCK", "con.txt", "CONIN$", "conout$", "LPT9 .BCK", "CLOCK$"}) {
    expectFailure({"restore", device}, cli::kExitUsage);
  }
  bed_.files.AddFile(std::string(kBackupsFolder) + "\\006.BCK", std::string(16u << 20, '#') + "#");
  expectFailure({"restore", "006"}, cli::kExitBackupUnusable);
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


// Whether `text` is one JSON value, its strings UTF-8, as a script's parser
// reads it (numbers only as loosely as the commands need).
bool ParsesAsJson(std::string_view text) {
  std::size_t at = 0;
  const auto next = [&] { return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u; };
  const auto blanks = [&] {
    while (std::isspace(static_cast<int>(next()))) ++at;
  };
  const auto take = [&](char c) { return blanks(), next() == static_cast<unsigned char>(c) ? (++at, true) : false; };
  const auto string = [&] {
    if (!take('"')) return false;
    for (unsigned c; (c = next()) != '"'; ++at) {
      if (c < 0x20) return false;  // the end, too
      if (c == '\\') ++at;
      // A lead byte, then as many 10xxxxxx bytes as it announces.
      for (int more = c < 0x80 ? 0 : c >= 0xC2 && c < 0xE0 ? 1 : c >= 0xE0 && c < 0xF0 ? 2 : c >= 0xF0 && c < 0xF5 ? 3 : -1;
           more != 0; --more) {
        ++at;
        if (more < 0 || (next() & 0xC0) != 0x80) return false;
      }
    }
    return ++at, true;
  };
  std::function<bool()> value = [&] {
    blanks();
    const bool object = take('{');
    if (object || take('[')) {
      if (take(object ? '}' : ']')) return true;
      do {
        if ((object && !(string() && take(':'))) || !value()) return false;
      } while (take(','));
      return take(object ? '}' : ']');
    }
    if (next() == '"') return string();
    const std::size_t start = at;
    while (std::isalnum(static_cast<int>(next())) || next() == '-' || next() == '.') ++at;
    const std::string_view word = text.substr(start, at - start);
    return word == "true" || word == "false" || word == "null" || (!word.empty() && std::isdigit(static_cast<int>(word.back())));
  };
  return value() && (blanks(), at == text.size());
}

// What Windows makes of code page 1252's letters these tests use.
std::string Latin1ToUtf8(std::string_view text) {
  std::string utf8;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    utf8 += byte < 0x80 ? std::string(1, c) : std::string{static_cast<char>(0xC0 | (byte >> 6)), static_cast<char>(0x80 | (byte & 0x3F))};
  }
  return utf8;
}

TEST_F(ConsoleCommandsTest, EveryCommandsJsonIsUtf8WithNumbersAndNullsAndItsTableLinesUpByCharacters) {
  machine_.systemTextToUtf8 = Latin1ToUtf8;
  const std::string refusing = "{Netz\xC4\xD6}", refusingUtf8 = "{Netz\xC3\x84\xC3\x96}";
  const std::string leaving = "{Gr\xFC\xDF}", leavingUtf8 = "{Gr\xC3\xBC\xC3\x9F}";
  bed_.SetDword(kHkeyLocalMachine, kTcpipParametersKey, "DefaultTTL", 32);
  bed_.AddKey(InterfaceKey(refusing));
  bed_.AddKey(InterfaceKey(leaving));
  const auto run = [&](std::vector<std::string> args) {
    args.push_back("--json");
    const cli::Outcome outcome = Run(args);
    EXPECT_TRUE(ParsesAsJson(outcome.output)) << args[0] << ": " << outcome.output;
    return outcome.output;
  };

  const std::string shown = run({"show", "Automatic-E"});
  EXPECT_NE(std::string::npos, shown.find("{\"name\":\"TTL\",\"now\":32,\"preset\":64,")) << shown;
  EXPECT_NE(std::string::npos, shown.find("{\"name\":\"RWIN\",\"now\":null,")) << shown;
  EXPECT_NE(std::string::npos, shown.find("{\"name\":\"ICMP\",\"now\":null,\"preset\":false,")) << shown;

  bed_.memory.DenyWrites(kHkeyLocalMachine, InterfaceKey(refusing));
  const std::string applied = run({"apply", "Automatic-E"});
  EXPECT_NE(std::string::npos, applied.find("Interfaces\\\\" + refusingUtf8 + "\\\\MTU")) << applied;

  // An adapter gone: its section of the backup is left out.
  RegKey interfaces;
  RegKey::Open(bed_.memory, kHkeyLocalMachine, kInterfacesKey, kKeyAllAccess, interfaces);
  ASSERT_EQ(kErrorSuccess, bed_.memory.DeleteKey(interfaces.get(), leaving));
  const std::string restored = run({"restore", "001.BCK"});
  EXPECT_NE(std::string::npos, restored.find("\"skippedAdapters\":[\"" + leavingUtf8 + "\"]")) << restored;

  bed_.files.AddFile(std::string(kBackupsFolder) + "\\\xC3\x84.BCK", "#2024-03-05#\r\n#15:51:09#\r\n7\r\n\"\xC4\"\r\n");
  const std::string listed = run({"list"});
  EXPECT_NE(std::string::npos, listed.find("{\"file\":\"\xC3\x84.BCK\"")) << listed;

  const std::string table = Run({"list"}).output;
  const auto dateColumn = [&](std::string_view file) {  // in characters: UTF-8 bytes but the 10xxxxxx ones
    const std::size_t line = table.find(file);
    const std::string before = table.substr(line, table.find("2024-03-05", line) - line);
    return std::count_if(before.begin(), before.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
  };
  EXPECT_EQ(dateColumn("001.BCK"), dateColumn("\xC3\x84.BCK")) << table;
}

}  // namespace
}  // namespace tw::test

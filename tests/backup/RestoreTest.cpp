// Restoring a backup: a sound file puts back exactly what it recorded (and
// removes what a 0 stands for), a damaged or foreign one changes nothing; and
// the compare rules the backup list sorts by.
#include "backup/Restore.h"

#include <gtest/gtest.h>

#include <map>

#include "backup/BackupFile.h"
#include "backup/BackupManager.h"
#include "support/TcpIpKeys.h"
#include "support/TuningTestBed.h"
#include "tcpip/TcpIpLayout.h"

namespace tw::test {
namespace {

std::string Entry(RegHandle hive, std::string_view key, std::string_view name) {
  return std::string(hive == kHkeyCurrentUser ? "HKCU\\" : "HKLM\\") + std::string(key) + "\\" + std::string(name);
}

// Every value of the family's layout, raw: "type:bytes", or "missing".
std::map<std::string, std::string> TuningState(IRegistry& registry, const OsFamilyInfo& os) {
  std::map<std::string, std::string> state;
  const TcpIpLayout& layout = *LayoutFor(os);
  const std::vector<std::string> adapters = AdaptersOf(registry, layout).tuned;
  for (const TcpIpValue& value : layout.values) {
    const std::vector<std::string> names = value.section == Section::Adapter ? adapters : std::vector<std::string>{""};
    for (const std::string& adapter : names) {
      const std::string key = KeyFor(value, adapter);
      std::string& entry = state[Entry(value.hive, key, value.name)];
      entry = "missing";
      RegKey open;
      if (RegKey::Open(registry, value.hive, key, kKeyRead, open) != kErrorSuccess) continue;
      std::uint32_t type = 0, size = 64;
      std::uint8_t data[64] = {};
      if (registry.QueryValueEx(open.get(), value.name, &type, data, &size) != kErrorSuccess) continue;
      entry = std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), size);
    }
  }
  return state;
}

TEST(Restore, NtBackupOfTheStateAfterOneApplyPutsItBackAfterAnother) {
  TuningTestBed bed(7);
  bed.AddKey(InterfaceKey("{A}"));
  bed.AddKey(InterfaceKey("{B}"));
  bed.SetDword(kHkeyLocalMachine, InterfaceKey("{B}"), "MTU", 1500);
  bed.SetDword(kHkeyLocalMachine, kTcpipParametersKey, "EnablePMTUBHDetect", 0);  // a stored 0 stays a 0
  bed.SetDword(kHkeyLocalMachine, kTcpipParametersKey, "TcpWindowSize", 0xFFFFFFFFu);  // every bit set
  const auto untouched = TuningState(bed.memory, bed.family);
  bed.tuning.CurrentSettings = bed.tuning.PresetSettings[0];
  ASSERT_EQ(ApplyOutcome::Applied, bed.Apply().outcome);
  const auto afterA = TuningState(bed.memory, bed.family);
  bed.tuning.CurrentSettings = bed.tuning.PresetSettings[2];  // removes MTU, MSS and the window
  ASSERT_EQ(ApplyOutcome::Applied, bed.Apply().outcome);
  ASSERT_NE(afterA, TuningState(bed.memory, bed.family));

  const RestorePlan plan = PlanRestore(bed.files.Contents(std::string(kBackupsFolder) + "\\002.BCK"), bed.family);
  ASSERT_EQ(RestoreProblem::None, plan.problem) << plan.line << ": " << plan.reason;
  ASSERT_EQ(16u + 2 * 2 * 2, plan.writes.size()) << "13 stack, 2 browser, 1 cache, 2 sections of 2 per interface";
  EXPECT_EQ((RestoreWrite{kHkeyLocalMachine, std::string(kTcpipParametersKey), "DefaultReceiveWindow", 8192, false}),
            plan.writes[3]) << "what the first apply wrote, recorded as it was";
  EXPECT_EQ(kHkeyCurrentUser, plan.writes[13].hive);
  EXPECT_EQ("MaxConnectionsPer1_0Server", plan.writes[13].name);
  const RestoreWritten written = WriteRestore(bed.memory, plan);
  EXPECT_TRUE(written.refusals.empty());
  EXPECT_EQ(10, written.changed) << "MTU and MSS under 2 keys of 2 interfaces, and 2 window values, come back";
  EXPECT_EQ(0, WriteRestore(bed.memory, plan).changed) << "restored twice, the second changes nothing";

  EXPECT_EQ(afterA, TuningState(bed.memory, bed.family));

  // And the first backup puts back the registry as it was before any apply:
  // every bit set as the DWORD it was, a stored 0 as 0, and every value that
  // was missing (path-MTU discovery, ICMP redirects, SYN protection, and the
  // four every apply sets to a constant: Windows' defaults) missing again.
  const RestorePlan first = PlanRestore(bed.files.Contents(std::string(kBackupsFolder) + "\\001.BCK"), bed.family);
  ASSERT_EQ(RestoreProblem::None, first.problem);
  bed.SetDword(kHkeyLocalMachine, InterfaceServiceKey("{B}"), "SomeoneElses", 1);
  const RestoreWritten undone = WriteRestore(bed.memory, first);
  EXPECT_TRUE(undone.refusals.empty());
  // The keys the first apply made are gone again, where they hold nothing
  // else: {A}'s service key with the two below it, the VxD branch of the
  // cache's key and the browser's two; {B}'s holds another value now, and stays.
  EXPECT_EQ(3 + 5 + 2, undone.keysRemoved);
  for (const char* key : {"SYSTEM\\CurrentControlSet\\Services\\{A}", "System\\CurrentControlSet\\Services\\VxD"}) {
    RegKey gone;
    EXPECT_EQ(kErrorFileNotFound, RegKey::Open(bed.memory, kHkeyLocalMachine, key, kKeyRead, gone)) << key;
  }
  for (const std::string& key : {InterfaceKey("{A}"), InterfaceServiceKey("{B}")}) {
    RegKey kept;
    EXPECT_EQ(kErrorSuccess, RegKey::Open(bed.memory, kHkeyLocalMachine, key, kKeyRead, kept)) << key;
  }
  const auto restored = TuningState(bed.memory, bed.family);
  EXPECT_EQ("4:\xFF\xFF\xFF\xFF", restored.at(Entry(kHkeyLocalMachine, kTcpipParametersLowerKey, "TcpWindowSize")));
  EXPECT_EQ(std::string("4:") + std::string(4, '\0'),
            restored.at(Entry(kHkeyLocalMachine, kTcpipParametersLowerKey, "EnablePMTUBHDetect")));
  EXPECT_EQ("missing", restored.at(Entry(kHkeyLocalMachine, kTcpipParametersLowerKey, "EnablePMTUDiscovery")));
  EXPECT_EQ(untouched, restored);
}

TEST(Restore, Win9xRestoresTextsAndEveryBitSetAndRemovesWhatARecordedZeroStandsFor) {
  TuningTestBed bed(3);
  bed.AddKey(NetTransAdapterKey("0000"));
  bed.SetText(kHkeyLocalMachine, kMstcpKey, "DefaultTTL", "4294967295");
  bed.SetText(kHkeyLocalMachine, kMstcpKey, "PMTUDiscovery", "0");
  const std::string before = BackupContents(bed.memory, bed.family, kBackupTime);
  const auto untouched = TuningState(bed.memory, bed.family);
  ASSERT_EQ(ApplyOutcome::Applied, bed.Apply().outcome);

  const RestorePlan plan = PlanRestore(before, bed.family);
  ASSERT_EQ(RestoreProblem::None, plan.problem) << plan.line << ": " << plan.reason;
  EXPECT_EQ(10u + 2 + 1 + 2, plan.writes.size());
  EXPECT_TRUE(WriteRestore(bed.memory, plan).refusals.empty());

  const auto restored = TuningState(bed.memory, bed.family);
  EXPECT_EQ(std::string("1:4294967295") + '\0', restored.at(Entry(kHkeyLocalMachine, kMstcpKey, "DefaultTTL")));
  EXPECT_EQ("missing", restored.at(Entry(kHkeyLocalMachine, NetTransAdapterKey("0000"), "MaxMTU")))
      << "missing before the backup, so missing again";
  EXPECT_EQ("missing", restored.at(Entry(kHkeyCurrentUser, kInternetSettings9xKey, "MaxConnectionsPerServer")));
  EXPECT_EQ(std::string("1:0") + '\0', restored.at(Entry(kHkeyLocalMachine, kMstcpKey, "PMTUDiscovery")))
      << "a switch's 0 is a setting: written";
  EXPECT_EQ("missing", restored.at(Entry(kHkeyLocalMachine, kMstcpKey, "PMTUBlackHoleDetect")))
      << "a switch that was missing is missing again";
  EXPECT_EQ(untouched, restored) << "the constants the apply sets too";

  // A file from before missing values were marked restores as it always did:
  // a recorded 0 is written where 0 is a setting, removed where it is none;
  // and one from before the constants were read writes the constant it holds.
  std::string old = before;
  for (std::size_t at; (at = old.find("\r\n-0")) != std::string::npos;) {
    old.replace(at, old.find("\r\n", at + 2) - at, "\r\n0");
  }
  old.replace(old.find("\"SackOpts\"\r\n0"), 14, "\"SackOpts\"\r\n1");
  const RestorePlan oldPlan = PlanRestore(old, bed.family);
  ASSERT_EQ(RestoreProblem::None, oldPlan.problem);
  EXPECT_EQ((RestoreWrite{kHkeyLocalMachine, std::string(kMstcpKey), "SackOpts", 1, false}), oldPlan.writes[0]);
  for (const RestoreWrite& write : oldPlan.writes) {
    const bool setting = write.name == "PMTUBlackHoleDetect" || write.name.empty();
    EXPECT_TRUE(write.name == "MaxMTU" ? write.remove : !setting || !write.remove) << write.name;
  }
}

// A sound NT file with one interface, as lines, for damaging.
std::vector<std::string> SoundNtLines() {
  TuningTestBed bed(7);
  bed.AddKey(InterfaceKey("{A}"));
  return LinesOf(BackupContents(bed.memory, bed.family, kBackupTime));
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The sections of the one interface {A} of SoundNtLines, for an adapter named `as`.
std::vector<std::string> AdapterAs(const std::vector<std::string>& sound, std::string_view as) {
  std::vector<std::string> adapter(sound.begin() + 38, sound.begin() + 48);
  for (std::string& line : adapter) {
    if (const std::size_t at = line.find("{A}"); at != std::string::npos) line.replace(at, 3, as);
  }
  return adapter;
}

std::vector<std::string> Twice(std::vector<std::string> sound, std::string_view as) {
  const std::vector<std::string> again = AdapterAs(sound, as);
  sound.insert(sound.end(), again.begin(), again.end());
  return sound;
}

TEST(Restore, ADamagedFilePlansNoWriteAndNamesItsLine) {
  const std::vector<std::string> sound = SoundNtLines();  // 3 + 27 + 5 + 3 + 2 * 5 = 48 lines
  ASSERT_EQ(48u, sound.size());
  ASSERT_EQ(RestoreProblem::None, PlanRestore(Joined(sound), FamilyOf(7)).problem);
  // The file may end between adapter sections, and a bare LF is read as a line end.
  ASSERT_EQ(RestoreProblem::None,
            PlanRestore(Joined({sound.begin(), sound.begin() + 38}), FamilyOf(7)).problem);
  std::string bareLf;
  for (const std::string& line : sound) bareLf += line + "\n";
  ASSERT_EQ(20u, PlanRestore(bareLf, FamilyOf(7)).writes.size());
  // An editor's save may add a byte-order mark and empty lines at the end.
  EXPECT_EQ(20u, PlanRestore("\xEF\xBB\xBF" + Joined(sound) + "\r\n\r\n", FamilyOf(7)).writes.size());
  EXPECT_EQ(20u, PlanRestore(bareLf + "\n", FamilyOf(7)).writes.size());
  EXPECT_TRUE(ReadBackupStamp("\xEF\xBB\xBF" + Joined(sound)).has_value());

  struct Case {
    const char* what;
    std::vector<std::string> lines;
    int line;
    const char* reason;
  };
  auto with = [&](std::size_t at, std::string text) {
    std::vector<std::string> lines = sound;
    lines[at] = std::move(text);
    return lines;
  };
  const Case cases[] = {
      {"a text for a number", with(13, "\"128\""), 14, "a whole number was expected"},
      {"a fraction", with(13, "1.5"), 14, "a whole number was expected"},
      {"past 32 bits", with(13, "4294967296"), 14, "the number does not fit in 32 bits"},
      {"far past 32 bits", with(13, "99999999999999999999999"), 14, "the number does not fit in 32 bits"},
      {"below 32 bits", with(13, "-2147483649"), 14, "the number does not fit in 32 bits"},
      {"another value name", with(12, "\"DefaultTTl2\""), 13, "the value name \"DefaultTTL\" was expected"},
      {"another key", with(30, "\"Software\\Other\""), 31,
       "the key \"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\" was expected"},
      {"a key with no adapter", with(38, "\"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\\""), 39,
       "the key \"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\<adapter>\" was expected"},
      // Cut at the NUL, the service key line would name "Services\EvilSvc" itself.
      {"a NUL in an adapter's name",
       with(43, std::string("\"SYSTEM\\CurrentControlSet\\Services\\EvilSvc") + '\0' + "\\Parameters\\Tcpip\""), 44,
       "an adapter's key name without control characters was expected"},
      {"a name Windows cannot hold",
       with(38, "\"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + std::string(256, 'x') + "\""), 39,
       "an adapter's key name of at most 255 characters was expected, as Windows takes no longer one"},
      {"no date", with(0, "2024-03-05"), 1, "a date such as #2024-03-05# was expected"},
      {"no such day", with(0, "#2023-02-29#"), 1, "a date such as #2024-03-05# was expected"},
      {"no time", with(1, "#25:00:00#"), 2, "a time such as #15:51:09# was expected"},
      {"ends inside the stack", {sound.begin(), sound.begin() + 20}, 20, "the file ends inside a section"},
      {"ends inside an adapter", {sound.begin(), sound.begin() + 41}, 41, "the file ends inside a section"},
      {"ends before the cache", {sound.begin(), sound.begin() + 35}, 35, "the file ends inside a section"},
      {"an empty line inside", with(20, ""), 21, "the value name \"EnablePMTUDiscovery\" was expected"},
      // The two keys of one adapter must name the same adapter.
      {"an adapter pair that disagrees",
       with(43, "\"SYSTEM\\CurrentControlSet\\Services\\{B}\\Parameters\\Tcpip\""), 44,
       "the key \"SYSTEM\\CurrentControlSet\\Services\\{A}\\Parameters\\Tcpip\" was expected"},
      {"an adapter recorded twice", Twice(Twice(sound, "{B}"), "{a}"), 59,
       "the key of an adapter not recorded above was expected (line 39 records this one)"},
      {"an adapter recorded twice, then another", Twice(Twice(Twice(sound, "{B}"), "{B}"), "{A}"), 59,
       "the key of an adapter not recorded above was expected (line 49 records this one)"},
  };
  for (const Case& c : cases) {
    const RestorePlan plan = PlanRestore(Joined(c.lines), FamilyOf(7));
    EXPECT_EQ(RestoreProblem::Damaged, plan.problem) << c.what;
    EXPECT_EQ(c.line, plan.line) << c.what;
    EXPECT_EQ(c.reason, plan.reason) << c.what;
    EXPECT_TRUE(plan.writes.empty()) << c.what;
  }
  const RestorePlan plan = PlanRestore(Joined(with(13, "x")), FamilyOf(7));
  EXPECT_EQ("The backup file \"004.BCK\" is damaged at line 14: a whole number was expected.\r\n\r\n"
            "Nothing has been restored from it.",
            RestoreProblemMessage(plan, "004.BCK"));
  EXPECT_EQ(1, PlanRestore("", FamilyOf(7)).line) << "an empty file lacks its first line";
  EXPECT_EQ(3, PlanRestore("#2024-03-05#\r\n#15:51:09#\r\n", FamilyOf(7)).line);
  EXPECT_EQ(RestoreProblem::TooLarge, PlanRestore(std::string(kLargestBackupBytes + 1, '\n'), FamilyOf(7)).problem);
  EXPECT_EQ(RestoreProblem::Damaged, PlanRestore("MZ\x90\0binary", FamilyOf(7)).problem);
}

// A file may name any adapters; a restore, like an apply, touches only the
// adapters this computer has, and creates no key for the others. A crafted
// file may name as many as the largest file the reader takes holds: each is
// named once, in one pass (a search of those left out at every write made
// this take minutes).
TEST(Restore, AdaptersThisComputerDoesNotHaveAreLeftOutAndNamed) {
  const std::vector<std::string> sound = SoundNtLines();  // one interface, {A}
  std::vector<std::string> lines = sound;
  for (const std::string id : {"EvilSvc", "Phantom1", "Phantom2"}) lines = Twice(std::move(lines), id);
  const std::string named = Joined(lines);
  std::string contents = named;
  std::size_t extra = 0;
  for (;; ++extra) {
    const std::string section = Joined(AdapterAs(sound, "P" + std::to_string(extra)));
    if (contents.size() + section.size() > kLargestBackupBytes) break;
    contents += section;
  }
  ASSERT_GT(extra, 80000u);

  TuningTestBed bed(7);
  bed.AddKey(InterfaceKey("{A}"));
  const RestorePlan plan = PlanRestore(contents, bed.family);
  ASSERT_EQ(RestoreProblem::None, plan.problem) << plan.line << ": " << plan.reason;
  const RestoreWritten written = WriteRestore(bed.memory, plan);

  EXPECT_EQ(16 + 2 * 2, written.writes);
  ASSERT_EQ(3 + extra, written.skippedAdapters.size());
  EXPECT_EQ((std::vector<std::string>{"EvilSvc", "Phantom1", "Phantom2", "P0"}),
            std::vector<std::string>(written.skippedAdapters.begin(), written.skippedAdapters.begin() + 4));
  EXPECT_EQ("P" + std::to_string(extra - 1), written.skippedAdapters.back());
  RegKey key;
  EXPECT_EQ(kErrorFileNotFound,
            RegKey::Open(bed.memory, kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\EvilSvc", kKeyRead, key));
  const std::string message = RestoreWrittenMessage(WriteRestore(bed.memory, PlanRestore(named, bed.family)));
  EXPECT_EQ("The backup holds the values of 3 network adapters this computer does not have; Tidewave left them "
            "out, as it tunes only the adapters there are:\r\n    EvilSvc\r\n    Phantom1\r\n    Phantom2",
            message);
}

TEST(Restore, AFileOfTheOtherFamilyPlansNoWrite) {
  TuningTestBed nine(3);
  const std::string from9x = BackupContents(nine.memory, nine.family, kBackupTime);
  const std::string fromNt = Joined(SoundNtLines());
  for (const auto& [contents, os] : {std::pair{from9x, FamilyOf(7)}, std::pair{fromNt, FamilyOf(3)},
                                     std::pair{fromNt, FamilyOf(6)}, std::pair{from9x, FamilyOf(1)}}) {
    const RestorePlan plan = PlanRestore(contents, os);
    EXPECT_EQ(RestoreProblem::OtherFamily, plan.problem) << os.code;
    EXPECT_TRUE(plan.writes.empty());
    EXPECT_EQ("This backup file was taken from another operating system!!", RestoreProblemMessage(plan, "x.BCK"));
  }
  EXPECT_EQ(RestoreProblem::NoLayout, PlanRestore(fromNt, FamilyOf(8)).problem);
  // A newer NT system records family 1 and restores its own files with the NT layout.
  EXPECT_EQ(RestoreProblem::None,
            PlanRestore("#2024-03-05#\r\n#15:51:09#\r\n1" + fromNt.substr(fromNt.find("\r\n\"")),
                        OsFamilyInfo{1, "Windows 32", true}).problem);
}

TEST(BackupStamp, FirstTwoLinesOrNothing) {
  const auto stamp = ReadBackupStamp("#2024-03-05#\r\n#15:51:09#\r\n7\r\n");
  ASSERT_TRUE(stamp.has_value());
  EXPECT_EQ(2024 * 10000 + 305, stamp->taken.year * 10000 + stamp->taken.month * 100 + stamp->taken.day);
  EXPECT_EQ(155109, stamp->taken.hour * 10000 + stamp->taken.minute * 100 + stamp->taken.second);
  for (const char* other : {"", "#2024-03-05#\r\n", "#15:51:09#\r\n#2024-03-05#\r\n", "some other file\r\n"}) {
    EXPECT_FALSE(ReadBackupStamp(other)) << other;
  }
}

TEST(CompareBackupItems, DatesAndTimesCompareAsDatesInTheSystemsOrder) {
  const DateFormat mdy;  // M/d/yyyy, h:mm:ss AM/PM
  EXPECT_EQ(1, CompareCells("2/1/2024", "12/31/2023", SortType::Date, 0, mdy));
  EXPECT_EQ(1, CompareCells("10/1/2023", "9/30/2023", SortType::Date, 0, mdy));
  EXPECT_EQ(-1, CompareCells("10/1/2023", "9/30/2023", SortType::Text, 0, mdy)) << "as text it is the other way";
  EXPECT_EQ(1, CompareCells("3:51:09 PM", "11:59:59 AM", SortType::Date, 0, mdy));
  EXPECT_EQ(-1, CompareCells("12:00:01 AM", "1:00:00 AM", SortType::Date, 0, mdy)) << "12 AM is midnight";
  EXPECT_EQ(0, CompareCells("02/01/2024", "2/1/24", SortType::Date, 0, mdy));
  EXPECT_EQ(1, CompareCells("2/1/2024 0:00:01", "2/1/2024", SortType::Date, 0, mdy));

  DateFormat dmy{DateFormat::Order::DayMonthYear, "", ""};
  EXPECT_EQ(1, CompareCells("01.02.2024", "31.12.2023", SortType::Date, 0, dmy));
  EXPECT_EQ(1, CompareCells("15:51:09", "9:00:00", SortType::Date, 0, dmy));
  DateFormat ymd{DateFormat::Order::YearMonthDay, "", ""};
  EXPECT_EQ(1, CompareCells("2023-12-31", "2024-02-01", SortType::Date, 1, ymd)) << "descending";

  // A row's stamp gives the key its cells' texts give; on the date column,
  // with its time, so one day's backups sort in the order they were taken.
  const BackupStamp stamp{{2024, 2, 0, 1, 15, 51, 9, 0}};
  EXPECT_EQ(0, CompareSortKeys(StampKey(stamp, false), MakeSortKey("2/1/2024 3:51:09 PM", SortType::Date, mdy), 0));
  const BackupStamp morning{{2024, 2, 0, 1, 9, 0, 0, 0}};
  EXPECT_EQ(-1, CompareSortKeys(StampKey(morning, false), StampKey(stamp, false), 0));
  EXPECT_EQ(1, CompareSortKeys(StampKey(morning, false), StampKey(stamp, false), 1));
  EXPECT_EQ(0, CompareSortKeys(StampKey(stamp, true), MakeSortKey("3:51:09 PM", SortType::Date, mdy), 0));
  EXPECT_EQ(0, CompareSortKeys(StampKey(std::nullopt, true), MakeSortKey("", SortType::Date, mdy), 0));

  // Unconvertible texts sort lowest, and equal among themselves.
  for (const char* bad : {"", "2/30/2024", "13/1/2024", "Feb 1, 2024", "25:00:00", "1/2", "x"}) {
    EXPECT_EQ(-1, CompareCells(bad, "1/1/1900", SortType::Date, 0, mdy)) << bad;
    EXPECT_EQ(1, CompareCells(bad, "1/1/1900", SortType::Date, 1, mdy)) << bad;
    EXPECT_EQ(0, CompareCells(bad, "nothing", SortType::Date, 0, mdy)) << bad;
  }
}

TEST(CompareBackupItems, NumbersTextsAndTheThirtyOneCharacterCut) {
  const DateFormat format;
  EXPECT_EQ(1, CompareCells("10", "9", SortType::Whole, 0, format));
  EXPECT_EQ(-1, CompareCells("10", "9", SortType::Text, 0, format));
  EXPECT_EQ(-1, CompareCells("-5", "3", SortType::Whole, 0, format));
  EXPECT_EQ(-1, CompareCells("2147483648", "0", SortType::Whole, 0, format)) << "past 32 bits: unconvertible";
  EXPECT_EQ(-1, CompareCells("1.5e3", "1501", SortType::Real, 0, format));
  EXPECT_EQ(-1, CompareCells("abc", "-1e300", SortType::Real, 0, format));
  EXPECT_EQ(1, CompareCells("b", "a", SortType::Text, 0, format));
  EXPECT_EQ(-1, CompareCells("b", "a", SortType::Text, 1, format));

  const std::string thirtyOne(31, '7');
  EXPECT_EQ(0, CompareCells(thirtyOne + "1", thirtyOne + "2", SortType::Text, 0, format));
  EXPECT_EQ(-1, CompareCells(thirtyOne.substr(1) + "1", thirtyOne.substr(1) + "2", SortType::Text, 0, format));
  EXPECT_EQ(0, CompareCells("1/1/2024" + std::string(23, ' ') + "x", "1/1/2024", SortType::Date, 0, format))
      << "what lies past the cut is not read";
}

}  // namespace
}  // namespace tw::test

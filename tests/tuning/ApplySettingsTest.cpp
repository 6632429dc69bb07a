// The exact writes an apply makes on each family, and how it behaves when the
// backup or the registry says no.
#include "tuning/ApplySettings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "backup/BackupFile.h"
#include "support/TuningTestBed.h"
#include "support/TcpIpKeys.h"
#include "tcpip/TcpIpLayout.h"

namespace tw::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kNtParams = "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const std::string kNtParamsLower = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\tcpip\\parameters";
const std::string kNtBrowser = "HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kMstcp = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const std::string k9xBrowser = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kNdi = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";

std::string Dword(const std::string& key, const std::string& name, std::uint32_t value) {
  return "Set " + key + " [" + name + "] dword " + std::to_string(value) + " -> 0";
}
std::string Sz(const std::string& key, const std::string& name, const std::string& text) {
  return "Set " + key + " [" + name + "] sz \"" + text + "\\0\" -> 0";
}
std::string Delete(const std::string& key, const std::string& name, long status = kErrorFileNotFound) {
  return "Delete " + key + " [" + name + "] -> " + std::to_string(status);
}
std::string InterfaceOf(const std::string& id) { return "HKLM\\" + InterfaceKey(id); }
std::string ServiceOf(const std::string& id) { return "HKLM\\" + InterfaceServiceKey(id); }
std::string NetTransOf(const std::string& id) { return "HKLM\\" + NetTransAdapterKey(id); }

// "Automatic-A" on NT: the four constants first, then the set, per-interface
// writes, and the cache size last.
Lines NtAutomaticA(const std::vector<std::string>& interfaces) {
  Lines lines = {
      Dword(kNtParams, "SackOpts", 1),
      Dword(kNtParams, "Tcp1323Opts", 1),
      Dword(kNtParams, "TcpMaxDupAcks", 2),
      Dword(kNtParams, "DefaultReceiveWindow", 8192),
      Dword(kNtParamsLower, "DefaultTTL", 128),
      Dword(kNtParamsLower, "GlobalMaxTcpWindowSize", 4288),
      Dword(kNtParamsLower, "TcpWindowSize", 4288),
      Dword(kNtParamsLower, "EnablePMTUBHDetect", 0),
      Dword(kNtParamsLower, "EnablePMTUDiscovery", 1),
      Dword(kNtParamsLower, "KeepAliveTime", 600000),
      Dword(kNtParamsLower, "KeepAliveInterval", 1000),
      Dword(kNtParamsLower, "SYNAttackProtect", 2),
      Dword(kNtParamsLower, "EnableICMPRedirects", 0),
      Dword(kNtBrowser, "MaxConnectionsPer1_0Server", 16),
      Dword(kNtBrowser, "MaxConnectionsPerServer", 8),
  };
  for (const std::string& id : interfaces) {
    lines.push_back(Dword(InterfaceOf(id), "MTU", 576));
    lines.push_back(Dword(ServiceOf(id), "MTU", 576));
    lines.push_back(Dword(InterfaceOf(id), "MSS", 536));
    lines.push_back(Dword(ServiceOf(id), "MSS", 536));
  }
  lines.push_back(Dword(kNdi, "", 0));
  return lines;
}

// "Automatic-A" on 9x: texts, no SYN or ICMP, adapters last.
Lines Win9xAutomaticA(const std::vector<std::string>& adapters) {
  Lines lines = {
      Sz(kMstcp, "SackOpts", "1"),
      Sz(kMstcp, "Tcp1323Opts", "1"),
      Sz(kMstcp, "DefaultTTL", "128"),
      Sz(kMstcp, "DefaultRcvWindow", "4288"),
      Sz(kMstcp, "GlobalMaxTcpWindowSize", "4288"),
      Sz(kMstcp, "PMTUBlackHoleDetect", "0"),
      Sz(kMstcp, "PMTUDiscovery", "1"),
      Sz(kMstcp, "KeepAliveTime", "600000"),
      Sz(kMstcp, "KeepAliveInterval", "1000"),
      Sz(k9xBrowser, "MaxConnectionsPer1_0Server", "16"),
      Sz(k9xBrowser, "MaxConnectionsPerServer", "8"),
      Sz(kNdi, "", "0"),
  };
  for (const std::string& id : adapters) {
    lines.push_back(Sz(NetTransOf(id), "MaxMTU", "576"));
    lines.push_back(Sz(NetTransOf(id), "MaxMSS", "536"));
  }
  return lines;
}

// Where the first and the last recorded call starting with `prefix` are.
std::size_t FirstCall(const RecordingRegistry& registry, std::string_view prefix) {
  const auto& calls = registry.Calls();
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].rfind(prefix, 0) == 0) return i;
  }
  return calls.size();
}
std::size_t LastCall(const RecordingRegistry& registry, std::string_view prefix) {
  const auto& calls = registry.Calls();
  for (std::size_t i = calls.size(); i > 0; --i) {
    if (calls[i - 1].rfind(prefix, 0) == 0) return i - 1;
  }
  return 0;
}

TEST(ApplySettings, NtWritesEveryValueInOrderWithFourWritesPerInterface) {
  for (const std::vector<std::string>& interfaces :
       {std::vector<std::string>{}, {"{6B0A}"}, {"{6B0A}", "{F00D}"}}) {
    TuningTestBed bed(7);
    // Created in reverse: the order is the registry's, not the order of creation.
    for (auto id = interfaces.rbegin(); id != interfaces.rend(); ++id) bed.AddKey(InterfaceKey(*id));
    bed.registry.Clear();

    const ApplyResult result = bed.Apply();

    EXPECT_EQ(ApplyOutcome::Applied, result.outcome);
    EXPECT_EQ("", result.message);
    EXPECT_EQ(NtAutomaticA(interfaces), bed.registry.Changes()) << interfaces.size() << " interfaces";
    EXPECT_EQ(static_cast<int>(16 + 4 * interfaces.size()), result.writes);
    EXPECT_EQ(std::string(kBackupsFolder) + "\\001.BCK", result.backup.path);
    EXPECT_LT(LastCall(bed.registry, "Query"), FirstCall(bed.registry, "Set"))
        << "the backup reads everything before the first write";
    const auto& calls = bed.registry.Calls();
    const auto listings =
        std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("Enum ", 0) == 0; });
    // With none, the key the interfaces would be listed from is missing.
    EXPECT_EQ(interfaces.empty() ? 0 : static_cast<std::ptrdiff_t>(interfaces.size() + 1), listings)
        << "the interfaces listed once, for the backup and the writes both";
    EXPECT_EQ(0u, bed.memory.OpenHandles()) << "every key is closed again";
  }
}

// "Changed" counts the values that hold other than before: a value written
// with what it held already, or a removal of a missing one, changes nothing.
TEST(ApplySettings, CountsTheValuesItReallyChanged) {
  TuningTestBed bed(7);
  bed.AddKey(InterfaceKey("{6B0A}"));
  bed.SetDword(kHkeyLocalMachine, kTcpipParametersKey, "SackOpts", 1);
  const ApplyResult first = bed.Apply();
  EXPECT_EQ(20, first.writes);
  EXPECT_EQ(19, first.changed) << "all but SackOpts, which held 1 already";
  EXPECT_EQ(0, bed.Apply().changed) << "the same set again";

  bed.tuning.CurrentSettings = bed.tuning.PresetSettings[2];  // Automatic-C removes MTU, MSS and the window
  EXPECT_EQ(6, bed.Apply().changed) << "4 per-interface values and 2 window values removed";
  EXPECT_EQ(0, bed.Apply().changed) << "removing what is missing";

  // A value of the same number as text is no longer what Windows reads.
  bed.SetText(kHkeyLocalMachine, kTcpipParametersKey, "DefaultTTL", "128");
  EXPECT_EQ(1, bed.Apply().changed);

  bed.memory.DenyWrites(kHkeyLocalMachine, "SYSTEM");
  bed.tuning.CurrentSettings = bed.tuning.PresetSettings[0];
  const ApplyResult refused = bed.Apply();
  EXPECT_EQ(18, refused.refused);
  EXPECT_EQ(0, refused.changed) << "a refused write changed nothing";
}

TEST(ApplySettings, Win9xWritesTextsAndSkipsSynAndIcmp) {
  for (const std::vector<std::string>& adapters : {std::vector<std::string>{}, {"0000"}, {"0000", "0001"}}) {
    for (std::int16_t family : {1, 2, 3, 4}) {
      TuningTestBed bed(family);
      bed.tuning.CurrentSettings.ICMP = true;  // nowhere to go on 9x
      for (const std::string& id : adapters) bed.AddKey(NetTransAdapterKey(id));
      bed.registry.Clear();

      const ApplyResult result = bed.Apply();

      EXPECT_EQ(ApplyOutcome::Applied, result.outcome);
      EXPECT_EQ(Win9xAutomaticA(adapters), bed.registry.Changes()) << "family " << family;
      EXPECT_EQ(0u, bed.memory.OpenHandles());
    }
  }
}

TEST(ApplySettings, MinusOneRemovesTheWindowAndMtuValuesAndMssFollowsMtu) {
  {
    TuningTestBed bed(7);
    bed.SetDword(kHkeyLocalMachine, kTcpipParametersKey, "TcpWindowSize", 65535);
    bed.SetDword(kHkeyLocalMachine, InterfaceKey("{6B0A}"), "MSS", 1460);
    bed.tuning.CurrentSettings = bed.tuning.PresetSettings[2];  // Automatic-C
    bed.tuning.CurrentSettings.MSS = 1460;
    bed.registry.Clear();

    bed.Apply();

    const Lines changes = bed.registry.Changes();
    const Lines expected = {
        Delete(kNtParamsLower, "GlobalMaxTcpWindowSize"),
        Delete(kNtParamsLower, "TcpWindowSize", kErrorSuccess),
        Delete(InterfaceOf("{6B0A}"), "MTU"),
        Delete(InterfaceOf("{6B0A}"), "MSS", kErrorSuccess),
    };
    Lines deletes;
    std::copy_if(changes.begin(), changes.end(), std::back_inserter(deletes),
                 [](const std::string& c) { return c.rfind("Delete", 0) == 0; });
    EXPECT_EQ(expected, deletes);
    EXPECT_EQ(16u + 4u - 6u, changes.size() - deletes.size()) << "everything else is written";
    EXPECT_EQ(Dword(kNtParams, "DefaultReceiveWindow", 8192), changes[3]) << "whatever RWIN is";
    // A removal creates no key: the interface's service key is still missing,
    // where an undo could not tell it from one the user made.
    RegKey service;
    EXPECT_EQ(kErrorFileNotFound,
              RegKey::Open(bed.memory, kHkeyLocalMachine, InterfaceServiceKey("{6B0A}"), kKeyRead, service));
  }
  {
    TuningTestBed bed(3);
    bed.AddKey(NetTransAdapterKey("0000"));
    bed.tuning.CurrentSettings.RWIN = -1;
    bed.tuning.CurrentSettings.MTU = -1;
    bed.registry.Clear();

    bed.Apply();

    Lines expected = Win9xAutomaticA({});
    expected[3] = Delete(kMstcp, "DefaultRcvWindow");
    expected[4] = Delete(kMstcp, "GlobalMaxTcpWindowSize");
    expected.push_back(Delete(NetTransOf("0000"), "MaxMTU"));
    expected.push_back(Delete(NetTransOf("0000"), "MaxMSS"));
    EXPECT_EQ(expected, bed.registry.Changes());
  }
}

// "Windows default" leaves every value to the Windows it runs on: each one an
// apply sets is removed instead, the constants too, on both families, and no
// key is made for a removal. The backup before it holds what was there.
TEST(ApplySettings, WindowsDefaultRemovesEveryValueAnApplySets) {
  for (const std::int16_t family : {7, 3}) {
    TuningTestBed bed(family);
    const bool nt = family == 7;
    const std::string stack(nt ? kTcpipParametersKey : kMstcpKey);
    bed.AddKey(nt ? InterfaceKey("{A}") : NetTransAdapterKey("0000"));
    bed.SetDword(kHkeyLocalMachine, stack, "DefaultTTL", 32);
    bed.SetDword(kHkeyLocalMachine, stack, "SackOpts", 1);
    bed.tuning.CurrentSettings = bed.tuning.PresetSettings[7];
    bed.registry.Clear();

    const ApplyResult result = bed.Apply();
    EXPECT_EQ(ApplyOutcome::Applied, result.outcome) << family;
    for (const std::string& change : bed.registry.Changes()) EXPECT_EQ(0u, change.rfind("Delete ", 0)) << change;
    // Every value a backup records is missing now.
    const Lines after = LinesOf(BackupContents(bed.memory, bed.family, kBackupTime));
    for (std::size_t line = 4; line < after.size(); ++line) {
      if (after[line].rfind('"', 0) != 0) {
        EXPECT_EQ(0u, after[line].rfind("-0", 0)) << family << ": line " << line + 1;
      }
    }
    EXPECT_EQ(2, result.changed) << family << ": the time to live and SackOpts were set";
    for (const std::string& call : bed.registry.Calls()) EXPECT_NE(0u, call.rfind("Create ", 0)) << call;
    const std::string backup = bed.files.Contents(std::string(kBackupsFolder) + "\\001.BCK");
    EXPECT_NE(std::string::npos, backup.find("\"DefaultTTL\"\r\n32\r\n")) << backup;
  }
}

TEST(ApplySettings, AnAdapterListThatCannotBeOpenedSkipsOnlyThePerAdapterStep) {
  {
    TuningTestBed bed(7);
    bed.AddKey(InterfaceKey("{6B0A}"));
    bed.memory.DenyAccess(kHkeyLocalMachine, kInterfacesKey);
    bed.registry.Clear();

    const ApplyResult result = bed.Apply();

    EXPECT_EQ(ApplyOutcome::Applied, result.outcome);
    EXPECT_EQ(NtAutomaticA({}), bed.registry.Changes()) << "the cache size after it is still written";
    EXPECT_EQ(0u, bed.memory.OpenHandles());
  }
  {
    TuningTestBed bed(3);
    bed.AddKey(NetTransAdapterKey("0000"));
    bed.memory.DenyAccess(kHkeyLocalMachine, kNetTransKey);
    bed.registry.Clear();
    bed.Apply();
    EXPECT_EQ(Win9xAutomaticA({}), bed.registry.Changes());
  }
}

TEST(ApplySettings, AFamilyOutsideOneToSevenDoesNothingAtAll) {
  for (std::int16_t family : {0, 8, -1}) {
    TuningTestBed bed(family);
    const ApplyResult result = bed.Apply();
    EXPECT_EQ(ApplyOutcome::NothingToDo, result.outcome);
    EXPECT_EQ("", result.message);
    EXPECT_TRUE(bed.registry.Calls().empty()) << "family " << family;
    EXPECT_FALSE(bed.files.FolderExists(kBackupsFolder)) << "no backup either";
  }
}

TEST(ApplySettings, NothingChangesWithoutACompleteBackup) {
  struct Case {
    const char* what;
    void (*arrange)(TuningTestBed&);
    const char* advice;
  };
  const Case cases[] = {
      {"folder cannot be created", [](TuningTestBed& bed) { bed.files.DenyWrites(kProgramFolder); },
       "Make sure Tidewave may write to its own folder"},
      {"numbering used up",
       [](TuningTestBed& bed) {
         for (int n = 1; n <= kLastBackupNumber; ++n) bed.files.AddFile(std::string(kBackupsFolder) + "\\" + BackupFileName(n));
       },
       "Delete old backups in the backup manager, then try again."},
      // Its own reader would refuse the backup: no way back, so no change.
      {"a value past 32 bits",
       [](TuningTestBed& bed) { bed.SetText(kHkeyLocalMachine, kTcpipParametersLowerKey, "DefaultTTL", "4294967296"); },
       "the value \"DefaultTTL\" under \"System\\CurrentControlSet\\Services\\Tcpip\\Parameters\" holds 4294967296 "
       "(the number does not fit in 32 bits).\r\n\r\nWith the Registry Editor, set that value"},

      {"disk full", [](TuningTestBed& bed) { bed.files.LimitFreeSpace(100); },
       "Free some space on the disk, then try again."},
      {"rename refused", [](TuningTestBed& bed) { bed.files.FailRenames(kErrorAccessDenied); },
       "Make sure Tidewave may write to its own folder"},
  };
  for (const Case& c : cases) {
    TuningTestBed bed(7);
    bed.AddKey(InterfaceKey("{6B0A}"));
    c.arrange(bed);
    bed.registry.Clear();
    const std::vector<std::string> files = bed.files.FilesIn(kBackupsFolder);

    const ApplyResult result = bed.Apply();

    EXPECT_EQ(ApplyOutcome::RefusedWithoutBackup, result.outcome) << c.what;
    EXPECT_TRUE(bed.registry.Changes().empty()) << c.what;
    EXPECT_EQ(0, result.writes) << c.what;
    EXPECT_EQ(0u, result.message.rfind("Tidewave has not changed any network setting.", 0)) << result.message;
    EXPECT_NE(std::string::npos, result.message.find(c.advice)) << result.message;
    EXPECT_EQ(files, bed.files.FilesIn(kBackupsFolder)) << c.what << ": nothing new, not even a partial file";
  }
}

TEST(ApplySettings, RefusedWritesAreCountedAndTheRestStayWritten) {
  TuningTestBed bed(7);
  bed.AddKey(InterfaceKey("{6B0A}"));
  // An account without administrator rights: HKEY_LOCAL_MACHINE reads but does not change.
  bed.memory.DenyWrites(kHkeyLocalMachine, "SYSTEM");
  bed.registry.Clear();

  const ApplyResult result = bed.Apply();

  EXPECT_EQ(ApplyOutcome::PartlyApplied, result.outcome);
  EXPECT_EQ(20, result.writes);
  EXPECT_EQ(18, result.refused) << "all but the two browser values under HKEY_CURRENT_USER";
  EXPECT_EQ(
      "Windows refused to change 18 of the 20 network values Tidewave was setting (Windows error 5: access is "
      "denied). Changing them needs administrator rights: close Tidewave, start it again as an administrator and "
      "apply the settings again.\r\n\r\nThe other values have been changed; the backup \"001.BCK\" holds what was "
      "there before.",
      result.message);
  EXPECT_EQ(16.0, ReadCurrentValue(bed.memory, kHkeyCurrentUser, kInternetSettingsNtKey, "MaxConnectionsPer1_0Server"));
  EXPECT_TRUE(bed.files.FileExists(result.backup.path));

  EXPECT_EQ(0u, RefusedWritesMessage(1, {{5, 1}}, "C:\\x\\Backups\\002.BCK")
                    .rfind("Windows refused to change 1 of the 1 network value Tidewave was setting (", 0));

  // A name too long for the registry is no question of rights: the message
  // names what Windows said and gives no advice about administrators.
  const std::string tooLong = RefusedWritesMessage(20, {{234, 2}}, "C:\\x\\Backups\\002.BCK");
  EXPECT_EQ(0u, tooLong.rfind("Windows refused to change 2 of the 20 network values Tidewave was setting "
                              "(Windows error 234: a name is longer than Windows accepts).\r\n\r\n", 0))
      << tooLong;
  EXPECT_EQ(std::string::npos, tooLong.find("administrator"));
  const std::string both = RefusedWritesMessage(20, {{5, 3}, {234, 2}}, "C:\\x\\Backups\\002.BCK");
  EXPECT_NE(std::string::npos, both.find("(Windows error 5: access is denied, for 3; Windows error 234: a name is "
                                         "longer than Windows accepts, for 2). Changing them needs administrator"))
      << both;
}

// A key name holding a line break or a double quote would split its backup
// line, and one its reader refuses (a tab) would make a backup no restore
// takes; such an adapter is neither backed up nor tuned, and the user is told.
TEST(ApplySettings, AdaptersWhoseNamesABackupCannotCarryAreLeftAlone) {
  for (std::int16_t family : {3, 7}) {
    TuningTestBed bed(family);
    const bool nt = family == 7;
    const auto keyOf = [&](const std::string& id) { return nt ? InterfaceKey(id) : NetTransAdapterKey(id); };
    for (const std::string id : {"good", "two\r\nlines", "say \"hi\"", "tab\there"}) bed.AddKey(keyOf(id));
    bed.registry.Clear();

    const ApplyResult result = bed.Apply();

    EXPECT_EQ(ApplyOutcome::Applied, result.outcome);
    EXPECT_EQ((std::vector<std::string>{"say \"hi\"", "tab\there", "two\r\nlines"}), result.skippedAdapters);
    EXPECT_NE(std::string::npos, result.message.find("3 network adapters were left as they were")) << result.message;
    EXPECT_NE(std::string::npos, result.message.find("\r\n    two  lines")) << result.message;
    for (const std::string& change : bed.registry.Changes()) {
      EXPECT_EQ(std::string::npos, change.find("lines")) << change;
      EXPECT_EQ(std::string::npos, change.find("hi")) << change;
      EXPECT_EQ(std::string::npos, change.find("tab")) << change;
    }
    EXPECT_EQ(static_cast<int>(nt ? 16 + 4 : 12 + 2), result.writes) << "the good adapter only";
    const Lines lines = LinesOf(bed.files.Contents(result.backup.path));
    // Three header lines, the fixed sections, then one key line and two pairs per adapter key.
    const std::size_t fixed = nt ? 3 + 1 + 26 + 1 + 4 + 1 + 2 : 3 + 1 + 20 + 1 + 4 + 1 + 2;
    EXPECT_EQ(fixed + (nt ? 2 : 1) * 5, lines.size()) << "one adapter recorded, every line in its place";
  }
}

// Windows newer than XP reports family 1 "Windows 32", the code of the 9x
// branch, but only the NT layout means anything to it.
TEST(ApplySettings, NewerNtSystemsAreTunedWithTheNtLayoutAndStillRecordFamily1) {
  TuningTestBed bed(1);
  bed.AddKey(InterfaceKey("{6B0A}"));
  bed.registry.Clear();

  const ApplyResult result = bed.ApplyOnNewerNt();

  EXPECT_EQ(ApplyOutcome::Applied, result.outcome);
  EXPECT_EQ(NtAutomaticA({"{6B0A}"}), bed.registry.Changes());
  const Lines lines = LinesOf(bed.files.Contents(result.backup.path));
  ASSERT_GT(lines.size(), 4u);
  EXPECT_EQ("1", lines[2]) << "the family as recorded stays 1";
  EXPECT_EQ("\"System\\CurrentControlSet\\Services\\Tcpip\\Parameters\"", lines[3]);
}

}  // namespace
}  // namespace tw::test

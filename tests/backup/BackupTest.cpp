// Backup files byte for byte, their numbering, and that a backup is either
// complete or absent.
#include "backup/Backup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "backup/BackupFile.h"
#include "support/TuningTestBed.h"
#include "support/TcpIpKeys.h"
#include "tcpip/TcpIpLayout.h"

namespace tw::test {
namespace {

using Lines = std::vector<std::string>;

TEST(BackupFile, NtFileLineByLine) {
  TuningTestBed bed(7);
  const RegHandle hklm = kHkeyLocalMachine;
  bed.SetDword(hklm, kTcpipParametersKey, "DefaultTTL", 128);
  bed.SetText(hklm, kTcpipParametersKey, "GlobalMaxTcpWindowSize", "64");  // a text holding a number
  bed.SetDword(hklm, kTcpipParametersKey, "TcpWindowSize", 0xFFFFFFFFu);
  bed.SetDword(hklm, kTcpipParametersKey, "EnablePMTUBHDetect", 0);  // a stored 0; a missing value is "-0"
  bed.SetDword(hklm, kTcpipParametersKey, "EnablePMTUDiscovery", 1);
  bed.SetDword(hklm, kTcpipParametersKey, "KeepAliveTime", 7200000);
  bed.SetDword(hklm, kTcpipParametersKey, "SackOpts", 0);  // what the apply overwrites with a constant, as it is
  bed.SetDword(kHkeyCurrentUser, kInternetSettingsNtKey, "MaxConnectionsPerServer", 4);
  bed.SetDword(hklm, kNdiCacheKey, "", 32);
  bed.SetDword(hklm, InterfaceKey("{B}"), "MTU", 1500);
  bed.SetDword(hklm, InterfaceServiceKey("{B}"), "MSS", 1460);
  bed.AddKey(InterfaceKey("{A}"));

  const Lines expected = {
      "#2024-03-05#", "#15:51:09#", "7",
      "\"System\\CurrentControlSet\\Services\\Tcpip\\Parameters\"",
      "\"SackOpts\"", "0", "\"Tcp1323Opts\"", "-0", "\"TcpMaxDupAcks\"", "-0", "\"DefaultReceiveWindow\"", "-0",
      "\"DefaultTTL\"", "128", "\"GlobalMaxTcpWindowSize\"", "64", "\"TcpWindowSize\"", "4294967295",
      "\"EnablePMTUBHDetect\"", "0", "\"EnablePMTUDiscovery\"", "1", "\"KeepAliveTime\"", "7200000",
      "\"KeepAliveInterval\"", "-0", "\"SYNAttackProtect\"", "-0", "\"EnableICMPRedirects\"", "-0",
      "\"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\"",
      "\"MaxConnectionsPer1_0Server\"", "-0", "\"MaxConnectionsPerServer\"", "4",
      "\"System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize\"", "\"\"", "32",
      "\"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{A}\"", "\"MTU\"", "-0", "\"MSS\"", "-0",
      // Missing with its key and the two above it, which the apply makes: a "0" more for each.
      "\"SYSTEM\\CurrentControlSet\\Services\\{A}\\Parameters\\Tcpip\"", "\"MTU\"", "-0000", "\"MSS\"", "-0000",
      "\"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{B}\"", "\"MTU\"", "1500", "\"MSS\"", "-0",
      "\"SYSTEM\\CurrentControlSet\\Services\\{B}\\Parameters\\Tcpip\"", "\"MTU\"", "-0", "\"MSS\"", "1460",
  };
  EXPECT_EQ(expected, LinesOf(BackupContents(bed.memory, FamilyOf(7), kBackupTime)));
}

TEST(BackupFile, Win9xFileLineByLine) {
  TuningTestBed bed(3);
  const RegHandle hklm = kHkeyLocalMachine;
  bed.SetText(hklm, kMstcpKey, "DefaultTTL", "64");
  bed.SetDword(hklm, kMstcpKey, "DefaultRcvWindow", 8192);  // a number where a text belongs
  bed.SetText(hklm, kMstcpKey, "GlobalMaxTcpWindowSize", "256960");
  bed.SetText(hklm, kMstcpKey, "PMTUBlackHoleDetect", "5");  // recorded as "not 0"
  bed.SetText(hklm, kMstcpKey, "PMTUDiscovery", "0");
  bed.SetText(hklm, kMstcpKey, "KeepAliveInterval", "1000");
  bed.SetText(kHkeyCurrentUser, kInternetSettings9xKey, "MaxConnectionsPer1_0Server", "16");
  bed.SetText(hklm, NetTransAdapterKey("0001"), "MaxMTU", "576");
  bed.SetText(hklm, NetTransAdapterKey("0000"), "MaxMSS", "1460");

  const Lines expected = {
      "#2024-03-05#", "#15:51:09#", "3",
      "\"System\\CurrentControlSet\\Services\\VxD\\MSTCP\"",
      "\"SackOpts\"", "-0", "\"Tcp1323Opts\"", "-0", "\"DefaultTTL\"", "64", "\"DefaultRcvWindow\"", "8192",
      "\"GlobalMaxTcpWindowSize\"", "256960", "\"PMTUBlackHoleDetect\"", "1", "\"DefaultRcvWindow\"", "8192",
      "\"PMTUDiscovery\"", "0", "\"KeepAliveTime\"", "-0", "\"KeepAliveInterval\"", "1000",
      "\"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\"",
      "\"MaxConnectionsPer1_0Server\"", "16", "\"MaxConnectionsPerServer\"", "-0",
      "\"System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize\"", "\"\"", "-00000",
      "\"System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000\"", "\"MaxMTU\"", "-0", "\"MaxMSS\"", "1460",
      "\"System\\CurrentControlSet\\Services\\Class\\NetTrans\\0001\"", "\"MaxMTU\"", "576", "\"MaxMSS\"", "-0",
  };
  EXPECT_EQ(expected, LinesOf(BackupContents(bed.memory, FamilyOf(3), kBackupTime)));
  EXPECT_EQ("1", LinesOf(BackupContents(bed.memory, FamilyOf(1), kBackupTime))[2]) << "family 1 takes the 9x layout";
  EXPECT_EQ("", BackupContents(bed.memory, FamilyOf(8), kBackupTime));
}

// Odd but possible registry contents: every number a backup holds is plain
// decimal digits its own reader can take, and what is no finite number is 0.
TEST(BackupFile, OddRegistryContentsAreRecordedAsPlainDecimals) {
  TuningTestBed bed(7);
  const RegHandle hklm = kHkeyLocalMachine;
  bed.SetText(hklm, kTcpipParametersLowerKey, "DefaultTTL", "1e-400");
  bed.SetText(hklm, kTcpipParametersLowerKey, "GlobalMaxTcpWindowSize", "1e400");
  bed.SetText(hklm, kTcpipParametersLowerKey, "TcpWindowSize", "0.0000001");
  bed.SetText(hklm, kTcpipParametersLowerKey, "KeepAliveTime", "99999999999999999999");
  bed.SetText(hklm, kTcpipParametersLowerKey, "KeepAliveInterval", "  0042.50 ms");
  const auto binary = [&](std::string_view name, std::uint32_t size) {
    RegKey key;
    RegKey::Create(bed.memory, hklm, kTcpipParametersLowerKey, kKeyAllAccess, key);
    const std::vector<std::uint8_t> bytes(size, 0xFF);
    bed.memory.SetValueEx(key.get(), name, kRegBinary, bytes.data(), size);
  };
  binary("SYNAttackProtect", 200);     // past any double
  binary("EnableICMPRedirects", 127);  // a 306-digit number
  binary("EnablePMTUDiscovery", 0);    // there, but holding nothing: Windows acts on it as on none
  // A key that is there but cannot be opened: its values are not missing, and a restore must not remove them.
  bed.SetDword(kHkeyCurrentUser, kInternetSettingsNtKey, "MaxConnectionsPerServer", 4);
  bed.memory.DenyAccess(kHkeyCurrentUser, kInternetSettingsNtKey);

  const Lines lines = LinesOf(BackupContents(bed.memory, FamilyOf(7), kBackupTime));
  const auto valueOf = [&](std::string_view name) {
    const auto at = std::find(lines.begin(), lines.end(), "\"" + std::string(name) + "\"");
    return at == lines.end() || at + 1 == lines.end() ? std::string("missing") : *(at + 1);
  };
  EXPECT_EQ("0", valueOf("DefaultTTL"));
  EXPECT_EQ("0", valueOf("GlobalMaxTcpWindowSize"));
  EXPECT_EQ("0.0000001", valueOf("TcpWindowSize"));
  EXPECT_EQ("99999999999999999999", valueOf("KeepAliveTime"));
  EXPECT_EQ("42.5", valueOf("KeepAliveInterval"));
  EXPECT_EQ("0", valueOf("SYNAttackProtect"));
  const std::string wide = valueOf("EnableICMPRedirects");
  EXPECT_EQ(306u, wide.size());
  EXPECT_EQ(std::string::npos, wide.find_first_not_of("0123456789")) << wide;
  EXPECT_EQ("-0", valueOf("EnablePMTUDiscovery"));
  EXPECT_EQ("0", valueOf("MaxConnectionsPerServer"));
}

TEST(BackupFile, ItemsAreWrittenInTheirFixedForms) {
  BackupText text;
  text.Date({2031, 12, 0, 31, 0, 0, 0, 0});
  text.Time({2031, 12, 0, 31, 23, 5, 7, 999});
  text.Whole(-3);
  text.Real(4294967295.0);
  text.Real(1.5);
  text.Text("Internet Settings");
  EXPECT_EQ("#2031-12-31#\r\n#23:05:07#\r\n-3\r\n4294967295\r\n1.5\r\n\"Internet Settings\"\r\n", text.str());
}

TEST(BackupNumbering, OneMoreThanTheHighestNumberByTheLastThreeCharacters) {
  EXPECT_EQ(7, BackupNumberOf("007.BCK"));
  EXPECT_EQ(12, BackupNumberOf("x012.BCK"));
  EXPECT_EQ(0, BackupNumberOf("Backup.BCK")) << "\"kup\" does not start with a digit";
  EXPECT_EQ(1, BackupNumberOf("1a.BCK")) << "the number the characters start with";
  EXPECT_EQ(5, BackupNumberOf("5.BCK"));
  EXPECT_EQ(234, BackupNumberOf("1234.bck"));
  EXPECT_EQ("001.BCK", BackupFileName(1));
  EXPECT_EQ("042.BCK", BackupFileName(42));
  EXPECT_EQ("100.BCK", BackupFileName(100));

  struct Case {
    Lines present;
    const char* next;
  };
  const Case cases[] = {
      {{}, "001.BCK"},
      {{"001.BCK", "002.BCK", "007.BCK"}, "008.BCK"},
      {{"001.BCK", "099.BCK"}, "100.BCK"},
      {{"Backup.BCK"}, "001.BCK"},
      {{"x012.BCK", "003.BCK"}, "013.BCK"},
      {{"005.bck", "006.txt", "007.tmp"}, "006.BCK"},
      {{"998.BCK"}, "999.BCK"},
      // Past 999 the lowest free number, so an undo is never the price of a change.
      {{"001.BCK", "004.BCK", "999.BCK"}, "002.BCK"},
      {{"x999.BCK"}, "001.BCK"},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files;
    files.AddFolder(kBackupsFolder);
    for (const std::string& name : c.present) files.AddFile(std::string(kBackupsFolder) + "\\" + name);
    const BackupResult result = NextBackupPath(files, kProgramFolder);
    EXPECT_EQ(BackupProblem::None, result.problem);
    EXPECT_EQ(std::string(kBackupsFolder) + "\\" + c.next, result.path) << c.present.size() << " files";
  }
}

TEST(BackupNumbering, TheFolderIsCreatedWhenMissingAndFullNumberingIsReported) {
  MemoryFileSystem files;
  files.AddFolder(kProgramFolder);
  EXPECT_EQ(std::string(kBackupsFolder) + "\\001.BCK", NextBackupPath(files, kProgramFolder).path);
  EXPECT_TRUE(files.FolderExists(kBackupsFolder));

  files.AddFolder(std::string(kBackupsFolder) + "\\500.BCK");  // a folder is not a backup
  EXPECT_EQ(std::string(kBackupsFolder) + "\\001.BCK", NextBackupPath(files, kProgramFolder).path);
  // ...but it holds its name: nothing can be renamed onto it.
  files.AddFile(std::string(kBackupsFolder) + "\\499.BCK");
  EXPECT_EQ(std::string(kBackupsFolder) + "\\501.BCK", NextBackupPath(files, kProgramFolder).path);

  for (int number = 1; number <= kLastBackupNumber; ++number) {
    if (number != 500) files.AddFile(std::string(kBackupsFolder) + "\\" + BackupFileName(number));
  }
  const BackupResult full = NextBackupPath(files, kProgramFolder);
  EXPECT_EQ(BackupProblem::NumberingFull, full.problem);
  EXPECT_EQ(
      "Tidewave has not changed any network setting.\r\n\r\n"
      "Before every change Tidewave saves the values it replaces in a backup, and the backup numbers are used up: "
      "the folder \"C:\\Program Files\\Tidewave\\Backups\" already holds a backup under every number from 001 "
      "to 999.\r\n\r\n"
      "Delete old backups in the backup manager, then try again.",
      BackupFailureMessage(full));

  MemoryFileSystem win98;
  win98.AddFolder(kBackupsFolder);
  win98.AnswerEmptySearchesWith(kErrorNoMoreFiles);
  EXPECT_EQ(std::string(kBackupsFolder) + "\\001.BCK", NextBackupPath(win98, kProgramFolder).path)
      << "an empty folder, as Windows 98 may report it";

  MemoryFileSystem blocked;
  blocked.AddFile(std::string(kBackupsFolder));  // "Backups" is a file
  EXPECT_EQ(BackupProblem::FolderUnavailable, NextBackupPath(blocked, kProgramFolder).problem);
}

TEST(BackupWriting, ABackupIsCompleteOrAbsent) {
  const std::string tmp = std::string(kBackupsFolder) + "\\003.tmp";
  {
    TuningTestBed bed(7);
    bed.files.AddFile(std::string(kBackupsFolder) + "\\002.BCK", "old");
    bed.files.AddFile(tmp, "left by a crash");
    const BackupResult result = WriteBackup(bed.memory, bed.files, bed.clock, kProgramFolder, FamilyOf(7));
    EXPECT_EQ(BackupProblem::None, result.problem);
    EXPECT_EQ((Lines{"002.BCK", "003.BCK"}), bed.files.FilesIn(kBackupsFolder)) << "the stale temporary file is gone";
    EXPECT_EQ(BackupContents(bed.memory, FamilyOf(7), kBackupTime), bed.files.Contents(result.path));
  }
  {
    TuningTestBed bed(7);
    bed.files.AddFile(std::string(kBackupsFolder) + "\\002.BCK", "old");
    bed.files.LimitFreeSpace(40);
    const BackupResult result = WriteBackup(bed.memory, bed.files, bed.clock, kProgramFolder, FamilyOf(7));
    EXPECT_EQ(BackupProblem::FileNotWritten, result.problem);
    EXPECT_EQ(kErrorDiskFull, result.error);
    EXPECT_EQ((Lines{"002.BCK"}), bed.files.FilesIn(kBackupsFolder)) << "no truncated file";
  }
  {
    TuningTestBed bed(3);
    bed.files.FailRenames(kErrorAccessDenied);
    const BackupResult result = WriteBackup(bed.memory, bed.files, bed.clock, kProgramFolder, FamilyOf(3));
    EXPECT_EQ(BackupProblem::FileNotWritten, result.problem);
    EXPECT_EQ(Lines{}, bed.files.FilesIn(kBackupsFolder));
    EXPECT_NE(std::string::npos, BackupFailureMessage(result).find("\"C:\\Program Files\\Tidewave\\Backups\\001.BCK\" (Windows error 5: access is denied)"));
  }
}

// A failure says what Windows said, and gives only the advice that fits it:
// a bad name is no question of rights, and no folder at all says so.
TEST(BackupWriting, FailureMessagesNameTheCauseWindowsGave) {
  const std::string badName =
      BackupFailureMessage({BackupProblem::FolderUnavailable, 123, "C:\\Tidewave\\Backups"});
  EXPECT_NE(std::string::npos, badName.find("(Windows error 123: a file, folder or registry key name is not valid)"))
      << badName;
  EXPECT_EQ(std::string::npos, badName.find("administrator")) << badName;
  EXPECT_NE(std::string::npos,
            BackupFailureMessage({BackupProblem::FileNotWritten, 112, "C:\\T\\Backups\\001.BCK"})
                .find("(Windows error 112: the disk is full).\r\n\r\nFree some space on the disk"));
  EXPECT_NE(std::string::npos, BackupFailureMessage({BackupProblem::FileNotWritten, 4242, "x"}).find("(Windows error 4242)"));

  MemoryFileSystem files;
  const BackupResult nowhere = NextBackupPath(files, "");
  EXPECT_EQ(BackupProblem::NoProgramFolder, nowhere.problem);
  EXPECT_NE(std::string::npos, BackupFailureMessage(nowhere).find("could not tell Tidewave which folder it was started from"));
}

}  // namespace
}  // namespace tw::test

// End to end: a user opens Wizard Mode from the navigation of the built
// Tidewave.exe, picks "Automatic-C" and presses "Optimize Now"; the registry
// and the Backups folder are then read from outside the program.
#include <gtest/gtest.h>

#include "backup/Restore.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Version.h"
#include "platform/win32/WidePath.h"
#include "support/TuningKeys.h"
#include "support/wine/Program.h"
#include "support/wine/ScratchFolder.h"
#include "support/TcpIpKeys.h"
#include "tcpip/TcpIpLayout.h"
#include "tuning/WizardMode.h"

namespace tw::test {
namespace {

// The family each test prefix reports, by the prefix's folder name. Windows 7
// reports family 1, yet takes the NT layout like XP.
struct PrefixFamily {
  const char* prefix;
  std::int16_t code;
  bool nt;
};
constexpr PrefixFamily kPrefixFamilies[] = {{"win95", 2, false}, {"98", 3, false}, {"nt40", 5, true},
                                            {"win2k", 6, true},  {"xp", 7, true},  {"win7", 1, true}};

PrefixFamily ThisPrefix() {
  for (const PrefixFamily& family : kPrefixFamilies) {
    if (TestFamily() == family.prefix) return family;
  }
  ADD_FAILURE() << "no family known for the prefix " << TestFamily();
  return {"", 0, false};
}

HWND Descendant(HWND root, int id, const char* caption = nullptr) {
  for (HWND child : Children(root)) {
    if (caption ? WindowText(child) == caption && ClassName(child) == "Button" : GetDlgCtrlID(child) == id) {
      return child;
    }
  }
  return nullptr;
}

TEST(OptimizeEndToEnd, AutomaticCFromTheNavigationWritesTheRegistryAfterABackup) {
  Win32Registry registry;
  RegistrySnapshot snapshot(registry);
  KeepTuningKeys(snapshot, registry);
  const PrefixFamily prefix = ThisPrefix();
  const bool nt = prefix.nt;
  const std::string parameters(nt ? kTcpipParametersKey : kMstcpKey);
  const std::string windowValue = nt ? "GlobalMaxTcpWindowSize" : "DefaultRcvWindow";
  {
    RegKey key;
    ASSERT_EQ(kErrorSuccess, RegKey::Create(registry, kHkeyLocalMachine, parameters, kKeyAllAccess, key));
    const std::uint8_t window[] = {0x00, 0x20, 0x00, 0x00};
    const std::uint8_t windowText[] = {'8', '1', '9', '2', 0};
    if (nt) {
      registry.SetValueEx(key.get(), windowValue, kRegDword, window, sizeof window);
    } else {
      registry.SetValueEx(key.get(), windowValue, kRegSz, windowText, sizeof windowText);
    }
    // Two the apply sets to constants, one holding another number, one
    // missing: the undo puts back each as it was.
    const std::uint8_t zero[] = {0, 0, 0, 0};
    registry.SetValueEx(key.get(), "SackOpts", nt ? kRegDword : kRegSz, nt ? zero : reinterpret_cast<const std::uint8_t*>("0"),
                        nt ? 4 : 2);
    registry.DeleteValue(key.get(), "Tcp1323Opts");
  }
  // The cache size's key is the 9x family's; on NT the apply makes it.
  const std::string cache = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
  const auto exists = [&registry](const std::string& path) {
    RegKey key;
    return RegKey::Open(registry, kHkeyLocalMachine, path, kKeyRead, key) == kErrorSuccess;
  };
  const bool cacheKeyBefore = exists(cache);

  // The program runs from a folder of its own, so its Backups folder is this test's.
  ScratchFolder folder;
  const std::string program = folder.path() + "\\Tidewave.exe";
  ASSERT_TRUE(CopyFileA(BesideTests("Tidewave.exe").c_str(), program.c_str(), FALSE));
  Program tidewave;
  ASSERT_TRUE(tidewave.Start(program));
  HWND main = tidewave.WaitForMainWindow();
  ASSERT_NE(nullptr, main);

  SendMessageA(Descendant(main, 0, "&Wizard Mode"), BM_CLICK, 0, 0);
  HWND optionC = Descendant(main, IDC_optMode_2);
  HWND optimize = Descendant(main, IDC_cmdOptimize);
  ASSERT_NE(nullptr, optionC);
  ASSERT_NE(nullptr, optimize);
  EXPECT_EQ("Automatic-C", WindowText(optionC));
  EXPECT_TRUE(IsWindowVisible(optimize));
  SendMessageA(optionC, BM_CLICK, 0, 0);
  EXPECT_NE(std::string::npos, WindowText(Descendant(main, IDC_lblModeDescrip)).find("MTU = -1"));
  SendMessageA(optimize, BM_CLICK, 0, 0);

  // Read from outside: Automatic-C writes a TTL of 128 and removes the window size.
  RegKey key;
  ASSERT_EQ(kErrorSuccess, RegKey::Open(registry, kHkeyLocalMachine, parameters, kKeyRead, key));
  std::uint32_t type = 0;
  std::uint8_t data[16] = {};
  std::uint32_t size = sizeof data;
  ASSERT_EQ(kErrorSuccess, registry.QueryValueEx(key.get(), "DefaultTTL", &type, data, &size));
  EXPECT_EQ(nt ? kRegDword : kRegSz, type);
  if (nt) {
    EXPECT_EQ(128u, data[0] | data[1] << 8u);
  } else {
    EXPECT_EQ("128", std::string(reinterpret_cast<const char*>(data)));
  }
  size = sizeof data;
  EXPECT_EQ(kErrorFileNotFound, registry.QueryValueEx(key.get(), windowValue, &type, data, &size));

  const std::string backups = folder.path() + "\\Backups";
  ASSERT_EQ(std::vector<std::string>{"001.BCK"}, FolderEntries(backups));
  const std::string backup = ReadWholeFile(backups + "\\001.BCK");
  EXPECT_NE(std::string::npos, backup.find("\"" + windowValue + "\"\r\n8192\r\n"))
      << "the backup holds the window size as it was before:\n" << backup;
  // The third line, after "#yyyy-mm-dd#" and "#hh:mm:ss#": the family as recorded.
  EXPECT_EQ(std::to_string(prefix.code), backup.substr(26, backup.find("\r\n", 26) - 26)) << backup;
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tidewave.WaitForExit(10000));

  // The undo, planned and written as the backup manager does: the window
  // size is back, in the family's own type.
  Win32Version version;
  const OsFamilyInfo os = DetectOsFamily(version);
  EXPECT_EQ(prefix.code, os.code);
  const RestorePlan plan = PlanRestore(backup, os);
  ASSERT_EQ(RestoreProblem::None, plan.problem) << backup;
  EXPECT_TRUE(WriteRestore(registry, plan).refusals.empty());
  size = sizeof data;
  ASSERT_EQ(kErrorSuccess, registry.QueryValueEx(key.get(), windowValue, &type, data, &size));
  if (nt) {
    EXPECT_EQ(kRegDword, type);
    EXPECT_EQ(8192u, data[0] | data[1] << 8u);
  } else {
    EXPECT_EQ(kRegSz, type);
    EXPECT_EQ("8192", std::string(reinterpret_cast<const char*>(data)));
  }
  size = sizeof data;
  ASSERT_EQ(kErrorSuccess, registry.QueryValueEx(key.get(), "SackOpts", &type, data, &size));
  EXPECT_EQ(nt ? 0 : '0', data[0]) << "SackOpts as it was, not the constant";
  EXPECT_EQ(kErrorFileNotFound, registry.QueryValueEx(key.get(), "Tcp1323Opts", &type, data, &size));
  EXPECT_EQ(cacheKeyBefore, exists(cache)) << "a key the apply made goes with its undo";
}

// Installed in a folder named in two scripts, which no single code page
// holds: the backup still goes beside the program, and the apply happens.
// (Paths past MAX_PATH are the file system's test: no process starts there.)
TEST(OptimizeEndToEnd, AProgramFolderNamedInAnyLanguageHoldsTheBackups) {
  if (!NtPlatform()) GTEST_SKIP() << "Windows 95 and 98 have no wide file functions";
  Win32Registry registry;
  RegistrySnapshot snapshot(registry);
  KeepTuningKeys(snapshot, registry);
  ScratchFolder scratch;
  std::vector<std::string> folders{scratch.path() + "\\\xCE\xA4\xCE\xB1\xCF\x87\xCF\x8D-\xE6\xB3\xA2"};
  folders.push_back(folders.back() + "\\\xE3\x83\x84\xE3\x83\xBC\xE3\x83\xAB");
  for (const std::string& folder : folders) {
    ASSERT_TRUE(CreateDirectoryW(SystemPath(folder).c_str(), nullptr)) << GetLastError() << " " << folder;
  }
  const std::string program = folders.back() + "\\Tidewave.exe";
  ASSERT_TRUE(CopyFileW(Utf8ToWide(BesideTests("Tidewave.exe")).c_str(), SystemPath(program).c_str(), FALSE));

  Program tidewave;
  ASSERT_TRUE(tidewave.Start(program));
  HWND main = tidewave.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  SendMessageA(Descendant(main, 0, "&Wizard Mode"), BM_CLICK, 0, 0);
  HWND optimize = Descendant(main, IDC_cmdOptimize);
  ASSERT_NE(nullptr, optimize);
  SendMessageA(optimize, BM_CLICK, 0, 0);

  const std::wstring backup = SystemPath(folders.back() + "\\Backups\\001.BCK");
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(backup.c_str())) << "the backup beside the program";
  EXPECT_EQ(128.0, ReadCurrentValue(registry, kHkeyLocalMachine, kTcpipParametersKey, "DefaultTTL"))
      << "Automatic-A applied";
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tidewave.WaitForExit(10000));
}

}  // namespace
}  // namespace tw::test

// End to end: a user opens Wizard Mode from the navigation of the built
// Tidewave.exe, picks "Automatic-C" and presses "Optimize Now"; the registry
// and the Backups folder are then read from outside the program.
#include <gtest/gtest.h>

#include "platform/win32/Win32Registry.h"
#include "support/TuningKeys.h"
#include "support/wine/Program.h"
#include "support/wine/ScratchFolder.h"
#include "support/TcpIpKeys.h"
#include "tcpip/TcpIpLayout.h"
#include "tuning/WizardMode.h"

namespace tw::test {
namespace {

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
  const bool nt = TestFamily() == "xp";
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
  }

  // The program runs from a folder of its own, so its Backups folder is this test's.
  ScratchFolder folder;
  const std::string program = folder.path() + "\\Tidewave.exe";
  ASSERT_TRUE(CopyFileA(BesideTests("Tidewave.exe").c_str(), program.c_str(), FALSE));
  Program tidewave;
  ASSERT_TRUE(tidewave.Start(program));
  HWND main = tidewave.WaitForWindow("TidewaveMain", "Tidewave");
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

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tidewave.WaitForExit(10000));
}

}  // namespace
}  // namespace tw::test

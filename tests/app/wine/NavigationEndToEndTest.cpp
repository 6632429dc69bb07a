// End to end: the built Tidewave.exe driven from outside through its navigation.
#include <gtest/gtest.h>

#include "app/NavigationItems.h"
#include "platform/win32/Win32Registry.h"
#include "settings/MainSettings.h"
#include "settings/RegistrySettings.h"
#include "support/RegistrySnapshot.h"
#include "support/wine/Program.h"

namespace tw::test {
namespace {

HWND FindButton(HWND root, const std::string& caption) {
  for (HWND child : Children(root)) {
    if (WindowText(child) == caption && ClassName(child) == "Button") return child;
  }
  return nullptr;
}

bool IsDescendant(HWND ancestor, HWND window) {
  for (HWND parent = GetParent(window); parent != nullptr; parent = GetParent(parent)) {
    if (parent == ancestor) return true;
  }
  return false;
}

TEST(NavigationEndToEnd, MenuItemsOpenTheirPanelsInsideTheMainWindowAndCloseEndsTheProgram) {
  // Stored as starting with Windows: the Run entry is written again at start-up.
  Win32Registry registry;
  RegistrySnapshot snapshot(registry);
  snapshot.Keep(kHkeyCurrentUser, std::string(kRunKey), {std::string(kRunValueName)});
  snapshot.Keep(kHkeyLocalMachine, SettingsPath(kMainSettingsKey), {"chkRunMainProgram"});
  SaveSettingValue(registry, SettingsPath(kMainSettingsKey), "chkRunMainProgram", "1");

  Program tidewave;
  ASSERT_TRUE(tidewave.Start(BesideTests("Tidewave.exe")));
  HWND main = tidewave.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  EXPECT_EQ(BesideTests("Tidewave.exe"), ReadRunEntry(registry)) << "the entry starts this very program";
  for (HWND child : Children(main)) EXPECT_NE("TidewavePanel", ClassName(child)) << "made before it was opened";

  const struct { const char* item; const char* panel; int height; } cases[] = {
      {"&Wizard Mode", "Wizard Mode", 250}, {"&Backup", "Backup", 246}, {"&Main Settings", "Main Settings", 245}};
  for (const auto& c : cases) {
    HWND item = FindButton(main, c.item);
    ASSERT_NE(nullptr, item) << c.item;
    SendMessageA(item, BM_CLICK, 0, 0);
    HWND panel = nullptr;
    for (HWND child : Children(main)) {
      if (WindowText(child) == c.panel && ClassName(child) == "TidewavePanel") panel = child;
    }
    ASSERT_NE(nullptr, panel) << c.panel;
    EXPECT_TRUE(IsWindowVisible(panel)) << c.panel;
    EXPECT_TRUE(IsDescendant(main, panel));
    RECT host{};
    GetWindowRect(GetParent(panel), &host);
    EXPECT_EQ(440, host.right - host.left);
    EXPECT_EQ(c.height, host.bottom - host.top);
  }

  HWND close = nullptr;
  for (HWND child : Children(main)) {
    if (GetDlgCtrlID(child) == IDC_FS_closeButton) close = child;
  }
  ASSERT_NE(nullptr, close);
  SendMessageA(close, BM_CLICK, 0, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(tidewave.WaitForExit(10000, &exitCode));
  EXPECT_EQ(0u, exitCode);
}

}  // namespace
}  // namespace tw::test

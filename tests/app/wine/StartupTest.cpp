// End to end: the real Tidewave.exe, started the way a user starts it.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/NavigationItems.h"
#include "support/wine/Program.h"

namespace tw::test {
namespace {

bool MutexExists() {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "MarlpitTidewave");
  if (mutex) CloseHandle(mutex);
  return mutex != nullptr;
}

TEST(Startup, OpensOneMainWindowAndASecondStartBringsItToTheFront) {
  ASSERT_FALSE(MutexExists()) << "another Tidewave is still running in this prefix";
  Program first;
  ASSERT_TRUE(first.Start(BesideTests("Tidewave.exe")));
  HWND main = first.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(724, client.right);
  EXPECT_EQ(540, client.bottom);
  EXPECT_TRUE(MutexExists());
  // Hidden in the tray, as its own button puts it.
  HWND surface = FindWindowExA(main, nullptr, "TidewaveNavigation", nullptr);
  SendMessageA(GetDlgItem(surface, IDC_FS_trayButton), BM_CLICK, 0, 0);
  ASSERT_FALSE(IsWindowVisible(main));

  Program second;
  ASSERT_TRUE(second.Start(BesideTests("Tidewave.exe")));
  HWND box = second.WaitForWindow("#32770", "Tidewave");
  ASSERT_NE(nullptr, box) << "no message box from the second instance";
  std::vector<std::string> texts, buttons;
  HWND ok = nullptr;
  for (HWND child : Children(box)) {
    if (ClassName(child) == "Static" && !WindowText(child).empty()) texts.push_back(WindowText(child));
    if (ClassName(child) == "Button" && IsWindowVisible(child)) {
      buttons.push_back(WindowText(child));
      ok = child;
    }
  }
  EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "The program already opening"));
  ASSERT_EQ(std::vector<std::string>{"OK"}, buttons);
  SendMessageA(ok, BM_CLICK, 0, 0);
  DWORD exitCode = 1234;
  ASSERT_TRUE(second.WaitForExit(10000, &exitCode));
  EXPECT_EQ(0u, exitCode);

  EXPECT_TRUE(first.IsRunning());
  EXPECT_TRUE(IsWindow(main) && IsWindowVisible(main)) << "out of the tray after the message";
  EXPECT_FALSE(IsIconic(main));
  EXPECT_EQ(main, GetForegroundWindow());
  EXPECT_TRUE(MutexExists());

  // Exit from the tray icon's menu ends it the program's own way.
  HWND tray = first.FindAnyWindow("TidewaveTray");
  ASSERT_NE(nullptr, tray);
  // Without a window manager the activation of the window just brought
  // forward arrives late and may close a menu opened at once: click again.
  HWND menu = nullptr;
  for (int i = 0; i < 200 && (menu == nullptr || !IsWindowVisible(menu)); ++i, Sleep(50)) {
    if (i % 20 == 0) PostMessageA(tray, WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONDOWN, 0));
    menu = first.FindAnyWindow("#32768");
  }
  ASSERT_TRUE(menu != nullptr && IsWindowVisible(menu)) << "no menu on a right click";
  PostMessageA(menu, WM_CHAR, 'x', 0);
  ASSERT_TRUE(first.WaitForExit(10000, &exitCode));
  EXPECT_EQ(0u, exitCode);
  EXPECT_FALSE(MutexExists());
}

}  // namespace
}  // namespace tw::test

// End to end: the real Tidewave.exe, started the way a user starts it.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/wine/Program.h"

namespace tw::test {
namespace {

bool MutexExists() {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "MarlpitTidewave");
  if (mutex) CloseHandle(mutex);
  return mutex != nullptr;
}

TEST(Startup, OpensOneMainWindowAndRefusesASecondInstance) {
  ASSERT_FALSE(MutexExists()) << "another Tidewave is still running in this prefix";
  Program first;
  ASSERT_TRUE(first.Start(BesideTests("Tidewave.exe")));
  HWND main = first.WaitForWindow("TidewaveMain", "Tidewave");
  ASSERT_NE(nullptr, main);
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(724, client.right);
  EXPECT_EQ(540, client.bottom);
  EXPECT_TRUE(MutexExists());

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
  EXPECT_TRUE(IsWindow(main) && IsWindowVisible(main)) << "the first instance is untouched";
  EXPECT_TRUE(MutexExists());

  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(first.WaitForExit(10000, &exitCode));
  EXPECT_EQ(0u, exitCode);
  EXPECT_FALSE(MutexExists());
}

}  // namespace
}  // namespace tw::test

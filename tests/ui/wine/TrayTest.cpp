// The tray control against Wine's real notification area.
#include <gtest/gtest.h>

#include "support/FakeShell.h"
#include "ui/win32/Tray.h"

namespace tw::test {
namespace {

TEST(Tray, TheRealNotificationAreaTakesTheIconItsBalloonAndItsRemoval) {
  // Records each call and passes it on to the real shell.
  struct PassThrough final : ui::INotifyIcon {
    ui::Win32NotifyIcon real;
    std::vector<bool> results;
    bool Shell_NotifyIconA(std::uint32_t message, const ui::NotifyIconData& data) override {
      results.push_back(real.Shell_NotifyIconA(message, data));
      return results.back();
    }
  } shell;
  ui::Tray tray(shell);
  ASSERT_TRUE(tray.Create());
  tray.SetTrayImage(LoadIconA(nullptr, IDI_APPLICATION));
  tray.Show(true);
  tray.Show(true);
  tray.showBalloonoolTip(true);
  tray.Show(false);
  EXPECT_EQ((std::vector<bool>{true, true, true, true}), shell.results);
}

TEST(Tray, ABitmapOfAnySizeBecomesA32By32Icon) {
  RecordingNotifyIcon shell;
  ui::Tray tray(shell);
  for (const int size : {16, 32, 48}) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    tray.SetTrayImage(bitmap);
    DeleteObject(bitmap);
    ASSERT_NE(nullptr, tray.TrayImage()) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(tray.TrayImage(), &info));
    EXPECT_TRUE(info.fIcon);
    BITMAP colour{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof colour, &colour);
    EXPECT_EQ(32, colour.bmWidth) << size;
    EXPECT_EQ(32, info.hbmColor ? colour.bmHeight : colour.bmHeight / 2) << size;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }

  tray.SetTrayImage(static_cast<HBITMAP>(nullptr));
  EXPECT_EQ(nullptr, tray.TrayImage()) << "no picture clears the icon";
}

TEST(Tray, ClicksReachTheHostOncePerPause) {
  RecordingNotifyIcon shell;
  ui::Tray tray(shell);
  ASSERT_TRUE(tray.Create());
  int left = 0, right = 0, mouse = 0, lastButton = 0;
  tray.LeftClick = [&] { ++left; };
  tray.RightClick = [&] { ++right; };
  tray.MouseClick = [&](int& button) { ++mouse, lastButton = button; };
  auto shellSays = [&](UINT action) { SendMessageA(tray.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(action, 0)); };
  auto waitForPause = [] {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < 200) {
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(5);
    }
  };
  shellSays(WM_LBUTTONDOWN);
  shellSays(WM_LBUTTONUP);
  shellSays(WM_RBUTTONDOWN);
  EXPECT_EQ(1, left);
  EXPECT_EQ(0, right) << "ignored while the first click's pause runs";
  waitForPause();
  shellSays(WM_RBUTTONDOWN);
  EXPECT_EQ(1, right);
  waitForPause();
  tray.Icon().SetEventMode(1);
  shellSays(WM_RBUTTONDOWN);
  EXPECT_EQ(1, mouse);
  EXPECT_EQ(2, lastButton);
}

}  // namespace
}  // namespace tw::test

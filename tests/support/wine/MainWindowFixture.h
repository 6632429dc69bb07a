#pragma once
// The real main window in the test's own process, over a scratch registry key
// and the prefix's windows, with a recording shell, message box, network,
// sound and notification area.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/win32/MainWindow.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Version.h"
#include "support/FakeNetwork.h"
#include "support/FakeShell.h"
#include "support/RecordingMessageBox.h"
#include "support/RegistryTest.h"

namespace tw::test {

class MainWindowFixture : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    app_ = std::make_unique<AppContext>(AppContext{.registry = registry(), .shell = shell_, .files = files_,
                                                   .clock = clock_, .messages = messages_, .network = network_,
                                                   .sound = sound_, .programFolder = "C:\\Tidewave"});
  }
  void TearDown() override {
    main_.reset();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    RegistryTest::TearDown();
  }
  // Creates the window, laid out at `dpi`, and runs its start-up up to the message loop.
  MainWindow& Open(int showCommand = SW_HIDE, int dpi = ui::kDesignDpi) {
    main_.reset();
    main_ = std::make_unique<MainWindow>(*app_, version_, notify_, dpi);
    EXPECT_TRUE(main_->Create(showCommand));
    return *main_;
  }
  // The same, and the rest of its start-up in the message loop.
  MainWindow& Start(int showCommand = SW_HIDE, int dpi = ui::kDesignDpi) {
    Open(showCommand, dpi);
    for (int i = 0; i < 500 && !main_->StartupFinished(); ++i) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      MSG message;
      while (!main_->StartupFinished() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    EXPECT_TRUE(main_->StartupFinished());
    return *main_;
  }
  static bool HasVisibleStyle(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }
  // The panels shown in the host.
  std::vector<PanelId> VisiblePanels() {
    std::vector<PanelId> visible;
    for (const PanelInfo& info : kPanels) {
      ui::Panel& panel = main_->Panel(info.id);
      if (panel.IsLoaded() && HasVisibleStyle(panel.hwnd())) visible.push_back(info.id);
    }
    return visible;
  }
  // A key as the program's message loop hands it on: F1 to the main window,
  // the rest through IsDialogMessage.
  void LoopKey(WPARAM key) {
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
      MSG msg{GetFocus(), message, key, static_cast<LPARAM>(message == WM_KEYUP ? 0xC0000000u : 0u), 0, {}};
      if (main_->TranslateHelpKey(msg)) continue;
      if (!IsDialogMessageA(main_->hwnd(), &msg)) DispatchMessageA(&msg);
    }
  }

  FakeShell shell_;
  RecordingMessageBox messages_;
  FakeNetwork network_;
  RecordingSound sound_;
  Win32Version version_;
  Win32FileSystem files_;
  Win32Clock clock_;
  RecordingNotifyIcon notify_;
  std::unique_ptr<AppContext> app_;
  std::unique_ptr<MainWindow> main_;
};

}  // namespace tw::test

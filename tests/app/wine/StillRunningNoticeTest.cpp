// Hiding to the tray tells the user the program still runs: the tray's own
// balloon on the NT family, the program's timed notice in the bottom-right
// corner on the 9x family. The start-in-tray option comes from the panel.
#include <gtest/gtest.h>

#include <memory>

#include "app/win32/MainWindow.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Version.h"
#include "settings/RegistrySettings.h"
#include "settings/win32/frmMainSettings.h"
#include "support/FakeShell.h"
#include "support/FakeNetwork.h"
#include "support/RecordingMessageBox.h"
#include "support/RegistryTest.h"
#include "support/wine/Program.h"

namespace tw::test {
namespace {

class StillRunningNotice : public RegistryTest {
 protected:
  void TearDown() override {
    main_.reset();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    RegistryTest::TearDown();
  }
  MainWindow& Start() {
    app_ = std::make_unique<AppContext>(AppContext{.registry = registry(), .shell = shell_, .files = files_,
                                                   .clock = clock_, .messages = messages_, .network = network_, .sound = sound_, .programFolder = ""});
    main_ = std::make_unique<MainWindow>(*app_, version_, notify_);
    EXPECT_TRUE(main_->Create());
    return *main_;
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

TEST_F(StillRunningNotice, StartingInTheTrayShowsTheFamilysNotice) {
  SaveSettingValue(registry(), SettingsPath(kMainSettingsKey), "chkRunProgramMini", "1");
  MainWindow& main = Start();
  auto& settings = dynamic_cast<frmMainSettings&>(main.Panel(PanelId::frmMainSettings));
  EXPECT_TRUE(settings.Values().chkRunProgramMini) << "read by the panel as it loaded";
  ASSERT_TRUE(main.StartedInTray());
  ui::msgFrm& notice = main.StillRunningNotice();
  if (TestFamily() == "xp") {
    EXPECT_FALSE(notice.IsLoaded()) << "the tray's balloon says it on the NT family";
    return;
  }
  ASSERT_TRUE(notice.IsLoaded());
  EXPECT_TRUE(IsWindowVisible(notice.hwnd()));
  EXPECT_EQ("The Program Still Running Here", WindowText(notice.Control(ui::IDC_aMsg)));
  EXPECT_EQ("Program notification", WindowText(notice.Control(ui::IDC_aTitle)));
  EXPECT_EQ(ui::TailStyle::None, notice.Tail());
  // Against the bottom-right corner: standing on the screen's bottom edge.
  RECT rect{};
  GetWindowRect(notice.hwnd(), &rect);
  EXPECT_EQ(ui::ScreenSize().cy, rect.bottom);
  EXPECT_EQ(ui::ScreenSize().cx - 40 + 42, rect.right);
}

TEST_F(StillRunningNotice, TheTrayCommandShowsItToo) {
  MainWindow& main = Start();
  EXPECT_FALSE(main.StillRunningNotice().IsLoaded());
  main.OnNavigationCommand("IDC_FS_tray", "");
  EXPECT_FALSE(IsWindowVisible(main.hwnd()));
  EXPECT_EQ(TestFamily() != "xp", main.StillRunningNotice().IsLoaded());
}

}  // namespace
}  // namespace tw::test

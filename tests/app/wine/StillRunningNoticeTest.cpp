// Hiding to the tray tells the user the program still runs: the tray's own
// balloon on the NT family, the program's timed notice in the bottom-right
// corner on the 9x family. The start-in-tray option comes from the panel.
#include <gtest/gtest.h>

#include <memory>

#include "settings/RegistrySettings.h"
#include "settings/win32/frmMainSettings.h"
#include "support/wine/MainWindowFixture.h"
#include "support/wine/Program.h"

namespace tw::test {
namespace {

// Started as the program starts, with no folder of its own.
class StillRunningNotice : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    app_->programFolder.clear();
  }
};

TEST_F(StillRunningNotice, StartingInTheTrayShowsTheFamilysNotice) {
  SaveSettingValue(registry(), SettingsPath(kMainSettingsKey), "chkRunProgramMini", "1");
  MainWindow& main = Start();
  auto& settings = static_cast<frmMainSettings&>(main.Panel(PanelId::frmMainSettings));
  EXPECT_TRUE(settings.Values().chkRunProgramMini) << "read by the panel as it started";
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
  main.OnNavigationCommand(NavigationCommand::Tray);
  EXPECT_FALSE(IsWindowVisible(main.hwnd()));
  EXPECT_EQ(TestFamily() != "xp", main.StillRunningNotice().IsLoaded());

  // A shell before version 5 (NT 4.0's) has no balloon: the notice says it there too.
  main.StillRunningNotice().Unload();
  main.RestoreMainWindow();
  main.Tray1.Icon().UseOriginalShellRecord();
  main.OnNavigationCommand(NavigationCommand::Tray);
  EXPECT_TRUE(main.StillRunningNotice().IsLoaded());
}

}  // namespace
}  // namespace tw::test

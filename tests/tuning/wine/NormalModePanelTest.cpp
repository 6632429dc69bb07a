// The real step-by-step editor with real controls, walked page by page to
// "Finish" as a user does it, in a test host standing in for the main window;
// then the registry and the backup are read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "backup/BackupFile.h"
#include "platform/win32/Win32Registry.h"
#include "support/TcpIpKeys.h"
#include "support/TuningKeys.h"
#include "support/wine/Program.h"
#include "support/wine/ScratchFolder.h"
#include "support/wine/RealSystemTest.h"
#include "support/wine/TestPanelHost.h"
#include "tcpip/TcpIpLayout.h"
#include "tuning/win32/frmNormalMode.h"

namespace tw::test {
namespace {

class NormalModePanel : public PanelTest<kNormalModePanel> {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    app_.tuning.CurrentSettings = app_.tuning.PresetSettings[0];
    ASSERT_TRUE(host_.Show(panel_));
  }

  HWND Control(int id) { return panel_.Control(id); }
  std::string Text(int id) { return WindowText(Control(id)); }
  bool Visible(int id) { return IsWindowVisible(Control(id)) != FALSE; }
  // As typing does: the box gets its new text and tells the panel.
  void Type(int id, const char* text) {
    SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    PumpMessages();
  }
  void Key(int id, WPARAM key) {
    SendMessageA(Control(id), WM_KEYDOWN, key, 0);
    SendMessageA(Control(id), WM_KEYUP, key, 0);
    PumpMessages();
  }
  // Only this page's controls are shown.
  void ExpectPage(int page) {
    for (const ui::ControlSpec& control : kNormalModePanel.controls) {
      const int on = PageOf(control.id);
      if (on < 0) continue;
      EXPECT_EQ(on == page, Visible(control.id)) << "control " << control.id << " on page " << page;
    }
    EXPECT_EQ(page, panel_.Pages().currWizardPage);
  }

  frmNormalMode panel_{app_.tuning, [this](const TcpIpSettings& settings) {
                         return ApplySettings(Target(), settings);
                       },
                       registry_, app_.os, messages_};
};

TEST_F(NormalModePanel, AWalkThroughEveryPageToFinishAppliesWhatThePagesShowAfterABackup) {
  const bool nt = IsNtFamily(app_.os.code);
  const std::string parameters(nt ? kTcpipParametersKey : kMstcpKey);
  const std::string before = BackupContents(registry_, app_.os, clock_.GetLocalTime());

  EXPECT_EQ("Normal Mode", WindowText(panel_.hwnd()));
  EXPECT_EQ((std::vector<std::string>{"applyAllControls frmNormalMode"}), host_.Calls());
  EXPECT_EQ("Step 5 of 8 : TTL && IE Optimization", Text(WizardPageId(4))) << "a group box shows one &";
  ExpectPage(0);
  EXPECT_FALSE(IsWindowEnabled(Control(IDC_cmdPrevPage)));
  EXPECT_EQ("Next>>", Text(IDC_cmdNextPage));
  EXPECT_EQ(0, app_.tuning.CurrentSettings.NDI) << "loading chose the first NDI item";

  Click(Control(OptConnTypeId(2)));
  EXPECT_EQ(2, panel_.Pages().connectionType);
  Click(Control(IDC_cmdNextPage));
  ExpectPage(1);
  EXPECT_EQ("1492", Text(IDC_txtMTUValue));
  EXPECT_EQ("1452Byte", Text(IDC_lblMSSRecVaklue));
  Type(IDC_txtMTUValue, "1400");
  Click(Control(IDC_cmdNextPage));
  EXPECT_EQ(1, panel_.Pages().currWizardPage) << "DSL's MSS of 1452 is more than the MTU less 40";
  EXPECT_EQ("Type a whole number from 536 to 1360.", Text(IDC_lblStepProblem));
  Type(IDC_txtMSSValue, "1360");

  Click(Control(IDC_cmdNextPage));
  ExpectPage(2);
  Click(Control(IDC_chkBlackHoleValue));
  EXPECT_TRUE(app_.tuning.CurrentSettings.BlackHole);

  Click(Control(IDC_cmdNextPage));
  ExpectPage(3);
  EXPECT_EQ("239360", Text(IDC_txtRWIN)) << "1360 x 44 x 4: the MSS typed";
  Type(IDC_txtMultiplier, "20");
  EXPECT_EQ("108800", Text(IDC_txtRWIN));

  Click(Control(IDC_cmdNextPage));
  ExpectPage(4);
  // Typing is never put back. Leaving the box, it says beside it what it
  // takes, keeps the keyboard, and keeps the page from being left.
  SetFocus(Control(IDC_txtTTLValue));
  Type(IDC_txtTTLValue, "abc");
  EXPECT_EQ("abc", Text(IDC_txtTTLValue));
  SetFocus(Control(IDC_txtHTTP10Value));
  PumpMessages();
  EXPECT_EQ(Control(IDC_txtTTLValue), GetFocus());
  EXPECT_EQ("Type a whole number from 1 to 255.", Text(IDC_lblStepProblem));
  EXPECT_TRUE(Visible(IDC_lblStepProblem));
  EXPECT_FALSE(Visible(IDC_lblTTLRecom)) << "in the place of the box's label";
  Click(Control(IDC_cmdNextPage));
  EXPECT_EQ(4, panel_.Pages().currWizardPage);
  Type(IDC_txtTTLValue, "100");
  EXPECT_FALSE(Visible(IDC_lblStepProblem)) << "gone once the box passes";
  Type(IDC_txtHTTP10Value, "12");

  Click(Control(IDC_cmdNextPage));
  ExpectPage(5);
  Click(Control(IDC_cmdNextPage));
  ExpectPage(6);
  // The up-down steps its box with the arrow keys; the box is read-only.
  EXPECT_EQ("2", Text(IDC_txtSYNValue));
  Key(IDC_txtSYNValue, VK_DOWN);
  EXPECT_EQ("1", Text(IDC_txtSYNValue));
  SendMessageA(Control(IDC_cmbNDI), CB_SETCURSEL, 3, 0);
  SendMessageA(panel_.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_cmbNDI, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Control(IDC_cmbNDI)));

  Click(Control(IDC_cmdNextPage));
  ExpectPage(7);
  EXPECT_EQ("Finish", Text(IDC_cmdNextPage));
  host_.ClearCalls();

  Click(Control(IDC_cmdNextPage));
  EXPECT_EQ(ApplyOutcome::Applied, panel_.Pages().LastApply().outcome);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ((std::vector<std::string>{"BringMovieToFront", "ShowHome"}), host_.Calls());
  EXPECT_FALSE(IsWindowEnabled(Control(IDC_cmdNextPage)));
  EXPECT_TRUE(Visible(IDC_chkICMPValue)) << "the last page stays";

  // What the pages showed is in the registry now.
  auto read = [&](std::string_view key, std::string_view name, RegHandle hive = kHkeyLocalMachine) {
    return ReadCurrentValue(registry_, hive, key, name);
  };
  EXPECT_EQ(100.0, read(parameters, "DefaultTTL"));
  EXPECT_EQ(108800.0, read(parameters, nt ? "GlobalMaxTcpWindowSize" : "DefaultRcvWindow"));
  EXPECT_EQ(1.0, read(parameters, nt ? "EnablePMTUBHDetect" : "PMTUBlackHoleDetect"));
  EXPECT_EQ(8.0, read(kNdiCacheKey, ""));
  EXPECT_EQ(12.0, read(nt ? kInternetSettingsNtKey : kInternetSettings9xKey, "MaxConnectionsPer1_0Server",
                       kHkeyCurrentUser));
  if (nt) {
    EXPECT_EQ(1.0, read(parameters, "SYNAttackProtect")) << "98 has no SYN value";
  }

  // And the backup holds what was there before.
  ASSERT_EQ((std::vector<std::string>{"001.BCK"}), FolderEntries(folder_.path() + "\\Backups"));
  std::ifstream in(folder_.path() + "\\Backups\\001.BCK", std::ios::binary);
  std::stringstream written;
  written << in.rdbuf();
  const std::string backup = written.str();
  EXPECT_EQ(before.substr(before.find("\r\n", 14)), backup.substr(backup.find("\r\n", 14)));
}

TEST_F(NormalModePanel, TheKeyboardReachesEveryShownControlAndPressesTheButtons) {
  // Through the dialog manager, as the message loop hands keys over.
  auto press = [&](WPARAM key) {
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
      MSG msg{GetFocus(), message, key, static_cast<LPARAM>(message == WM_KEYUP ? 0xC0000000u : 0u), 0, {}};
      if (!IsDialogMessageA(host_.HostWindow(), &msg)) DispatchMessageA(&msg);
    }
    PumpMessages();
  };
  SetFocus(Control(OptConnTypeId(0)));
  press(VK_DOWN);
  EXPECT_EQ(1, panel_.Pages().connectionType);
  press(VK_TAB);
  EXPECT_EQ(Control(IDC_cmdNextPage), GetFocus()) << "past the disabled <<Back";
  press(VK_SPACE);
  ExpectPage(1);
  press(VK_TAB);
  EXPECT_EQ(Control(IDC_txtMTUValue), GetFocus()) << "the shown page's first box, not a hidden one";
  press(VK_TAB);
  press(VK_TAB);
  EXPECT_EQ(Control(IDC_cmdPrevPage), GetFocus());
  press(VK_SPACE);
  ExpectPage(0);
  EXPECT_EQ(Control(IDC_cmdNextPage), GetFocus()) << "a disabled <<Back hands the keyboard on";
}

}  // namespace
}  // namespace tw::test

// The real Wizard Mode panel with real controls, driven by messages as a user
// or a screen reader drives it, in a test host standing in for the main window.
#include <gtest/gtest.h>

#include "backup/BackupFile.h"
#include "platform/win32/Win32Registry.h"
#include "settings/RegistrySettings.h"
#include "support/TuningKeys.h"
#include "support/wine/Program.h"
#include "support/wine/ScratchFolder.h"
#include "support/wine/RealSystemTest.h"
#include "support/wine/TestPanelHost.h"
#include "support/TcpIpKeys.h"
#include "tcpip/TcpIpLayout.h"
#include "tuning/win32/frmWizardMode.h"

namespace tw::test {
namespace {

class WizardModePanel : public PanelTest<kWizardModePanel> {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    ASSERT_TRUE(host_.Show(panel_));
  }

  HWND Control(int id) { return panel_.Control(id); }
  std::string Description() { return WindowText(Control(IDC_lblModeDescrip)); }
  bool Checked(int index) { return SendMessageA(Control(OptModeId(index)), BM_GETCHECK, 0, 0) == BST_CHECKED; }

  frmWizardMode panel_{app_.tuning, [this](const TcpIpSettings& settings) {
                         return ApplySettings(Target(), settings);
                       },
                       registry_, app_.os, messages_};
};

TEST_F(WizardModePanel, LoadsWithAutomaticAAndItsControlsAsLaidOut) {
  EXPECT_EQ("Wizard Mode", WindowText(panel_.hwnd()));
  EXPECT_EQ(host_.HostWindow(), GetParent(panel_.hwnd()));
  EXPECT_EQ((std::vector<std::string>{"applyAllControls frmWizardMode"}), host_.Calls());
  EXPECT_EQ("Optimization Modes", WindowText(Control(IDC_frameOptimizationMode)));
  EXPECT_EQ("Optimize &Now", WindowText(Control(IDC_cmdOptimize)));
  const char* const captions[] = {"Automatic-A", "Automatic-B", "Automatic-C", "Automatic-D",
                                  "Automatic-E", "Automatic-F", "Automatic-G", "Windows default"};
  for (int i = 0; i < kPresetCount; ++i) EXPECT_EQ(captions[i], WindowText(Control(OptModeId(i))));
  EXPECT_TRUE(Checked(0));
  EXPECT_EQ(app_.tuning.PresetSettings[0], app_.tuning.CurrentSettings);
  EXPECT_EQ(ModeDescription(app_.tuning.PresetSettings[0]), Description()) << "the exact text, TABs and all";

  // Automatic-D sits in the right column of the second row, inside the frame,
  // the content centred in the panel.
  RECT d{};
  GetWindowRect(Control(OptModeId(3)), &d);
  MapWindowPoints(nullptr, panel_.hwnd(), reinterpret_cast<POINT*>(&d), 2);
  const ui::PixelRect expected = ui::ControlRect(kWizardModeControls[4], kWizardModeControls);
  const ui::PixelOffset centred =
      ui::CentringOffset(kWizardModeControls, kWizardModePanel.width, kWizardModePanel.height);
  EXPECT_EQ(expected.left + centred.dx, d.left);
  EXPECT_EQ(expected.top + centred.dy, d.top);
  EXPECT_EQ(expected.width, d.right - d.left);
}

TEST_F(WizardModePanel, ClickingAModeCopiesItsPresetAndShowsItsValues) {
  Click(Control(OptModeId(2)));
  EXPECT_TRUE(Checked(2));
  EXPECT_FALSE(Checked(0)) << "one group";
  EXPECT_EQ(app_.tuning.PresetSettings[2], app_.tuning.CurrentSettings);
  EXPECT_NE(std::string::npos, Description().find("MTU = -1"));
  EXPECT_NE(std::string::npos, Description().find("RWIN = -1"));

  Click(Control(OptModeId(7)));
  EXPECT_EQ(app_.tuning.PresetSettings[7], app_.tuning.CurrentSettings);
  EXPECT_NE(std::string::npos, Description().find("MSCPS0 = Windows decides\t\tMSCPS1 = Windows decides"));
  EXPECT_EQ("MSCPS0 = auto", WindowText(Control(ModeValueId(4))));
  EXPECT_EQ("Windows decides every value: each Windows uses its own defaults.",
            WindowText(Control(IDC_lblModeSuits)));

  // No option reaches this; a caller that passes it gets the program's message.
  panel_.optMode_Click(8);
  ASSERT_EQ(1u, messages_.shown.size());
  EXPECT_EQ("Error no such this mode", messages_.shown[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_OK), messages_.shown[0].flags);
  EXPECT_EQ(app_.tuning.PresetSettings[7], app_.tuning.CurrentSettings) << "nothing copied";
  EXPECT_EQ(ModeDescription(app_.tuning.PresetSettings[7]), Description()) << "shown again all the same";
  EXPECT_EQ(1u, host_.Calls().size()) << "no trip home";
}

TEST_F(WizardModePanel, ArrowKeysMoveWithinTheColumnsOfModesAndChooseThem) {
  // Through the dialog manager, as the message loop hands keys over.
  auto press = [&](WPARAM key) {
    MSG msg{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    if (!IsDialogMessageA(host_.HostWindow(), &msg)) DispatchMessageA(&msg);
    PumpMessages();
  };
  SetFocus(Control(OptModeId(0)));
  press(VK_DOWN);
  EXPECT_EQ(Control(OptModeId(2)), GetFocus()) << "Automatic-C, below A, not B beside it";
  EXPECT_TRUE(Checked(2));
  EXPECT_EQ(app_.tuning.PresetSettings[2], app_.tuning.CurrentSettings);
  press(VK_RIGHT);
  EXPECT_TRUE(Checked(3));
  press(VK_UP);
  press(VK_UP);
  EXPECT_EQ(Control(OptModeId(7)), GetFocus()) << "up from B goes round to Windows default";
  EXPECT_EQ(ModeDescription(app_.tuning.PresetSettings[7]), Description());
}

TEST_F(WizardModePanel, OptimizeNowAppliesThenSendsTheSurfaceHome) {
  Click(Control(OptModeId(4)));
  host_.ClearCalls();
  // The step-by-step pages, which share CurrentSettings, have changed it since.
  app_.tuning.CurrentSettings = app_.tuning.PresetSettings[6];
  Click(Control(IDC_cmdOptimize));

  EXPECT_EQ(ApplyOutcome::Applied, panel_.LastApply().outcome);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ((std::vector<std::string>{"BringMovieToFront", "ShowHome"}), host_.Calls());
  EXPECT_EQ((std::vector<std::string>{"001.BCK"}), FolderEntries(folder_.path() + "\\Backups"));
  const std::string_view parameters = IsNtFamily(app_.os.code) ? kTcpipParametersKey : kMstcpKey;
  EXPECT_EQ(64.0, ReadCurrentValue(registry_, kHkeyLocalMachine, parameters, "DefaultTTL")) << "Automatic-E";

  // Twice: two applies, two backups.
  Click(Control(IDC_cmdOptimize));
  EXPECT_EQ((std::vector<std::string>{"001.BCK", "002.BCK"}), FolderEntries(folder_.path() + "\\Backups"));
}

TEST_F(WizardModePanel, WithoutABackupNothingIsAppliedAndThePanelStays) {
  // A "Backups" that is a file: the folder can be neither made nor used.
  Win32FileSystem files;
  ASSERT_EQ(kErrorSuccess, files.WriteNewFile(folder_.path() + "\\Backups", "a file in the way"));
  const std::string before = BackupContents(registry_, app_.os, clock_.GetLocalTime());
  host_.ClearCalls();

  Click(Control(IDC_cmdOptimize));

  EXPECT_EQ(ApplyOutcome::RefusedWithoutBackup, panel_.LastApply().outcome);
  ASSERT_EQ(1u, messages_.shown.size());
  EXPECT_EQ(panel_.LastApply().message, messages_.shown[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), messages_.shown[0].flags);
  EXPECT_TRUE(host_.Calls().empty()) << "the user stays where the message is about";
  // The backup's own reading of the registry, less its date and time: nothing changed.
  const std::string after = BackupContents(registry_, app_.os, clock_.GetLocalTime());
  EXPECT_EQ(before.substr(before.find("\r\n", 14)), after.substr(after.find("\r\n", 14)));
}

// Whether `control` shows its whole text in its font, and lies inside `frame`.
void ExpectWholeAndInside(HWND control, const RECT& frame) {
  RECT rect{};
  GetWindowRect(control, &rect);
  const std::string text = WindowText(control);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  EXPECT_LE(size.cx, rect.right - rect.left) << "\"" << text << "\" is cut";
  EXPECT_TRUE(rect.left >= frame.left && rect.right <= frame.right && rect.bottom <= frame.bottom) << text;
}

TEST_F(WizardModePanel, BesideEachValueTheValueWindowsHoldsNowWithItsMarks) {
  const bool nt = IsNtFamily(app_.os.code);
  const std::string_view parameters = nt ? kTcpipParametersKey : kMstcpKey;
  SetTypedValue(registry_, kHkeyLocalMachine, parameters, "DefaultTTL", nt ? kRegDword : kRegSz, Variant(77));
  ShowWindow(panel_.hwnd(), SW_HIDE);
  ShowWindow(panel_.hwnd(), SW_SHOWNA);  // shown again: read again

  constexpr int kTtl = 11, kKeepAlive = 8, kSyn = 10;
  ASSERT_EQ(TcpIpField::TTL, kDescribedFields[kTtl]);
  EXPECT_EQ("TTL= 128", WindowText(Control(ModeValueId(kTtl)))) << "Automatic-A, in the description's words";
  EXPECT_EQ("77", WindowText(Control(ModeNowId(kTtl))));
  EXPECT_EQ("*", WindowText(Control(ModeMarkId(kTtl))));
  EXPECT_EQ("Now", WindowText(Control(IDC_lblNowHeading_1)));
  EXPECT_EQ("Suits a dial-up modem: small packets, small receive window.", WindowText(Control(IDC_lblModeSuits)));
  // Keep-alive times act only where a program asks for them, on every Windows.
  EXPECT_NE(std::string::npos, WindowText(Control(ModeMarkId(kKeepAlive))).find('!'));
  EXPECT_NE(std::string::npos, panel_.ToolTip(ModeNowId(kKeepAlive)).find("SO_KEEPALIVE"));
  if (!nt) {
    EXPECT_EQ("n/a", WindowText(Control(ModeNowId(kSyn))));
    EXPECT_EQ("!", WindowText(Control(ModeMarkId(kSyn))));
    EXPECT_NE(std::string::npos, panel_.ToolTip(ModeValueId(kSyn)).find("Windows 98"));
  } else {
    EXPECT_EQ("", panel_.ToolTip(ModeValueId(kSyn))) << "XP reads SYNAttackProtect";
  }

  // Every cell shows its whole text inside the frame, for the widest mode too.
  Click(Control(OptModeId(4)));
  RECT frame{};
  GetWindowRect(Control(IDC_frameOptimizationMode), &frame);
  for (int cell = 0; cell < kDescribedCount; ++cell) {
    for (int id : {ModeValueId(cell), ModeNowId(cell), ModeMarkId(cell)}) ExpectWholeAndInside(Control(id), frame);
  }
  ExpectWholeAndInside(Control(IDC_lblModeSuits), frame);

  // After the apply Windows holds the mode's values: nothing left to change.
  Click(Control(IDC_cmdOptimize));
  EXPECT_EQ("64", WindowText(Control(ModeNowId(kTtl))));
  EXPECT_EQ("", WindowText(Control(ModeMarkId(kTtl))));
}

}  // namespace
}  // namespace tw::test

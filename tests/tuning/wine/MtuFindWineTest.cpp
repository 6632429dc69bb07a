// "Find" on the real MTU page: real echo requests with Don't Fragment to the
// pinger's saved host, 127.0.0.1, from the search's own thread; loopback
// carries every size. Echoes a test holds show the page while it searches, a
// cancel, and a panel closed under a running search.
#include <gtest/gtest.h>
#include <windows.h>

#include "pinger/NetPinger.h"
#include "settings/RegistrySettings.h"
#include "support/FakeNetwork.h"
#include "support/wine/LoopbackOnlyNetwork.h"
#include "support/wine/RealSystemTest.h"
#include "support/wine/WindowPicture.h"
#include "tuning/win32/frmNormalMode.h"
#include "ui/win32/Window.h"

namespace tw::test {
namespace {

// An event of the test's, closed with it.
struct Event {
  HANDLE handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Event() = default;
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  ~Event() { CloseHandle(handle); }
};

class MtuFindPanel : public PanelTest<kNormalModePanel> {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    const std::string path = SettingsPath(kNetPingerKey);
    snapshot_.Keep(kHkeyLocalMachine, path, {"optAuto", "optManual", "txtPingHost"});
    SaveSettingValue(registry_, path, "optAuto", "False");
    SaveSettingValue(registry_, path, "optManual", "True");
    SaveSettingValue(registry_, path, "txtPingHost", "127.0.0.1");
    ASSERT_TRUE(host_.Show(panel_));
    Click(Control(IDC_cmdNextPage));  // a modem's 576 and 536
  }
  void TearDown() override { panel_.Unload(); }

  HWND Control(int id) { return panel_.Control(id); }
  std::string Text(int id) { return ui::WindowText(Control(id)); }
  // Lets the window's messages run until the search has told its end.
  void AwaitEnd() {
    while (Text(IDC_cmdFindMTU) != "&Find") {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      PumpMessages();
    }
  }

  // The pinger's saved host and time-out, over loopback only, each echo logged.
  MtuProbeSource Probe() {
    return {.host = [this] { return SavedPingHost(registry_); },
            .timeoutMs = kPingTimeoutMs,
            .network = [this] { return std::make_unique<LoopbackOnlyNetwork>(sent_, hooks_); }};
  }
  frmNormalMode::Applier Apply() {
    return [this](const TcpIpSettings& settings) { return ApplySettings(Target(), settings); };
  }

  std::vector<EchoSent> sent_;
  EchoHooks hooks_;
  frmNormalMode panel_{app_.tuning, Apply(), registry_, app_.os, messages_, Probe()};
};

TEST_F(MtuFindPanel, FindsThatLoopbackCarries1500AndFillsBothBoxes) {
  EXPECT_EQ("576", Text(IDC_txtMTUValue));
  EXPECT_EQ(std::string(kMtuSearchHint), Text(IDC_lblMTUSearch));
  EXPECT_TRUE(IsWindowVisible(Control(IDC_cmdFindMTU)) && IsWindowEnabled(Control(IDC_cmdFindMTU)));
  // Tab order: the MTU box, "Find", then the MSS box.
  EXPECT_EQ(Control(IDC_cmdFindMTU), GetNextDlgTabItem(panel_.hwnd(), Control(IDC_txtMTUValue), FALSE));
  EXPECT_EQ(Control(IDC_txtMSSValue), GetNextDlgTabItem(panel_.hwnd(), Control(IDC_cmdFindMTU), FALSE));

  SaveWindowPicture(frame_, "mtu-page-before");
  Click(Control(IDC_cmdFindMTU));
  AwaitEnd();
  SaveWindowPicture(frame_, "mtu-page-found");
  EXPECT_EQ("1500", Text(IDC_txtMTUValue));
  EXPECT_EQ("1460", Text(IDC_txtMSSValue));
  EXPECT_EQ("Largest MTU found: 1500 bytes (MSS 1460).", Text(IDC_lblMTUSearch));
  EXPECT_TRUE(messages_.shown.empty());
  ASSERT_EQ(2u, sent_.size()) << "576, then 1500 at once";
  EXPECT_EQ(576u - 28, sent_[0].payload);
  EXPECT_EQ(1500u - 28, sent_[1].payload);
  for (const EchoSent& echo : sent_) {
    EXPECT_EQ(Ipv4(127, 0, 0, 1), echo.address);
    ASSERT_TRUE(echo.options.has_value());
    EXPECT_EQ(kIpFlagDontFragment, echo.options->flags);
  }
}

TEST_F(MtuFindPanel, WhileAnEchoIsOutTheButtonCancelsAndTheBoxesStay) {
  Event started, gate, gone;
  hooks_ = {.started = started.handle, .gate = gate.handle, .gone = gone.handle};
  // The click returns, and the window goes on, while the echo is held.
  Click(Control(IDC_cmdFindMTU));
  WaitForSingleObject(started.handle, INFINITE);
  PumpMessages();
  EXPECT_EQ("&Cancel", Text(IDC_cmdFindMTU));
  EXPECT_EQ("Trying 576 bytes...", Text(IDC_lblMTUSearch));
  SaveWindowPicture(frame_, "mtu-page-searching");

  Click(Control(IDC_cmdFindMTU));
  EXPECT_EQ("&Find", Text(IDC_cmdFindMTU));
  EXPECT_EQ("Search cancelled; the boxes are unchanged.", Text(IDC_lblMTUSearch));
  SetEvent(gate.handle);
  WaitForSingleObject(gone.handle, INFINITE);  // the thread has let go of its network
  PumpMessages();
  EXPECT_EQ(1u, sent_.size()) << "nothing more is sent once cancelled";
  EXPECT_EQ("576", Text(IDC_txtMTUValue));
  EXPECT_EQ("536", Text(IDC_txtMSSValue));
  EXPECT_EQ("Search cancelled; the boxes are unchanged.", Text(IDC_lblMTUSearch));
  EXPECT_TRUE(messages_.shown.empty());
}

// Closed by the navigation (unloaded), or gone with the program (destroyed):
// either way the search's thread ends on its own and reaches no window.
TEST_F(MtuFindPanel, APanelClosedOrDestroyedUnderASearchLeavesItsThreadNothingToWriteTo) {
  for (const bool destroyed : {false, true}) {
    Event started, gate, gone;
    hooks_ = {.started = started.handle, .gate = gate.handle, .gone = gone.handle};
    auto other = std::make_unique<frmNormalMode>(app_.tuning, Apply(), registry_, app_.os, messages_, Probe());
    frmNormalMode& panel = destroyed ? *other : panel_;
    if (destroyed) {
      panel_.Unload();
      ASSERT_TRUE(host_.Show(panel));
      Click(panel.Control(IDC_cmdNextPage));
    }
    Click(panel.Control(IDC_cmdFindMTU));
    WaitForSingleObject(started.handle, INFINITE);
    destroyed ? other.reset() : panel_.Unload();
    SetEvent(gate.handle);
    WaitForSingleObject(gone.handle, INFINITE);
    PumpMessages();
  }
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(2u, sent_.size());
  // Opened again, the page starts afresh and searches again.
  hooks_ = {};
  ASSERT_TRUE(host_.Show(panel_));
  Click(Control(IDC_cmdNextPage));
  Click(Control(IDC_cmdFindMTU));
  AwaitEnd();
  EXPECT_EQ("1500", Text(IDC_txtMTUValue));
}

TEST_F(MtuFindPanel, AHostThatDoesNotAnswerIsToldAndChangesNoBox) {
  hooks_.silent = true;
  Click(Control(IDC_cmdFindMTU));
  AwaitEnd();
  ASSERT_EQ(1u, messages_.shown.size());
  EXPECT_EQ("The host \"127.0.0.1\" of Ping Settings does not answer echo requests, so the largest MTU cannot be "
            "found. Choose a host that answers in Ping Settings. The MTU and MSS boxes are unchanged.",
            messages_.shown[0].text);
  EXPECT_EQ(1u, sent_.size());
  EXPECT_EQ("576", Text(IDC_txtMTUValue));
  EXPECT_EQ("536", Text(IDC_txtMSSValue));
}

}  // namespace
}  // namespace tw::test

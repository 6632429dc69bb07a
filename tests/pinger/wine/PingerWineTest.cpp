// Real ICMP echo under Wine, to loopback only, and one walk of the real pinger
// panel through its controls. An echo to anything but loopback is refused
// before it reaches the system.
#include <gtest/gtest.h>

#include <fstream>

#include "pinger/win32/frmNetPingerSettings.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/Win32Registry.h"
#include "settings/RegistrySettings.h"
#include "support/FakeNetwork.h"
#include "support/RecordingMessageBox.h"
#include "support/RegistrySnapshot.h"
#include "support/wine/LoopbackOnlyNetwork.h"
#include "support/wine/TestPanelHost.h"

namespace tw::test {
namespace {

using namespace netpinger;


std::vector<std::uint32_t> AddressesOf(const std::vector<EchoSent>& log) {
  std::vector<std::uint32_t> addresses;
  for (const EchoSent& echo : log) addresses.push_back(echo.address);
  return addresses;
}

TEST(IcmpEcho, LoopbackAnswersByAddressAndByName) {
  std::vector<EchoSent> sent;
  LoopbackOnlyNetwork network{sent};
  RecordingMessageBox messages;
  PingServices services{network, messages, [] { PumpMessages(); }};
  EXPECT_TRUE(PingHost(services, "127.0.0.1", 10000));
  EXPECT_TRUE(PingHost(services, "localhost", 10000));
  EXPECT_EQ((std::vector<std::uint32_t>(2, Ipv4(127, 0, 0, 1))), AddressesOf(sent));
  EXPECT_TRUE(messages.shown.empty());
}

constexpr const char* kStored[] = {"chkDoPinging", "optAuto", "optManual", "txtPingHost", "cmbPingInterval", "chkSound"};

class NetPingerPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    snapshot_.Keep(kHkeyLocalMachine, path_, {std::begin(kStored), std::end(kStored)});
    RegHandle key = 0;
    if (registry_.OpenKeyEx(kHkeyLocalMachine, path_, kKeyAllAccess, key) == kErrorSuccess) {
      for (const char* name : kStored) registry_.DeleteValue(key, name);
      registry_.CloseKey(key);
    }
    ASSERT_TRUE(host_.Show(panel_));
  }
  // A test that stopped while it held an echo lets it go, or the panel would wait for it.
  void TearDown() override { SetEvent(gate_.get()); }

  HWND Control(int id) { return panel_.Control(id); }
  bool Checked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Enabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }
  std::string Text(int id) { return ui::WindowText(Control(id)); }
  void Type(int id, const char* text) { SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
  // Lets the window's messages run until Ping Now's answer has come.
  void AwaitPingNow() {
    while (!Enabled(IDC_cmdPingNow)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      PumpMessages();
    }
  }

  const std::string path_ = SettingsPath(kNetPingerKey);
  Win32Registry registry_;
  RegistrySnapshot snapshot_{registry_};
  std::vector<EchoSent> sent_;
  // Open unless a test holds an echo: reset, the echo waits in the network.
  // Declared before the panel, which waits for its echo when it goes.
  UniqueHandle gate_{CreateEventA(nullptr, TRUE, TRUE, nullptr)};
  UniqueHandle started_{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  LoopbackOnlyNetwork network_{sent_, {.started = started_.get(), .gate = gate_.get()}};
  RecordingSound sound_;
  RecordingMessageBox messages_;
  TestPanelHost host_{kNetPingerPanel.width, kNetPingerPanel.height};
  frmNetPingerSettings panel_{registry_, network_, sound_, "C:\\Tidewave", messages_};
};

// One walk of a first start: off and locked in automatic mode; enabled,
// switched to manual, saved; pinging the saved host, now and on schedule.
TEST_F(NetPingerPanel, AFirstStartSavedInManualModePingsTheSavedHostNowAndOnSchedule) {
  EXPECT_EQ(std::string(kPingerDescription), Text(IDC_lblPingerDescription));
  ASSERT_EQ(60, SendMessageA(Control(IDC_cmbPingInterval), CB_GETCOUNT, 0, 0));
  EXPECT_TRUE(Checked(IDC_optAuto));
  EXPECT_EQ("Automatic", Text(IDC_txtPingHost));
  EXPECT_EQ("1 min.", Text(IDC_cmbPingInterval));
  for (int id : {IDC_frameConfigurations, IDC_optAuto, IDC_txtPingHost, IDC_cmdPingNow, IDC_cmdSave}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  EXPECT_FALSE(panel_.Pinger().Timer().IsRunning());

  Click(Control(IDC_chkDoPinging));
  EXPECT_TRUE(Enabled(IDC_optManual) && Enabled(IDC_cmdSave));
  EXPECT_FALSE(Enabled(IDC_txtPingHost)) << "still automatic";
  Click(Control(IDC_optManual));
  EXPECT_EQ(std::string(kManualPingHost), Text(IDC_txtPingHost));
  // An empty host is refused under its box, in the sound option's place, and
  // the keyboard goes back to it; a host typed takes the words away.
  Type(IDC_txtPingHost, "");
  Click(Control(IDC_cmdSave));
  EXPECT_TRUE(Enabled(IDC_cmdSave));
  EXPECT_NE("Saved.", Text(IDC_lblPingStatus));
  EXPECT_EQ("", GetSettingValue(registry_, path_, "txtPingHost", "").Text());
  EXPECT_TRUE(IsWindowVisible(Control(IDC_lblPingProblem)) && !IsWindowVisible(Control(IDC_chkSound)));
  EXPECT_EQ(std::string(kNoPingHostProblem), Text(IDC_lblPingProblem));
  EXPECT_EQ(Control(IDC_txtPingHost), GetFocus());
  Type(IDC_txtPingHost, "127.0.0.1");
  EXPECT_TRUE(!IsWindowVisible(Control(IDC_lblPingProblem)) && IsWindowVisible(Control(IDC_chkSound)));
  SendMessageA(Control(IDC_cmbPingInterval), CB_SETCURSEL, 2, 0);
  SendMessageA(panel_.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_cmbPingInterval, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Control(IDC_cmbPingInterval)));
  Click(Control(IDC_chkSound));
  Click(Control(IDC_cmdSave));
  EXPECT_FALSE(Enabled(IDC_cmdSave));
  EXPECT_EQ("Saved.", Text(IDC_lblPingStatus));
  EXPECT_EQ("127.0.0.1", GetSettingValue(registry_, path_, "txtPingHost", "").Text());
  EXPECT_TRUE(panel_.Pinger().Timer().IsRunning());

  Type(IDC_txtPingHost, "localhost");  // not saved, but what Ping Now pings
  // Ping Now waits off the window's thread: held in the network, its echo
  // leaves the window answering and its button resting, so presses queue nothing.
  ResetEvent(gate_.get());
  Click(Control(IDC_cmdPingNow));
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(started_.get(), 10000));
  EXPECT_FALSE(Enabled(IDC_cmdPingNow));
  Click(Control(IDC_cmdPingNow));
  SendMessageA(panel_.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_cmdPingNow, BN_CLICKED),
               reinterpret_cast<LPARAM>(Control(IDC_cmdPingNow)));
  Type(IDC_txtPingHost, "127.20.30.41");
  EXPECT_EQ("127.20.30.41", Text(IDC_txtPingHost)) << "the window answers while the echo waits";
  SetEvent(gate_.get());
  AwaitPingNow();
  const std::string answer = Text(IDC_lblPingStatus);
  EXPECT_EQ(0u, answer.rfind("localhost answered in ", 0)) << answer;
  EXPECT_EQ(answer.size() - 4, answer.rfind(" ms.")) << answer;
  EXPECT_EQ(1u, sent_.size()) << "one echo for all the presses";
  for (int tick = 0; tick < 3; ++tick) panel_.tmrPinger_Timer();
  EXPECT_EQ((std::vector<std::uint32_t>(2, Ipv4(127, 0, 0, 1))), AddressesOf(sent_));
  EXPECT_EQ((std::vector<std::string>(2, "C:\\Tidewave\\Ping.wav 131073")), sound_.played);
  EXPECT_TRUE(messages_.shown.empty());
  // The sound the pinger plays lies beside the program.
  std::ifstream wav(ModuleFolder(nullptr) + "\\Ping.wav", std::ios::binary);
  char header[4] = {};
  EXPECT_TRUE(wav.read(header, 4) && std::string(header, 4) == "RIFF");

  // Left with that typed, No puts back what was saved.
  messages_.answers = {ui::kIdNo};
  EXPECT_TRUE(panel_.QueryLeave());
  EXPECT_EQ("127.0.0.1", Text(IDC_txtPingHost));
  EXPECT_FALSE(Enabled(IDC_cmdSave));
  EXPECT_EQ(1u, messages_.shown.size());

  // What a new start reads is what was saved, not what was typed since.
  panel_.Unload();
  panel_.Stop();
  ASSERT_TRUE(host_.Show(panel_));
  EXPECT_TRUE(Checked(IDC_optManual) && Checked(IDC_chkSound));
  EXPECT_EQ("127.0.0.1", Text(IDC_txtPingHost));
  EXPECT_EQ("3 min.", Text(IDC_cmbPingInterval));
}

}  // namespace
}  // namespace tw::test

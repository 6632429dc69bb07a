// Real ICMP echo under Wine, to loopback only, and one walk of the real pinger
// panel through its controls. Any address that is not loopback is refused
// before it reaches the system.
#include <gtest/gtest.h>

#include <fstream>

#include "pinger/mdlPing.h"
#include "pinger/win32/frmNetPingerSettings.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/Win32Network.h"
#include "platform/win32/Win32Registry.h"
#include "settings/RegistrySettings.h"
#include "support/FakeNetwork.h"
#include "support/RecordingMessageBox.h"
#include "support/RegistrySnapshot.h"
#include "support/wine/TestPanelHost.h"
#include "ui/win32/Window.h"

namespace tw::test {
namespace {

// The system's sockets and ICMP, with every echo to anything but 127.x.x.x
// written down and dropped unsent.
class LoopbackOnlyNetwork final : public INetwork {
 public:
  int WSAStartup(std::uint16_t version, WsaData& data) override {
    const int result = system_.WSAStartup(version, data);
    if (result == 0) ++startups;
    return result;
  }
  int WSACleanup() override {
    ++cleanups;
    return system_.WSACleanup();
  }
  std::optional<HostEntry> gethostbyname(std::string_view name) override { return system_.gethostbyname(name); }
  IcmpHandle IcmpCreateFile() override { return system_.IcmpCreateFile(); }
  std::uint32_t IcmpSendEcho(IcmpHandle handle, std::uint32_t address, std::span<const std::uint8_t> request,
                             std::span<std::uint8_t> reply, std::uint32_t timeoutMs) override {
    sentTo.push_back(address);
    if ((address & 0xFF) != 127) return 0;
    return system_.IcmpSendEcho(handle, address, request, reply, timeoutMs);
  }
  bool IcmpCloseHandle(IcmpHandle handle) override { return system_.IcmpCloseHandle(handle); }

  std::vector<std::uint32_t> sentTo;
  int startups = 0;
  int cleanups = 0;

 private:
  Win32Network system_;
};

TEST(IcmpEcho, LoopbackAnswersByAddressAndByName) {
  LoopbackOnlyNetwork network;
  RecordingMessageBox messages;
  PingServices services{network, messages, [] { PumpMessages(); }};
  EXPECT_TRUE(PingHost(services, "127.0.0.1", 10000));
  EXPECT_TRUE(PingHost(services, "localhost", 10000));
  EchoReplyRecord reply;
  const auto echo = EchoOnce(services, "127.0.0.1", reply, 10000);
  ASSERT_TRUE(echo.has_value());
  EXPECT_GE(echo->replies, 1u);
  EXPECT_EQ(0u, reply.Status());
  EXPECT_EQ(Ipv4(127, 0, 0, 1), reply.Address());
  EXPECT_EQ((std::vector<std::uint32_t>(3, Ipv4(127, 0, 0, 1))), network.sentTo);
  EXPECT_EQ(network.startups, network.cleanups);
  EXPECT_TRUE(messages.shown.empty());
}

class NetPingerPanel : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { frame_ = TestPanelHost::CreateFrame(kNetPingerPanel.width, kNetPingerPanel.height); }
  static void TearDownTestSuite() {
    DestroyWindow(frame_);
    frame_ = nullptr;
  }
  void SetUp() override {
    snapshot_.Keep(kHkeyLocalMachine, path_,
                   {"chkDoPinging", "optAuto", "optManual", "txtPingHost", "cmbPingInterval", "chkSound"});
    RegHandle key = 0;
    if (registry_.OpenKeyEx(kHkeyLocalMachine, path_, kKeyAllAccess, key) == kErrorSuccess) {
      for (const char* name : {"chkDoPinging", "optAuto", "optManual", "txtPingHost", "cmbPingInterval", "chkSound"}) {
        registry_.DeleteValue(key, name);
      }
      registry_.CloseKey(key);
    }
    ASSERT_TRUE(host_.Show(panel_));
  }
  void TearDown() override { panel_.Unload(); }

  HWND Control(int id) { return panel_.Control(id); }
  bool Checked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Enabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }
  std::string Text(int id) { return ui::WindowText(Control(id)); }
  std::string Stored(std::string_view name) { return GetSettingValue(registry_, path_, name, "<missing>").Text(); }
  void Choose(int id, int index) {
    SendMessageA(Control(id), CB_SETCURSEL, index, 0);
    SendMessageA(panel_.hwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(id)));
  }
  void Type(int id, const char* text) { SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }

  const std::string path_ = SettingsPath(kNetPingerKey);
  Win32Registry registry_;
  RegistrySnapshot snapshot_{registry_};
  LoopbackOnlyNetwork network_;
  RecordingSound sound_;
  RecordingMessageBox messages_;
  static inline HWND frame_ = nullptr;
  TestPanelHost host_{frame_};
  frmNetPingerSettings panel_{registry_, network_, sound_, "C:\\Tidewave", messages_};
};

TEST_F(NetPingerPanel, AFirstStartShowsThePingerOffInLockedAutomaticMode) {
  EXPECT_EQ("Net Pinger Settings", ui::WindowText(panel_.hwnd()));
  EXPECT_EQ("Net Pinger Settings", Text(IDC_frameNetPingerSettings));
  EXPECT_EQ("Enable Pinger", Text(IDC_chkDoPinging));
  EXPECT_EQ("Play &Sound at Ping", Text(IDC_chkSound));
  EXPECT_EQ("Ping &Now", Text(IDC_cmdPingNow));
  EXPECT_EQ(std::string(kPingerDescription), Text(IDC_lblPingerDescription));
  ASSERT_EQ(60, SendMessageA(Control(IDC_cmbPingInterval), CB_GETCOUNT, 0, 0));
  char entry[32] = {};
  SendMessageA(Control(IDC_cmbPingInterval), CB_GETLBTEXT, 59, reinterpret_cast<LPARAM>(entry));
  EXPECT_STREQ("60 min.", entry);

  EXPECT_FALSE(Checked(IDC_chkDoPinging));
  EXPECT_TRUE(Checked(IDC_optAuto));
  EXPECT_FALSE(Checked(IDC_optManual));
  EXPECT_EQ("Automatic", Text(IDC_txtPingHost));
  EXPECT_EQ("1 min.", Text(IDC_cmbPingInterval));
  for (int id : {IDC_frameConfigurations, IDC_optAuto, IDC_txtPingHost, IDC_cmbPingInterval, IDC_cmdPingNow,
                 IDC_cmdSave}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  EXPECT_TRUE(Enabled(IDC_chkDoPinging));
  EXPECT_FALSE(panel_.Pinger().Timer().IsRunning());
}

TEST_F(NetPingerPanel, SavedManualSettingsPingTheSavedHostNowAndOnSchedule) {
  Click(Control(IDC_chkDoPinging));
  EXPECT_TRUE(Enabled(IDC_optManual));
  EXPECT_TRUE(Enabled(IDC_cmdSave));
  EXPECT_FALSE(Enabled(IDC_txtPingHost)) << "still automatic";
  Click(Control(IDC_optManual));
  EXPECT_EQ(std::string(kManualPingHost), Text(IDC_txtPingHost));
  EXPECT_TRUE(Enabled(IDC_txtPingHost));
  EXPECT_TRUE(Enabled(IDC_cmbPingInterval));
  Type(IDC_txtPingHost, "127.0.0.1");
  Choose(IDC_cmbPingInterval, 2);
  Click(Control(IDC_chkSound));
  Click(Control(IDC_cmdSave));

  EXPECT_FALSE(Enabled(IDC_cmdSave));
  EXPECT_EQ("1", Stored("chkDoPinging"));
  EXPECT_EQ("False", Stored("optAuto"));
  EXPECT_EQ("True", Stored("optManual"));
  EXPECT_EQ("127.0.0.1", Stored("txtPingHost"));
  EXPECT_EQ("2", Stored("cmbPingInterval"));
  EXPECT_EQ("1", Stored("chkSound"));
  EXPECT_TRUE(panel_.Pinger().Timer().IsRunning());

  // Unsaved text in the field does not reach the ping.
  Type(IDC_txtPingHost, "10.20.30.40");
  EXPECT_TRUE(Enabled(IDC_cmdSave));
  Click(Control(IDC_cmdPingNow));
  EXPECT_EQ((std::vector<std::uint32_t>{Ipv4(127, 0, 0, 1)}), network_.sentTo);
  ASSERT_EQ(1u, sound_.played.size()) << "the loopback answered";
  EXPECT_EQ("C:\\Tidewave\\Ping.wav", sound_.played[0].file);
  EXPECT_EQ(0x20001u, sound_.played[0].flags);

  for (int tick = 0; tick < 3; ++tick) panel_.tmrPinger_Timer();
  EXPECT_EQ((std::vector<std::uint32_t>(2, Ipv4(127, 0, 0, 1))), network_.sentTo) << "the third tick pings";
  EXPECT_EQ(2u, sound_.played.size());
  EXPECT_TRUE(messages_.shown.empty());

  // Loaded again, the panel shows what was saved.
  panel_.Unload();
  ASSERT_TRUE(host_.Show(panel_));
  EXPECT_TRUE(Checked(IDC_optManual));
  EXPECT_EQ("127.0.0.1", Text(IDC_txtPingHost));
  EXPECT_EQ("3 min.", Text(IDC_cmbPingInterval));
  EXPECT_TRUE(Checked(IDC_chkSound));
  EXPECT_FALSE(Enabled(IDC_cmdSave));
  EXPECT_EQ(3, panel_.Pinger().PeriodTicks());
}

TEST_F(NetPingerPanel, TheSoundFileLiesBesideTheProgram) {
  std::ifstream file(ModuleFolder(nullptr) + "\\Ping.wav", std::ios::binary);  // the build folder: plain ASCII
  ASSERT_TRUE(file.good());
  char header[12] = {};
  file.read(header, sizeof header);
  EXPECT_EQ("RIFF", std::string(header, 4));
  EXPECT_EQ("WAVE", std::string(header + 8, 4));
}

}  // namespace
}  // namespace tw::test

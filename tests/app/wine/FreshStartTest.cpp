// A fresh start of the real main window that no one touches: every panel's
// stored settings are in force and its timers run, though no panel has made
// a window; opening each panel then shows those settings and what its timers
// did meanwhile.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "app/NavigationItems.h"
#include "app/win32/NavigationViews.h"
#include "memory/win32/frmRamConfiguration.h"
#include "memory/win32/frmSystemStatus.h"
#include "pinger/win32/frmNetPingerSettings.h"
#include "settings/RegistrySettings.h"
#include "settings/win32/frmMainSettings.h"
#include "support/wine/MainWindowFixture.h"
#include "tools/SoakTick.h"
#include "ui/win32/Histogram.h"

namespace tw::test {
namespace {

class FreshStart : public MainWindowFixture {
 protected:
  void Store(std::string_view key, const char* name, const char* text) {
    SaveSettingValue(registry(), SettingsPath(key), name, text);
  }
  // Lets the timers tick until `done` holds, for 10 s at most.
  template <typename Done>
  bool TickUntil(Done done) {
    for (int i = 0; i < 1000 && !done(); ++i) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    return done();
  }
  bool NoPanelMade() {
    for (const PanelInfo& info : kPanels) {
      if (main_->Panel(info.id).IsLoaded()) return false;
    }
    return true;
  }
  static bool Ticked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
};

TEST_F(FreshStart, PingsSamplesAndWritesTheTipWithNoPanelOpenedThenEachPanelShowsIt) {
  // The pinger in manual mode on a tick short enough to see it ping.
  Store(kNetPingerKey, "chkDoPinging", "1");
  Store(kNetPingerKey, "optAuto", "False");
  Store(kNetPingerKey, "optManual", "True");
  Store(kNetPingerKey, "txtPingHost", "127.0.0.1");
  Store(kNetPingerKey, "cmbPingInterval", "0");
  Store(kNetPingerKey, std::string(kSoakTickValueName).c_str(), "100");
  // The alarm at a level no free memory reaches, with its sound on; the tip in per cent.
  Store(kRamSettingsKey, "chkSoundon", "1");
  Store(kRamSettingsKey, "txtAlarm", "32767");
  Store(kRamSettingsKey, "optPer", "True");
  Store(kRamSettingsKey, "optMB", "False");
  Store(kMainSettingsKey, "chkRunMainProgram", "1");
  network_.replies[Ipv4(127, 0, 0, 1)] = {};

  MainWindow& main = Start();
  auto& status = static_cast<frmSystemStatus&>(main.Panel(PanelId::frmSystemStatus));
  auto& ram = static_cast<frmRamConfiguration&>(main.Panel(PanelId::frmRamConfiguration));
  ASSERT_TRUE(TickUntil([&] {
    return network_.sends.size() >= 2 && status.MemorySamples().Samples().size() >= 2 &&
           status.CPUSamples().Samples().size() >= 2 && ram.Alarm().SoundFlag();
  })) << network_.sends.size() << " pings";
  EXPECT_TRUE(NoPanelMade());
  EXPECT_EQ(Ipv4(127, 0, 0, 1), network_.sends.back().address);
  // The tip told last: the caption of one of the recent samples, in the stored format.
  ASSERT_FALSE(notify_.calls.empty());
  const std::string told(notify_.calls.back().data.tip.data());
  const auto& samples = status.MemorySamples().Samples();
  EXPECT_TRUE(std::any_of(samples.begin(), samples.end(), [&](std::int32_t sample) {
    return told.find(MemoryCaption(sample)) == 1;
  })) << told;
  for (std::size_t i = 1; i < notify_.calls.size(); ++i) {
    EXPECT_NE(std::string(notify_.calls[i - 1].data.tip.data()), std::string(notify_.calls[i].data.tip.data()))
        << "the shell is not told the same tip again";
  }

  main.OnNavigationCommand(NavigationCommand::PingSettings);
  auto& pinger = static_cast<frmNetPingerSettings&>(main.Panel(PanelId::frmNetPingerSettings));
  EXPECT_EQ("127.0.0.1", ui::WindowText(pinger.Control(netpinger::IDC_txtPingHost)));
  EXPECT_TRUE(Ticked(pinger.Control(netpinger::IDC_optManual)));
  EXPECT_TRUE(Ticked(pinger.Control(netpinger::IDC_chkDoPinging)));

  main.OnNavigationCommand(NavigationCommand::SystemStatus);
  const auto held = static_cast<LRESULT>(status.MemorySamples().Samples().size());
  EXPECT_EQ(held, SendMessageA(status.Control(systemstatus::IDC_histMemory), ui::HGM_GETCOUNT, 0, 0))
      << "the graph holds what was sampled before it was made";
  EXPECT_EQ(status.MemorySamples().Newest(),
            ui::HistogramValue(status.Control(systemstatus::IDC_histMemory)));
  EXPECT_EQ(MemoryCaption(status.MemorySamples().Newest()),
            ui::WindowText(status.Control(systemstatus::IDC_fameMemoryUsage)));
  EXPECT_EQ(ProcessorCaption(status.CPUSamples().Newest()),
            ui::WindowText(status.Control(systemstatus::IDC_frameCPUUsage)));
  const std::size_t before = status.MemorySamples().Samples().size();
  ASSERT_TRUE(TickUntil([&] { return status.MemorySamples().Samples().size() > before; }));
  EXPECT_EQ(status.MemorySamples().Newest(), ui::HistogramValue(status.Control(systemstatus::IDC_histMemory)))
      << "and goes on live";

  main.OnNavigationCommand(NavigationCommand::RamConfiguration);
  EXPECT_EQ("32767", ui::WindowText(ram.Control(ramconfig::IDC_txtAlarm)));
  EXPECT_TRUE(Ticked(ram.Control(ramconfig::IDC_chkSoundon)));
  EXPECT_TRUE(Ticked(ram.Control(ramconfig::IDC_optPer)));

  main.OnNavigationCommand(NavigationCommand::MainSettings);
  auto& settings = static_cast<frmMainSettings&>(main.Panel(PanelId::frmMainSettings));
  EXPECT_TRUE(Ticked(settings.Control(mainsettings::IDC_chkRunMainProgram)));
  EXPECT_FALSE(Ticked(settings.Control(mainsettings::IDC_chkRunProgramMini)));
  EXPECT_FALSE(IsWindowEnabled(settings.Control(mainsettings::IDC_cmdSave)));
}


// A press or a key that comes before start-up has finished finishes it, and
// goes to the control that the surface had drawn in its place.
TEST_F(FreshStart, APressOrAKeyBeforeStartUpHasFinishedReachesTheItemDrawnThere) {
  MainWindow& keyed = Open(SW_SHOWNORMAL);
  ASSERT_FALSE(keyed.StartupFinished());
  EXPECT_EQ(nullptr, GetDlgItem(keyed.Movie().hwnd(), IDC_FS_firstMenuItem)) << "drawn, not made yet";
  SetForegroundWindow(keyed.hwnd());
  SetFocus(keyed.hwnd());
  MSG key{keyed.hwnd(), WM_KEYDOWN, VK_DOWN, 0, 0, {}};
  keyed.RouteEarlyInput(key);
  EXPECT_TRUE(keyed.StartupFinished());
  EXPECT_TRUE(IsChild(keyed.Movie().hwnd(), key.hwnd));
  EXPECT_EQ(GetFocus(), key.hwnd) << "the item that now has the keyboard";

  MainWindow& pressed = Open(SW_SHOWNORMAL);
  HWND surface = pressed.Movie().hwnd();
  RECT drawn{};
  for (const nav::NavigationControl& control : nav::ControlLayout()) {
    if (control.id == IDC_FS_firstMenuItem) drawn = control.rect;
  }
  MSG down{surface, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(drawn.left + 5, drawn.top + 4), 0, {}};
  pressed.RouteEarlyInput(down);
  ASSERT_EQ(GetDlgItem(surface, IDC_FS_firstMenuItem), down.hwnd);
  EXPECT_EQ(MAKELPARAM(5, 4), down.lParam) << "in the item's own coordinates";
  MSG up{down.hwnd, WM_LBUTTONUP, 0, down.lParam, 0, {}};
  pressed.RouteEarlyInput(up);
  DispatchMessageA(&down);
  DispatchMessageA(&up);
  EXPECT_EQ(IDC_FS_firstMenuItem, pressed.Movie().ActiveItem()) << "the press opened its panel";
}

}  // namespace
}  // namespace tw::test

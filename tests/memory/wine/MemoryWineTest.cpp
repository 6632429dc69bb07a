// The memory figures and the NT sampler on the prefix's real system, and one
// walk of the two real panels inside the real main window: the status
// monitor's ticks, sliders and Optimize Now, the RAM alarm's controls, its
// save and its sound, and the tray tooltip following the alarm's option.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include "memory/SystemStatus.h"
#include "memory/win32/frmRamConfiguration.h"
#include "memory/win32/frmSystemStatus.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32Version.h"
#include "settings/RegistrySettings.h"
#include "support/wine/MainWindowFixture.h"
#include "support/wine/TestPanelHost.h"
#include "ui/win32/Histogram.h"

namespace tw::test {
namespace {

std::int64_t WorkingSet(bool peak) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<std::int64_t>(peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize);
}

TEST(MemorySystem, FreeUpMemoryOf64MegabytesHoldsAbout128AndLetsThemGo) {
  Win32SystemInfo system;
  FreeRAM fmem(system, [] {});
  const std::int64_t total = fmem.GetTotalPhysical();
  ASSERT_GT(total, 64ll << 20);
  EXPECT_GT(fmem.GetFreePhysical(), 0);
  EXPECT_LE(fmem.GetFreePhysical(), total);

  const std::int64_t before = WorkingSet(false);
  EXPECT_EQ(64 * 1048576, fmem.FreeUpMemory(64 * 1048576));
  const std::int64_t peak = WorkingSet(true);
  const std::int64_t after = WorkingSet(false);
  EXPECT_GE(peak - before, 120ll << 20) << "peak " << peak << ", before " << before;
  EXPECT_LT(after - before, 32ll << 20) << "after " << after << ", before " << before;
}

// Past 1023 MB the block's bytes no longer fit a 32-bit ptrdiff_t, and an
// array new there raises instead of answering null. The blocks are asked of
// the system for real and let go at once, never written.
TEST(MemorySystem, EveryTargetTheSliderOffersIsAskedForWithoutEndingTheProgram) {
  Win32SystemInfo system;
  std::vector<std::size_t> asked;
  FreeRAM fmem(system, [] {}, [&asked](std::size_t count) {
    asked.push_back(count);
    delete[] FreeRAM::NewBlock(count);
    return static_cast<char16_t*>(nullptr);
  });
  for (const std::int64_t megabytes : {std::int64_t{1023}, std::int64_t{1024}, std::int64_t{2047}, TargetMaximum(1 << 20)}) {
    asked.clear();
    EXPECT_EQ(0, fmem.FreeUpMemory(static_cast<std::int32_t>(megabytes * 1048576))) << megabytes;
    for (const std::size_t count : asked) EXPECT_LE(count, FreeRAM::kLargestBlock) << megabytes;
    EXPECT_FALSE(asked.empty()) << megabytes << ": at least the half is tried";
  }
  EXPECT_EQ(nullptr, FreeRAM::NewBlock(FreeRAM::kLargestBlock + 1));
}

DWORD WINAPI Spin(LPVOID stop) {
  while (!*static_cast<volatile LONG*>(stop)) {
  }
  return 0;
}

TEST(MemorySystem, TheNtSamplerReadsAboutHalfWhileOneOfTwoProcessorsIsBusy) {
  Win32Version version;
  if (!IsWindowsNT(version)) GTEST_SKIP() << "the 9x family reads its kernel statistic";
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  if (info.dwNumberOfProcessors != 2) GTEST_SKIP() << info.dwNumberOfProcessors << " processors";
  Win32SystemInfo system;
  clsCPUUsageNT sampler(system);
  volatile LONG stop = 0;
  HANDLE spinner = CreateThread(nullptr, 0, &Spin, const_cast<LONG*>(&stop), 0, nullptr);
  ASSERT_NE(nullptr, spinner);
  sampler.Initialize();
  // A processor measurement needs time to pass; this is the one test that lets it.
  Sleep(600);
  const std::int32_t usage = sampler.Query();
  stop = 1;
  WaitForSingleObject(spinner, INFINITE);
  CloseHandle(spinner);
  // Other work on the machine can only add to the busy half.
  EXPECT_GE(usage, 40);
  EXPECT_LE(usage, 100);
}

// The tip windows of this thread (a popup's owner is the top-level window).
BOOL CALLBACK CollectTips(HWND window, LPARAM parameter) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
  return TRUE;
}

using namespace systemstatus;
using namespace ramconfig;

class MemoryPanels : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    MainWindow& main = Start();
    status_ = static_cast<frmSystemStatus*>(&main.Panel(PanelId::frmSystemStatus));
    ram_ = static_cast<frmRamConfiguration*>(&main.Panel(PanelId::frmRamConfiguration));
    ASSERT_NE(nullptr, status_);
    ASSERT_NE(nullptr, ram_);
  }
  std::string Text(ui::Panel& panel, int id) { return ui::WindowText(panel.Control(id)); }
  void Click(ui::Panel& panel, int id) { SendMessageA(panel.Control(id), BM_CLICK, 0, 0); }
  void Slide(int id, int position) {
    HWND slider = status_->Control(id);
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
    SendMessageA(status_->hwnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
  }
  std::string LastTip() {
    for (auto call = notify_.calls.rbegin(); call != notify_.calls.rend(); ++call) {
      if (call->message != ui::kNimDelete) return call->data.tip.data();
    }
    return {};
  }

  // The text of the target slider's tip, from whichever tip window holds it.
  std::string TargetTip() {
    std::vector<HWND> tips;
    EnumThreadWindows(GetCurrentThreadId(), &CollectTips, reinterpret_cast<LPARAM>(&tips));
    for (HWND tip : tips) {
      char text[128] = {};
      TOOLINFOA tool{};
      tool.cbSize = TTTOOLINFOA_V2_SIZE;
      tool.hwnd = status_->hwnd();
      tool.uId = reinterpret_cast<UINT_PTR>(status_->Control(IDC_sldFreeMomoryReq));
      tool.lpszText = text;
      SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
      if (text[0] != '\0') return text;
    }
    return {};
  }

  frmSystemStatus* status_ = nullptr;
  frmRamConfiguration* ram_ = nullptr;
};

TEST_F(MemoryPanels, StatusMonitorAndAlarmFromStartUp) {
  // Both started at start-up, their timers running.
  EXPECT_TRUE(status_->MemoryTimer().IsRunning());
  EXPECT_EQ(300u, status_->CPUTimer().Interval());
  EXPECT_FALSE(ram_->Alarm().AlarmTimer().IsRunning());  // rests while sound and freeing are off
  main_->OnNavigationCommand(NavigationCommand::SystemStatus);
  EXPECT_EQ("Target Level Of RAM 0MB.", Text(*status_, IDC_lblTargetMemoryNeeded));
  const LRESULT maximum = SendMessageA(status_->Control(IDC_sldFreeMomoryReq), TBM_GETRANGEMAX, 0, 0);
  EXPECT_GT(maximum, 0);
  EXPECT_LE(maximum, 2047);

  // A memory tick: the sample and its caption.
  status_->tmrMemory_Timer();
  HWND histogram = status_->Control(IDC_histMemory);
  const int percent = ui::HistogramValue(histogram);
  EXPECT_EQ(MemoryCaption(percent), Text(*status_, IDC_fameMemoryUsage));
  const std::int64_t freeMegabytes = ToMegabytes(status_->fmem().GetFreePhysical());
  const std::int64_t totalMegabytes = ToMegabytes(status_->fmem().GetTotalPhysical());
  EXPECT_NEAR(100.0 * static_cast<double>(freeMegabytes) / static_cast<double>(totalMegabytes), percent, 3.0)
      << "the share that is free, not the share in use";

  // The tray icon removed: the next tick adds it again, its tooltip in MB.
  main_->Tray1.Show(false);
  notify_.calls.clear();
  status_->tmrMemory_Timer();
  EXPECT_TRUE(main_->Tray1.IsVisible());
  ASSERT_FALSE(notify_.calls.empty());
  EXPECT_EQ(ui::kNimAdd, notify_.calls.back().message);
  EXPECT_NEAR(static_cast<double>(freeMegabytes), std::stod(LastTip().substr(11)), 64.0) << LastTip();
  EXPECT_EQ(" Free RAM (", LastTip().substr(0, 11));
  EXPECT_NE(std::string::npos, LastTip().find("MB). "));

  // The processor tick.
  status_->tmrCPU_Timer();
  EXPECT_EQ(ProcessorCaption(ui::HistogramValue(status_->Control(IDC_histCPU))), Text(*status_, IDC_frameCPUUsage));

  // Speed and zoom on their click.
  Slide(IDC_sldMemorySpeed, 650);
  EXPECT_EQ(650u, status_->MemoryTimer().Interval());
  Slide(IDC_sldCPUSpeed, 1000);
  EXPECT_EQ(300u, status_->CPUTimer().Interval());
  Slide(IDC_sldMemoryZoom, 50);
  EXPECT_EQ(50, SendMessageA(histogram, ui::HGM_GETMAXLINES, 0, 0));

  // Optimize Now with the target at 0 holds nothing and comes back.
  Click(*status_, IDC_cmdOptimaize);
  EXPECT_EQ("The target is 0 MB: move the slider to set how much to free.", Text(*status_, IDC_lblOptimizeStatus));
  Slide(IDC_sldFreeMomoryReq, 8);
  EXPECT_EQ("Target Level Of RAM 8MB.", Text(*status_, IDC_lblTargetMemoryNeeded));
  EXPECT_EQ("8 MB to free when Optimize is clicked", TargetTip());
  Click(*status_, IDC_cmdOptimaize);
  const std::string optimized = Text(*status_, IDC_lblOptimizeStatus);
  EXPECT_TRUE(optimized.rfind("Freed ", 0) == 0 || optimized.rfind("Nothing more could be freed. ", 0) == 0)
      << optimized;
  EXPECT_EQ(optimized.size() - 13, optimized.rfind(" MB free now.")) << optimized;

  // The alarm panel with nothing stored: the table's defaults, the level off with the sound.
  main_->OnNavigationCommand(NavigationCommand::RamConfiguration);
  EXPECT_EQ("250", Text(*ram_, IDC_txtAlarm));
  EXPECT_EQ("10", Text(*ram_, IDC_txtFreeAlarm));
  EXPECT_EQ("2", Text(*ram_, IDC_txtRunOnly));
  EXPECT_EQ("10", Text(*ram_, IDC_txtRetryOptimization));
  EXPECT_EQ(BST_CHECKED, SendMessageA(ram_->Control(IDC_optMB), BM_GETCHECK, 0, 0));
  EXPECT_FALSE(IsWindowEnabled(ram_->Control(IDC_txtAlarm)));
  EXPECT_FALSE(IsWindowEnabled(ram_->Control(IDC_cmdSave)));

  Click(*ram_, IDC_chkSoundon);
  EXPECT_TRUE(ram_->Alarm().AlarmTimer().IsRunning());
  EXPECT_TRUE(IsWindowEnabled(ram_->Control(IDC_txtAlarm)));
  EXPECT_TRUE(IsWindowEnabled(ram_->Control(IDC_cmdSave)));
  // Cleared and typed anew, the level is what was typed. One it cannot take
  // is said beside the box when the keyboard leaves it, which it may not,
  // and Save stores nothing.
  ShowWindow(main_->hwnd(), SW_SHOW);
  main_->OnNavigationCommand(NavigationCommand::RamConfiguration);
  HWND level = ram_->Control(IDC_txtAlarm);
  SetFocus(level);
  SetWindowTextA(level, "");
  SetWindowTextA(level, "128");
  EXPECT_EQ("128", Text(*ram_, IDC_txtAlarm));
  SetWindowTextA(level, "99999999");
  SetFocus(ram_->Control(IDC_txtRunOnly));
  PumpMessages();
  EXPECT_EQ(level, GetFocus());
  EXPECT_EQ("Type a whole number from 0 to 32767.", Text(*ram_, IDC_lblRamProblem));
  EXPECT_TRUE(HasVisibleStyle(ram_->Control(IDC_lblRamProblem)));
  EXPECT_FALSE(HasVisibleStyle(ram_->Control(IDC_lblAlramLeve))) << "said in the place of the box's label";
  Click(*ram_, IDC_cmdSave);
  EXPECT_EQ("", GetSettingValue(registry(), SettingsPath(kRamSettingsKey), "txtAlarm", "").Text());
  EXPECT_EQ("", Text(*ram_, IDC_lblRamStatus)) << "nothing saved, nothing said saved";
  SetWindowTextA(level, "32767");  // above the free memory of every machine the tests run on
  EXPECT_FALSE(HasVisibleStyle(ram_->Control(IDC_lblRamProblem)));
  EXPECT_TRUE(HasVisibleStyle(ram_->Control(IDC_lblAlramLeve)));
  Click(*ram_, IDC_optPer);
  int low = -1, high = -1;
  SendMessageA(ram_->Control(IDC_UpDownRetryOptimization), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
               reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(0, low);
  EXPECT_EQ(100, high);
  SendMessageA(ram_->Control(IDC_UpDownRunOnly), UDM_SETPOS32, 0, 5);
  EXPECT_EQ("5", Text(*ram_, IDC_txtRunOnly));
  Click(*ram_, IDC_cmdSave);
  EXPECT_FALSE(IsWindowEnabled(ram_->Control(IDC_cmdSave)));
  EXPECT_EQ("Saved.", Text(*ram_, IDC_lblRamStatus));
  const std::string path = SettingsPath(kRamSettingsKey);
  EXPECT_EQ("True", GetSettingValue(registry(), path, "optPer", "").Text());
  EXPECT_EQ("32767", GetSettingValue(registry(), path, "txtAlarm", "").Text());
  EXPECT_EQ("5", GetSettingValue(registry(), path, "txtRunOnly", "").Text());

  // Below the level with the sound on: the next sound tick plays the alarm.
  ram_->Alarm().tmrAlarm_Timer();
  ram_->Alarm().tmrSoundPlayer_Timer();
  ASSERT_EQ(1u, sound_.played.size());
  EXPECT_EQ("C:\\Tidewave\\low-memory.wav 131073", sound_.played[0]);

  // The level also starts the freeing; an edit taken back leaves nothing to save.
  Click(*ram_, IDC_chkSoundon);
  Click(*ram_, IDC_chkAutomatic);
  EXPECT_TRUE(IsWindowEnabled(level));
  Click(*ram_, IDC_chkAutomatic);
  EXPECT_FALSE(IsWindowEnabled(level));
  Click(*ram_, IDC_chkSoundon);
  EXPECT_FALSE(IsWindowEnabled(ram_->Control(IDC_cmdSave))) << "the panel holds what is stored";
  // Leaving with a change asks: Cancel stays, No puts back what is stored, Yes saves.
  SetWindowTextA(level, "400");
  messages_.answers = {ui::kIdCancel, ui::kIdNo};
  main_->OnNavigationCommand(NavigationCommand::SystemStatus);
  EXPECT_EQ(std::vector{PanelId::frmRamConfiguration}, VisiblePanels());
  EXPECT_EQ("Save the changes made in Ram Configuration?\r\n\r\nYes saves them, No puts back what was saved, "
            "Cancel stays in Ram Configuration.", messages_.shown.back().text);
  main_->OnNavigationCommand(NavigationCommand::Home);
  EXPECT_EQ("32767", Text(*ram_, IDC_txtAlarm));
  main_->OnNavigationCommand(NavigationCommand::RamConfiguration);
  SetWindowTextA(level, "400");
  messages_.answers = {ui::kIdYes};
  main_->OnNavigationCommand(NavigationCommand::SystemStatus);
  EXPECT_EQ("400", GetSettingValue(registry(), path, "txtAlarm", "").Text());
  EXPECT_EQ(std::vector{PanelId::frmSystemStatus}, VisiblePanels());

  // The tooltip now follows the percentage the caption shows, also with the
  // RAM panel's windows gone: its option is the alarm's, not a control's.
  // Away from the pointer a changed tip may wait a few ticks.
  ram_->Unload();
  std::string caption;
  for (int tick = 0; tick <= ui::TrayIcon::kTipHeldCalls; ++tick) {
    status_->tmrMemory_Timer();
    caption = Text(*status_, IDC_fameMemoryUsage);
    if (LastTip().substr(1, caption.size()) == caption) break;
  }
  EXPECT_FALSE(ram_->IsLoaded());
  EXPECT_EQ(caption, LastTip().substr(1, caption.size()));
  EXPECT_NE(std::string::npos, caption.find("%)."));
}

}  // namespace
}  // namespace tw::test

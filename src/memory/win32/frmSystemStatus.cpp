#include "memory/win32/frmSystemStatus.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/win32/CommonControls.h"
#include "ui/win32/Histogram.h"

namespace tw {
namespace {

using namespace systemstatus;

constexpr int kOptimizePasses = 6;

}  // namespace


frmSystemStatus::frmSystemStatus(IMemoryStatus& memory, ISystemInformation& system, IRegistry& registry,
                                 IVersionSource& version, SharedMonitor& monitor, ShowTrayTip showTrayTip,
                                 ui::IMessageBox& messages)
    : ui::Panel(kSystemStatusPanel, messages),
      memory_(memory),
      system_(system),
      registry_(registry),
      version_(version),
      monitor_(monitor),
      showTrayTip_(std::move(showTrayTip)),
      fmem_(memory, [this] { ui::PassMessages(OwnerWindow()); }),
      tmrMemory_(Timers().MakeTimer([this] { tmrMemory_Timer(); })),
      tmrCPU_(Timers().MakeTimer([this] { tmrCPU_Timer(); })) {}

void frmSystemStatus::OnStart() {
  if (IsWindowsNT(version_)) {
    monitor_.QueryObject = std::make_unique<clsCPUUsageNT>(system_);
  } else {
    monitor_.QueryObject = std::make_unique<clsCPUUsage>(registry_);
  }
  monitor_.QueryObject->Initialize();
  totalMegabytes_ = ToMegabytes(fmem_.GetTotalPhysical());
  tmrMemory_->Start(kStatusTimerMs);
  tmrCPU_->Start(kStatusTimerMs);
}

void frmSystemStatus::OnLoad() {
  HWND target = Control(IDC_sldFreeMomoryReq);
  SendMessageA(target, TBM_SETRANGEMIN, FALSE, 0);
  SendMessageA(target, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(TargetMaximum(totalMegabytes_)));
  SendMessageA(target, TBM_SETPAGESIZE, 0, 16);
  sldFreeMomoryReq_Change();
  // What the monitor sampled while the panel had no windows.
  for (std::int32_t sample : memorySamples_.Samples()) ui::HistogramAddSample(Control(IDC_histMemory), sample);
  for (std::int32_t sample : cpuSamples_.Samples()) ui::HistogramAddSample(Control(IDC_histCPU), sample);
  if (!memorySamples_.Samples().empty()) SetText(IDC_fameMemoryUsage, MemoryCaption(memorySamples_.Newest()));
  if (!cpuSamples_.Samples().empty()) SetText(IDC_frameCPUUsage, ProcessorCaption(cpuSamples_.Newest()));
}

int frmSystemStatus::SliderValue(int id) { return static_cast<int>(SendMessageA(Control(id), TBM_GETPOS, 0, 0)); }

// Captions are rewritten only when they change: a tick of a hidden panel
// costs no repaint.
void frmSystemStatus::SetText(int id, const std::string& text) {
  HWND control = Control(id);
  if (control != nullptr && ui::WindowText(control) != text) SetWindowTextA(control, text.c_str());
}

void frmSystemStatus::sldFreeMomoryReq_Change() {
  const int value = SliderValue(IDC_sldFreeMomoryReq);
  SetText(IDC_lblTargetMemoryNeeded, TargetCaption(value));
  SetToolTip(IDC_sldFreeMomoryReq, TargetToolTip(value));
}

void frmSystemStatus::OnScroll(int id, int code) {
  if (id == IDC_sldFreeMomoryReq) {
    sldFreeMomoryReq_Change();
    return;
  }
  // The speed and zoom sliders act on their click, when the thumb is let go.
  if (code != TB_ENDTRACK) return;
  switch (id) {
    case IDC_sldMemorySpeed: tmrMemory_->Start(SpeedInterval(SliderValue(id))); break;
    case IDC_sldCPUSpeed: tmrCPU_->Start(SpeedInterval(SliderValue(id))); break;
    case IDC_sldMemoryZoom: ui::HistogramSetMaxLines(Control(IDC_histMemory), SliderValue(id)); break;
    case IDC_sldCPUZoom: ui::HistogramSetMaxLines(Control(IDC_histCPU), SliderValue(id)); break;
    default: break;
  }
}

void frmSystemStatus::OnCommand(int id, int notification) {
  if (id == IDC_cmdOptimaize && notification == BN_CLICKED) cmdOptimaize_Click();
}

void frmSystemStatus::cmdOptimaize_Click() {
  HWND root = OwnerWindow();
  for (int pass = 0; pass < kOptimizePasses; ++pass) ui::PassMessages(root);
  ++busy_;
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const std::int64_t megabytes = SliderValue(IDC_sldFreeMomoryReq);
  const std::int64_t freeBefore = ToMegabytes(fmem_.GetFreePhysical());
  const std::int32_t held = fmem_.FreeUpMemory(static_cast<std::int32_t>(std::min<std::int64_t>(megabytes, 2047) * 1048576));
  --busy_;
  SetCursor(busy_ > 0 ? GetCursor() : previous);
  for (int pass = 0; pass < kOptimizePasses; ++pass) ui::PassMessages(root);
  SetText(IDC_lblOptimizeStatus, OptimizeAnswer(megabytes, held > 0, freeBefore, ToMegabytes(fmem_.GetFreePhysical())));
}

LRESULT frmSystemStatus::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The message passes inside Optimize Now would put the arrow back.
  if (message == WM_SETCURSOR && busy_ > 0) {
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    return TRUE;
  }
  return ui::Panel::OnMessage(message, wParam, lParam);
}

void frmSystemStatus::ShowSample(int histogram, int frame, std::int32_t sample, const std::string& caption) {
  if (!IsLoaded()) return;
  ui::HistogramAddSample(Control(histogram), sample);
  SetText(frame, caption);
}

void frmSystemStatus::tmrCPU_Timer() {
  cpuSamples_.Add(monitor_.QueryProcessor());
  ShowSample(IDC_histCPU, IDC_frameCPUUsage, cpuSamples_.Newest(), ProcessorCaption(cpuSamples_.Newest()));
}

void frmSystemStatus::tmrMemory_Timer() {
  const std::int64_t freeMegabytes = ToMegabytes(fmem_.GetFreePhysical());
  if (const auto percent = FreeMemoryPercent(freeMegabytes, totalMegabytes_)) {
    memorySamples_.Add(*percent);
    ShowSample(IDC_histMemory, IDC_fameMemoryUsage, *percent, MemoryCaption(*percent));
  }
  if (showTrayTip_) showTrayTip_(TrayMemoryTip(monitor_.TipInPercent(), memorySamples_.Newest(), freeMegabytes));
}

}  // namespace tw

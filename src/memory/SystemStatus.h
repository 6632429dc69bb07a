#pragma once
// frmSystemStatus, "System Status": live histograms of free memory and
// processor usage, and Optimize Now. What its ticks compute and the texts
// they write are here, portable; the Win32 panel owns the timers and controls.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "ui/ControlLayout.h"
#include "ui/Panels.h"

namespace tw {
namespace systemstatus {

enum SystemStatusControl : int {
  IDC_frameMemoryStatus = 1500,
  IDC_frameMemoryControl,
  IDC_lblTargetMemoryNeeded,
  IDC_sldFreeMomoryReq,
  IDC_cmdOptimaize,
  IDC_fameMemoryUsage,
  IDC_histMemory,
  IDC_SkinLabel5,
  IDC_sldMemoryZoom,
  IDC_SkinLabel6,
  IDC_sldMemorySpeed,
  IDC_frameCPUUsage,
  IDC_histCPU,
  IDC_SkinLabel3,
  IDC_sldCPUZoom,
  IDC_SkinLabel4,
  IDC_sldCPUSpeed,
  IDC_lblOptimizeStatus,  // what Optimize Now did
};

using ui::ControlKind;
using ui::SliderOf;

inline constexpr ui::ControlSpec kSystemStatusControls[] = {
    {IDC_frameMemoryStatus, ControlKind::Frame, "System Status", 0, 15, 6540, 3780},
    {IDC_frameMemoryControl, ControlKind::Frame, "Memory Control", 120, 240, 6300, 960, IDC_frameMemoryStatus},
    // Room for the widest target, "Target Level Of RAM 2047MB.": the label is
    // widened only for the caption it has when it is made.
    {IDC_lblTargetMemoryNeeded, ControlKind::SkinLabel, "Target Level Of RAM ", 150, 300, 2760, 225, IDC_frameMemoryControl},
    {IDC_sldFreeMomoryReq, ControlKind::Slider, "", 2940, 210, 1860, 390, IDC_frameMemoryControl, -1, SliderOf(0, 0, 0, 0, 0)},
    {IDC_cmdOptimaize, ControlKind::Button, "Optimize Now", 4875, 195, 1305, 375, IDC_frameMemoryControl},
    {IDC_fameMemoryUsage, ControlKind::Frame, "Free RAM", 120, 1260, 3090, 2430, IDC_frameMemoryStatus},
    {IDC_histMemory, ControlKind::Histogram, "", 120, 270, 2850, 1260, IDC_fameMemoryUsage},
    {IDC_SkinLabel5, ControlKind::SkinLabel, "Zoom", 120, 1665, 675, 225, IDC_fameMemoryUsage},
    {IDC_sldMemoryZoom, ControlKind::Slider, "", 795, 1590, 2175, 360, IDC_fameMemoryUsage, -1, SliderOf(30, 100, 30, 5, 2)},
    {IDC_SkinLabel6, ControlKind::SkinLabel, "Speed", 120, 2025, 675, 225, IDC_fameMemoryUsage},
    {IDC_sldMemorySpeed, ControlKind::Slider, "", 795, 1950, 2175, 360, IDC_fameMemoryUsage, -1, SliderOf(300, 1000, 300, 5, 1)},
    {IDC_frameCPUUsage, ControlKind::Frame, "Processor usage", 3330, 1260, 3090, 2430, IDC_frameMemoryStatus},
    {IDC_histCPU, ControlKind::Histogram, "", 120, 270, 2850, 1260, IDC_frameCPUUsage},
    {IDC_SkinLabel3, ControlKind::SkinLabel, "Zoom", 120, 1665, 675, 225, IDC_frameCPUUsage},
    {IDC_sldCPUZoom, ControlKind::Slider, "", 795, 1590, 2175, 360, IDC_frameCPUUsage, -1, SliderOf(30, 100, 30, 5, 1)},
    {IDC_SkinLabel4, ControlKind::SkinLabel, "Speed", 120, 2025, 675, 225, IDC_frameCPUUsage},
    {IDC_sldCPUSpeed, ControlKind::Slider, "", 795, 1950, 2175, 360, IDC_frameCPUUsage, -1, SliderOf(300, 1000, 300, 5, 1)},
    {IDC_lblOptimizeStatus, ControlKind::Label, "", 150, 630, 6000, 225, IDC_frameMemoryControl},
};

inline constexpr ui::PanelSpec kSystemStatusPanel = ui::PanelLayout(ui::PanelId::frmSystemStatus, kSystemStatusControls);

}  // namespace systemstatus

using systemstatus::kSystemStatusPanel;

inline constexpr std::uint32_t kStatusTimerMs = 300;

// The samples of one histogram, oldest first, as many as it can show. The
// monitor samples from start-up; kept here, they fill the graphs the panel
// makes when it is first shown.
class SampleHistory {
 public:
  static constexpr std::size_t kCapacity = 100;
  void Add(std::int32_t value) {
    samples_.push_back(value);
    if (samples_.size() > kCapacity) samples_.pop_front();
  }
  // The newest sample, 0 before the first.
  std::int32_t Newest() const { return samples_.empty() ? 0 : samples_.back(); }
  const std::deque<std::int32_t>& Samples() const { return samples_; }

 private:
  std::deque<std::int32_t> samples_;
};

// The histogram's sample of free memory: the free share of physical memory
// in whole percent (ties to even), from megabytes as the panel rounds them.
// Nothing when the total is 0.
std::optional<std::int32_t> FreeMemoryPercent(std::int64_t freeMegabytes, std::int64_t totalMegabytes);

// Optimize Now asks for v x 1,048,576 characters in a signed 32-bit count:
// the target slider ends where that still fits.
std::int64_t TargetMaximum(std::int64_t totalMegabytes);

// A speed slider's position 300..1000 as the timer's interval, 1000..300 ms.
std::uint32_t SpeedInterval(int position);

std::string MemoryCaption(std::int32_t percent);     // "Free RAM (37%)."
std::string ProcessorCaption(std::int32_t percent);  // "Processor usage (12%)."
std::string TargetCaption(std::int64_t megabytes);   // "Target Level Of RAM 64MB."

// What Optimize Now says when it is done: the target it had in MB, whether
// it could hold that much, and the free physical memory in MB before and after.
std::string OptimizeAnswer(std::int64_t targetMegabytes, bool held, std::int64_t freeBefore, std::int64_t freeAfter);
std::string TargetToolTip(std::int64_t megabytes);   // "64 MB to free when Optimize is clicked"
// The tray's tooltip: the percentage the memory caption shows, or free
// megabytes, "Free RAM (512MB).", as the RAM alarm's option chooses.
std::string TrayMemoryTip(bool percent, std::int32_t freePercent, std::int64_t freeMegabytes);

}  // namespace tw

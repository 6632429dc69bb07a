#pragma once
// frmSystemStatus: the status monitor's panel. Both timers run from its
// start, with or without its windows; it chooses the processor sampler it
// shares with the RAM alarm, keeps the tray's tooltip current and the samples
// its graphs show.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "memory/CpuUsage.h"
#include "memory/FreeRam.h"
#include "memory/SharedMonitor.h"
#include "memory/SystemStatus.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"
#include "platform/Version.h"
#include "ui/win32/Panel.h"

namespace tw {

class frmSystemStatus final : public ui::Panel {
 public:
  using ShowTrayTip = std::function<void(const std::string& tip)>;  // Tray1's tooltip, then Tray1.Show(true)

  frmSystemStatus(IMemoryStatus& memory, ISystemInformation& system, IRegistry& registry, IVersionSource& version,
                  SharedMonitor& monitor, ShowTrayTip showTrayTip, ui::IMessageBox& messages);

  FreeRAM& fmem() { return fmem_; }

  void tmrMemory_Timer();
  void tmrCPU_Timer();
  void cmdOptimaize_Click();
  const ui::ITimer& MemoryTimer() const { return *tmrMemory_; }
  const ui::ITimer& CPUTimer() const { return *tmrCPU_; }
  const SampleHistory& MemorySamples() const { return memorySamples_; }
  const SampleHistory& CPUSamples() const { return cpuSamples_; }

 protected:
  void OnStart() override;
  void OnLoad() override;
  void OnCommand(int id, int notification) override;
  void OnScroll(int id, int code) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void sldFreeMomoryReq_Change();
  int SliderValue(int id);
  void SetText(int id, const std::string& text);
  // A new sample into the histogram and its caption, when they exist.
  void ShowSample(int histogram, int frame, std::int32_t sample, const std::string& caption);

  IMemoryStatus& memory_;
  ISystemInformation& system_;
  IRegistry& registry_;
  IVersionSource& version_;
  SharedMonitor& monitor_;
  ShowTrayTip showTrayTip_;
  FreeRAM fmem_;
  std::int64_t totalMegabytes_ = 0;
  SampleHistory memorySamples_;
  SampleHistory cpuSamples_;
  int busy_ = 0;  // Optimize Now calls under way: the hourglass shows
  std::unique_ptr<ui::ITimer> tmrMemory_;
  std::unique_ptr<ui::ITimer> tmrCPU_;
};


}  // namespace tw

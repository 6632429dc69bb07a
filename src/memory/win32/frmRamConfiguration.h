#pragma once
// frmRamConfiguration: the RAM alarm's panel. Its state, settings, handlers
// and checks are RamAlarm's; the panel shows that state in its controls,
// passes their events on and binds the sound to the system.
#include <windows.h>

#include <string>

#include "memory/RamAlarm.h"
#include "memory/SharedMonitor.h"
#include "platform/Registry.h"
#include "platform/Sound.h"
#include "platform/SystemInfo.h"
#include "ui/win32/Panel.h"

namespace tw {

class frmRamConfiguration final : public ui::Panel {
 public:
  // The alarm reads the processor through `monitor` and is the tooltip format
  // it gives; `programFolder` holds "low-memory.wav".
  frmRamConfiguration(IRegistry& registry, IMemoryStatus& memory, ISound& sound, std::string programFolder,
                      SharedMonitor& monitor, ui::IMessageBox& messages);

  RamAlarm& Alarm() { return alarm_; }

 protected:
  void OnStart() override { alarm_.Form_Load(); }
  void OnLoad() override;
  void OnUnload() override { unloading_ = true; }
  void OnCommand(int id, int notification) override;
  bool HasUnsavedChanges() const override { return alarm_.Changed(); }
  void SaveChanges() override { OnCommand(ramconfig::IDC_cmdSave, BN_CLICKED); }
  void DiscardChanges() override;

 private:
  // Writes RamAlarm's state into the controls; their notifications of it are
  // not the user's edits and are let pass.
  void ShowState();
  void SetText(int id, const std::string& text);

  ISound& sound_;
  std::string programFolder_;
  RamAlarm alarm_;
  bool showing_ = false;
  bool unloading_ = false;
};

}  // namespace tw

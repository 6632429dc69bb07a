#pragma once
// frmNetPingerSettings: the pinger's panel. Its state, handlers and schedule
// are NetPinger's; the panel shows that state in its controls, passes their
// events on and binds the ping and the sound to the system.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "pinger/NetPinger.h"
#include "pinger/mdlPing.h"
#include "pinger/win32/PingThread.h"
#include "platform/Network.h"
#include "platform/Registry.h"
#include "platform/Sound.h"
#include "ui/win32/Panel.h"

namespace tw {

class frmNetPingerSettings final : public ui::Panel {
 public:
  // `programFolder` holds "Ping.wav". `pingNowNetwork` makes the network
  // Ping Now's thread owns, so the thread may outlive the panel; without it
  // the thread borrows `network`, and the panel waits for it when it goes.
  frmNetPingerSettings(IRegistry& registry, INetwork& network, ISound& sound, std::string programFolder,
                       ui::IMessageBox& messages,
                       std::function<std::unique_ptr<INetwork>()> pingNowNetwork = {});
  ~frmNetPingerSettings() override;

  NetPinger& Pinger() { return pinger_; }
  // The schedule's tick, as tmrPinger gives it.
  void tmrPinger_Timer();

 protected:
  void OnStart() override { pinger_.Form_Load(); }
  void OnLoad() override;
  void OnCommand(int id, int notification) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool HasUnsavedChanges() const override { return pinger_.Changed(); }
  void SaveChanges() override { OnCommand(netpinger::IDC_cmdSave, BN_CLICKED); }
  void DiscardChanges() override;

 private:
  bool Ping(std::string_view host, std::uint32_t timeoutMs);
  bool StartPing(const std::string& host, std::uint32_t timeoutMs);
  void PlayPingSound();
  // Writes NetPinger's state into the controls; their notifications of it are
  // not the user's edits and are let pass.
  void ShowState();

  INetwork& network_;
  ISound& sound_;
  ui::IMessageBox& messages_;
  std::string programFolder_;
  std::function<std::unique_ptr<INetwork>()> pingNowNetwork_;
  PingThread pingThread_;
  NetPinger pinger_;
  bool showing_ = false;
};


}  // namespace tw

#pragma once
// frmNetPingerSettings: the pinger's panel. Its state, handlers and schedule
// are NetPinger's; the panel shows that state in its controls, passes their
// events on and binds the ping and the sound to the system.
#include <windows.h>

#include <string>

#include "pinger/NetPinger.h"
#include "pinger/mdlPing.h"
#include "platform/Network.h"
#include "platform/Registry.h"
#include "platform/Sound.h"
#include "ui/win32/Panel.h"

namespace tw {

class frmNetPingerSettings final : public ui::Panel {
 public:
  // `programFolder` holds "Ping.wav".
  frmNetPingerSettings(IRegistry& registry, INetwork& network, ISound& sound, std::string programFolder,
                       ui::IMessageBox& messages);

  NetPinger& Pinger() { return pinger_; }
  // The schedule's tick, as tmrPinger gives it.
  void tmrPinger_Timer();

 protected:
  void OnLoad() override;
  void OnCommand(int id, int notification) override;

 private:
  bool Ping(std::string_view host, std::uint32_t timeoutMs);
  void PlayPingSound();
  // Writes NetPinger's state into the controls; their notifications of it are
  // not the user's edits and are let pass.
  void ShowState();

  INetwork& network_;
  ISound& sound_;
  ui::IMessageBox& messages_;
  std::string programFolder_;
  NetPinger pinger_;
  bool showing_ = false;
};


}  // namespace tw

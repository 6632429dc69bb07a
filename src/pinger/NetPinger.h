#pragma once
// frmNetPingerSettings, "Net Pinger Settings": keeps an idle connection up by
// pinging a host every few minutes. The panel's state and every handler live
// here, portable; the Win32 panel shows this state in its controls and passes
// their events on.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/JoinedText.h"
#include "platform/Registry.h"
#include "settings/StoredSetting.h"
#include "ui/ControlLayout.h"
#include "ui/Panels.h"
#include "ui/Timer.h"

namespace tw {

// Each panel's control ids in a namespace of their own: two panels may both
// have a "cmdSave".
namespace netpinger {

enum NetPingerControl : int {
  IDC_frameNetPingerSettings = 1400,
  IDC_chkDoPinging,
  IDC_frameConfigurations,
  IDC_optAuto,
  IDC_optManual,
  IDC_lblHostName,
  IDC_txtPingHost,
  IDC_lblPingInterval,
  IDC_cmbPingInterval,
  IDC_chkSound,
  IDC_cmdPingNow,
  IDC_cmdSave,
  IDC_lblPingerDescription,
  IDC_lblPingStatus,  // what Ping Now and Save answered
  IDC_lblPingProblem,  // what is wrong with the host, said under its box
};

// The hosts are names of public services that answer echo requests around the
// clock; a name, not an address, so the service may move.
inline constexpr std::string_view kAutomaticPingHost = "dns.google";
inline constexpr std::string_view kManualPingHost = "one.one.one.one";

// The explanation ends by naming the automatic host.
inline constexpr std::string_view kPingerExplanation =
    "The PING utility helps to keep you from getting your modem connection disconnected by your service "
    "provider. Most Internet Service Providers Disconnect users after a fixed period of modem activity. "
    "Automatic Mode pings ";
inline constexpr std::string_view kFullStop = ".";
inline constexpr std::string_view kPingerDescription = kJoined<kPingerExplanation, kAutomaticPingHost, kFullStop>;

// The captions of the two field labels and the five lines of the explanation
// need a little more room in the panels' Tahoma than the panel first gave
// them: the host field sits 7 pixels further right, the interval label
// starts earlier, the explanation is taller.
inline constexpr ui::ControlSpec kNetPingerControls[] = {
    {IDC_frameNetPingerSettings, ui::ControlKind::Frame, "Net Pinger Settings", 0, 15, 6540, 3630},
    {IDC_chkDoPinging, ui::ControlKind::CheckBox, "Enable Pinger", 150, 300, 1455, 255, IDC_frameNetPingerSettings},
    {IDC_frameConfigurations, ui::ControlKind::Frame, "Configuration", 120, 675, 6285, 1500, IDC_frameNetPingerSettings},
    {IDC_optAuto, ui::ControlKind::OptionButton, "Automatic Mode", 990, 210, 1695, 255, IDC_frameConfigurations},
    {IDC_optManual, ui::ControlKind::OptionButton, "Manual Mode", 3900, 210, 1695, 255, IDC_frameConfigurations},
    {IDC_lblHostName, ui::ControlKind::SkinLabel, "Ping Host", 90, 615, 900, 255, IDC_frameConfigurations},
    {IDC_txtPingHost, ui::ControlKind::TextBox, "", 1020, 600, 1710, 315, IDC_frameConfigurations},
    {IDC_lblPingInterval, ui::ControlKind::SkinLabel, "Ping Interval", 3420, 630, 1170, 255, IDC_frameConfigurations},
    {IDC_cmbPingInterval, ui::ControlKind::ComboBox, "", 4635, 615, 1335, 315, IDC_frameConfigurations},
    {IDC_chkSound, ui::ControlKind::CheckBox, "Play &Sound at Ping", 240, 1080, 1815, 255, IDC_frameConfigurations},
    {IDC_cmdPingNow, ui::ControlKind::Button, "Ping &Now", 3360, 1020, 1400, 405, IDC_frameConfigurations},
    {IDC_lblPingerDescription, ui::ControlKind::SkinLabel, kPingerDescription, 150, 2250, 4800, 1230, IDC_frameNetPingerSettings},
    {IDC_cmdSave, ui::ControlKind::Button, "Save", 5010, 2910, 1340, 405, IDC_frameNetPingerSettings},
    {IDC_lblPingStatus, ui::ControlKind::Label, "", 1740, 300, 4650, 255, IDC_frameNetPingerSettings},
    // Shown only while the host box cannot be pinged, in the place of the sound
    // option under it: the line beside the box holds the interval.
    {IDC_lblPingProblem, ui::ControlKind::Label, "", 240, 1080, 1815, 255, IDC_frameConfigurations},
};

inline constexpr ui::ProblemSpot kPingHostProblemSpot{IDC_txtPingHost, {IDC_chkSound, 0}};
inline constexpr std::string_view kNoPingHostProblem = "Type a host to ping.";

inline constexpr ui::PanelSpec kNetPingerPanel = ui::PanelLayout(ui::PanelId::frmNetPingerSettings, kNetPingerControls);

}  // namespace netpinger

using netpinger::kNetPingerPanel;

inline constexpr std::uint32_t kPingerTimerMs = 65535;
inline constexpr std::uint32_t kPingTimeoutMs = 10000;
inline constexpr int kIntervalCount = 60;
// Automatic mode pings every sixth tick, about every six and a half minutes.
inline constexpr std::int16_t kAutomaticPeriodTicks = 6;

// The host the saved settings ping, as a load of the panel makes it: the
// built-in automatic host in automatic mode, else the saved host text.
std::string SavedPingHost(IRegistry& registry);

// "1 min." to "60 min.": the entry's index is what is stored and used.
std::vector<std::string> IntervalEntries();

// What the panel's controls hold. The fields keep their own enabled state; a
// disabled configuration group disables them all, as it does on screen.
struct NetPingerControls {
  bool doPinging = false;  // chkDoPinging
  bool automatic = true;   // optAuto selected, else optManual
  std::string host;        // txtPingHost
  int interval = 0;        // cmbPingInterval's selected index
  bool sound = false;      // chkSound
  bool configurationEnabled = true;  // frameConfigurations
  bool hostEnabled = true;
  bool intervalEnabled = true;
  bool pingNowEnabled = true;  // cmdPingNow: not while its ping waits for the answer
  bool saveEnabled = false;  // cmdSave
  std::string hostProblem;   // why the host cannot be pinged, said beside its box; empty when it can
};

class NetPinger {
 public:
  struct Services {
    IRegistry& registry;
    ui::ITimerFactory& timers;
    // PingHost with the effective host and the time-out: true on a good echo.
    std::function<bool(std::string_view host, std::uint32_t timeoutMs)> ping;
    // The same off the window's thread, for Ping Now: returns at once, false
    // when it could not start; the answer comes later through PingNowDone.
    std::function<bool(const std::string& host, std::uint32_t timeoutMs)> startPing;
    std::function<void()> playSound;        // "Ping.wav", without waiting for it
    std::function<void()> pumpMessages = [] {};  // one pass over the window messages
    std::uint32_t tickMs = kPingerTimerMs;       // the schedule's tick (see PingerTick.h)
  };

  explicit NetPinger(Services services);
  NetPinger(const NetPinger&) = delete;
  NetPinger& operator=(const NetPinger&) = delete;

  void Form_Load();
  void LoadSettings();
  SaveResult SaveSettings();
  void MarkChanged(bool flag);

  // The user's edits, each with the control's new state.
  void chkDoPinging_Click(bool checked);
  void optAuto_Click();
  void optManual_Click();
  void txtPingHost_Change(std::string_view text);
  void cmbPingInterval_Click(int index);
  void chkSound_Click(bool checked);
  // Nothing, with the host's problem said, when the pinger is on and has no
  // host to ping: nothing is saved. Else what the save stored.
  std::optional<SaveResult> cmdSave_Click();
  // Pings the host the panel shows, saved or not; with none, says so instead.
  void cmdPingNow_Click();
  // The answer to Ping Now's ping, when it comes: true on a good echo.
  void PingNowDone(bool replied);
  void tmrPinger_Timer();

  const NetPingerControls& Controls() const { return controls_; }
  bool Changed() const { return changed_; }
  const std::string& EffectiveHost() const { return effectiveHost_; }
  // The host the controls choose: the built-in one in automatic mode, else the typed one.
  std::string ShownHost() const;
  std::int16_t PeriodTicks() const { return periodTicks_; }
  std::int16_t TickCount() const { return tickCount_; }
  const ui::ITimer& Timer() const { return *tmrPinger_; }

 private:
  void ApplyPinging();
  // Says in hostProblem whether the shown host can be pinged, when `pinging`
  // is on; true when it can (or need not be).
  bool HostHolds(bool pinging);

  Services services_;
  NetPingerControls controls_;
  bool changed_ = false;
  bool pingingNow_ = false;
  std::string effectiveHost_;
  std::int16_t periodTicks_ = 1;
  std::int16_t tickCount_ = 0;
  std::unique_ptr<ui::ITimer> tmrPinger_;
};

}  // namespace tw

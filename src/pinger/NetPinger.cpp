#include "pinger/NetPinger.h"

#include <algorithm>

#include "settings/RegistrySettings.h"
#include "settings/StoredSetting.h"

namespace tw {
namespace {

using namespace netpinger;

// What the host box shows in automatic mode, in place of the built-in host.
constexpr const char* kAutomaticHostText = "Automatic";

// The pinger's stored values, under Settings\NetPinger.
constexpr struct {
  StoredSetting chkDoPinging{"chkDoPinging", StoredForm::Check, "0"};
  StoredSetting optAuto{"optAuto", StoredForm::TrueFalseOrNumber, "True"};
  StoredSetting optManual{"optManual", StoredForm::TrueFalseOrNumber, "False"};
  StoredSetting txtPingHost{"txtPingHost", StoredForm::Text, kAutomaticPingHost};
  StoredSetting cmbPingInterval{"cmbPingInterval", StoredForm::ListIndex, "5"};
  StoredSetting chkSound{"chkSound", StoredForm::Check, "0"};
} kStored;

SettingsKey Key(IRegistry& registry) { return SettingsKey(registry, kNetPingerKey); }

// "optAuto" is given first, then "optManual": choosing manual mode clears the
// automatic option, and a stored "False" clears it too, so automatic mode is
// chosen only when "optAuto" is set and "optManual" is not. With neither set
// the panel takes the manual branch, on the host text it stored.
bool StoredAutomatic(const SettingsKey& key) {
  return key.Flag(kStored.optAuto) && !key.Flag(kStored.optManual);
}

}  // namespace

std::string SavedPingHost(IRegistry& registry) {
  const SettingsKey key = Key(registry);
  if (StoredAutomatic(key)) return std::string(kAutomaticPingHost);
  return key.Text(kStored.txtPingHost);
}

std::vector<std::string> IntervalEntries() {
  std::vector<std::string> entries;
  for (int k = 1; k <= kIntervalCount; ++k) entries.push_back(std::to_string(k) + " min.");
  return entries;
}

NetPinger::NetPinger(Services services)
    : services_(std::move(services)), tmrPinger_(services_.timers.MakeTimer([this] { tmrPinger_Timer(); })) {}

void NetPinger::Form_Load() {
  tickCount_ = 0;
  controls_.saveEnabled = false;
  LoadSettings();
  ApplyPinging();
}

void NetPinger::LoadSettings() {
  const SettingsKey key = Key(services_.registry);
  controls_.doPinging = key.Flag(kStored.chkDoPinging);
  controls_.automatic = StoredAutomatic(key);
  controls_.host = key.Text(kStored.txtPingHost);
  controls_.interval = key.Whole(kStored.cmbPingInterval, 0, kIntervalCount - 1);
  controls_.sound = key.Flag(kStored.chkSound);
  controls_.hostProblem.clear();

  int intervalIndex;
  if (controls_.automatic) {
    controls_.hostEnabled = controls_.intervalEnabled = false;
    controls_.host = kAutomaticHostText;
    controls_.interval = 0;
    effectiveHost_ = kAutomaticPingHost;
    intervalIndex = kAutomaticPeriodTicks - 1;
  } else {
    controls_.hostEnabled = controls_.intervalEnabled = true;
    effectiveHost_ = controls_.host;
    intervalIndex = controls_.interval;
  }
  chkDoPinging_Click(controls_.doPinging);
  MarkChanged(false);
  periodTicks_ = static_cast<std::int16_t>(intervalIndex + 1);
}

SaveResult NetPinger::SaveSettings() {
  SettingsKey key = Key(services_.registry);
  key.SaveFlag(kStored.chkDoPinging, controls_.doPinging);
  key.SaveFlag(kStored.optAuto, controls_.automatic);
  key.SaveFlag(kStored.optManual, !controls_.automatic);
  key.SaveText(kStored.txtPingHost, controls_.host);
  key.SaveText(kStored.cmbPingInterval, std::to_string(controls_.interval));
  key.SaveFlag(kStored.chkSound, controls_.sound);

  effectiveHost_ = ShownHost();
  ApplyPinging();
  // Automatic mode has its own period whatever the locked list shows, so the
  // same stored settings ping at the same rate before and after a restart.
  periodTicks_ = controls_.automatic ? kAutomaticPeriodTicks : static_cast<std::int16_t>(controls_.interval + 1);
  return key.Saved();
}

// A running timer keeps its phase: starting it again would put the next tick
// a whole interval off.
void NetPinger::ApplyPinging() {
  if (!controls_.doPinging) {
    tmrPinger_->Stop();
  } else if (!tmrPinger_->IsRunning()) {
    tmrPinger_->Start(services_.tickMs);
  }
}

void NetPinger::MarkChanged(bool flag) {
  changed_ = flag;
  controls_.saveEnabled = flag;
}

void NetPinger::chkDoPinging_Click(bool checked) {
  controls_.doPinging = checked;
  controls_.configurationEnabled = checked;
  if (checked) controls_.saveEnabled = true;
  if (!checked) controls_.hostProblem.clear();
  MarkChanged(true);
}

std::string NetPinger::ShownHost() const {
  return controls_.automatic ? std::string(kAutomaticPingHost) : controls_.host;
}

bool NetPinger::HostHolds(bool pinging) {
  const bool blank = ShownHost().find_first_not_of(' ') == std::string::npos;
  controls_.hostProblem = pinging && blank ? std::string(kNoPingHostProblem) : std::string();
  return controls_.hostProblem.empty();
}

void NetPinger::optAuto_Click() {
  controls_.automatic = true;
  controls_.hostProblem.clear();
  MarkChanged(true);
  controls_.hostEnabled = controls_.intervalEnabled = false;
  controls_.host = kAutomaticHostText;
  controls_.interval = 0;
}

void NetPinger::optManual_Click() {
  controls_.automatic = false;
  MarkChanged(true);
  controls_.host = kManualPingHost;
  controls_.hostEnabled = controls_.intervalEnabled = true;
  controls_.hostProblem.clear();
}

void NetPinger::txtPingHost_Change(std::string_view text) {
  controls_.host = text;
  MarkChanged(true);
  // Typing is not checked; a host typed takes away what was said.
  if (!controls_.hostProblem.empty()) HostHolds(true);
}

void NetPinger::cmbPingInterval_Click(int index) {
  controls_.interval = std::clamp(index, 0, kIntervalCount - 1);
  MarkChanged(true);
}

void NetPinger::chkSound_Click(bool checked) {
  controls_.sound = checked;
  MarkChanged(true);
}

// A pinger switched off may keep an empty host: the box cannot be reached to
// fix it, and nothing pings it. Nothing, with the host's problem said, when
// the pinger is on and has no host to ping.
std::optional<SaveResult> NetPinger::cmdSave_Click() {
  if (!HostHolds(controls_.doPinging)) return std::nullopt;
  // What was not stored is still a change to save.
  SaveResult saved = SaveSettings();
  MarkChanged(!saved.Saved());
  return saved;
}

// The ping waits off the window's thread, up to its time-out when the host
// does not answer, and the window stays with the user meanwhile. Its button
// rests until the answer: a press then would only queue another wait.
void NetPinger::cmdPingNow_Click() {
  if (pingingNow_ || !HostHolds(true)) return;
  pingingNow_ = services_.startPing && services_.startPing(ShownHost(), kPingTimeoutMs);
  controls_.pingNowEnabled = !pingingNow_;
}

void NetPinger::PingNowDone(bool replied) {
  if (!pingingNow_) return;
  pingingNow_ = false;
  controls_.pingNowEnabled = true;
  if (controls_.sound && replied) services_.playSound();
}

void NetPinger::tmrPinger_Timer() {
  if (tickCount_ < periodTicks_ - 1) {
    ++tickCount_;
    return;
  }
  tickCount_ = 0;
  const std::string host = effectiveHost_;
  services_.ping(host, kPingTimeoutMs);
  if (controls_.sound) services_.playSound();
}

}  // namespace tw

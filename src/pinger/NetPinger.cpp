#include "pinger/NetPinger.h"

#include <algorithm>
#include <cctype>

#include "core/Numbers.h"
#include "settings/RegistrySettings.h"

namespace tw {
namespace {

using namespace netpinger;


const std::string& KeyPath() {
  static const std::string path = SettingsPath(kNetPingerKey);
  return path;
}

std::string Read(IRegistry& registry, std::string_view name, const char* defaultText) {
  return GetSettingValue(registry, KeyPath(), name, Variant(defaultText)).Text();
}

bool ReadCheck(IRegistry& registry, std::string_view name) { return GetSettingCheck(registry, KeyPath(), name); }

// "True" or "False" in any case, or a number (0 is false); anything else is
// taken as not stored.
bool ReadBoolean(IRegistry& registry, std::string_view name, bool defaultValue) {
  std::string text = Read(registry, name, defaultValue ? "true" : "false");
  text.erase(0, text.find_first_not_of(' '));
  text.erase(text.find_last_not_of(' ') + 1);
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  if (text == "true") return true;
  if (text == "false") return false;
  if (const auto number = ParseNumber(text)) return *number != 0;
  return defaultValue;
}

int ReadIndex(IRegistry& registry, std::string_view name, int defaultValue) {
  const auto index = ToInt32(Read(registry, name, "5"));
  return index && *index >= 0 && *index < kIntervalCount ? *index : defaultValue;
}

// The soak's shorter tick, when it stored one (see kSoakTickValueName).
std::uint32_t ReadTickMs(IRegistry& registry) {
  const auto ms = ToInt32(Read(registry, kSoakTickValueName, ""));
  if (!ms || *ms < static_cast<std::int32_t>(kSoakTickMinMs) || *ms > static_cast<std::int32_t>(kPingerTimerMs)) {
    return kPingerTimerMs;
  }
  return static_cast<std::uint32_t>(*ms);
}

const char* CheckText(bool checked) { return checked ? "1" : "0"; }
const char* BooleanText(bool value) { return value ? "True" : "False"; }

// "optAuto" is given first, then "optManual": choosing manual mode clears the
// automatic option, and a stored "False" clears it too, so automatic mode is
// chosen only when "optAuto" is set and "optManual" is not. With neither set
// the panel takes the manual branch, on the host text it stored.
bool StoredAutomatic(IRegistry& registry) {
  return ReadBoolean(registry, "optAuto", true) && !ReadBoolean(registry, "optManual", false);
}

}  // namespace

std::string SavedPingHost(IRegistry& registry) {
  if (StoredAutomatic(registry)) return std::string(kAutomaticPingHost);
  return Read(registry, "txtPingHost", std::string(kAutomaticPingHost).c_str());
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
  IRegistry& registry = services_.registry;
  controls_.doPinging = ReadCheck(registry, "chkDoPinging");
  controls_.automatic = StoredAutomatic(registry);
  controls_.host = Read(registry, "txtPingHost", std::string(kAutomaticPingHost).c_str());
  controls_.interval = ReadIndex(registry, "cmbPingInterval", 5);
  controls_.sound = ReadCheck(registry, "chkSound");
  tickMs_ = ReadTickMs(registry);

  int intervalIndex;
  if (controls_.automatic) {
    controls_.hostEnabled = controls_.intervalEnabled = false;
    controls_.host = "Automatic";
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

void NetPinger::SaveSettings() {
  IRegistry& registry = services_.registry;
  const std::string& path = KeyPath();
  SaveSettingValue(registry, path, "chkDoPinging", CheckText(controls_.doPinging));
  SaveSettingValue(registry, path, "optAuto", BooleanText(controls_.automatic));
  SaveSettingValue(registry, path, "optManual", BooleanText(!controls_.automatic));
  SaveSettingValue(registry, path, "txtPingHost", controls_.host);
  SaveSettingValue(registry, path, "cmbPingInterval", std::to_string(controls_.interval));
  SaveSettingValue(registry, path, "chkSound", CheckText(controls_.sound));

  effectiveHost_ = controls_.automatic ? std::string(kAutomaticPingHost) : controls_.host;
  ApplyPinging();
  // Automatic mode has its own period whatever the locked list shows, so the
  // same stored settings ping at the same rate before and after a restart.
  periodTicks_ = controls_.automatic ? kAutomaticPeriodTicks : static_cast<std::int16_t>(controls_.interval + 1);
}

// A running timer keeps its phase: starting it again would put the next tick
// a whole interval off.
void NetPinger::ApplyPinging() {
  if (!controls_.doPinging) {
    tmrPinger_->Stop();
  } else if (!tmrPinger_->IsRunning()) {
    tmrPinger_->Start(tickMs_);
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
  MarkChanged(true);
}

void NetPinger::optAuto_Click() {
  controls_.automatic = true;
  MarkChanged(true);
  controls_.hostEnabled = controls_.intervalEnabled = false;
  controls_.host = "Automatic";
  controls_.interval = 0;
}

void NetPinger::optManual_Click() {
  controls_.automatic = false;
  MarkChanged(true);
  controls_.host = kManualPingHost;
  controls_.hostEnabled = controls_.intervalEnabled = true;
}

void NetPinger::txtPingHost_Change(std::string_view text) {
  controls_.host = text;
  MarkChanged(true);
}

void NetPinger::cmbPingInterval_Click(int index) {
  controls_.interval = std::clamp(index, 0, kIntervalCount - 1);
  MarkChanged(true);
}

void NetPinger::chkSound_Click(bool checked) {
  controls_.sound = checked;
  MarkChanged(true);
}

void NetPinger::cmdSave_Click() {
  MarkChanged(false);
  SaveSettings();
}

// The ping waits off the window's thread, up to its time-out when the host
// does not answer, and the window stays with the user meanwhile. Its button
// rests until the answer: a press then would only queue another wait.
void NetPinger::cmdPingNow_Click() {
  if (pingingNow_) return;
  pingingNow_ = services_.startPing && services_.startPing(effectiveHost_, kPingTimeoutMs);
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

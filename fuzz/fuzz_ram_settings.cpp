// The RAM alarm's stored settings, whatever the registry holds.
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "memory/RamAlarm.h"
#include "support/FakeTimer.h"

namespace {
constexpr std::string_view kNames[] = {"chkSoundon", "chkAutomatic", "txtAlarm",   "txtFreeAlarm",
                                       "txtTimeCheck", "optPer",     "optMB",      "txtRunOnly",
                                       "txtRetryOptimization"};

class FixedMemory final : public tw::IMemoryStatus {
 public:
  void GlobalMemoryStatus(tw::MemoryFigures& figures) override {
    figures.totalPhys = 512ull * 1048576;
    figures.availPhys = 100ull * 1048576;
  }
};

bool SameControls(const tw::RamControls& a, const tw::RamControls& b) {
  return a.soundOn == b.soundOn && a.automatic == b.automatic && a.alarm == b.alarm && a.freeAlarm == b.freeAlarm &&
         a.timeCheck == b.timeCheck && a.percent == b.percent && a.runOnly == b.runOnly && a.retry == b.retry;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tw::test::MemoryRegistry registry;
  tw::fuzz::FillSettings(registry, tw::kRamSettingsKey, kNames, data, size);
  tw::test::FakeTimerFactory timers;
  FixedMemory memory;
  std::size_t allocated = 0;
  auto services = tw::RamAlarm::Services{
      .registry = registry,
      .timers = timers,
      .memory = memory,
      .queryProcessor = [] { return 10; },
      .playSound = [] {},
      .pumpMessages = [] {},
      // The freeing asks for as much as the settings say: count it, refuse it.
      .allocate = [&](std::size_t count) { return allocated += count, static_cast<char16_t*>(nullptr); }};
  tw::RamAlarm alarm(services);
  alarm.Form_Load();
  const tw::RamControls loaded = alarm.Controls();
  if (alarm.AlarmTimer().IsRunning() &&
      (alarm.AlarmTimer().Interval() < tw::kCheckIntervalMin || alarm.AlarmTimer().Interval() > tw::kCheckIntervalMax))
    std::abort();
  alarm.tmrAlarm_Timer();
  alarm.tmrSoundPlayer_Timer();

  alarm.SaveRamSettings();
  tw::RamAlarm again(services);
  again.Form_Load();
  if (!SameControls(again.Controls(), loaded)) std::abort();
  if (registry.OpenHandles() != 0) std::abort();
  return 0;
}

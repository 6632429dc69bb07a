// The pinger's stored settings, whatever the registry holds.
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "pinger/NetPinger.h"
#include "pinger/PingerTick.h"
#include "support/FakeTimer.h"
#include "tools/SoakTick.h"

namespace {
constexpr std::string_view kNames[] = {"chkDoPinging",    "optManual", "txtPingHost",
                                       "cmbPingInterval", "chkSound",  tw::kSoakTickValueName};

bool SameControls(const tw::NetPingerControls& a, const tw::NetPingerControls& b) {
  return a.doPinging == b.doPinging && a.automatic == b.automatic && a.host == b.host && a.interval == b.interval &&
         a.sound == b.sound;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tw::test::MemoryRegistry registry;
  tw::fuzz::FillSettings(registry, tw::kNetPingerKey, kNames, data, size);
  tw::test::FakeTimerFactory timers;
  int pings = 0;
  tw::NetPinger pinger({.registry = registry,
                        .timers = timers,
                        .ping = [&](std::string_view, std::uint32_t) { return ++pings % 2 == 0; },
                        .playSound = [] {},
                        .tickMs = tw::PingerTickMs(registry)});
  pinger.Form_Load();
  const tw::NetPingerControls loaded = pinger.Controls();
  if (loaded.interval < 0 || loaded.interval >= tw::kIntervalCount) std::abort();
  if (pinger.PeriodTicks() < 1) std::abort();
  if (pinger.Timer().IsRunning() &&
      (pinger.Timer().Interval() < tw::kSoakTickMinMs || pinger.Timer().Interval() > tw::kPingerTimerMs))
    std::abort();
  // A few ticks of the loaded timer: the period and count come from the settings.
  for (int k = 0; k < 8; ++k) pinger.tmrPinger_Timer();

  pinger.SaveSettings();
  tw::NetPinger again({.registry = registry, .timers = timers, .ping = [](std::string_view, std::uint32_t) {
                         return true;
                       }, .playSound = [] {}});
  again.Form_Load();
  if (!SameControls(again.Controls(), loaded)) std::abort();
  if (registry.OpenHandles() != 0) std::abort();
  return 0;
}

#include "tools/SoakTick.h"

#include "core/Numbers.h"
#include "pinger/NetPinger.h"
#include "pinger/PingerTick.h"
#include "settings/RegistrySettings.h"
#include "settings/StoredSetting.h"

namespace tw {

std::uint32_t PingerTickMs(IRegistry& registry) {
  const auto ms = ToInt32(SettingsKey(registry, kNetPingerKey).Text({kSoakTickValueName, StoredForm::Text, ""}));
  if (!ms || *ms < static_cast<std::int32_t>(kSoakTickMinMs) || *ms > static_cast<std::int32_t>(kPingerTimerMs)) {
    return kPingerTimerMs;
  }
  return static_cast<std::uint32_t>(*ms);
}

}  // namespace tw

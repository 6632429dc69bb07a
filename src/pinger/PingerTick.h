#pragma once
// How long the pinger's schedule tick is. The shipped program's is the fixed
// kPingerTimerMs (PingerTick.cpp). The soak's build of the program links
// tools/SoakTick.cpp in its place, which reads a shorter tick from the
// registry: the setting exists in that build only, never in what ships.
#include <cstdint>

#include "platform/Registry.h"

namespace tw {

std::uint32_t PingerTickMs(IRegistry& registry);

}  // namespace tw

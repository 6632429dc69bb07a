// Alone in its file: a build that links its own PingerTickMs leaves this out.
#include "pinger/PingerTick.h"

#include "pinger/NetPinger.h"

namespace tw {

std::uint32_t PingerTickMs(IRegistry&) { return kPingerTimerMs; }

}  // namespace tw

#pragma once
#include <windows.h>

#include "platform/Clock.h"

namespace tw {

class Win32Clock final : public IClock {
 public:
  SystemTime GetLocalTime() override;
};

// The date and time of a SystemTime as the system's date and time formats take them.
SYSTEMTIME ToSystemTime(const SystemTime& time);

}  // namespace tw

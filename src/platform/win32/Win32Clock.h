#pragma once
#include "platform/Clock.h"

namespace tw {

class Win32Clock final : public IClock {
 public:
  SystemTime GetLocalTime() override;
};

}  // namespace tw

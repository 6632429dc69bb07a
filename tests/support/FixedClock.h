#pragma once
#include "platform/Clock.h"

namespace tw::test {

// A clock that always says the same time, so files stamped with it compare byte for byte.
class FixedClock final : public IClock {
 public:
  explicit FixedClock(SystemTime now) : now_(now) {}
  SystemTime GetLocalTime() override { return now_; }
  void Set(SystemTime now) { now_ = now; }

 private:
  SystemTime now_;
};

}  // namespace tw::test

#pragma once
// The wall clock, as GetLocalTime gives it (a SYSTEMTIME in local time).
#include <cstdint>

namespace tw {

struct SystemTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;      // 1 to 12
  std::uint16_t dayOfWeek = 0;  // 0 Sunday to 6 Saturday
  std::uint16_t day = 0;        // 1 to 31
  std::uint16_t hour = 0;       // 0 to 23
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t milliseconds = 0;
  bool operator==(const SystemTime&) const = default;
};

class IClock {
 public:
  virtual ~IClock() = default;
  // GetLocalTime.
  virtual SystemTime GetLocalTime() = 0;
};

}  // namespace tw

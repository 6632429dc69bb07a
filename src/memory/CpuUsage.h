#pragma once
// Processor usage as a whole-number percentage, one sampler per Windows
// family behind one interface: the status monitor picks one when it loads
// and the RAM alarm reads the same one.
#include <cstdint>

#include "platform/Registry.h"
#include "platform/SystemInfo.h"

namespace tw {

class ICpuUsage {
 public:
  virtual ~ICpuUsage() = default;
  virtual void Initialize() = 0;
  virtual std::int32_t Query() = 0;
  virtual void Terminate() = 0;
};

// 95, 98 and ME: the kernel's own statistic under HKEY_DYN_DATA. Where that
// branch is missing (Wine has none) every query answers the last value, 0.
class clsCPUUsage final : public ICpuUsage {
 public:
  explicit clsCPUUsage(IRegistry& registry) : registry_(registry) {}
  ~clsCPUUsage() override;
  void Initialize() override;
  std::int32_t Query() override;
  void Terminate() override;

 private:
  IRegistry& registry_;
  RegHandle key_ = 0;
  std::uint32_t data_ = 0;
};

// NT family: 100 minus the idle share per processor since the previous
// sample, from the idle time and the time of day the system reports.
class clsCPUUsageNT final : public ICpuUsage {
 public:
  explicit clsCPUUsageNT(ISystemInformation& system) : system_(system) {}
  void Initialize() override;
  // -1 when a system call fails; the previous sample is then kept.
  std::int32_t Query() override;
  void Terminate() override {}

 private:
  ISystemInformation& system_;
  std::int64_t previousIdle_ = 0;
  std::int64_t previousTime_ = 0;
  // Read at the first query that gets it: the count does not change while
  // the program runs, and the query is made three times a second.
  std::uint8_t processors_ = 0;
};

// The arithmetic of one NT sample, in the fixed-point decimal the counters
// are read in (units of 1/10,000: 100-ns ticks read as milliseconds with
// four decimals). A processor count of 0 is taken as 1.
std::int32_t UsageFromSamples(std::int64_t idleDelta, std::int64_t timeDelta, unsigned processors);

}  // namespace tw

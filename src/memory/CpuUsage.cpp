#include "memory/CpuUsage.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/Numbers.h"
#include "platform/ErrorCodes.h"

namespace tw {
namespace {

constexpr std::string_view kStatistic = "KERNEL\\CPUUsage";
constexpr double kScale = 10000.0;

// A double into the fixed-point type: four decimals, ties to even, held
// inside the type's range.
std::int64_t ToFixed(double value) {
  const double raw = RoundHalfEven(value * kScale);
  if (!(raw > -9.2e18)) return std::numeric_limits<std::int64_t>::min();
  if (!(raw < 9.2e18)) return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(raw);
}

std::int64_t Read64(const std::uint8_t* at) {
  std::int64_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

clsCPUUsage::~clsCPUUsage() {
  // The statistic stays started, as the program never stops it; the key goes.
  if (key_ != 0) registry_.CloseKey(key_);
}

void clsCPUUsage::Initialize() {
  RegHandle start = 0;
  if (registry_.OpenKeyEx(kHkeyDynData, "PerfStats\\StartStat", kKeyAllAccess, start) != kErrorSuccess) return;
  std::uint32_t type = 0, size = sizeof data_;
  registry_.QueryValueEx(start, kStatistic, &type, reinterpret_cast<std::uint8_t*>(&data_), &size);
  registry_.CloseKey(start);
  RegHandle data = 0;
  if (registry_.OpenKeyEx(kHkeyDynData, "PerfStats\\StatData", kKeyRead, data) == kErrorSuccess) key_ = data;
}

std::int32_t clsCPUUsage::Query() {
  if (key_ != 0) {
    std::uint32_t value = 0, type = 0, size = sizeof value;
    if (registry_.QueryValueEx(key_, kStatistic, &type, reinterpret_cast<std::uint8_t*>(&value), &size) ==
        kErrorSuccess) {
      data_ = value;
    }
  }
  return static_cast<std::int32_t>(data_);
}

void clsCPUUsage::Terminate() {
  if (key_ != 0) registry_.CloseKey(key_);
  key_ = 0;
  RegHandle stop = 0;
  if (registry_.OpenKeyEx(kHkeyDynData, "PerfStats\\StopStat", kKeyAllAccess, stop) != kErrorSuccess) return;
  std::uint32_t value = 0, type = 0, size = sizeof value;
  registry_.QueryValueEx(stop, kStatistic, &type, reinterpret_cast<std::uint8_t*>(&value), &size);
  registry_.CloseKey(stop);
}

void clsCPUUsageNT::Initialize() {
  std::array<std::uint8_t, 32> time{};
  std::array<std::uint8_t, 312> performance{};
  if (system_.NtQuerySystemInformation(kSystemTimeOfDayInformation, time) != 0) return;
  if (system_.NtQuerySystemInformation(kSystemPerformanceInformation, performance) != 0) return;
  previousIdle_ = Read64(performance.data());
  previousTime_ = Read64(time.data() + 8);
}

std::int32_t clsCPUUsageNT::Query() {
  if (processors_ == 0) {
    std::array<std::uint8_t, 44> basic{};
    if (system_.NtQuerySystemInformation(kSystemBasicInformation, basic) != 0) return -1;
    processors_ = basic[40];
  }
  std::array<std::uint8_t, 32> time{};
  std::array<std::uint8_t, 312> performance{};
  if (system_.NtQuerySystemInformation(kSystemTimeOfDayInformation, time) != 0 ||
      system_.NtQuerySystemInformation(kSystemPerformanceInformation, performance) != 0) {
    return -1;
  }
  const std::int64_t idle = Read64(performance.data());
  const std::int64_t now = Read64(time.data() + 8);
  // Wrapping differences: a counter that went backwards gives a wild figure,
  // never undefined arithmetic.
  const auto idleDelta = static_cast<std::int64_t>(static_cast<std::uint64_t>(idle) - static_cast<std::uint64_t>(previousIdle_));
  const auto timeDelta = static_cast<std::int64_t>(static_cast<std::uint64_t>(now) - static_cast<std::uint64_t>(previousTime_));
  const std::int32_t usage = UsageFromSamples(idleDelta, timeDelta, processors_);
  previousIdle_ = idle;
  previousTime_ = now;
  return usage;
}

std::int32_t UsageFromSamples(std::int64_t idleDelta, std::int64_t timeDelta, unsigned processors) {
  // Both differences are already fixed-point values: ticks of 100 ns are
  // milliseconds to four decimals.
  const std::int64_t ratio =
      timeDelta != 0 ? ToFixed(static_cast<double>(idleDelta) / static_cast<double>(timeDelta)) : idleDelta;
  const double percent = static_cast<double>(ratio) * 100.0 / kScale;
  const double count = processors == 0 ? 1.0 : static_cast<double>(processors);
  const std::int64_t usage = ToFixed(100.0 - percent / count + 0.5);
  // The whole part, rounded down (a negative usage too).
  std::int64_t whole = usage / 10000;
  if (usage % 10000 < 0) --whole;
  if (whole > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (whole < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(whole);
}

}  // namespace tw

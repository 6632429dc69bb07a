#include "memory/SystemStatus.h"

#include <algorithm>

#include "core/Numbers.h"

namespace tw {

std::optional<std::int32_t> FreeMemoryPercent(std::int64_t freeMegabytes, std::int64_t totalMegabytes) {
  if (totalMegabytes <= 0) return std::nullopt;
  return ToInt32(static_cast<double>(freeMegabytes) / static_cast<double>(totalMegabytes) * 100.0);
}

std::int64_t TargetMaximum(std::int64_t totalMegabytes) { return std::clamp<std::int64_t>(totalMegabytes, 0, 2047); }

std::uint32_t SpeedInterval(int position) { return static_cast<std::uint32_t>(1300 - std::clamp(position, 300, 1000)); }

// The figure is the share of memory that is free, and the texts say so: "usage"
// read a nearly empty memory as nearly full.
std::string MemoryCaption(std::int32_t percent) { return "Free RAM (" + std::to_string(percent) + "%)."; }

std::string ProcessorCaption(std::int32_t percent) { return "Processor usage (" + std::to_string(percent) + "%)."; }

std::string TargetCaption(std::int64_t megabytes) { return "Target Level Of RAM " + std::to_string(megabytes) + "MB."; }

std::string TargetToolTip(std::int64_t megabytes) {
  return std::to_string(megabytes) + " MB to free when Optimize is clicked";
}

std::string TrayMemoryTip(bool percent, std::int32_t freePercent, std::int64_t freeMegabytes) {
  return percent ? MemoryCaption(freePercent) : "Free RAM (" + std::to_string(freeMegabytes) + "MB).";
}

}  // namespace tw

#pragma once
// Memory and processor figures as the system reports them, shaped like
// GlobalMemoryStatus and NtQuerySystemInformation. Tests give recorded ones.
#include <cstdint>
#include <span>

namespace tw {

// MEMORYSTATUS's fields the program reads, in bytes (the load in percent),
// wide enough for machines with 2 GB or more.
struct MemoryFigures {
  std::uint32_t memoryLoad = 0;
  std::uint64_t totalPhys = 0;
  std::uint64_t availPhys = 0;
  std::uint64_t totalVirtual = 0;
  std::uint64_t availVirtual = 0;
};

class IMemoryStatus {
 public:
  virtual ~IMemoryStatus() = default;
  // Fresh figures at every call; the system has no failure to report.
  virtual void GlobalMemoryStatus(MemoryFigures& figures) = 0;
};

inline constexpr std::uint32_t kSystemBasicInformation = 0;
inline constexpr std::uint32_t kSystemPerformanceInformation = 2;
inline constexpr std::uint32_t kSystemTimeOfDayInformation = 3;

class ISystemInformation {
 public:
  virtual ~ISystemInformation() = default;
  // The record of `infoClass` into `buffer`; 0 on success, an NTSTATUS
  // otherwise (also where the system has no such call).
  virtual long NtQuerySystemInformation(std::uint32_t infoClass, std::span<std::uint8_t> buffer) = 0;
};

}  // namespace tw

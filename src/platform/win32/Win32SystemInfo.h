#pragma once
#include "platform/SystemInfo.h"

namespace tw {

// GlobalMemoryStatusEx where kernel32 has it (2000 and later), which counts
// past 2 GB, else GlobalMemoryStatus; NtQuerySystemInformation from ntdll,
// looked up at run time, as the 9x family has no such call.
class Win32SystemInfo final : public IMemoryStatus, public ISystemInformation {
 public:
  void GlobalMemoryStatus(MemoryFigures& figures) override;
  long NtQuerySystemInformation(std::uint32_t infoClass, std::span<std::uint8_t> buffer) override;
};

}  // namespace tw

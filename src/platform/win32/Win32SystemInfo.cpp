#include "platform/win32/Win32SystemInfo.h"

#include <windows.h>

namespace tw {
namespace {

using MemoryStatusEx = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

template <typename Function>
Function Lookup(const char* module, const char* name) {
  HMODULE handle = GetModuleHandleA(module);
  return handle != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)))
                           : nullptr;
}

}  // namespace

void Win32SystemInfo::GlobalMemoryStatus(MemoryFigures& figures) {
  static const auto statusEx = Lookup<MemoryStatusEx>("kernel32.dll", "GlobalMemoryStatusEx");
  if (statusEx != nullptr) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (statusEx(&status)) {
      figures = {status.dwMemoryLoad, status.ullTotalPhys, status.ullAvailPhys, status.ullTotalVirtual,
                 status.ullAvailVirtual};
      return;
    }
  }
  MEMORYSTATUS status{};
  status.dwLength = sizeof status;
  ::GlobalMemoryStatus(&status);
  figures = {status.dwMemoryLoad, status.dwTotalPhys, status.dwAvailPhys, status.dwTotalVirtual,
             status.dwAvailVirtual};
}

long Win32SystemInfo::NtQuerySystemInformation(std::uint32_t infoClass, std::span<std::uint8_t> buffer) {
  static const auto query = Lookup<QuerySystemInformation>("ntdll.dll", "NtQuerySystemInformation");
  if (query == nullptr) return static_cast<long>(0xC0000002);  // STATUS_NOT_IMPLEMENTED
  ULONG returned = 0;
  return query(infoClass, buffer.data(), static_cast<ULONG>(buffer.size()), &returned);
}

}  // namespace tw

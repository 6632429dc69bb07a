#pragma once
#include <windows.h>

#include "platform/Network.h"
#include "platform/win32/Handles.h"

namespace tw {

// Windows Sockets from wsock32, which every Windows since 95 has. The ICMP
// calls come from icmp.dll (iphlpapi.dll where it is missing), loaded on the
// first ping, so the program starts on a system that has neither: a ping
// there simply gets no handle.
class Win32Network : public INetwork {
 public:
  Win32Network() = default;
  Win32Network(const Win32Network&) = delete;
  Win32Network& operator=(const Win32Network&) = delete;

  int WSAStartup(std::uint16_t requestedVersion, WsaData& data) override;
  int WSACleanup() override;
  std::optional<HostEntry> gethostbyname(std::string_view name) override;
  IcmpHandle IcmpCreateFile() override;
  std::uint32_t IcmpSendEcho(IcmpHandle handle, std::uint32_t address, std::span<const std::uint8_t> request,
                             const IpOptions* options, std::span<std::uint8_t> reply,
                             std::uint32_t timeoutMs) override;
  bool IcmpCloseHandle(IcmpHandle handle) override;

 private:
  using CreateFn = HANDLE(WINAPI*)();
  using SendFn = DWORD(WINAPI*)(HANDLE, DWORD, LPVOID, WORD, LPVOID, LPVOID, DWORD, DWORD);
  using CloseFn = BOOL(WINAPI*)(HANDLE);
  bool LoadIcmp();

  bool tried_ = false;
  UniqueModule module_;
  CreateFn create_ = nullptr;
  SendFn send_ = nullptr;
  CloseFn close_ = nullptr;
};

}  // namespace tw

#include <winsock2.h>
// After winsock2.h, which it needs: IP_OPTION_INFORMATION.
#include <ipexport.h>

#include "platform/win32/Win32Network.h"

#include <string>
#include <utility>

#include "platform/win32/WidePath.h"

namespace tw {
namespace {

// The sockets library loads with the first ping, not with the program.
template <typename Function>
Function Sockets(const char* name) {
  return SystemFunction<Function>("wsock32.dll", name);
}

}  // namespace

int Win32Network::WSAStartup(std::uint16_t requestedVersion, WsaData& data) {
  static const auto startup = Sockets<int(WINAPI*)(WORD, LPWSADATA)>("WSAStartup");
  if (startup == nullptr) return WSASYSNOTREADY;
  WSADATA system{};
  const int result = startup(requestedVersion, &system);
  if (result == 0) data = {system.wVersion, system.wHighVersion, system.iMaxSockets};
  return result;
}

int Win32Network::WSACleanup() {
  static const auto cleanup = Sockets<int(WINAPI*)()>("WSACleanup");
  return cleanup != nullptr ? cleanup() : SOCKET_ERROR;
}

std::optional<HostEntry> Win32Network::gethostbyname(std::string_view name) {
  static const auto lookUp = Sockets<hostent*(WINAPI*)(const char*)>("gethostbyname");
  if (lookUp == nullptr) return std::nullopt;
  const std::string text(name);
  // The entry belongs to the sockets library and the next look-up overwrites
  // it: everything is copied out at once.
  const hostent* entry = lookUp(text.c_str());
  if (entry == nullptr) return std::nullopt;
  HostEntry copy;
  copy.addressType = entry->h_addrtype;
  copy.addressLength = entry->h_length;
  const auto length = static_cast<std::size_t>(entry->h_length > 0 ? entry->h_length : 0);
  for (char** address = entry->h_addr_list; address != nullptr && *address != nullptr; ++address) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(*address);
    copy.addresses.emplace_back(bytes, bytes + length);
  }
  return copy;
}

bool Win32Network::LoadIcmp() {
  if (!tried_) {
    tried_ = true;
    for (const char* library : {"icmp.dll", "iphlpapi.dll"}) {
      UniqueModule module(LoadLibraryA(library));
      if (!module) continue;
      const auto find = [&module](const char* name) {
        return reinterpret_cast<void*>(GetProcAddress(module.get(), name));
      };
      auto create = reinterpret_cast<CreateFn>(find("IcmpCreateFile"));
      auto send = reinterpret_cast<SendFn>(find("IcmpSendEcho"));
      auto close = reinterpret_cast<CloseFn>(find("IcmpCloseHandle"));
      if (create != nullptr && send != nullptr && close != nullptr) {
        module_ = std::move(module);
        create_ = create;
        send_ = send;
        close_ = close;
        break;
      }
    }
  }
  return static_cast<bool>(module_);
}

IcmpHandle Win32Network::IcmpCreateFile() {
  if (!LoadIcmp()) return kInvalidIcmpHandle;
  return reinterpret_cast<IcmpHandle>(create_());
}

std::uint32_t Win32Network::IcmpSendEcho(IcmpHandle handle, std::uint32_t address,
                                         std::span<const std::uint8_t> request, const IpOptions* options,
                                         std::span<std::uint8_t> reply, std::uint32_t timeoutMs) {
  if (!LoadIcmp()) return 0;
  IP_OPTION_INFORMATION header{};
  if (options != nullptr) {
    header.Ttl = options->ttl;
    header.Tos = options->tos;
    header.Flags = options->flags;
  }
  const DWORD replies = send_(reinterpret_cast<HANDLE>(handle), address, const_cast<std::uint8_t*>(request.data()),
                              static_cast<WORD>(request.size()), options != nullptr ? &header : nullptr,
                              reply.data(), static_cast<DWORD>(reply.size()), timeoutMs);
  // A send that fails may say why only through the last error ("needs
  // fragmentation" from this computer's own interface, for one): the record
  // gets it when the system left its status empty.
  if (replies == 0 && reply.size() >= 8 && reply[4] == 0 && reply[5] == 0 && reply[6] == 0 && reply[7] == 0) {
    const DWORD error = GetLastError();
    for (int k = 0; k < 4; ++k) reply[4 + k] = static_cast<std::uint8_t>(error >> (8 * k));
  }
  return replies;
}

bool Win32Network::IcmpCloseHandle(IcmpHandle handle) {
  if (!LoadIcmp()) return false;
  return close_(reinterpret_cast<HANDLE>(handle)) != FALSE;
}

}  // namespace tw

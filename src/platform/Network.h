#pragma once
// Windows Sockets start-up and name look-up (wsock32) and the ICMP echo calls
// (icmp.dll), shaped like the calls they stand for. Win32Network forwards to
// the system; tests use a fake that answers as scripted and sends nothing.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tw {

inline constexpr std::uint16_t kWinsockVersion11 = 0x0101;

// What the ping reads of WSADATA. The version word holds the major version in
// its low byte and the minor version in its high byte.
struct WsaData {
  std::uint16_t version = 0;
  std::uint16_t highVersion = 0;
  std::uint16_t maxSockets = 0;  // iMaxSockets
};

// A host entry copied out of the system's own: each address as many bytes as
// the entry's address length says, in the entry's order.
struct HostEntry {
  std::int16_t addressType = 0;
  std::int16_t addressLength = 0;
  std::vector<std::vector<std::uint8_t>> addresses;
};

// What IP_OPTION_INFORMATION holds of a request's IP header; no option data.
struct IpOptions {
  std::uint8_t ttl = 128;
  std::uint8_t tos = 0;
  std::uint8_t flags = 0;
};
inline constexpr std::uint8_t kIpFlagDontFragment = 2;  // IP_FLAG_DF

// The reply statuses (ipexport.h) the program tells apart; 0 is a good echo.
inline constexpr std::uint32_t kIpPacketTooBig = 11009;  // "needs fragmentation" with Don't Fragment set
inline constexpr std::uint32_t kIpRequestTimedOut = 11010;
inline constexpr std::uint32_t kIpDestNetUnreachable = 11002;
inline constexpr std::uint32_t kIpDestHostUnreachable = 11003;

using IcmpHandle = std::uintptr_t;
inline constexpr IcmpHandle kInvalidIcmpHandle = ~IcmpHandle{0};  // INVALID_HANDLE_VALUE

class INetwork {
 public:
  virtual ~INetwork() = default;

  // 0 on success, else the error; `data` is filled only on success.
  virtual int WSAStartup(std::uint16_t requestedVersion, WsaData& data) = 0;
  // 0 on success, -1 (SOCKET_ERROR) on failure.
  virtual int WSACleanup() = 0;
  // Nothing when the name does not resolve.
  virtual std::optional<HostEntry> gethostbyname(std::string_view name) = 0;

  // kInvalidIcmpHandle when no handle could be opened (icmp.dll missing too).
  virtual IcmpHandle IcmpCreateFile() = 0;
  // One echo to `address` (network byte order: the first octet in the lowest
  // byte), with the system's default IP header when `options` is null; the
  // reply lands in `reply`. The number of replies, 0 on failure; then the
  // reply's status (its second 32-bit field) holds why, when the system says.
  virtual std::uint32_t IcmpSendEcho(IcmpHandle handle, std::uint32_t address, std::span<const std::uint8_t> request,
                                     const IpOptions* options, std::span<std::uint8_t> reply,
                                     std::uint32_t timeoutMs) = 0;
  virtual bool IcmpCloseHandle(IcmpHandle handle) = 0;
};

}  // namespace tw

#pragma once
// The thirteen TCP/IP values the program tunes, as one plain record: the preset
// modes and the step-by-step pages fill it, an apply writes it.
#include <cstdint>

namespace tw {

struct TcpIpSettings {
  std::int32_t MSS = 0;  // bytes
  std::int32_t MTU = 0;  // bytes; -1 removes the MTU and MSS values instead of writing them
  std::int32_t RWIN = 0;  // bytes; -1 removes the receive-window values
  std::int32_t TTL = 0;   // hops
  std::int32_t KeepAliveTime = 0;      // milliseconds
  std::int32_t KeepAliveInterval = 0;  // milliseconds
  std::int16_t SYN = 0;                // SYN-flood protection level, 0 to 2
  std::int32_t NDI = 0;                // network device cache entries
  bool MTUDiscovery = false;
  bool BlackHole = false;
  std::int32_t HTTP10 = 0;  // connections per HTTP 1.0 server
  std::int32_t HTTP11 = 0;  // connections per HTTP 1.1 server
  bool ICMP = false;        // ICMP redirects accepted
  // Every value an apply sets is removed instead, the fields above aside:
  // each Windows then uses its own built-in default.
  bool WindowsDecides = false;

  bool operator==(const TcpIpSettings&) const = default;
};

// MTU or RWIN holding this means "remove the value" rather than a size.
inline constexpr std::int32_t kRemoveValue = -1;

// How a value is shown that a set leaves to Windows (WindowsDecides).
inline constexpr const char* kWindowsDecides = "Windows decides";

}  // namespace tw

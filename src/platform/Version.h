#pragma once
// GetVersionExA with an OSVERSIONINFOA record (size field 148).
#include <cstdint>

namespace tw {

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows = 1;  // 95, 98, ME
inline constexpr std::uint32_t kPlatformNt = 2;

struct OsVersionInfo {
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
  std::uint32_t buildNumber = 0;
  std::uint32_t platformId = 0;
};

class IVersionSource {
 public:
  virtual ~IVersionSource() = default;
  // False when the system refuses; `info` is then left as it was.
  virtual bool GetVersionExA(OsVersionInfo& info) = 0;
};

}  // namespace tw

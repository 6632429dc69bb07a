#pragma once
// Which Windows family the program runs on. Codes 1 to 4 take every 9x branch
// of the program and 5 to 7 every NT branch; anything unrecognised (including
// every system newer than XP) is 1 "Windows 32".
#include <cstdint>
#include <string_view>

#include "platform/Version.h"

namespace tw {

enum class WindowsVersion : std::int16_t {
  Unknown = 0, Windows95, Windows98, WindowsMe, WindowsNt, Windows2000, WindowsXp
};

struct OsFamilyInfo {
  std::int16_t code = 1;
  std::string_view name = "Windows 32";
  // The NT platform, whatever the code: a system newer than XP is family 1
  // "Windows 32" where the family is shown or recorded, yet it is NT inside.
  bool ntPlatform = false;
  // The version Windows reports (5.1 for XP, 6.0 for Vista, 4.10 for 98);
  // 0.0 when it is not known, as for a family read back from a backup.
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
};

// The family of a code as the program records it; an unrecognised code is
// taken to be of the 9x platform.
OsFamilyInfo FamilyOf(std::int16_t code);

WindowsVersion ClassifyWindowsVersion(std::uint32_t platformId, std::uint32_t majorVersion,
                                      std::uint32_t minorVersion);
// The version index 0 (unrecognised) to 6 (XP) of the running system.
WindowsVersion GetWindowsVersion(IVersionSource& source);
OsFamilyInfo DetectOsFamily(IVersionSource& source);

std::string_view OsFamilyName(std::int16_t code);
inline bool IsNtFamily(std::int16_t code) { return code >= 5 && code <= 7; }
inline bool Is9xFamily(std::int16_t code) { return code >= 1 && code <= 4; }
// Windows Vista or later: the NT platform from version 6.0 on.
inline bool IsVistaOrLater(const OsFamilyInfo& os) { return os.ntPlatform && os.majorVersion >= 6; }

}  // namespace tw

#include "platform/OsVersion.h"

namespace tw {

WindowsVersion ClassifyWindowsVersion(std::uint32_t platformId, std::uint32_t majorVersion,
                                      std::uint32_t minorVersion) {
  if (platformId == kPlatformWindows) {
    switch (minorVersion) {
      case 0: return WindowsVersion::Windows95;
      case 10: return WindowsVersion::Windows98;
      case 90: return WindowsVersion::WindowsMe;
      default: return WindowsVersion::Unknown;
    }
  }
  if (platformId == kPlatformNt) {
    if (majorVersion < 5) return WindowsVersion::WindowsNt;
    if (majorVersion == 5 && minorVersion == 0) return WindowsVersion::Windows2000;
    if (majorVersion == 5 && minorVersion == 1) return WindowsVersion::WindowsXp;
  }
  return WindowsVersion::Unknown;
}

WindowsVersion GetWindowsVersion(IVersionSource& source) {
  OsVersionInfo info;
  if (!source.GetVersionExA(info)) return WindowsVersion::Unknown;
  return ClassifyWindowsVersion(info.platformId, info.majorVersion, info.minorVersion);
}

OsFamilyInfo DetectOsFamily(IVersionSource& source) {
  OsVersionInfo info;
  if (!source.GetVersionExA(info)) return FamilyOf(1);
  const auto version = ClassifyWindowsVersion(info.platformId, info.majorVersion, info.minorVersion);
  OsFamilyInfo family = FamilyOf(static_cast<std::int16_t>(static_cast<std::int16_t>(version) + 1));
  family.ntPlatform = info.platformId == kPlatformNt;
  family.majorVersion = info.majorVersion;
  family.minorVersion = info.minorVersion;
  return family;
}

OsFamilyInfo FamilyOf(std::int16_t code) { return {code, OsFamilyName(code), IsNtFamily(code)}; }

std::string_view OsFamilyName(std::int16_t code) {
  switch (code) {
    case 2: return "Windows 95";
    case 3: return "Windows 98";
    case 4: return "Windows ME";
    case 5: return "Windows NT";
    case 6: return "Windows 2000";
    case 7: return "Windows XP";
    default: return "Windows 32";
  }
}

}  // namespace tw

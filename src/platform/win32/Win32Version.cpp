#include "platform/win32/Win32Version.h"

#include <windows.h>

namespace tw {

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is the 148-byte ANSI form");

bool Win32Version::GetVersionExA(OsVersionInfo& info) {
  OSVERSIONINFOA record{};
  record.dwOSVersionInfoSize = sizeof record;
  if (!::GetVersionExA(&record)) return false;
  info.majorVersion = record.dwMajorVersion;
  info.minorVersion = record.dwMinorVersion;
  info.buildNumber = record.dwBuildNumber;
  info.platformId = record.dwPlatformId;
  return true;
}

}  // namespace tw

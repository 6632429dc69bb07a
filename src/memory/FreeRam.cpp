#include "memory/FreeRam.h"

namespace tw {

bool IsWindowsNT(IVersionSource& source) {
  OsVersionInfo info;
  source.GetVersionExA(info);
  return info.platformId == kPlatformNt;
}

}  // namespace tw

#include "memory/FreeRam.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tw {

bool IsWindowsNT(IVersionSource& source) {
  OsVersionInfo info;
  source.GetVersionExA(info);
  return info.platformId == kPlatformNt;
}

bool FreeRAM::ExitWindows(std::string_view mode) {
  std::string lower(mode);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::uint32_t flags;
  if (lower == "shutdown") {
    flags = kEwxShutdown;
  } else if (lower == "reboot") {
    flags = kEwxReboot;
  } else if (lower == "logoff") {
    flags = kEwxLogoff;
  } else {
    return false;
  }
  return shell_.ExitWindowsEx(flags, 0);
}

void FreeRAM::GoToURL(std::string_view url) { shell_.ShellExecuteA(0, "open", url, "", "", kSwShowMaximized); }

void FreeRAM::eMail(std::string_view address) {
  shell_.ShellExecuteA(0, "", "mailto:" + std::string(address), "", "", kSwRestore);
}

}  // namespace tw

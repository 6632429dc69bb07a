#include "system/SystemShortcuts.h"

namespace tw {
namespace {

constexpr std::uint32_t kTokenAdjustAndQuery = 0x28;  // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
constexpr std::uint32_t kForceIfHung = 0xFFFFFFFF;

}  // namespace

std::uint32_t OpenInternetProperties(IShell& shell) {
  return shell.CreateProcessA(kInternetPropertiesCommand, kSwShow);
}

std::uint32_t OpenSystemProperties(IShell& shell) { return shell.CreateProcessA(kSystemPropertiesCommand, kSwShow); }

std::uint32_t OpenModemSettings(IShell& shell) { return shell.CreateProcessA(kModemSettingsCommand, kSwShow); }

std::optional<std::uint32_t> OpenNetworkSettings(IShell& shell, std::int16_t osFamily) {
  if (osFamily >= 1 && osFamily <= 4) return shell.CreateProcessA(kNetwork9xCommand, kSwShow);
  if (osFamily >= 5 && osFamily <= 7) return shell.CreateProcessA(kNetworkNtCommand, kSwShow);
  return std::nullopt;
}

void EnableShutdownPrivilege(IShell& shell) { shell.EnablePrivilege("SeShutdownPrivilege", kTokenAdjustAndQuery); }

bool RestartWindows(IShell& shell) {
  EnableShutdownPrivilege(shell);
  return shell.ExitWindowsEx(kEwxReboot, kForceIfHung);
}

void OpenHelp(IShell& shell, std::uintptr_t owner, const std::string& programFolder) {
  shell.ShellExecuteA(owner, "", programFolder + "\\TidewaveHelp.chm", "", "C:\\", kSwShowNormal);
}

void OpenHelpPage(IShell& shell, std::uintptr_t owner, const std::string& programFolder, std::string_view page) {
  // The viewer's own way to a page of a compiled help file; quoted, as the
  // program's folder may hold spaces. ShellExecute answers 32 or less when it failed.
  const std::string topic = "\"" + programFolder + "\\TidewaveHelp.chm::/" + std::string(page) + "\"";
  if (shell.ShellExecuteA(owner, "", "hh.exe", topic, "C:\\", kSwShowNormal) <= 32) {
    OpenHelp(shell, owner, programFolder);
  }
}

}  // namespace tw

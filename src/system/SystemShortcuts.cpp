#include "system/SystemShortcuts.h"

#include <vector>

#include "platform/ErrorCodes.h"

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

namespace {

std::string HelpFile(const std::string& programFolder) { return programFolder + "\\" + std::string(kHelpFileName); }

// What keeps the help from opening before anything is started: its file gone.
// A viewer already open shows it: brought back, nothing more is started.
std::optional<std::string> BeforeOpeningHelp(IShell& shell, IFileSystem& files, const std::string& programFolder) {
  std::vector<FileEntry> found;
  if (files.FindFiles(HelpFile(programFolder), found) != kErrorSuccess || found.empty()) {
    return "The help file " + std::string(kHelpFileName) + " is missing from Tidewave's folder (" + programFolder +
           ").\r\n\r\nInstall Tidewave again to bring it back.";
  }
  if (shell.BringBackWindow(kHelpViewerClass, kHelpViewerCaption)) return std::string();
  return std::nullopt;
}

}  // namespace

std::string OpenHelp(IShell& shell, IFileSystem& files, std::uintptr_t owner, const std::string& programFolder) {
  if (auto settled = BeforeOpeningHelp(shell, files, programFolder)) return *settled;
  // ShellExecute answers 32 or less when it failed: here, that no program
  // opens a compiled help file.
  if (shell.ShellExecuteA(owner, "", HelpFile(programFolder), "", "C:\\", kSwShowNormal) > 32) return {};
  return "Windows has no viewer for Tidewave's help: the HTML Help viewer (hh.exe) is missing.\r\n\r\n"
         "Internet Explorer 4 or later installs it on Windows 95 and NT 4.0. The help is the file " +
         std::string(kHelpFileName) + " in Tidewave's folder.";
}

std::string OpenHelpPage(IShell& shell, IFileSystem& files, std::uintptr_t owner, const std::string& programFolder,
                         std::string_view page) {
  if (auto settled = BeforeOpeningHelp(shell, files, programFolder)) return *settled;
  // The viewer's own way to a page of a compiled help file; quoted, as the
  // program's folder may hold spaces.
  std::string topic(1, '"');
  topic += HelpFile(programFolder);
  topic += "::/";
  topic += page;
  topic += '"';
  if (shell.ShellExecuteA(owner, "", "hh.exe", topic, "C:\\", kSwShowNormal) > 32) return {};
  return OpenHelp(shell, files, owner, programFolder);
}

}  // namespace tw

#pragma once
// Quick ways into the Windows settings that matter for a connection, and a
// restart of Windows.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Shell.h"

namespace tw {

inline constexpr std::string_view kInternetPropertiesCommand =
    "rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,,0";
inline constexpr std::string_view kSystemPropertiesCommand = "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl,,0";
inline constexpr std::string_view kModemSettingsCommand = "rundll32.exe shell32.dll,Control_RunDLL modem.cpl";
inline constexpr std::string_view kNetwork9xCommand = "rundll32.exe shell32.dll,Control_RunDLL netcpl.cpl";
inline constexpr std::string_view kNetworkNtCommand = "rundll32.exe shell32.dll,Control_RunDLL ncpa.cpl";

// Each returns the started process's id (0 if it did not start).
std::uint32_t OpenInternetProperties(IShell& shell);
std::uint32_t OpenSystemProperties(IShell& shell);
std::uint32_t OpenModemSettings(IShell& shell);
// Empty for a family code outside 1 to 7: nothing is started.
std::optional<std::uint32_t> OpenNetworkSettings(IShell& shell, std::int16_t osFamily);

void EnableShutdownPrivilege(IShell& shell);
// Asks Windows to restart; true when the request was accepted. The program
// runs on until Windows ends it.
bool RestartWindows(IShell& shell);

// Opens the help file of the program folder with its default viewer.
void OpenHelp(IShell& shell, std::uintptr_t owner, const std::string& programFolder);
// Opens one page of the help file ("backup.htm") in the HTML Help viewer; where
// that viewer cannot be started, the help file as OpenHelp opens it.
void OpenHelpPage(IShell& shell, std::uintptr_t owner, const std::string& programFolder, std::string_view page);

}  // namespace tw

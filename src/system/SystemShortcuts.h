#pragma once
// Quick ways into the Windows settings that matter for a connection, and a
// restart of Windows.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
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

inline constexpr std::string_view kHelpFileName = "TidewaveHelp.chm";
// The HTML Help viewer's window, by its class and the title the help file
// gives it (assets/help/TidewaveHelp.hhp).
inline constexpr std::string_view kHelpViewerClass = "HH Parent";
inline constexpr std::string_view kHelpViewerCaption = "Tidewave Help";

// Opens the help file of the program folder with its default viewer. Each
// answers empty when the help is on the screen (a viewer that is open already
// is brought back rather than opened again), or else what stands in the way,
// in words for a message: the help file missing from the program's folder, or
// no HTML Help viewer on this Windows.
std::string OpenHelp(IShell& shell, IFileSystem& files, std::uintptr_t owner, const std::string& programFolder);
// Opens one page of the help file ("backup.htm") in the HTML Help viewer
// (hh.exe); where that viewer cannot be started, the help file as OpenHelp
// opens it.
std::string OpenHelpPage(IShell& shell, IFileSystem& files, std::uintptr_t owner, const std::string& programFolder,
                         std::string_view page);

}  // namespace tw

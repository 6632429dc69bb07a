#pragma once
// The program's two start-up options: start with Windows (an entry in the
// user's Run key) and start hidden in the notification area. frmMainSettings
// shows them; this is what it stores and reads.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace tw {

inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValueName = "TidewaveRun";

struct MainSettingsValues {
  bool chkRunMainProgram = false;
  bool chkRunProgramMini = false;
  bool operator==(const MainSettingsValues&) const = default;
};

// The stored options; a missing value, or one that is no whole number (edited
// by hand), reads as unticked.
MainSettingsValues LoadMainSettingsValues(IRegistry& registry);
// Stores both options as "0" or "1".
void SaveMainSettingsValues(IRegistry& registry, const MainSettingsValues& values);

// The program's path as the Run entry holds it. Windows splits an unquoted
// command line at its first blank, so a path with a space in it goes in
// quotes: unquoted, "C:\Program Files\..." would start "C:\Program.exe".
std::string RunEntryText(std::string_view programPath);
// The path in a Run entry, quoted or not (an earlier version wrote it bare).
std::string RunEntryPath(std::string_view entry);

// Writes the Run entry for `programPath`; an empty path (the program's folder
// could not be had) writes nothing rather than an entry Windows cannot start.
void WriteRunEntry(IRegistry& registry, std::string_view programPath);
void RemoveRunEntry(IRegistry& registry);
// The path the Run entry now holds, without quotes; none when it is missing.
std::optional<std::string> ReadRunEntry(IRegistry& registry);

}  // namespace tw

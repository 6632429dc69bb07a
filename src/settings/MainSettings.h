#pragma once
// The program's two start-up options: start with Windows (an entry in the
// user's Run key) and start hidden in the notification area. frmMainSettings
// shows them; this is what it stores and reads.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"
#include "settings/StoredSetting.h"

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
// Stores both options as "0" or "1"; says which Windows refused.
SaveResult SaveMainSettingsValues(IRegistry& registry, const MainSettingsValues& values);

// The program's path as the Run entry holds it. Windows splits an unquoted
// command line at its first blank, so a path with a space in it goes in
// quotes: unquoted, "C:\Program Files\..." would start "C:\Program.exe".
std::string RunEntryText(std::string_view programPath);
// The path in a Run entry, quoted or not (an earlier version wrote it bare).
std::string RunEntryPath(std::string_view entry);

// How the Run entry's text reaches the registry: in the system code page,
// which is all the 9x family has, or on the NT platform in Unicode (the path
// given in UTF-8), so that a folder named in characters the code page lacks
// is named as it is, not as its nearest look-alike.
enum class RunEntryForm { CodePage, Unicode };

// Writes the Run entry for `programPath` and reads it back: true when it then
// names that path. An empty path (the program's folder could not be had)
// writes nothing rather than an entry Windows cannot start.
bool WriteRunEntry(IRegistry& registry, std::string_view programPath, RunEntryForm form = RunEntryForm::CodePage);
void RemoveRunEntry(IRegistry& registry);
// The path the Run entry now holds, without quotes; none when it is missing.
std::optional<std::string> ReadRunEntry(IRegistry& registry, RunEntryForm form = RunEntryForm::CodePage);

}  // namespace tw

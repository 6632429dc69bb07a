#pragma once
// What the last change to the network settings did, as the home view shows it:
// what was applied or restored, when, how many values it changed, and which
// backup holds the values from before. Kept under the program's settings key,
// so the line is still there after a restart.
#include <optional>
#include <string>
#include <string_view>

#include "app/Panels.h"
#include "backup/Restore.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"
#include "tuning/ApplySettings.h"
#include "tuning/Presets.h"

namespace tw {

// The record is one text value, named after the home view's label.
inline constexpr std::string_view kHomeKey = "\\Settings\\Home";
inline constexpr std::string_view kLastChangeValue = "lblLastChange";

struct LastChange {
  enum class Kind { Applied, Restored };
  Kind kind = Kind::Applied;
  // Applied: the set in words ("Wizard Mode "Automatic-C"", "Advanced Mode
  // settings"); Restored: the file name of the backup restored.
  std::string what;
  SystemTime when;
  int written = 0;  // values written or removed
  int changed = 0;  // of those, how many now hold other than before
  int refused = 0;  // of those, how many Windows refused
  std::string undo;  // the file name of the backup that holds the values from before
  bool operator==(const LastChange&) const = default;
};

// The record of an apply that changed the registry; none for one that wrote
// nothing (no backup could be taken, or the family has no layout).
std::optional<LastChange> LastChangeOfApply(const ApplyResult& result, std::string what, const SystemTime& when);
LastChange LastChangeOfRestore(const RestoreReport& report, const SystemTime& when);

// The set an apply from `panel` wrote, in words: the Wizard Mode preset it
// equals by name, otherwise the panel's area.
std::string AppliedSetName(PanelId panel, const TuningState& tuning, const TcpIpSettings& applied);

// The home view's line, with `date` and `time` as the system writes them:
// what and when, then how many values changed and how to undo it, or, once
// the backup that undoes it is gone (`undoKept` false), that it is.
std::string LastChangeText(const LastChange& change, std::string_view date, std::string_view time,
                           bool undoKept = true);
// Whether the backup that undoes the change is still in the Backups folder.
bool UndoKept(IFileSystem& files, std::string_view programFolder, const LastChange& change);
// Whether `fileName` is the backup that undoes the stored last change.
bool UndoesLastChange(IRegistry& registry, std::string_view fileName);

// Under the line while Windows has not started since the change: its TCP/IP
// values are read when Windows starts, and the status bar's restart asks first.
inline constexpr std::string_view kNextStartNote =
    "Windows reads these values when it next starts. Restart Windows (bottom right) asks first.";

// True when a change made at `when` came after Windows last started: `now`
// less `upSeconds`, how long Windows has run (WindowsUpSeconds). Both are
// local times; a change in a later day than `now` counts as after.
bool ChangedSinceWindowsStarted(const SystemTime& when, const SystemTime& now, std::int64_t upSeconds);

// How long Windows has run, in seconds: on the NT family from the boot time
// it reports, which does not wrap as GetTickCount does after 49.7 days; on
// the 9x family, which has no such report and never runs that long, from
// `tickCount`, GetTickCount's milliseconds.
std::int64_t WindowsUpSeconds(ISystemInformation& system, std::uint32_t tickCount);

// The stored form: one line of fields between TABs. Reading gives nothing for
// a missing value and for anything that is not a whole, sound record.
std::string LastChangeRecord(const LastChange& change);
std::optional<LastChange> ParseLastChangeRecord(std::string_view record);

std::optional<LastChange> LoadLastChange(IRegistry& registry);
void SaveLastChange(IRegistry& registry, const LastChange& change);

}  // namespace tw

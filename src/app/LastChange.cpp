#include "app/LastChange.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <vector>

#include "backup/Backup.h"
#include "backup/BackupFile.h"
#include "settings/StoredSetting.h"
#include "tuning/WizardMode.h"

namespace tw {
namespace {

constexpr char kSeparator = '\t';
// The settings reader takes 254 characters; a longer record would not come back.
constexpr std::size_t kLongestRecord = 254;
constexpr std::size_t kLongestWhat = 120;
constexpr int kMostValues = 1'000'000;
// The home view's one stored value, under Settings\Home. A value that is not
// there reads as the empty text, which is no record.
constexpr StoredSetting kLastChangeSetting{kLastChangeValue, StoredForm::Text, ""};

std::string FileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of('\\');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The date and time to the second: the day of the week and the milliseconds
// are not kept.
SystemTime ToTheSecond(const SystemTime& when) {
  return {when.year, when.month, 0, when.day, when.hour, when.minute, when.second, 0};
}

// A field of the record: no TAB, no line break, nothing else below a space.
std::string Field(std::string_view text) {
  std::string field;
  for (const char c : text) field += static_cast<unsigned char>(c) < ' ' ? ' ' : c;
  return field;
}

std::vector<std::string_view> Split(std::string_view text) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(kSeparator, start);
    fields.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

// Plain decimal digits only, up to kMostValues.
std::optional<int> Count(std::string_view text) {
  if (text.empty() || text.size() > 7) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > kMostValues) return std::nullopt;
  return value;
}

}  // namespace

std::optional<LastChange> LastChangeOfApply(const ApplyResult& result, std::string what, const SystemTime& when) {
  if (result.outcome != ApplyOutcome::Applied && result.outcome != ApplyOutcome::PartlyApplied) return std::nullopt;
  return LastChange{LastChange::Kind::Applied, std::move(what), ToTheSecond(when), result.writes, result.changed,
                    result.refused, FileNameOf(result.backup.path)};
}

LastChange LastChangeOfRestore(const RestoreReport& report, const SystemTime& when) {
  return {LastChange::Kind::Restored, report.fileName, ToTheSecond(when), report.writes, report.written.changed,
          static_cast<int>(report.written.refusals.size()), FileNameOf(report.backupPath)};
}

std::string AppliedSetName(PanelId panel, const TuningState& tuning, const TcpIpSettings& applied) {
  if (panel == PanelId::frmWizardMode) {
    for (int i = 0; i < kPresetCount; ++i) {
      if (tuning.PresetSettings[static_cast<std::size_t>(i)] != applied) continue;
      if (const ui::ControlSpec* option = ui::FindControl(kWizardModeControls, OptModeId(i))) {
        return "Wizard Mode \"" + std::string(option->caption) + "\"";
      }
    }
    return "Wizard Mode settings";
  }
  return "Advanced Mode settings";
}

std::string LastChangeText(const LastChange& change, std::string_view date, std::string_view time, bool undoKept) {
  std::string text = "Last change: ";
  text += change.kind == LastChange::Kind::Applied ? change.what + " applied" : "backup " + change.what + " restored";
  text += " on " + std::string(date) + " at " + std::string(time) + ".\r\n" + std::to_string(change.changed) +
          " of " + std::to_string(change.written) + " values changed";
  if (change.refused > 0) text += ", " + std::to_string(change.refused) + " refused by Windows";
  if (!undoKept) return text + ". Its backup " + change.undo + " is deleted: it cannot be undone.";
  return text + ". Undo: Backup, then " + change.undo + ", then Restore.";
}

bool UndoKept(IFileSystem& files, std::string_view programFolder, const LastChange& change) {
  std::vector<FileEntry> entries;
  // The name as a pattern: it holds no wildcard, so it finds that file or nothing.
  if (change.undo.find_first_of("*?") != std::string::npos ||
      files.FindFiles(BackupFolder(programFolder) + "\\" + change.undo, entries) != kErrorSuccess) {
    return false;
  }
  return std::any_of(entries.begin(), entries.end(), [&](const FileEntry& entry) { return !entry.isDirectory; });
}

bool UndoesLastChange(IRegistry& registry, std::string_view fileName) {
  const std::optional<LastChange> change = LoadLastChange(registry);
  if (!change || change->undo.size() != fileName.size()) return false;
  // File names compare without regard to case, as Windows finds them.
  return std::equal(fileName.begin(), fileName.end(), change->undo.begin(), [](char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
  });
}

namespace {

// Seconds since 1 January 1970 of a calendar time, by the days-from-civil reckoning.
std::int64_t SecondsOf(const SystemTime& time) {
  const std::int64_t year = time.year - (time.month <= 2 ? 1 : 0);
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (time.month + (time.month > 2 ? -3 : 9)) + 2) / 5 + time.day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const std::int64_t days = era * 146097 + dayOfEra - 719468;
  return days * 86400 + time.hour * 3600 + time.minute * 60 + time.second;
}

}  // namespace

bool ChangedSinceWindowsStarted(const SystemTime& when, const SystemTime& now, std::int64_t upSeconds) {
  // A second's grace: the two clocks are read apart.
  return SecondsOf(when) + 1 >= SecondsOf(now) - upSeconds;
}

std::int64_t WindowsUpSeconds(ISystemInformation& system, std::uint32_t tickCount) {
  // SYSTEM_TIMEOFDAY_INFORMATION: the boot time, then the time now, both in
  // 100 ns units of the same clock.
  std::array<std::uint8_t, 32> time{};
  if (system.NtQuerySystemInformation(kSystemTimeOfDayInformation, time) == 0) {
    std::int64_t boot = 0, now = 0;
    std::memcpy(&boot, time.data(), sizeof boot);
    std::memcpy(&now, time.data() + 8, sizeof now);
    if (boot > 0 && now >= boot) return (now - boot) / 10'000'000;
  }
  return tickCount / 1000;
}

std::string LastChangeRecord(const LastChange& change) {
  // The date and the time as a backup's first two lines hold them.
  BackupText stamp;
  stamp.Date(change.when);
  stamp.Time(change.when);
  std::string when = stamp.str();
  when.erase(when.size() - 2);
  when.replace(when.find("\r\n"), 2, 1, kSeparator);
  std::string what = Field(change.what);
  if (what.size() > kLongestWhat) what = what.substr(0, kLongestWhat - 3) + "...";
  const std::string record = std::string(change.kind == LastChange::Kind::Applied ? "Applied" : "Restored") +
                             kSeparator + when + kSeparator + std::to_string(change.written) + kSeparator +
                             std::to_string(change.changed) + kSeparator + std::to_string(change.refused) +
                             kSeparator + Field(change.undo) + kSeparator + what;
  return record.size() <= kLongestRecord ? record : record.substr(0, kLongestRecord);
}

std::optional<LastChange> ParseLastChangeRecord(std::string_view record) {
  const std::vector<std::string_view> fields = Split(record);
  if (fields.size() != 8) return std::nullopt;
  LastChange change;
  if (fields[0] == "Applied") {
    change.kind = LastChange::Kind::Applied;
  } else if (fields[0] == "Restored") {
    change.kind = LastChange::Kind::Restored;
  } else {
    return std::nullopt;
  }
  const auto when = ReadBackupStamp(std::string(fields[1]) + "\r\n" + std::string(fields[2]));
  const auto written = Count(fields[3]), changed = Count(fields[4]), refused = Count(fields[5]);
  if (!when || !written || !changed || !refused || *changed + *refused > *written) return std::nullopt;
  for (const std::string_view field : {fields[1], fields[2], fields[6], fields[7]}) {
    if (field.empty() || Field(field) != field) return std::nullopt;
  }
  change.when = when->taken;
  change.written = *written;
  change.changed = *changed;
  change.refused = *refused;
  change.undo = fields[6];
  change.what = fields[7];
  return change;
}

std::optional<LastChange> LoadLastChange(IRegistry& registry) {
  return ParseLastChangeRecord(SettingsKey(registry, kHomeKey).Text(kLastChangeSetting));
}

void SaveLastChange(IRegistry& registry, const LastChange& change) {
  SettingsKey(registry, kHomeKey).SaveText(kLastChangeSetting, LastChangeRecord(change));
}

}  // namespace tw

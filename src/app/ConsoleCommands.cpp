#include "app/ConsoleCommands.h"

#include <algorithm>
#include <array>
#include <optional>

#include "app/ConsoleText.h"
#include "app/LastChange.h"
#include "backup/BackupCatalog.h"
#include "platform/ErrorText.h"
#include "tcpip/CurrentValues.h"
#include "tcpip/Ignored.h"
#include "tcpip/TcpIpLayout.h"
#include "tuning/ApplySettings.h"
#include "tuning/Presets.h"
#include "tuning/WizardMode.h"

namespace tw::cli {
namespace {

// The record's fields in its order, by the names the help and the README use.
struct FieldName {
  TcpIpField field;
  std::string_view name;
};
constexpr std::array<FieldName, 13> kFields{{
    {TcpIpField::MSS, "MSS"},
    {TcpIpField::MTU, "MTU"},
    {TcpIpField::RWIN, "RWIN"},
    {TcpIpField::TTL, "TTL"},
    {TcpIpField::KeepAliveTime, "KeepAliveTime"},
    {TcpIpField::KeepAliveInterval, "KeepAliveInterval"},
    {TcpIpField::SYN, "SYN"},
    {TcpIpField::NDI, "NDI"},
    {TcpIpField::MTUDiscovery, "MTUDiscovery"},
    {TcpIpField::BlackHole, "BlackHole"},
    {TcpIpField::HTTP10, "HTTP10"},
    {TcpIpField::HTTP11, "HTTP11"},
    {TcpIpField::ICMP, "ICMP"},
}};

std::string PresetName(int index) {
  const ui::ControlSpec* option = ui::FindControl(kWizardModeControls, OptModeId(index));
  return option != nullptr ? std::string(option->caption) : std::string();
}

std::optional<int> PresetIndex(std::string_view name) {
  for (int i = 0; i < kPresetCount; ++i) {
    if (PresetName(i) == name) return i;
  }
  return std::nullopt;
}

std::string HiveName(RegHandle hive) {
  return hive == kHkeyCurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

std::string Utf8(const Machine& machine, std::string_view systemText) {
  return machine.systemTextToUtf8 != nullptr ? machine.systemTextToUtf8(systemText) : std::string(systemText);
}

std::vector<std::string> Utf8(const Machine& machine, const std::vector<std::string>& systemTexts) {
  std::vector<std::string> texts;
  for (const std::string& text : systemTexts) texts.push_back(Utf8(machine, text));
  return texts;
}

std::string ValuePath(const Machine& machine, RegHandle hive, std::string_view key, std::string_view name) {
  return HiveName(hive) + "\\" + Utf8(machine, key) + "\\" + (name.empty() ? std::string("(default)") : Utf8(machine, name));
}

std::string FileNameOf(std::string_view path) { return std::string(path.substr(path.find_last_of('\\') + 1)); }

std::string FamilyText(const OsFamilyInfo& os) {
  std::string text = std::string(os.name) + " (family " + std::to_string(os.code) + ")";
  if (os.ntPlatform && Is9xFamily(os.code)) text += ", tuned as the NT family";
  return text;
}

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

struct Result {
  int exitCode = kExitDone;
  std::string text;   // the plain output
  std::string json;   // the JSON object's members, without braces
  std::string error;  // the cause of a failure, one line
  bool changed = false;
  std::string backup;  // after a change: the backup of the values from before
};

Result Fail(int exitCode, std::string cause) {
  Result result;
  result.exitCode = exitCode;
  result.error = std::move(cause);
  return result;
}

Result UnknownPreset(std::string_view name) {
  std::string names;
  for (int i = 0; i < kPresetCount; ++i) {
    const std::string preset = PresetName(i);
    names += (i > 0 ? ", " : "") + (preset.find(' ') != std::string::npos ? "\"" + preset + "\"" : preset);
  }
  return Fail(kExitUnknownPreset,
              "no preset is named \"" + std::string(name) + "\"; the presets, by their exact names, are " + names);
}

// An account without administrator rights opens the keys under
// HKEY_LOCAL_MACHINE for reading only: it would change nothing but the
// browser's values, so it is told before anything is written.
std::optional<Result> WithoutRights(Machine& machine) {
  const TcpIpLayout* layout = LayoutFor(machine.os);
  if (layout == nullptr) return std::nullopt;
  for (const TcpIpValue& value : layout->values) {
    if (value.hive != kHkeyLocalMachine) continue;
    RegKey key;
    if (RegKey::Open(machine.registry, value.hive, KeyFor(value), kKeySetValue, key) != kErrorAccessDenied) {
      return std::nullopt;
    }
    return Fail(kExitNotAdministrator, "no administrator rights: Windows refuses changes to " +
                                           HiveName(value.hive) + "\\" + std::string(KeyFor(value)) +
                                           "; run tidewave-cli as an administrator. Nothing changed");
  }
  return std::nullopt;
}

std::string BackupFailure(const BackupResult& backup) {
  std::string cause;
  switch (backup.problem) {
    case BackupProblem::None:
    case BackupProblem::NoFamily:
      cause = "this Windows has no place for the values";
      break;
    case BackupProblem::NoProgramFolder:
      cause = "Windows could not say which folder tidewave-cli was started from (its path may be too long)";
      break;
    case BackupProblem::NumberingFull:
      cause = "every backup number from " + BackupFileName(1) + " to " + BackupFileName(kLastBackupNumber) +
              " is taken; delete old backups first";
      break;
    case BackupProblem::WouldNotRestore:
      cause = "the backup could not be restored: " + backup.unrestorable;
      break;
    case BackupProblem::FolderUnavailable:
      cause = "the Backups folder cannot be used (" + ErrorText(backup.error) + ")";
      break;
    case BackupProblem::FileNotWritten:
      cause = FileNameOf(backup.path) + " cannot be written (" + ErrorText(backup.error) + ")";
      break;
    case BackupProblem::ChangeInProgress:
      cause = "another change is in progress (" + ErrorText(backup.error) + ")";
      break;
  }
  return "no backup could be written: " + cause + ". Nothing changed";
}

// Another change, from the window or a second tidewave-cli, holds the change
// lock: this one waits its turn, and only past the wait gives up.
Result ChangeInProgress(long status) {
  return Fail(kExitFailed, status == kErrorTimeout
                               ? "another change to the network values, by Tidewave or another tidewave-cli, has not "
                                 "finished within " + std::to_string(kChangeWaitMs / 1000) +
                                     " seconds; try again. Nothing changed"
                               : "cannot wait for other changes to finish (" + ErrorText(status) +
                                     "). Nothing changed");
}

std::string DoneText(std::string_view done, int changed, int written, const std::string& backup) {
  return std::string(done) + ": " + std::to_string(changed) + " of " + std::to_string(written) + " values changed" +
         (changed < written ? " (the others held them already).\n" : ".\n") + "Backup " + backup +
         " holds the values from before (undo: tidewave-cli restore " + backup + ").\n" +
         "Restart Windows for the values to take effect.\n";
}

// Which values Windows refused, with its cause for each, in the order written.
struct Refused {
  std::vector<std::string> values;
  std::vector<std::string> causes;

  void Add(std::string value, long status) {
    values.push_back(std::move(value));
    causes.push_back(ErrorText(status));
  }
  std::string Text() const {
    std::string text = "Refused by Windows:\n";
    for (std::size_t i = 0; i < values.size(); ++i) text += "  " + values[i] + " (" + causes[i] + ")\n";
    return text;
  }
  std::string AsJson() const {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < values.size(); ++i) {
      items.push_back("{\"value\":" + Json(values[i]) + ",\"error\":" + Json(causes[i]) + "}");
    }
    return JsonList(items);
  }
  std::string Line(int written) const {
    std::string line = "Windows refused " + std::to_string(values.size()) + " of " + std::to_string(written) +
                       " values: ";
    for (std::size_t i = 0; i < values.size(); ++i) line += (i > 0 ? ", " : "") + values[i] + " (" + causes[i] + ")";
    return line + ". The others changed";
  }
};

// ---- list ----

Result List(Machine& machine) {
  std::vector<BackupListing> backups;
  if (const long status = ListBackups(machine.files, machine.programFolder, machine.os, backups);
      status != kErrorSuccess) {
    return Fail(kExitFailed, "the Backups folder cannot be searched (" + ErrorText(status) + ")");
  }
  Result result;
  std::vector<std::vector<std::string>> rows{{"File", "Date", "Time", "Family", "Restore here"}};
  std::vector<std::string> items;
  for (const BackupListing& backup : backups) {
    std::string date = "-", time = "-", family = "-";
    if (backup.stamp) {
      const SystemTime& t = backup.stamp->taken;
      date = std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day);
      time = TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
    }
    if (backup.family) family = std::string(OsFamilyName(*backup.family));
    const std::string restorable = Utf8(machine, RestoreHereText(backup));
    rows.push_back({backup.fileName, date, time, family, restorable});
    const bool yes = restorable == "yes";
    const bool known = backup.family.has_value();
    items.push_back("{\"file\":" + Json(backup.fileName) + ",\"date\":" + (backup.stamp ? Json(date) : "null") +
                    ",\"time\":" + (backup.stamp ? Json(time) : "null") + ",\"family\":" +
                    (known ? std::to_string(*backup.family) : "null") + ",\"familyName\":" +
                    (known ? Json(family) : "null") + ",\"restorable\":" + (yes ? "true" : "false") +
                    ",\"reason\":" + (yes ? "null" : Json(restorable.substr(4))) + "}");
  }
  result.text = backups.empty() ? "No backups in the Backups folder.\n" : Table(rows);
  result.json = "\"backups\":" + JsonList(items);
  return result;
}

// ---- show ----

std::string ProposedText(const TcpIpSettings& preset, TcpIpField field) {
  if (preset.WindowsDecides) return kWindowsDecides;
  const bool removedWithMtu = (field == TcpIpField::MTU || field == TcpIpField::MSS) && preset.MTU == kRemoveValue;
  if (removedWithMtu || (field == TcpIpField::RWIN && preset.RWIN == kRemoveValue)) return "remove";
  const std::int32_t value = FieldValue(preset, field);
  if (field == TcpIpField::MTUDiscovery || field == TcpIpField::BlackHole || field == TcpIpField::ICMP) {
    return value != 0 ? "True" : "False";
  }
  return std::to_string(value);
}

Result Show(Machine& machine, const Arguments& arguments) {
  std::optional<TcpIpSettings> preset;
  if (!arguments.operand.empty()) {
    const auto index = PresetIndex(arguments.operand);
    if (!index) return UnknownPreset(arguments.operand);
    PresetTable presets;
    LoadPresets(presets);
    preset = presets[static_cast<std::size_t>(*index)];
  }
  const CurrentValues now = CurrentValues::Read(machine.registry, DescribeRunningWindows(machine.registry, machine.os));
  Result result;
  std::vector<std::vector<std::string>> rows{{"Value", "Now"}};
  if (preset) rows[0].push_back(arguments.operand);
  std::vector<std::string> items, reasons;
  bool anyChange = false;
  for (const FieldName& field : kFields) {
    const std::string nowText = now.Text(field.field);
    const std::string_view ignored = now.IgnoredReason(field.field);
    std::vector<std::string> row{std::string(field.name), nowText};
    std::string item = "{\"name\":" + Json(field.name) + ",\"now\":" + JsonValue(nowText);
    std::string marks;
    if (preset) {
      const std::string proposed = ProposedText(*preset, field.field);
      const bool changes = now.WouldChange(field.field, *preset);
      anyChange = anyChange || changes;
      row.push_back(proposed);
      if (changes) marks += kChangesMark;
      item += ",\"preset\":" + JsonValue(proposed) + ",\"changes\":" + (changes ? "true" : "false");
    }
    if (!ignored.empty()) {
      marks += (marks.empty() ? "" : " ") + std::string(kIgnoredMark);
      reasons.push_back(Wrapped(std::string(field.name) + ": " + std::string(ignored), 2, 4));
    }
    row.push_back(marks);
    rows.push_back(std::move(row));
    items.push_back(item + ",\"ignored\":" + (ignored.empty() ? "null" : Json(ignored)) + "}");
  }
  result.text = FamilyText(machine.os) + "\n" + Table(rows);
  if (preset) {
    result.text += anyChange ? std::string(kChangesMark) + " applying \"" + arguments.operand + "\" changes it\n"
                             : "Applying \"" + arguments.operand + "\" changes nothing here.\n";
  }
  if (!reasons.empty()) {
    result.text += std::string(kIgnoredMark) + " this Windows ignores it:\n";
    for (const std::string& reason : reasons) result.text += reason;
  }
  result.json = "\"family\":" + std::to_string(machine.os.code) + ",\"familyName\":" + Json(machine.os.name) +
                ",\"preset\":" + (preset ? Json(arguments.operand) : "null") + ",\"values\":" + JsonList(items);
  return result;
}

// ---- apply ----

Result Apply(Machine& machine, const Arguments& arguments) {
  const auto index = PresetIndex(arguments.operand);
  if (!index) return UnknownPreset(arguments.operand);
  if (auto refused = WithoutRights(machine)) return *refused;
  // The backup, the writes and the record of the change, as one.
  const ChangeLock lock(machine.files);
  if (!lock) return ChangeInProgress(lock.status());
  PresetTable presets;
  LoadPresets(presets);
  const ApplyResult applied = ApplySettings(
      {machine.registry, machine.files, machine.clock, machine.programFolder, machine.os},
      presets[static_cast<std::size_t>(*index)]);
  if (applied.outcome == ApplyOutcome::NothingToDo) {
    return Fail(kExitFailed, "Tidewave knows no place for the network values on this Windows. Nothing changed");
  }
  if (applied.outcome == ApplyOutcome::RefusedWithoutBackup) return Fail(kExitNoBackup, BackupFailure(applied.backup));
  // The same record an apply in the window leaves: the home view names it.
  if (const auto change = LastChangeOfApply(applied, "Command line \"" + arguments.operand + "\"",
                                            machine.clock.GetLocalTime())) {
    SaveLastChange(machine.registry, *change);
  }

  Result result;
  result.changed = true;
  const std::string backup = FileNameOf(applied.backup.path);
  result.backup = backup;
  result.text = DoneText("Applied \"" + arguments.operand + "\"", applied.changed, applied.writes, backup);
  Refused refused;
  for (const RefusedValue& value : applied.refusedValues) {
    refused.Add(ValuePath(machine, value.hive, value.key, value.name), value.status);
  }
  std::vector<std::string> skipped;
  const std::vector<std::string> adapters = Utf8(machine, applied.skippedAdapters);
  for (const std::string& adapter : adapters) skipped.push_back(Json(adapter));
  if (!adapters.empty()) {
    result.text += "Left alone, as a backup cannot record their names (a line break or a double quote) or "
                   "Windows did not hand them over whole:\n";
    for (const std::string& adapter : adapters) result.text += "  adapter " + adapter + "\n";
  }
  if (!refused.values.empty()) {
    result.text += refused.Text();
    result.exitCode = kExitRefused;
    result.error = refused.Line(applied.writes);
  }
  result.json = "\"preset\":" + Json(arguments.operand) + ",\"backup\":" + Json(backup) +
                ",\"written\":" + std::to_string(applied.writes) + ",\"changed\":" + std::to_string(applied.changed) +
                ",\"refused\":" + refused.AsJson() + ",\"skippedAdapters\":" + JsonList(skipped);
  return result;
}

// ---- restore ----

// Windows opens these names, with any extension, as devices wherever a file
// is looked for: a serial port waits for input that never comes, NUL reads as
// empty, CON as the console. The 9x family has CLOCK$ besides.
bool IsDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  for (const std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"}) {
    if (base == device) return true;
  }
  // COM1 to COM9 and LPT1 to LPT9; later Windows also take a superscript 1, 2 or 3.
  const std::string_view prefix = std::string_view(base).substr(0, 3);
  if (prefix != "COM" && prefix != "LPT") return false;
  const std::string_view digit = std::string_view(base).substr(3);
  return (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9') || digit == "\xC2\xB9" || digit == "\xC2\xB2" ||
         digit == "\xC2\xB3";
}

// Why a restore wrote nothing, in its exit code and words; nothing when it ran.
std::optional<Result> RestoreStopped(const Machine& machine, const RestoreOutcome& outcome,
                                     const std::string& fileName) {
  switch (outcome.stop) {
    case RestoreOutcome::Stop::None: break;
    case RestoreOutcome::Stop::Unreadable:
      if (outcome.readStatus == kErrorFileNotFound || outcome.readStatus == kErrorPathNotFound) {
        return Fail(kExitBackupUnusable, "there is no backup " + fileName +
                                             " in the Backups folder (see tidewave-cli list). Nothing changed");
      }
      return Fail(kExitBackupUnusable,
                  "backup " + fileName + " cannot be read (" + ErrorText(outcome.readStatus) + "). Nothing changed");
    case RestoreOutcome::Stop::Unusable:
      if (outcome.plan.problem == RestoreProblem::OtherFamily) {
        const std::string takenOn = outcome.family ? FamilyText(FamilyOf(*outcome.family)) : "another family";
        return Fail(kExitBackupUnusable, "backup " + fileName + " was taken on " + takenOn + "; this is " +
                                             FamilyText(machine.os) + ". Nothing changed");
      }
      if (outcome.plan.problem == RestoreProblem::Damaged) {
        return Fail(kExitBackupUnusable, "backup " + fileName + " is damaged at line " +
                                             std::to_string(outcome.plan.line) + ": " + Utf8(machine, outcome.plan.reason) +
                                             ". Nothing changed");
      }
      if (outcome.plan.problem == RestoreProblem::TooLarge) {
        return Fail(kExitBackupUnusable, "backup " + fileName + " is far larger than any backup (more than " +
                                             std::to_string(kLargestBackupBytes >> 20) + " MB). Nothing changed");
      }
      return Fail(kExitFailed, "Tidewave knows no place for the network values on this Windows. Nothing changed");
    case RestoreOutcome::Stop::NoBackup: return Fail(kExitNoBackup, BackupFailure(outcome.backup));
  }
  return std::nullopt;
}

Result Restore(Machine& machine, const Arguments& arguments) {
  std::string fileName = arguments.operand;
  if (fileName.find_first_of("\\/:*?\"<>|") != std::string::npos) {
    return Fail(kExitUsage, "give a backup's file name as tidewave-cli list shows it (such as 003.BCK), not a path");
  }
  if (IsDeviceName(fileName)) {
    return Fail(kExitUsage, fileName + " is the name of a device, not of a backup; give a backup's file name as "
                                       "tidewave-cli list shows it (such as 003.BCK)");
  }
  if (auto refused = WithoutRights(machine)) return *refused;
  // From choosing the newest backup to the record of the change, as one.
  const ChangeLock lock(machine.files);
  if (!lock) return ChangeInProgress(lock.status());
  if (fileName == "newest") {
    std::vector<BackupListing> backups;
    if (const long status = ListBackups(machine.files, machine.programFolder, machine.os, backups);
        status != kErrorSuccess) {
      return Fail(kExitFailed, "the Backups folder cannot be searched (" + ErrorText(status) + ")");
    }
    if (backups.empty()) return Fail(kExitBackupUnusable, "there is no backup in the Backups folder. Nothing changed");
    fileName = backups.front().fileName;
  } else {
    // As the lists show it, and the home view will name it: "003.bck" is 003.BCK.
    if (IsBackupFileName(fileName)) fileName.resize(fileName.size() - 4);
    fileName += ".BCK";
  }

  const RestoreOutcome outcome = RestoreBackupFile(machine.registry, machine.files, machine.clock,
                                                   machine.programFolder, machine.os, fileName);
  if (auto stopped = RestoreStopped(machine, outcome, fileName)) return *stopped;
  const RestoreReport& report = outcome.report;
  SaveLastChange(machine.registry, LastChangeOfRestore(report, machine.clock.GetLocalTime()));

  Result result;
  result.changed = true;
  const std::string backup = FileNameOf(report.backupPath);
  result.backup = backup;
  result.text = DoneText("Restored " + fileName, report.written.changed, report.written.writes, backup);
  std::vector<std::string> skipped;
  const std::vector<std::string> adapters = Utf8(machine, report.written.skippedAdapters);
  for (const std::string& adapter : adapters) skipped.push_back(Json(adapter));
  if (!adapters.empty()) {
    result.text += "Left out, as this computer has no such network adapter:\n";
    for (const std::string& adapter : adapters) result.text += "  adapter " + adapter + "\n";
  }
  Refused refused;
  for (std::size_t i = 0; i < report.written.refusedAt.size(); ++i) {
    const RestoreWrite& write = outcome.plan.writes[report.written.refusedAt[i]];
    refused.Add(ValuePath(machine, write.hive, write.key, write.name), report.written.refusals[i]);
  }
  if (!refused.values.empty()) {
    result.text += refused.Text();
    result.exitCode = kExitRefused;
    result.error = refused.Line(report.written.writes);
  }
  result.json = "\"restored\":" + Json(fileName) + ",\"backup\":" + Json(backup) +
                ",\"written\":" + std::to_string(report.written.writes) +
                ",\"changed\":" + std::to_string(report.written.changed) + ",\"refused\":" + refused.AsJson() +
                ",\"skippedAdapters\":" + JsonList(skipped);
  return result;
}

}  // namespace

Outcome RunCommandLine(const std::vector<std::string>& args, Machine& machine) {
  const ParsedArguments parsed = ParseArguments(args);
  const Arguments& arguments = parsed.arguments;
  Outcome outcome;
  if (parsed.error.empty() && (arguments.help || arguments.command == Command::Overview)) {
    outcome.output = HelpText(arguments.command);
    return outcome;
  }
  Result result;
  switch (parsed.error.empty() ? arguments.command : Command::Overview) {
    case Command::Overview: result = Fail(kExitUsage, parsed.error); break;
    case Command::List: result = List(machine); break;
    case Command::Show: result = Show(machine, arguments); break;
    case Command::Apply: result = Apply(machine, arguments); break;
    case Command::Restore: result = Restore(machine, arguments); break;
  }
  outcome.exitCode = result.exitCode;
  outcome.error = result.error;
  outcome.changed = result.changed;
  outcome.backup = result.backup;
  outcome.json = arguments.json;
  if (arguments.json) {
    std::string members = result.json;
    if (!members.empty()) members += ",";
    members += "\"exitCode\":" + std::to_string(result.exitCode);
    if (!result.error.empty()) members += ",\"error\":" + Json(result.error);
    outcome.output = "{" + members + "}\n";
  } else {
    outcome.output = result.text;
  }
  return outcome;
}

}  // namespace tw::cli

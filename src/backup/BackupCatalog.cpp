#include "backup/BackupCatalog.h"

#include <algorithm>
#include <cctype>
#include <tuple>

#include "platform/ErrorText.h"

namespace tw {
namespace {

// Comparable as numbers: later dates and times are larger.
std::tuple<int, int, int, int, int, int> Taken(const std::optional<BackupStamp>& stamp) {
  if (!stamp) return {-1, 0, 0, 0, 0, 0};
  const SystemTime& t = stamp->taken;
  return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

}  // namespace

int CompareWritten(const std::optional<BackupStamp>& a, int numberA, const std::optional<BackupStamp>& b,
                   int numberB) {
  if (Taken(a) != Taken(b)) return Taken(a) > Taken(b) ? 1 : -1;
  return numberA == numberB ? 0 : numberA > numberB ? 1 : -1;
}

bool IsBackupFileName(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view tail = name.substr(name.size() - 4);
  return tail[0] == '.' && std::toupper(static_cast<unsigned char>(tail[1])) == 'B' &&
         std::toupper(static_cast<unsigned char>(tail[2])) == 'C' &&
         std::toupper(static_cast<unsigned char>(tail[3])) == 'K';
}

long ListBackups(IFileSystem& files, std::string_view programFolder, const OsFamilyInfo& os,
                 std::vector<BackupListing>& backups) {
  backups.clear();
  const std::string folder = BackupFolder(programFolder);
  std::vector<FileEntry> entries;
  const long status = files.FindFiles(folder + "\\*.BCK", entries);
  // No folder yet, or nothing in it: Windows 95 and 98 may answer "no more files".
  if (status == kErrorFileNotFound || status == kErrorPathNotFound || status == kErrorNoMoreFiles) return kErrorSuccess;
  if (status != kErrorSuccess) return status;
  for (const FileEntry& entry : entries) {
    if (!entry.isDirectory && IsBackupFileName(entry.name)) backups.push_back(ListBackup(files, folder, entry.name, os));
  }
  std::sort(backups.begin(), backups.end(), [](const BackupListing& a, const BackupListing& b) {
    if (const int order = CompareWritten(a.stamp, a.number, b.stamp, b.number); order != 0) return order > 0;
    return a.fileName < b.fileName;
  });
  return kErrorSuccess;
}

BackupListing ListBackup(IFileSystem& files, const std::string& folder, std::string_view entryName,
                         const OsFamilyInfo& os) {
  BackupListing backup;
  backup.fileName = std::string(entryName.substr(0, entryName.size() - 4)) + ".BCK";
  backup.number = BackupNumberOf(entryName);
  std::string contents;
  // No more than any backup can be and a byte: a larger file is refused by the plan.
  backup.readStatus = files.ReadFileStart(folder + "\\" + std::string(entryName), kLargestBackupBytes + 1, contents);
  if (backup.readStatus == kErrorSuccess) {
    backup.stamp = ReadBackupStamp(contents);
    backup.family = ReadBackupFamily(contents);
    const RestorePlan plan = PlanRestore(contents, os);
    backup.problem = plan.problem;
    backup.line = plan.line;
    backup.reason = plan.reason;
  }
  return backup;
}

std::string RestoreHereText(const BackupListing& backup) {
  if (backup.readStatus != kErrorSuccess) return "no: cannot be read (" + ErrorText(backup.readStatus) + ")";
  switch (backup.problem) {
    case RestoreProblem::None: return "yes";
    case RestoreProblem::OtherFamily:
      return "no: taken on " +
             (backup.family ? std::string(OsFamilyName(*backup.family)) : std::string("another Windows family"));
    case RestoreProblem::Damaged: return "no: damaged at line " + std::to_string(backup.line) + ": " + backup.reason;
    case RestoreProblem::NoLayout: return "no: this Windows has no place for the values";
    case RestoreProblem::TooLarge: return "no: far larger than any backup";
  }
  return "no";
}

RestoreOutcome RestoreBackupFile(IRegistry& registry, IFileSystem& files, IClock& clock,
                                 std::string_view programFolder, const OsFamilyInfo& os, std::string_view fileName) {
  RestoreOutcome outcome;
  std::string contents;
  outcome.readStatus =
      files.ReadFileStart(BackupFolder(programFolder) + "\\" + std::string(fileName), kLargestBackupBytes + 1, contents);
  if (outcome.readStatus != kErrorSuccess) {
    outcome.stop = RestoreOutcome::Stop::Unreadable;
    return outcome;
  }
  outcome.family = ReadBackupFamily(contents);
  outcome.plan = PlanRestore(contents, os);
  if (outcome.plan.problem != RestoreProblem::None) {
    outcome.stop = RestoreOutcome::Stop::Unusable;
    return outcome;
  }
  // A restore is a change like an apply: what it replaces is backed up first,
  // so the restore itself can be undone. The adapters are listed once for both.
  const WritePlan now = PlanWrites(registry, os);
  outcome.backup = WriteBackup(now, files, clock, programFolder, os);
  if (outcome.backup.problem != BackupProblem::None) {
    outcome.stop = RestoreOutcome::Stop::NoBackup;
    return outcome;
  }
  outcome.report = {std::string(fileName), outcome.backup.path, 0, WriteRestore(registry, outcome.plan, now.adapters)};
  outcome.report.writes = outcome.report.written.writes;
  return outcome;
}

}  // namespace tw

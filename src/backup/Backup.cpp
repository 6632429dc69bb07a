#include "backup/Backup.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/OsVersion.h"
#include "backup/BackupFile.h"
#include "backup/Restore.h"
#include "platform/ErrorText.h"

namespace tw {
namespace {

constexpr std::string_view kExtension = ".BCK";

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

// The value a line of `contents` refused by the reader belongs to: its name
// (the line before), the key line above that, and what it holds.
std::string UnrestorableValue(std::string_view contents, const RestorePlan& plan) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < contents.size();) {
    const std::size_t end = std::min(contents.find("\r\n", start), contents.size());
    lines.push_back(contents.substr(start, end - start));
    start = end + 2;
  }
  const auto at = static_cast<std::size_t>(plan.line);
  if (plan.problem != RestoreProblem::Damaged || at < 5 || at > lines.size()) return "(" + plan.reason + ")";
  const std::string_view name = lines[at - 2];
  std::string_view key;
  for (std::size_t i = at - 2; i-- > 3;) {
    // Value names never hold a backslash; key lines always do.
    if (lines[i].find('\\') != std::string_view::npos) {
      key = lines[i];
      break;
    }
  }
  return (name == "\"\"" ? std::string("the default value") : "the value " + std::string(name)) + " under " +
         std::string(key) + " holds " + std::string(lines[at - 1]) + " (" + plan.reason + ")";
}

bool EndsWithExtension(std::string_view name) {
  if (name.size() < kExtension.size()) return false;
  const std::string_view tail = name.substr(name.size() - kExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(tail[i])) != kExtension[i]) return false;
  }
  return true;
}

// What the user can do about a failure, by the cause Windows gave.
std::string AdviceFor(long error) {
  switch (error) {
    case kErrorAccessDenied:
      return "Make sure Tidewave may write to its own folder, for instance by running it as an administrator, "
             "then try again.";
    case kErrorDiskFull:
    case kErrorHandleDiskFull:
      return "Free some space on the disk, then try again.";
    case 19:  // write-protected
      return "Move Tidewave to a disk it may write to, then try again.";
    default:
      return "Put right what Windows reports, or move Tidewave to another folder, then try again.";
  }
}

}  // namespace

std::string BackupFolder(std::string_view programFolder) { return std::string(programFolder) + "\\Backups"; }

int BackupNumberOf(std::string_view fileName) {
  std::string_view base = fileName;
  if (const auto dot = base.find_last_of('.'); dot != std::string_view::npos) base = base.substr(0, dot);
  if (base.size() > 3) base = base.substr(base.size() - 3);
  int number = 0;
  for (const char c : base) {
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
  }
  return number;
}

std::string BackupFileName(int number) {
  std::string digits = std::to_string(number);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return digits + std::string(kExtension);
}

BackupResult NextBackupPath(IFileSystem& files, std::string_view programFolder) {
  if (programFolder.empty()) return {BackupProblem::NoProgramFolder, kErrorSuccess, {}};
  const std::string folder = BackupFolder(programFolder);
  if (const long status = files.CreateFolder(folder);
      status != kErrorSuccess && status != kErrorAlreadyExists) {
    return {BackupProblem::FolderUnavailable, status, folder};
  }
  std::vector<FileEntry> entries;
  const long listed = files.FindFiles(folder + "\\*" + std::string(kExtension), entries);
  // "Backups" may exist as a file, or be unreadable: then nothing can go into it.
  // An empty folder answers "file not found", or on Windows 95 and 98 "no more files".
  if (listed != kErrorSuccess && listed != kErrorFileNotFound && listed != kErrorNoMoreFiles) {
    return {BackupProblem::FolderUnavailable, listed, folder};
  }
  int highest = 0;
  // A name "NNN.BCK" is taken by whatever has it, a folder too: no backup can
  // be renamed onto it.
  std::vector<bool> taken(kLastBackupNumber + 1, false);
  for (const FileEntry& entry : entries) {
    if (const int number = BackupNumberOf(entry.name);
        number > 0 && SameName(entry.name, BackupFileName(number))) {
      taken[static_cast<std::size_t>(number)] = true;
    }
    // The pattern also matches names whose short 8.3 form ends in .BCK ("a.bckup").
    if (entry.isDirectory || !EndsWithExtension(entry.name)) continue;
    highest = std::max(highest, BackupNumberOf(entry.name));
  }
  // Numbers grow, so the newest backup is the highest, until 999; from then
  // on the lowest number free again (the list's date order still finds the
  // newest), rather than no backup and so no change at all.
  for (const int start : {highest + 1, 1}) {
    for (int number = start; number <= kLastBackupNumber; ++number) {
      if (!taken[static_cast<std::size_t>(number)]) {
        return {BackupProblem::None, kErrorSuccess, folder + "\\" + BackupFileName(number)};
      }
    }
  }
  return {BackupProblem::NumberingFull, kErrorSuccess, folder};
}

BackupResult WriteBackup(IRegistry& registry, IFileSystem& files, IClock& clock,
                         std::string_view programFolder, const OsFamilyInfo& os) {
  return WriteBackup(PlanWrites(registry, os), files, clock, programFolder, os);
}

BackupResult WriteBackup(const WritePlan& plan, IFileSystem& files, IClock& clock, std::string_view programFolder,
                         const OsFamilyInfo& os) {
  if (plan.layout == nullptr) return {BackupProblem::NoFamily, kErrorSuccess, {}};
  BackupResult result = NextBackupPath(files, programFolder);
  if (result.problem != BackupProblem::None) return result;
  const std::string contents = BackupContents(plan, os.code, clock.GetLocalTime());
  // Whatever is written here must restore, so its own reader checks it first.
  if (const RestorePlan plan = PlanRestore(contents, os); plan.problem != RestoreProblem::None) {
    return {BackupProblem::WouldNotRestore, kErrorSuccess, result.path, UnrestorableValue(contents, plan)};
  }

  // Not ".BCK": the backup manager and the numbering never see a half-written file.
  std::string temporary = result.path;
  temporary.replace(temporary.size() - kExtension.size(), kExtension.size(), ".tmp");
  long status = files.WriteNewFile(temporary, contents);
  if (status == kErrorSuccess) status = files.RenameFile(temporary, result.path);
  if (status != kErrorSuccess) {
    files.RemoveFile(temporary);
    return {BackupProblem::FileNotWritten, status, result.path};
  }
  return result;
}

std::string BackupFailureMessage(const BackupResult& result) {
  const std::string lead =
      "Tidewave has not changed any network setting.\r\n\r\n"
      "Before every change Tidewave saves the values it replaces in a backup, ";
  switch (result.problem) {
    case BackupProblem::None:
    case BackupProblem::NoFamily:
      return {};
    case BackupProblem::NoProgramFolder:
      return lead + "in the folder \"Backups\" beside the program, but Windows could not tell Tidewave which "
             "folder it was started from (its path may be too long for this version of Windows).\r\n\r\n"
             "Move Tidewave to a folder with a shorter path, such as \"C:\\Tidewave\", then try again.";
    case BackupProblem::NumberingFull:
      return lead + "and the backup numbers are used up: the folder \"" + result.path +
             "\" already holds a backup under every number from 001 to " + std::to_string(kLastBackupNumber) +
             ".\r\n\r\nDelete old backups in the backup manager, then try again.";
    case BackupProblem::WouldNotRestore:
      return lead + "but one of them cannot be recorded so that a restore puts it back: " + result.unrestorable +
             ".\r\n\r\nWith the Registry Editor, set that value to a whole number from 0 to 4294967295 or "
             "delete it, then try again.";
    case BackupProblem::FolderUnavailable:
      return lead + "but it could not use the backup folder \"" + result.path + "\" (" + ErrorText(result.error) +
             ").\r\n\r\n" + AdviceFor(result.error);
    case BackupProblem::FileNotWritten:
      return lead + "but it could not write the backup file \"" + result.path + "\" (" + ErrorText(result.error) +
             ").\r\n\r\n" + AdviceFor(result.error);
    case BackupProblem::ChangeInProgress:
      return lead + "and makes one change at a time. " +
             (result.error == kErrorTimeout
                  ? "Another change to the network settings, by tidewave-cli or another Tidewave, has not finished "
                    "within " + std::to_string(kChangeWaitMs / 1000) + " seconds."
                  : "Tidewave could not wait for other changes to finish (" + ErrorText(result.error) + ").") +
             "\r\n\r\nTry again in a moment.";
  }
  return {};
}

}  // namespace tw

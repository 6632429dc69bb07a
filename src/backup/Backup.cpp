#include "backup/Backup.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/OsVersion.h"
#include "backup/BackupFile.h"
#include "platform/ErrorText.h"

namespace tw {
namespace {

constexpr std::string_view kExtension = ".BCK";

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
  for (const FileEntry& entry : entries) {
    // The pattern also matches names whose short 8.3 form ends in .BCK ("a.bckup").
    if (entry.isDirectory || !EndsWithExtension(entry.name)) continue;
    highest = std::max(highest, BackupNumberOf(entry.name));
  }
  if (highest >= kLastBackupNumber) {
    return {BackupProblem::NumberingFull, kErrorSuccess, folder + "\\" + BackupFileName(highest)};
  }
  return {BackupProblem::None, kErrorSuccess, folder + "\\" + BackupFileName(highest + 1)};
}

BackupResult WriteBackup(IRegistry& registry, IFileSystem& files, IClock& clock,
                         std::string_view programFolder, const OsFamilyInfo& os) {
  if (!Is9xFamily(os.code) && !IsNtFamily(os.code)) return {BackupProblem::NoFamily, kErrorSuccess, {}};
  BackupResult result = NextBackupPath(files, programFolder);
  if (result.problem != BackupProblem::None) return result;
  const std::string contents = BackupContents(registry, os, clock.GetLocalTime());

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
      return lead + "and the backup numbers are used up: the folder \"" +
             result.path.substr(0, result.path.find_last_of('\\')) + "\" already holds a backup numbered " +
             std::to_string(kLastBackupNumber) + ", the last number there is.\r\n\r\n"
             "Delete old backups in the backup manager, then try again.";
    case BackupProblem::FolderUnavailable:
      return lead + "but it could not use the backup folder \"" + result.path + "\" (" + ErrorText(result.error) +
             ").\r\n\r\n" + AdviceFor(result.error);
    case BackupProblem::FileNotWritten:
      return lead + "but it could not write the backup file \"" + result.path + "\" (" + ErrorText(result.error) +
             ").\r\n\r\n" + AdviceFor(result.error);
  }
  return {};
}

}  // namespace tw

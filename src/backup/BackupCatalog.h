#pragma once
// The backups beside the program as one list, each with what a restore here
// would make of it, and a restore of one of them by its name: read and planned
// whole, then what it replaces backed up, then written. What the command line
// lists and restores; the backup manager's panel does the same steps.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backup/Backup.h"
#include "backup/Restore.h"

namespace tw {

// A name the backup folder's "*.BCK" search really means: Windows also
// matches names whose short 8.3 form ends in .BCK ("a.bckup").
bool IsBackupFileName(std::string_view name);

struct BackupListing {
  std::string fileName;  // the base name, then ".BCK", as the backup manager lists it
  int number = 0;        // what the name counts as in the numbering
  long readStatus = kErrorSuccess;  // reading the file; nothing below is known without it
  std::optional<BackupStamp> stamp;
  std::optional<std::int16_t> family;  // the family it was taken on, as it records it
  // What a restore on this Windows would meet: None when it can be restored
  // here; for Damaged, the line and what it should have held.
  RestoreProblem problem = RestoreProblem::None;
  int line = 0;
  std::string reason;
};

// The backup `entryName` of the backup folder `folder`, read whole and planned
// as a restore on this Windows would plan it.
BackupListing ListBackup(IFileSystem& files, const std::string& folder, std::string_view entryName,
                         const OsFamilyInfo& os);

// Whether a restore here takes the backup: "yes", or "no: " and why ("no:
// taken on Windows 98", "no: damaged at line 4: ..."), as the lists say it.
std::string RestoreHereText(const BackupListing& backup);

// Which of two backups was written later: 1 for the first, -1 for the
// second, 0 for neither. The date and time inside tell; numbers only break a
// tie within one second, since past 999 the lowest free number is taken
// again, and a file with no stamp counts as the oldest.
int CompareWritten(const std::optional<BackupStamp>& a, int numberA, const std::optional<BackupStamp>& b,
                   int numberB);

// Every backup in the folder, newest first (CompareWritten), then by name.
// A missing or empty folder is an empty list; the status is that of a folder
// that could not be searched.
long ListBackups(IFileSystem& files, std::string_view programFolder, const OsFamilyInfo& os,
                 std::vector<BackupListing>& backups);

struct RestoreOutcome {
  enum class Stop {
    None,        // restored: `report` says what was written
    Unreadable,  // the file could not be read (`readStatus`)
    Unusable,    // the plan has a problem (another family, damaged): nothing written
    NoBackup,    // what it would replace could not be backed up: nothing written
  };
  Stop stop = Stop::None;
  long readStatus = kErrorSuccess;
  std::optional<std::int16_t> family;  // the family the file says it was taken on
  RestorePlan plan;
  BackupResult backup;
  RestoreReport report;
};

// Restores the backup `fileName` of the backup folder. Nothing is written
// unless the whole file is sound and a backup of what it replaces is on disk.
RestoreOutcome RestoreBackupFile(IRegistry& registry, IFileSystem& files, IClock& clock,
                                 std::string_view programFolder, const OsFamilyInfo& os, std::string_view fileName);

}  // namespace tw

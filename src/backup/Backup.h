#pragma once
// Where backups go and how one is written. Each backup is a new numbered file
// "001.BCK" to "999.BCK" in the folder "Backups" beside the program, one more
// than the highest number there until 999, then the lowest free one: the date
// and time inside, not the number, tell which is newest.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/OsVersion.h"
#include "platform/Registry.h"
#include "tcpip/WritePlan.h"

namespace tw {

inline constexpr int kLastBackupNumber = 999;

enum class BackupProblem {
  None,
  NoFamily,           // a Windows family with no layout: nothing to back up
  NoProgramFolder,    // Windows could not say where the program lies, so neither can the backups
  FolderUnavailable,  // the folder could not be created or listed
  NumberingFull,      // every number from 001 to 999 is taken
  FileNotWritten,     // the file could not be written completely
  WouldNotRestore,    // the registry holds a value the backup's reader would refuse
  ChangeInProgress,   // another change held the change lock past the wait (ChangeLock)
};

struct BackupResult {
  BackupProblem problem = BackupProblem::None;
  long error = kErrorSuccess;  // the system's status, when it said no
  std::string path;            // the backup's full path (the one attempted, on failure)
  std::string unrestorable = {};  // for WouldNotRestore: which value, what it holds and why
};

std::string BackupFolder(std::string_view programFolder);

// The number a file name counts as: the last three characters of its name
// without the extension, read as the number they start with (0 when they do
// not start with a digit). "007.BCK" is 7, "x012.BCK" 12, "Backup.BCK" 0.
int BackupNumberOf(std::string_view fileName);
// "001.BCK" for 1, "042.BCK" for 42, "999.BCK" for 999.
std::string BackupFileName(int number);

// The path the next backup is to be written to; creates the folder when it
// is missing. The number is one more than the highest there, the next free
// one after it when a file or folder has that name; once 999 is reached, the
// lowest free number. Fails with NumberingFull when all 999 names are taken.
BackupResult NextBackupPath(IFileSystem& files, std::string_view programFolder);

// Writes one backup of the running family's current values. The file appears
// complete or not at all: it is written under a temporary name and renamed
// only once every byte is on the disk. A backup its own reader would refuse
// (a value past 32 bits or with a fraction) is no way back: then nothing is
// written and the result says which value stands in the way.
BackupResult WriteBackup(IRegistry& registry, IFileSystem& files, IClock& clock,
                         std::string_view programFolder, const OsFamilyInfo& os);
// The same for the values of `plan`, as it read them: what a change about to
// write that plan replaces.
BackupResult WriteBackup(const WritePlan& plan, IFileSystem& files, IClock& clock, std::string_view programFolder,
                         const OsFamilyInfo& os);

// What to tell the user when a backup could not be written and so nothing was
// changed; empty when there was no problem.
std::string BackupFailureMessage(const BackupResult& result);

}  // namespace tw

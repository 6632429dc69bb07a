#pragma once
// Writing a parameter set (CurrentSettings) into the registry of the running Windows family,
// after a backup of what it replaces. The one place a parameter set changes
// the TCP/IP configuration: the preset panel and the step-by-step pages call it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "backup/Backup.h"
#include "platform/ErrorText.h"
#include "platform/OsVersion.h"
#include "tcpip/TcpIpSettings.h"

namespace tw {

enum class ApplyOutcome {
  NothingToDo,         // a Windows family with no layout: no backup, no write
  Applied,             // every value written or removed (adapters in skippedAdapters left out)
  // Windows refused one write or removal or more, whatever the cause it gave
  // (most often missing administrator rights), possibly every one; the others
  // stay written. Adapters left out do not make an apply partial.
  PartlyApplied,
  RefusedWithoutBackup,  // the backup could not be written, so nothing was changed
};

// A value Windows refused to write or remove, and the status it gave.
struct RefusedValue {
  RegHandle hive;
  std::string key;
  std::string name;
  long status;
};

struct ApplyResult {
  ApplyOutcome outcome = ApplyOutcome::NothingToDo;
  BackupResult backup;  // the backup taken first (its path), or why there is none
  int writes = 0;       // values written or removed
  int refused = 0;      // of those, how many the system refused
  std::vector<RefusedValue> refusedValues;  // which, in the order written
  int changed = 0;      // of those, how many now hold other than before (the rest held it already)
  std::vector<std::string> skippedAdapters;  // left alone: their key names cannot go into a backup
  std::string message;  // what to tell the user, if anything (title "Tidewave", OK)
};

// What an apply works on besides the record: the registry it tunes, and the
// disk, clock and folder of the backup it takes first.
struct ApplyTarget {
  IRegistry& registry;
  IFileSystem& files;
  IClock& clock;
  std::string_view programFolder;
  OsFamilyInfo os;
};

// Backs up, then writes or removes every value of the family's layout in the
// layout's order: one write plan (PlanWrites) serves both, so the backup
// records exactly the values written. Never changes the registry without a
// complete backup.
// A refused write does not stop the rest; the count of refusals comes back
// with one message for the user.
ApplyResult ApplySettings(const ApplyTarget& target, const TcpIpSettings& settings);

// The message for writes the system refused, by status and count, naming each
// cause Windows gave and the backup.
std::string RefusedWritesMessage(int writes, const StatusCounts& refusals, const std::string& backupPath);
// The message naming adapters an apply left alone.
std::string SkippedAdaptersMessage(const std::vector<std::string>& names);

}  // namespace tw

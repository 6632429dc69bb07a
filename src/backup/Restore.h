#pragma once
// Reading a backup back: the stamp the backup manager lists, and the plan of
// registry writes a restore makes. A file is read and checked completely
// before the first write, so a damaged file changes nothing: a restore writes
// every value of a sound file or none at all.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/OsVersion.h"
#include "platform/Registry.h"

namespace tw {

struct TcpIpLayout;

// The date and time a backup was taken, from its first two lines.
struct BackupStamp {
  SystemTime taken;  // year, month, day, hour, minute, second
};

// The stamp, or nothing when the file does not start with a date line and a
// time line (a damaged file, or a foreign one that only shares the extension).
std::optional<BackupStamp> ReadBackupStamp(std::string_view contents);
// The family code of the third line, after a sound stamp; nothing when there is none.
std::optional<std::int16_t> ReadBackupFamily(std::string_view contents);

// One registry change of a restore.
struct RestoreWrite {
  RegHandle hive;
  std::string key;
  std::string name;
  std::int64_t value;  // -2147483648 to 4294967295, as recorded
  // The value was missing when the backup was taken ("-0"), or it holds a
  // recorded 0 where 0 is no working setting: the restore removes it.
  bool remove;
  std::string adapter = {};  // the adapter a per-adapter key belongs to; empty for the others
  // Keys at the end of `key` that were missing when the backup was taken:
  // once the restore has removed the value, they go too if they hold nothing.
  int missingKeys = 0;
  bool operator==(const RestoreWrite&) const = default;
};


enum class RestoreProblem {
  None,
  OtherFamily,  // taken on another Windows family
  Damaged,      // `line` of the file is not what the format has there
  NoLayout,     // the running family has no layout: nothing to restore to
  TooLarge,     // larger than any backup can be
};

// No backup comes near this size: one of a thousand adapters takes well under
// 1 MB. A restore reads no more of a file than this and one byte more, and
// the list reads only the stamp lines.
inline constexpr std::size_t kLargestBackupBytes = 16u << 20;
inline constexpr std::size_t kStampBytes = 64;

struct RestorePlan {
  RestoreProblem problem = RestoreProblem::None;
  int line = 0;        // 1-based, for Damaged
  std::string reason;  // for Damaged: what the line should have held
  std::uint32_t type = 0;  // kRegSz or kRegDword, the running family's
  const TcpIpLayout* layout = nullptr;  // the running family's
  std::vector<RestoreWrite> writes;  // in file order; empty unless problem is None
};

// Walks the running family's layout over the file: the header, the stack,
// browser and cache sections, then any number of per-adapter sections; the
// file may end only between sections after the cache. Key lines and value
// names must be the layout's own (key names compared without regard to case);
// an adapter's name in a key line must be one Windows can hold and a backup
// can carry (CanRecordAdapterName): no control character, at most 255
// characters. Nothing of the registry is read.
RestorePlan PlanRestore(std::string_view contents, const OsFamilyInfo& os);

struct RestoreWritten {
  int writes = 0;  // values written or removed
  // The status of every write Windows refused (a removal of a value already
  // missing is no refusal).
  std::vector<long> refusals;
  std::vector<std::size_t> refusedAt;  // which writes of the plan those were, by index
  int changed = 0;  // writes that left a value other than it was (the rest held it already)
  int keysRemoved = 0;  // keys an apply had made, removed again now they hold nothing
  // Recorded adapters this computer does not have, in file order: an apply
  // tunes only the adapters there are, so a restore creates no others.
  std::vector<std::string> skippedAdapters;
};

// Writes the plan through SetTypedValue, the values of adapters this
// computer has only: those AdaptersOf lists, or those in `present` (the
// adapters of the write plan its backup was taken from).
RestoreWritten WriteRestore(IRegistry& registry, const RestorePlan& plan);
RestoreWritten WriteRestore(IRegistry& registry, const RestorePlan& plan, const std::vector<std::string>& present);

// What a restore from the backup manager did.
struct RestoreReport {
  std::string fileName;    // the backup restored
  std::string backupPath;  // the backup of the values it replaced, taken first
  int writes = 0;
  RestoreWritten written;
};

// What to tell the user about a plan that cannot be restored; empty for none.
std::string RestoreProblemMessage(const RestorePlan& plan, std::string_view fileName);
// ...and about writes Windows refused and adapters left out; empty when
// there were none.
std::string RestoreWrittenMessage(const RestoreWritten& written);

}  // namespace tw

#include "tuning/ApplySettings.h"


#include "platform/ErrorText.h"
#include "settings/RegistrySettings.h"
#include "tcpip/TcpIpLayout.h"
#include "tcpip/WritePlan.h"

namespace tw {
namespace {

// Every value goes through SetTypedValue, in the family's type: decimal text
// on 9x, a 32-bit number on NT.
class ValueWriter {
 public:
  ValueWriter(IRegistry& registry, std::uint32_t type) : registry_(registry), type_(type) {}

  // The plan says what the value held before the apply began.
  void Put(const PlannedValue& planned, const TcpIpSettings& settings) {
    const TcpIpValue& value = *planned.value;
    const std::optional<std::int32_t> number = ValueToWrite(value, settings);
    const bool remove = !number.has_value();
    const Variant written(number.value_or(0));
    const long status = SetTypedValue(registry_, value.hive, planned.key, value.name, type_, written, Variant(remove));
    ++writes_;
    // Removing a value that is not there leaves the registry as asked.
    if (status != kErrorSuccess && !(remove && status == kErrorFileNotFound)) {
      CountStatus(refusals_, status);
      refused_.push_back({value.hive, planned.key, std::string(value.name), status});
    } else if (StoredByTypedValue(type_, written, Variant(remove)) != planned.now.Stored()) {
      ++changed_;
    }
  }

  int writes() const { return writes_; }
  int changed() const { return changed_; }
  const StatusCounts& refusals() const { return refusals_; }
  std::vector<RefusedValue>& refused() { return refused_; }

 private:
  IRegistry& registry_;
  std::uint32_t type_;
  int writes_ = 0;
  int changed_ = 0;
  StatusCounts refusals_;  // by the status Windows gave
  std::vector<RefusedValue> refused_;
};

}  // namespace

std::string RefusedWritesMessage(int writes, const StatusCounts& refusals, const std::string& backupPath) {
  int refused = 0;
  std::string causes;
  for (const auto& [status, count] : refusals) {
    refused += count;
    if (!causes.empty()) causes += "; ";
    causes += ErrorText(status);
    if (refusals.size() > 1) causes += ", for " + std::to_string(count);
  }
  const std::string file = backupPath.substr(backupPath.find_last_of('\\') + 1);
  std::string text = "Windows refused to change " + std::to_string(refused) + " of the " + std::to_string(writes) +
                     (writes == 1 ? " network value" : " network values") + " Tidewave was setting (" + causes + ").";
  // Only a refused access is a question of rights.
  if (HasStatus(refusals, kErrorAccessDenied)) {
    text += " Changing them needs administrator rights: close Tidewave, start it again as an administrator and "
            "apply the settings again.";
  }
  return text + "\r\n\r\nThe other values have been changed; the backup \"" + file + "\" holds what was there before.";
}

std::string SkippedAdaptersMessage(const std::vector<std::string>& names) {
  std::string list;
  for (std::string name : names) {
    for (char& c : name) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    list += "\r\n    " + name;
  }
  return std::string(names.size() == 1 ? "One network adapter was" : std::to_string(names.size()) + " network adapters were") +
         " left as they were: the name of " + (names.size() == 1 ? "its" : "each") +
         " registry key holds a line break, another control character or a double quote, which a backup cannot "
         "record, or a character Windows could not hand over whole, so Tidewave could not undo a change there." +
         list;
}

ApplyResult ApplySettings(const ApplyTarget& target, const TcpIpSettings& settings) {
  ApplyResult result;
  // The values to write, each with what it holds now; the backup records
  // what this read, and the writes go to this same list.
  const WritePlan plan = PlanWrites(target.registry, target.os);
  if (plan.layout == nullptr) return result;

  result.backup = WriteBackup(plan, target.files, target.clock, target.programFolder, target.os);
  if (result.backup.problem != BackupProblem::None) {
    result.outcome = ApplyOutcome::RefusedWithoutBackup;
    result.message = BackupFailureMessage(result.backup);
    return result;
  }
  result.skippedAdapters = plan.skippedAdapters;

  ValueWriter out(target.registry, plan.layout->type);
  for (const PlannedValue& planned : plan.values) {
    if (planned.value->applied) out.Put(planned, settings);
  }
  result.writes = out.writes();
  result.changed = out.changed();
  for (const auto& [status, count] : out.refusals()) result.refused += count;
  result.refusedValues = std::move(out.refused());
  if (result.refused == 0) {
    result.outcome = ApplyOutcome::Applied;
  } else {
    result.outcome = ApplyOutcome::PartlyApplied;
    result.message = RefusedWritesMessage(result.writes, out.refusals(), result.backup.path);
  }
  if (!result.skippedAdapters.empty()) {
    if (!result.message.empty()) result.message += "\r\n\r\n";
    result.message += SkippedAdaptersMessage(result.skippedAdapters);
  }
  return result;
}

}  // namespace tw

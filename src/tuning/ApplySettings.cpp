#include "tuning/ApplySettings.h"

#include <map>

#include "platform/ErrorText.h"
#include "settings/RegistrySettings.h"
#include "tcpip/TcpIpLayout.h"

namespace tw {
namespace {

// Every value goes through SetTypedValue, in the family's type: decimal text
// on 9x, a 32-bit number on NT.
class ValueWriter {
 public:
  ValueWriter(IRegistry& registry, std::uint32_t type) : registry_(registry), type_(type) {}

  // `before` is what the value held before the apply began.
  void Put(const TcpIpValue& value, std::string_view adapter, const TcpIpSettings& settings,
           const std::optional<StoredValue>& before) {
    const std::optional<std::int32_t> number = ValueToWrite(value, settings);
    const bool remove = !number.has_value();
    const Variant written(number.value_or(0));
    const long status =
        SetTypedValue(registry_, value.hive, KeyFor(value, adapter), value.name, type_, written, Variant(remove));
    ++writes_;
    // Removing a value that is not there leaves the registry as asked.
    if (status != kErrorSuccess && !(remove && status == kErrorFileNotFound)) {
      ++refusals_[status];
      refused_.push_back({value.hive, KeyFor(value, adapter), std::string(value.name), status});
    } else if (StoredByTypedValue(type_, written, Variant(remove)) != before) {
      ++changed_;
    }
  }

  int writes() const { return writes_; }
  int changed() const { return changed_; }
  const std::map<long, int>& refusals() const { return refusals_; }
  std::vector<RefusedValue>& refused() { return refused_; }

 private:
  IRegistry& registry_;
  std::uint32_t type_;
  int writes_ = 0;
  int changed_ = 0;
  std::map<long, int> refusals_;  // by the status Windows gave
  std::vector<RefusedValue> refused_;
};

}  // namespace

std::string RefusedWritesMessage(int writes, const std::map<long, int>& refusals, const std::string& backupPath) {
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
  if (refusals.count(kErrorAccessDenied) != 0) {
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
         "record, so Tidewave could not undo a change there." + list;
}

ApplyResult ApplySettings(const ApplyTarget& target, const TcpIpSettings& settings) {
  ApplyResult result;
  const TcpIpLayout* layout = LayoutFor(target.os);
  if (layout == nullptr) return result;

  result.backup = WriteBackup(target.registry, target.files, target.clock, target.programFolder, target.os);
  if (result.backup.problem != BackupProblem::None) {
    result.outcome = ApplyOutcome::RefusedWithoutBackup;
    result.message = BackupFailureMessage(result.backup);
    return result;
  }

  // Every value to write, with the adapter it belongs to, in the layout's order.
  struct Write {
    const TcpIpValue* value;
    std::string adapter;
  };
  std::vector<Write> writes;
  const std::span<const TcpIpValue> values = layout->values;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i].section != Section::Adapter) {
      if (values[i].applied) writes.push_back({&values[i], {}});
      continue;
    }
    // A run of per-adapter rows is written adapter by adapter, each adapter
    // taking the whole run in its order.
    std::size_t end = i;
    while (end < values.size() && values[end].section == Section::Adapter) ++end;
    const Adapters adapters = AdaptersOf(target.registry, *layout);
    result.skippedAdapters = adapters.skipped;
    for (const std::string& adapter : adapters.tuned) {
      for (std::size_t k = i; k < end; ++k) {
        if (values[k].applied) writes.push_back({&values[k], adapter});
      }
    }
    i = end - 1;
  }
  // What each value holds, all read before the first write, so the apply can
  // say how many values it really changed.
  std::vector<std::optional<StoredValue>> before;
  before.reserve(writes.size());
  for (const Write& write : writes) {
    before.push_back(
        ReadStoredValue(target.registry, write.value->hive, KeyFor(*write.value, write.adapter), write.value->name));
  }
  ValueWriter out(target.registry, layout->type);
  for (std::size_t i = 0; i < writes.size(); ++i) out.Put(*writes[i].value, writes[i].adapter, settings, before[i]);
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

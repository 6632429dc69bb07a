#include "tcpip/CurrentValues.h"

#include <algorithm>

#include "core/Numbers.h"
#include "tcpip/WritePlan.h"

namespace tw {
namespace {

bool IsTrueFalse(TcpIpField field) {
  return field == TcpIpField::MTUDiscovery || field == TcpIpField::BlackHole || field == TcpIpField::ICMP;
}

}  // namespace

CurrentValues CurrentValues::Read(IRegistry& registry, const RunningWindows& windows) {
  CurrentValues values;
  values.noPlace_ = std::string(windows.os.name) + " has no such setting; nothing is written for it.";
  // What an apply would read before writing, row for row.
  for (const PlannedValue& planned : PlanWrites(registry, windows.os).values) {
    const TcpIpValue& value = *planned.value;
    if (value.applied) values.rows_.push_back({&value, planned.now.Number(), IgnoredOn(value.field, value.name, windows)});
  }
  return values;
}

std::string CurrentValues::Text(TcpIpField field, Words words) const {
  const auto row = std::find_if(rows_.begin(), rows_.end(), [field](const Row& r) { return r.value->field == field; });
  if (row == rows_.end()) {
    // A per-adapter value on a system with no adapter is as good as not set.
    const bool perAdapter = field == TcpIpField::MTU || field == TcpIpField::MSS;
    return perAdapter && !rows_.empty() ? "not set" : "n/a";
  }
  if (!row->now) return "not set";
  if (IsTrueFalse(field)) {
    const bool on = *row->now != 0;
    return words == Words::OnOff ? (on ? "on" : "off") : (on ? "True" : "False");
  }
  return FormatDecimal(*row->now);
}

bool CurrentValues::WouldChange(TcpIpField field, const TcpIpSettings& proposed) const {
  return std::any_of(rows_.begin(), rows_.end(), [&](const Row& row) {
    if (row.value->field != field) return false;
    const std::optional<std::int32_t> written = ValueToWrite(*row.value, proposed);
    if (!written) return row.now.has_value();
    // What a REG_DWORD reads back as: the 32 bits of the number, unsigned.
    const double stored = static_cast<double>(static_cast<std::uint32_t>(*written));
    return !row.now || (*row.now != stored && *row.now != *written);
  });
}

std::string_view CurrentValues::IgnoredReason(TcpIpField field) const {
  const Row* first = nullptr;
  for (const Row& row : rows_) {
    if (row.value->field != field) continue;
    if (row.ignored == nullptr) return {};
    if (first == nullptr) first = &row;
  }
  if (first != nullptr) return first->ignored->reason;
  // MTU and MSS with no adapter: Windows has a place for them, just no adapter
  // to hold them, so an apply writes nothing and marks no change.
  if (!rows_.empty() && (field == TcpIpField::MTU || field == TcpIpField::MSS)) {
    return "No network adapter was found to hold it; nothing is written for it.";
  }
  return noPlace_;
}

std::string CurrentValues::Marks(TcpIpField field, const TcpIpSettings& proposed) const {
  std::string marks;
  if (WouldChange(field, proposed)) marks += kChangesMark;
  if (!IgnoredReason(field).empty()) marks += kIgnoredMark;
  return marks;
}

}  // namespace tw

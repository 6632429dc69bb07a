#include "backup/Restore.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <vector>

#include "backup/BackupFile.h"
#include "core/Variant.h"
#include "platform/ErrorText.h"
#include "settings/CRegister.h"
#include "settings/RegistrySettings.h"
#include "tcpip/TcpIpLayout.h"
#include "tcpip/WritePlan.h"

namespace tw {
namespace {

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// Reads `digits` decimal digits at `text[at]`.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t digits) {
  if (at + digits > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = at; i < at + digits; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// "#2024-03-05#"
bool ParseDate(std::string_view item, SystemTime& out) {
  if (item.size() != 12 || item[0] != '#' || item[5] != '-' || item[8] != '-' || item[11] != '#') return false;
  const auto year = Digits(item, 1, 4), month = Digits(item, 6, 2), day = Digits(item, 9, 2);
  if (!year || !month || !day || *year < 100 || *month < 1 || *month > 12 || *day < 1 ||
      *day > DaysInMonth(*year, *month)) {
    return false;
  }
  out.year = static_cast<std::uint16_t>(*year);
  out.month = static_cast<std::uint16_t>(*month);
  out.day = static_cast<std::uint16_t>(*day);
  return true;
}

// "#15:51:09#"
bool ParseTime(std::string_view item, SystemTime& out) {
  if (item.size() != 10 || item[0] != '#' || item[3] != ':' || item[6] != ':' || item[9] != '#') return false;
  const auto hour = Digits(item, 1, 2), minute = Digits(item, 4, 2), second = Digits(item, 7, 2);
  if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59) return false;
  out.hour = static_cast<std::uint16_t>(*hour);
  out.minute = static_cast<std::uint16_t>(*minute);
  out.second = static_cast<std::uint16_t>(*second);
  return true;
}

// The file's items, one per line, with their line numbers. Lines end with
// CR LF; a bare LF is taken too, as are a UTF-8 byte-order mark in front and
// empty lines at the end: an editor's save may have left any of them.
class ItemReader {
 public:
  explicit ItemReader(std::string_view contents) : text_(contents) {
    if (text_.starts_with("\xEF\xBB\xBF")) at_ = 3;
  }

  bool AtEnd() const { return text_.find_first_not_of("\r\n", at_) == std::string_view::npos; }
  int line() const { return line_; }  // the line the last Next returned

  std::optional<std::string_view> Next() {
    if (AtEnd()) return std::nullopt;
    const std::size_t end = text_.find('\n', at_);
    std::string_view item = text_.substr(at_, end == std::string_view::npos ? std::string_view::npos : end - at_);
    at_ = end == std::string_view::npos ? text_.size() : end + 1;
    if (!item.empty() && item.back() == '\r') item.remove_suffix(1);
    ++line_;
    return item;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  int line_ = 0;
};

// "..." with nothing around the quotes.
std::optional<std::string_view> TextItem(std::string_view item) {
  if (item.size() < 2 || item.front() != '"' || item.back() != '"') return std::nullopt;
  item = item.substr(1, item.size() - 2);
  if (item.find('"') != std::string_view::npos) return std::nullopt;
  return item;
}

enum class NumberForm { Ok, NotANumber, TooLarge };

// A whole number, "-" when negative: a 16-bit whole item or a real item of a
// value the registry held, which is never fractional.
NumberForm NumberItem(std::string_view item, std::int64_t& value) {
  const bool negative = !item.empty() && item[0] == '-';
  if (negative) item.remove_prefix(1);
  if (item.empty()) return NumberForm::NotANumber;
  std::int64_t magnitude = 0;
  for (const char c : item) {
    if (c < '0' || c > '9') return NumberForm::NotANumber;
    // Past 32 bits by any count of further digits: stop before int64 overflows.
    if (magnitude > std::numeric_limits<std::uint32_t>::max()) return NumberForm::TooLarge;
    magnitude = magnitude * 10 + (c - '0');
  }
  value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::uint32_t>::max()) {
    return NumberForm::TooLarge;
  }
  return NumberForm::Ok;
}

// The keys a restore may remove at the end of `key`: as many as recorded, but
// never the first three of a path ("SYSTEM\CurrentControlSet\Services",
// "Software\Microsoft\Windows"), which no apply makes.
int MissingKeysAllowed(std::string_view key, std::size_t recorded) {
  const auto keys = static_cast<std::size_t>(std::count(key.begin(), key.end(), '\\')) + 1;
  return static_cast<int>(std::min(recorded, keys > 3 ? keys - 3 : 0));
}

// Removes `key` and then its parents, `count` keys in all, each only while it
// holds neither a value nor a key; stops at the first that holds anything.
int RemoveEmptyKeys(IRegistry& registry, RegHandle hive, std::string_view key, int count) {
  int removed = 0;
  for (; removed < count && !key.empty(); ++removed) {
    {
      RegKey open;
      if (RegKey::Open(registry, hive, key, kKeyRead, open) != kErrorSuccess) break;
      std::string name;
      if (registry.EnumKeyEx(open.get(), 0, name) != kErrorNoMoreItems ||
          registry.EnumValue(open.get(), 0, name) != kErrorNoMoreItems) {
        break;
      }
    }
    if (registry.DeleteKey(hive, key) != kErrorSuccess) break;
    const std::size_t slash = key.rfind('\\');
    key = key.substr(0, slash == std::string_view::npos ? 0 : slash);
  }
  return removed;
}

class Planner {
 public:
  Planner(std::string_view contents, const TcpIpLayout& layout) : in_(contents), layout_(layout) {}

  // A header line the file ends before is the line after its last.
  bool Header(std::int16_t& family) {
    SystemTime stamp;
    const auto date = in_.Next();
    if (!date || !ParseDate(*date, stamp)) return Fail("a date such as #2024-03-05# was expected", date ? 0 : 1);
    const auto time = in_.Next();
    if (!time || !ParseTime(*time, stamp)) return Fail("a time such as #15:51:09# was expected", time ? 0 : 1);
    const auto code = in_.Next();
    std::int64_t number = 0;
    if (!code || NumberItem(*code, number) != NumberForm::Ok || number < INT16_MIN || number > INT16_MAX) {
      return Fail("the number of a Windows family was expected", code ? 0 : 1);
    }
    family = static_cast<std::int16_t>(number);
    return true;
  }

  // The stack, browser and cache sections, each with the rows of its section.
  bool FixedSections() {
    for (const Section section : {Section::Stack, Section::Browser, Section::Cache}) {
      std::vector<const TcpIpValue*> rows;
      for (const TcpIpValue& value : layout_.values) {
        if (value.section == section) rows.push_back(&value);
      }
      if (rows.empty()) continue;
      std::string key, adapter;
      if (!KeyLine(KeyFor(*rows.front()), {}, key, adapter)) return false;
      for (const TcpIpValue* row : rows) {
        if (!Pair(*row, key, adapter)) return false;
      }
    }
    return true;
  }

  // Then adapter by adapter, each adapter's keys in the order the layout first
  // names them, as the writer wrote them. The file may end before any key line.
  bool AdapterSections() {
    const std::vector<std::string_view> keys = AdapterSectionKeys(layout_);
    if (keys.empty()) return in_.AtEnd() || Fail("the file should end here", 1);
    // Each adapter's first key line, to find one recorded twice once the
    // whole file is read: sorted then, not searched at every line.
    std::vector<AdapterLine> firsts;
    std::string first;
    for (std::size_t next = 0; !in_.AtEnd(); next = (next + 1) % keys.size()) {
      const std::string_view pattern = keys[next];
      const std::size_t star = pattern.find('*');
      const std::string_view head = pattern.substr(0, star), tail = pattern.substr(star + 1);
      std::string key, adapter;
      if (!KeyLine(head, tail, key, adapter)) return false;
      if (next == 0) {
        first = adapter;
        firsts.push_back({Folded(adapter), in_.line()});
      } else if (!SameText(adapter, first)) {
        // Both keys of one adapter, as the writer pairs them: a second name
        // would tune another adapter than the first key line says.
        return Fail("the key \"" + std::string(head) + first + std::string(tail) + "\" was expected");
      }
      for (const TcpIpValue& row : layout_.values) {
        if (row.section == Section::Adapter && row.key == pattern && !Pair(row, key, adapter)) return false;
      }
    }
    return NoAdapterTwice(firsts);
  }

  RestorePlan Done() { return std::move(plan_); }
  RestorePlan& plan() { return plan_; }

  // The line just read is not what belongs there.
  bool Fail(std::string reason, int lineAfter = 0) {
    plan_.problem = RestoreProblem::Damaged;
    plan_.line = in_.line() + lineAfter;
    plan_.reason = std::move(reason);
    plan_.writes.clear();
    return false;
  }

 private:
  // A key line that is `head` exactly, or `head`, an adapter's name and `tail`.
  // The name is one Windows can hold: a registry layer handed a name with a
  // NUL in it would stop there and write to a key above the adapter's.
  bool KeyLine(std::string_view head, std::string_view tail, std::string& key, std::string& adapter) {
    const bool perAdapter = !tail.empty() || head.back() == '\\';
    const auto item = in_.Next();
    if (!item) return EndsInside();
    const auto text = TextItem(*item);
    bool fits = text.has_value() && text->size() >= head.size() + tail.size() &&
                SameText(text->substr(0, head.size()), head) &&
                SameText(text->substr(text->size() - tail.size()), tail);
    if (fits && perAdapter) {
      const std::string_view name = text->substr(head.size(), text->size() - head.size() - tail.size());
      fits = !name.empty() && name.find('\\') == std::string_view::npos;
      if (fits && !CanRecordAdapterName(name)) {
        return Fail(name.size() > kLongestKeyName
                        ? "an adapter's key name of at most " + std::to_string(kLongestKeyName) +
                              " characters was expected, as Windows takes no longer one"
                        : std::string("an adapter's key name without control characters was expected"));
      }
      adapter = std::string(name);
    } else if (fits) {
      fits = text->size() == head.size();
    }
    if (!fits) {
      return Fail("the key \"" + std::string(head) + (perAdapter ? "<adapter>" : "") + std::string(tail) +
                  "\" was expected");
    }
    key = std::string(*text);
    return true;
  }

  bool Pair(const TcpIpValue& row, const std::string& key, const std::string& adapter) {
    const auto nameItem = in_.Next();
    if (!nameItem) return EndsInside();
    const auto name = TextItem(*nameItem);
    if (!name || !SameText(*name, row.name)) return Fail("the value name \"" + std::string(row.name) + "\" was expected");
    const auto valueItem = in_.Next();
    if (!valueItem) return EndsInside();
    std::int64_t value = 0;
    switch (NumberItem(*valueItem, value)) {
      case NumberForm::Ok: break;
      case NumberForm::NotANumber: return Fail("a whole number was expected");
      case NumberForm::TooLarge: return Fail("the number does not fit in 32 bits");
    }
    // "-0", and a "0" more for each key that was missing with the value.
    const bool missing = valueItem->starts_with(kMissingValueItem) &&
                         valueItem->find_first_not_of('0', kMissingValueItem.size()) == std::string_view::npos;
    const bool remove = missing || (value == 0 && row.zero == RecordedZero::Removes);
    const int missingKeys = missing ? MissingKeysAllowed(key, valueItem->size() - kMissingValueItem.size()) : 0;
    plan_.writes.push_back({row.hive, key, std::string(*name), value, remove, adapter, missingKeys});
    return true;
  }

  struct AdapterLine {
    std::string name;  // folded: key names are compared without regard to case
    int line;
    bool operator<(const AdapterLine& other) const {
      return name != other.name ? name < other.name : line < other.line;
    }
  };

  static std::string Folded(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
  }

  // An adapter recorded twice would be restored twice, the later values
  // silently winning: the file is refused at the earliest repeat instead.
  bool NoAdapterTwice(std::vector<AdapterLine>& firsts) {
    std::sort(firsts.begin(), firsts.end());
    int repeat = 0, earlier = 0;
    for (std::size_t i = 1, group = 0; i < firsts.size(); ++i) {
      if (firsts[i].name != firsts[group].name) {
        group = i;
      } else if (i == group + 1 && (repeat == 0 || firsts[i].line < repeat)) {
        repeat = firsts[i].line;
        earlier = firsts[group].line;
      }
    }
    if (repeat == 0) return true;
    plan_.problem = RestoreProblem::Damaged;
    plan_.line = repeat;
    plan_.reason = "the key of an adapter not recorded above was expected (line " + std::to_string(earlier) +
                   " records this one)";
    plan_.writes.clear();
    return false;
  }

  bool EndsInside() {
    plan_.problem = RestoreProblem::Damaged;
    plan_.line = in_.line();
    plan_.reason = "the file ends inside a section";
    plan_.writes.clear();
    return false;
  }

  ItemReader in_;
  const TcpIpLayout& layout_;
  RestorePlan plan_;
};

}  // namespace

std::optional<BackupStamp> ReadBackupStamp(std::string_view contents) {
  ItemReader in(contents);
  BackupStamp stamp;
  const auto date = in.Next();
  if (!date || !ParseDate(*date, stamp.taken)) return std::nullopt;
  const auto time = in.Next();
  if (!time || !ParseTime(*time, stamp.taken)) return std::nullopt;
  return stamp;
}

std::optional<std::int16_t> ReadBackupFamily(std::string_view contents) {
  ItemReader in(contents);
  SystemTime stamp;
  const auto date = in.Next(), time = in.Next(), code = in.Next();
  std::int64_t family = 0;
  if (!date || !ParseDate(*date, stamp) || !time || !ParseTime(*time, stamp) || !code ||
      NumberItem(*code, family) != NumberForm::Ok || family < INT16_MIN || family > INT16_MAX) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(family);
}

RestorePlan PlanRestore(std::string_view contents, const OsFamilyInfo& os) {
  const TcpIpLayout* layout = LayoutFor(os);
  if (layout == nullptr || contents.size() > kLargestBackupBytes) {
    RestorePlan plan;
    plan.problem = layout == nullptr ? RestoreProblem::NoLayout : RestoreProblem::TooLarge;
    return plan;
  }
  Planner planner(contents, *layout);
  planner.plan().type = layout->type;
  planner.plan().layout = layout;
  std::int16_t family = 0;
  if (!planner.Header(family)) return planner.Done();
  if (family != os.code) {
    RestorePlan plan;
    plan.problem = RestoreProblem::OtherFamily;
    plan.type = layout->type;
    return plan;
  }
  if (planner.FixedSections()) planner.AdapterSections();
  return planner.Done();
}

RestoreWritten WriteRestore(IRegistry& registry, const RestorePlan& plan) {
  if (plan.problem != RestoreProblem::None || plan.layout == nullptr) return {};
  return WriteRestore(registry, plan, AdaptersOf(registry, *plan.layout).tuned);
}

RestoreWritten WriteRestore(IRegistry& registry, const RestorePlan& plan, const std::vector<std::string>& present) {
  RestoreWritten written;
  if (plan.problem != RestoreProblem::None || plan.layout == nullptr) return written;
  const CRegister reader(registry);
  const auto among = [](const std::vector<std::string>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(), [name](const std::string& n) { return SameText(n, name); });
  };
  for (std::size_t i = 0; i < plan.writes.size(); ++i) {
    const RestoreWrite& write = plan.writes[i];
    if (!write.adapter.empty() && !among(present, write.adapter)) {
      // An adapter's writes follow one another (a plan records no adapter
      // twice), so the last one left out is the only one to compare with: a
      // search of them all grew with the square of a crafted file's size.
      if (written.skippedAdapters.empty() || !SameText(written.skippedAdapters.back(), write.adapter)) {
        written.skippedAdapters.push_back(write.adapter);
      }
      continue;
    }
    ++written.writes;
    // The 9x family keeps decimal texts, so every bit set is "4294967295"
    // there; on NT the same number is the DWORD 0xFFFFFFFF.
    const Variant value(static_cast<long long>(write.value));
    // Read just before the write: a 9x file records one value twice.
    const std::optional<StoredValue> before = reader.Read(write.hive, write.key, write.name).Stored();
    const long status = SetTypedValue(registry, write.hive, write.key, write.name, plan.type, value, Variant(write.remove));
    if (status != kErrorSuccess && !(write.remove && status == kErrorFileNotFound)) {
      written.refusals.push_back(status);
      written.refusedAt.push_back(i);
    } else if (StoredByTypedValue(plan.type, value, Variant(write.remove)) != before) {
      ++written.changed;
    }
  }
  // Then the keys the apply made for values that were not there, deepest
  // first, each key once: its values are all removed by now.
  for (std::size_t i = plan.writes.size(); i-- > 0;) {
    const RestoreWrite& write = plan.writes[i];
    if (write.missingKeys == 0 || (!write.adapter.empty() && !among(present, write.adapter))) continue;
    written.keysRemoved += RemoveEmptyKeys(registry, write.hive, write.key, write.missingKeys);
  }
  return written;
}

std::string RestoreProblemMessage(const RestorePlan& plan, std::string_view fileName) {
  switch (plan.problem) {
    case RestoreProblem::None:
    case RestoreProblem::NoLayout:
      return {};
    case RestoreProblem::OtherFamily:
      return "This backup file was taken from another operating system!!";
    case RestoreProblem::Damaged:
      return "The backup file \"" + std::string(fileName) + "\" is damaged at line " + std::to_string(plan.line) +
             ": " + plan.reason + ".\r\n\r\nNothing has been restored from it.";
    case RestoreProblem::TooLarge:
      return "The file \"" + std::string(fileName) + "\" is larger than any backup can be (more than " +
             std::to_string(kLargestBackupBytes >> 20) + " MB): it is no backup of Tidewave's.\r\n\r\n"
             "Nothing has been restored from it.";
  }
  return {};
}

std::string RestoreWrittenMessage(const RestoreWritten& written) {
  std::string text;
  if (!written.refusals.empty()) {
    StatusCounts byStatus;
    for (const long status : written.refusals) CountStatus(byStatus, status);
    std::string causes;
    for (const auto& [status, count] : byStatus) {
      if (!causes.empty()) causes += "; ";
      causes += ErrorText(status);
    }
    text = "Windows refused to restore " + std::to_string(written.refusals.size()) + " of the " +
           std::to_string(written.writes) + " network values of this backup (" + causes + ").";
    if (HasStatus(byStatus, kErrorAccessDenied)) {
      text += " Restoring them needs administrator rights: start Tidewave again as an administrator and restore "
              "this backup again.";
    }
    text += "\r\n\r\nThe other values have been restored.";
  }
  if (!written.skippedAdapters.empty()) {
    const std::size_t count = written.skippedAdapters.size();
    if (!text.empty()) text += "\r\n\r\n";
    text += (count == 1 ? std::string("The backup holds the values of a network adapter")
                        : "The backup holds the values of " + std::to_string(count) + " network adapters") +
            " this computer does not have; Tidewave left " + (count == 1 ? "it" : "them") +
            " out, as it tunes only the adapters there are:";
    // Enough to recognise them by; a crafted file may name thousands.
    constexpr std::size_t kNamesShown = 10;
    for (std::size_t i = 0; i < std::min(count, kNamesShown); ++i) text += "\r\n    " + written.skippedAdapters[i];
    if (count > kNamesShown) text += "\r\n    and " + std::to_string(count - kNamesShown) + " more";
  }
  return text;
}

}  // namespace tw

#include "backup/BackupFile.h"

#include <cstdio>

#include "core/Numbers.h"
#include "tcpip/TcpIpLayout.h"

namespace tw {

void BackupText::Line(std::string_view item) {
  text_ += item;
  text_ += "\r\n";
}

void BackupText::Text(std::string_view text) {
  std::string item;
  item.reserve(text.size() + 2);
  item += '"';
  item += text;
  item += '"';
  Line(item);
}

void BackupText::Whole(std::int16_t number) { Line(std::to_string(number)); }

void BackupText::Real(double number) { Line(FormatDecimal(number)); }

void BackupText::Real(std::string_view plainDecimal) { Line(plainDecimal); }

void BackupText::Date(const SystemTime& time) {
  char item[16];
  std::snprintf(item, sizeof item, "#%04u-%02u-%02u#", static_cast<unsigned>(time.year) % 10000u,
                static_cast<unsigned>(time.month) % 100u, static_cast<unsigned>(time.day) % 100u);
  Line(item);
}

void BackupText::Time(const SystemTime& time) {
  char item[16];
  std::snprintf(item, sizeof item, "#%02u:%02u:%02u#", static_cast<unsigned>(time.hour) % 100u,
                static_cast<unsigned>(time.minute) % 100u, static_cast<unsigned>(time.second) % 100u);
  Line(item);
}

namespace {

// A value that was missing is recorded as "-0" (kMissingValueItem), so that
// a restore removes it again instead of writing a 0 Windows would act on.
void Record(IRegistry& registry, BackupText& out, const TcpIpValue& value, std::string_view adapter) {
  out.Text(value.name);
  const std::string key = KeyFor(value, adapter);
  if (value.recorded != Recorded::Fixed && IsValueMissing(registry, value.hive, key, value.name)) {
    out.Real(kMissingValueItem);
    return;
  }
  switch (value.recorded) {
    case Recorded::Fixed:
      out.Whole(static_cast<std::int16_t>(value.fixed));
      break;
    case Recorded::Current:
      out.Real(ReadCurrentText(registry, value.hive, key, value.name));
      break;
    case Recorded::NotZero:
      out.Whole(ReadCurrentValue(registry, value.hive, key, value.name) != 0 ? 1 : 0);
      break;
  }
}

// One section: the key line (the key of its first value, as the file has
// always carried it), then its values in the layout's order. Each value is
// read from its own key, which may be spelled otherwise than the key line.
void WriteSection(IRegistry& registry, BackupText& out, std::span<const TcpIpValue> values,
                  bool (*belongs)(const TcpIpValue&, const TcpIpValue&), const TcpIpValue& first,
                  std::string_view adapter) {
  out.Text(KeyFor(first, adapter));
  for (const TcpIpValue& value : values) {
    if (belongs(first, value)) Record(registry, out, value, adapter);
  }
}

bool SameSection(const TcpIpValue& first, const TcpIpValue& value) { return value.section == first.section; }
bool SameAdapterKey(const TcpIpValue& first, const TcpIpValue& value) {
  return value.section == Section::Adapter && value.key == first.key;
}

const TcpIpValue* FirstOf(std::span<const TcpIpValue> values, Section section) {
  for (const TcpIpValue& value : values) {
    if (value.section == section) return &value;
  }
  return nullptr;
}

}  // namespace

std::string BackupContents(IRegistry& registry, const OsFamilyInfo& os, const SystemTime& now) {
  const TcpIpLayout* layout = LayoutFor(os);
  if (layout == nullptr) return {};
  BackupText text;
  text.Date(now);
  text.Time(now);
  text.Whole(os.code);
  const std::span<const TcpIpValue> values = layout->values;
  for (const Section section : {Section::Stack, Section::Browser, Section::Cache}) {
    if (const TcpIpValue* first = FirstOf(values, section)) WriteSection(registry, text, values, SameSection, *first, {});
  }
  // Then, adapter by adapter, one section per adapter key, in the order the
  // layout first names each key.
  std::vector<const TcpIpValue*> adapterKeys;
  for (const TcpIpValue& value : values) {
    if (value.section != Section::Adapter) continue;
    bool known = false;
    for (const TcpIpValue* key : adapterKeys) known = known || key->key == value.key;
    if (!known) adapterKeys.push_back(&value);
  }
  for (const std::string& adapter : AdaptersOf(registry, *layout).tuned) {
    for (const TcpIpValue* first : adapterKeys) WriteSection(registry, text, values, SameAdapterKey, *first, adapter);
  }
  return text.str();
}

}  // namespace tw

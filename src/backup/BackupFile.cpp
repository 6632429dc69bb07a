#include "backup/BackupFile.h"

#include <string>
#include <utility>

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

namespace {

// "#2024-03-05#" or "#15:51:09#": three numbers, zeros in front, the first
// `firstWidth` digits wide and the others two.
std::string StampItem(unsigned first, std::size_t firstWidth, char separator, unsigned second, unsigned third) {
  std::string item = "#";
  for (const auto& [value, width] : {std::pair{first, firstWidth}, std::pair{second, std::size_t{2}},
                                     std::pair{third, std::size_t{2}}}) {
    if (item.size() > 1) item += separator;
    const std::string digits = std::to_string(value);
    if (digits.size() < width) item.append(width - digits.size(), '0');
    item += digits;
  }
  return item + '#';
}

}  // namespace

void BackupText::Date(const SystemTime& time) {
  Line(StampItem(time.year % 10000u, 4, '-', time.month % 100u, time.day % 100u));
}

void BackupText::Time(const SystemTime& time) {
  Line(StampItem(time.hour % 100u, 2, ':', time.minute % 100u, time.second % 100u));
}

namespace {

// A value that was missing is recorded as "-0" (kMissingValueItem), so that
// a restore removes it again instead of writing a 0 Windows would act on; one
// more "0" for each of its keys that was missing too.
void Record(BackupText& out, const PlannedValue& planned) {
  const TcpIpValue& value = *planned.value;
  out.Text(value.name);
  if (planned.now.Missing()) {
    out.Real(std::string(kMissingValueItem) + std::string(static_cast<std::size_t>(planned.missingKeys), '0'));
    return;
  }
  switch (value.recorded) {
    case Recorded::Current:
      out.Real(planned.now.Text());
      break;
    case Recorded::NotZero:
      out.Whole(planned.now.Number().value_or(0) != 0 ? 1 : 0);
      break;
  }
}

// One section: the key line (the key of its first value, as the file has
// always carried it), then its values in the layout's order. Each value was
// read from its own key, which may be spelled otherwise than the key line.
void WriteSection(BackupText& out, const std::vector<const PlannedValue*>& section) {
  if (section.empty()) return;
  out.Text(section.front()->key);
  for (const PlannedValue* planned : section) Record(out, *planned);
}

}  // namespace

std::string BackupContents(const WritePlan& plan, std::int16_t family, const SystemTime& now) {
  if (plan.layout == nullptr) return {};
  BackupText text;
  text.Date(now);
  text.Time(now);
  text.Whole(family);
  for (const Section section : {Section::Stack, Section::Browser, Section::Cache}) {
    std::vector<const PlannedValue*> values;
    for (const PlannedValue& planned : plan.values) {
      if (planned.value->section == section) values.push_back(&planned);
    }
    WriteSection(text, values);
  }
  // Then, adapter by adapter, one section per adapter key.
  const std::vector<std::string_view> adapterKeys = AdapterSectionKeys(*plan.layout);
  std::vector<std::vector<const PlannedValue*>> byAdapter(plan.adapters.size());
  for (const PlannedValue& planned : plan.values) {
    if (planned.adapter != PlannedValue::kNoAdapter) byAdapter[planned.adapter].push_back(&planned);
  }
  for (const std::vector<const PlannedValue*>& values : byAdapter) {
    for (const std::string_view key : adapterKeys) {
      std::vector<const PlannedValue*> section;
      for (const PlannedValue* planned : values) {
        if (planned->value->key == key) section.push_back(planned);
      }
      WriteSection(text, section);
    }
  }
  return text.str();
}

std::string BackupContents(IRegistry& registry, const OsFamilyInfo& os, const SystemTime& now) {
  return BackupContents(PlanWrites(registry, os), os.code, now);
}

}  // namespace tw

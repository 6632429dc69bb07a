#include "settings/StoredSetting.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "core/Numbers.h"
#include "platform/ErrorText.h"
#include "settings/RegistrySettings.h"

namespace tw {
namespace {

std::optional<bool> ReadFlag(StoredForm form, std::string text) {
  if (form == StoredForm::Check) {
    const auto state = ToInt32(text);
    return state && *state == 1;
  }
  const bool numbers = form == StoredForm::TrueFalseOrNumber;
  if (numbers) {
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
  }
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  if (text == "true") return true;
  if (text == "false") return false;
  if (numbers) {
    if (const auto number = ParseNumber(text)) return *number != 0;
  }
  return std::nullopt;
}

}  // namespace

std::string SaveStatusText(const SaveResult& result) { return result.Saved() ? "Saved." : "Not saved."; }

std::string SaveFailureMessage(const SaveResult& result) {
  if (result.Saved()) return {};
  std::string names, causes;
  bool denied = false;
  std::vector<long> seen;
  for (const SaveResult::Refused& refused : result.refused) {
    names += (names.empty() ? "" : ", ") + refused.name;
    denied = denied || refused.status == kErrorAccessDenied;
    if (std::find(seen.begin(), seen.end(), refused.status) != seen.end()) continue;
    seen.push_back(refused.status);
    causes += (causes.empty() ? "" : "; ") + ErrorText(refused.status);
  }
  const std::size_t count = result.refused.size();
  std::string text = "Windows refused to store " + std::to_string(count) + " of the " + std::to_string(result.values) +
                     (result.values == 1 ? " setting" : " settings") + " under \"HKEY_LOCAL_MACHINE\\" + result.key +
                     "\" (" + causes + "): " + names + ".";
  if (denied) {
    text += " Only an administrator may change them: close Tidewave, start it again as an administrator and save "
            "again.";
  }
  return text + "\r\n\r\nUntil they are stored, Tidewave starts with the settings stored before.";
}

SettingsKey::SettingsKey(IRegistry& registry, std::string_view subKey)
    : registry_(registry), path_(SettingsPath(subKey)) {
  saved_.key = path_;
}

bool SettingsKey::Flag(const StoredSetting& setting) const {
  if (const auto flag = ReadFlag(setting.form, Text(setting))) return *flag;
  return ReadFlag(setting.form, std::string(setting.defaultText)).value_or(false);
}

std::string SettingsKey::Text(const StoredSetting& setting) const {
  return GetSettingValue(registry_, path_, setting.name, Variant(std::string(setting.defaultText))).Text();
}

std::int32_t SettingsKey::Whole(const StoredSetting& setting, std::int32_t least, std::int32_t most) const {
  const std::int32_t fallback = ToInt32(setting.defaultText).value_or(0);
  const std::int32_t value = ToInt32(Text(setting)).value_or(fallback);
  if (setting.form == StoredForm::ListIndex && (value < least || value > most)) return fallback;
  return std::clamp(value, least, most);
}

void SettingsKey::SaveFlag(const StoredSetting& setting, bool value) {
  const char* text = setting.form == StoredForm::Check ? (value ? "1" : "0") : (value ? "True" : "False");
  SaveText(setting, text);
}

void SettingsKey::SaveText(const StoredSetting& setting, std::string_view text) {
  ++saved_.values;
  if (const long status = SaveSettingValue(registry_, path_, setting.name, Variant(std::string(text)));
      status != kErrorSuccess) {
    saved_.refused.push_back({std::string(setting.name), status});
  }
}

}  // namespace tw

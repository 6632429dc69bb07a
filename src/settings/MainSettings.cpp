#include "settings/MainSettings.h"

#include "settings/RegistrySettings.h"
#include "settings/StoredSetting.h"

namespace tw {
namespace {

// The two options' stored values, under Settings\MainSettings.
constexpr struct {
  StoredSetting chkRunMainProgram{"chkRunMainProgram", StoredForm::Check, "0"};
  StoredSetting chkRunProgramMini{"chkRunProgramMini", StoredForm::Check, "0"};
} kStored;

// A value the marker below cannot be in: an entry missing, not an empty one.
constexpr std::string_view kMissing = "\x01";

}  // namespace

MainSettingsValues LoadMainSettingsValues(IRegistry& registry) {
  const SettingsKey key(registry, kMainSettingsKey);
  return {key.Flag(kStored.chkRunMainProgram), key.Flag(kStored.chkRunProgramMini)};
}

SaveResult SaveMainSettingsValues(IRegistry& registry, const MainSettingsValues& values) {
  SettingsKey key(registry, kMainSettingsKey);
  key.SaveFlag(kStored.chkRunMainProgram, values.chkRunMainProgram);
  key.SaveFlag(kStored.chkRunProgramMini, values.chkRunProgramMini);
  return key.Saved();
}

std::string RunEntryText(std::string_view programPath) {
  if (programPath.find(' ') == std::string_view::npos) return std::string(programPath);
  std::string quoted(1, '"');
  quoted.append(programPath);
  quoted.push_back('"');
  return quoted;
}

std::string RunEntryPath(std::string_view entry) {
  if (entry.size() >= 2 && entry.front() == '"') {
    const std::size_t close = entry.find('"', 1);
    if (close != std::string_view::npos) return std::string(entry.substr(1, close - 1));
  }
  return std::string(entry);
}

bool WriteRunEntry(IRegistry& registry, std::string_view programPath, RunEntryForm form) {
  if (programPath.empty()) return false;
  if (form == RunEntryForm::CodePage) {
    SetTypedValue(registry, kHkeyCurrentUser, kRunKey, kRunValueName, kRegSz, Variant(RunEntryText(programPath)));
  } else {
    RegKey key;
    if (RegKey::Create(registry, kHkeyCurrentUser, kRunKey, kKeyTuningAccess, key) == kErrorSuccess) {
      registry.SetStringValueW(key.get(), kRunValueName, RunEntryText(programPath));
    }
  }
  return ReadRunEntry(registry, form) == programPath;
}

void RemoveRunEntry(IRegistry& registry) {
  SetTypedValue(registry, kHkeyCurrentUser, kRunKey, kRunValueName, kRegSz, Variant(""), Variant(true));
}

std::optional<std::string> ReadRunEntry(IRegistry& registry, RunEntryForm form) {
  if (form == RunEntryForm::Unicode) {
    RegKey key;
    std::string text;
    if (RegKey::Open(registry, kHkeyCurrentUser, kRunKey, kKeyRead, key) != kErrorSuccess ||
        registry.QueryStringValueW(key.get(), kRunValueName, text) != kErrorSuccess) {
      return std::nullopt;
    }
    return RunEntryPath(text);
  }
  const Variant value =
      GetStringValue(registry, kHkeyCurrentUser, kRunKey, kRunValueName, Variant(std::string(kMissing)));
  if (value.Text() == kMissing) return std::nullopt;
  return RunEntryPath(value.Text());
}

}  // namespace tw

#include "settings/RegistrySettings.h"

#include <optional>
#include <vector>

#include "core/Numbers.h"

namespace tw {
namespace {

// Settings reads use a fixed buffer: longer values fall back to the default.
constexpr std::uint32_t kReadBufferSize = 255;

std::vector<std::uint8_t> TextData(const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return data;
}

// The bytes of a REG_SZ or REG_DWORD (none for another type); nothing at all
// for a REG_DWORD that is no number or does not fit 32 bits.
std::optional<std::vector<std::uint8_t>> TypedData(std::uint32_t type, const Variant& value) {
  std::vector<std::uint8_t> data;
  if (type == kRegSz) {
    data = TextData(value.Text());
  } else if (type == kRegDword) {
    const std::optional<double> number = value.Number();
    const std::optional<std::uint32_t> word = number ? ToDword(*number) : std::nullopt;
    if (!word) return std::nullopt;
    for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<std::uint8_t>(*word >> shift));
  }
  return data;
}

}  // namespace

std::string SettingsPath(std::string_view subKey) {
  return std::string(kSettingsRoot) + std::string(subKey);
}

long SetStringValue(IRegistry& registry, RegHandle hive, std::string_view path,
                    std::string_view name, const Variant& value) {
  RegKey key;
  if (const long created = RegKey::Create(registry, hive, path, kKeyAllAccess, key); created != kErrorSuccess) {
    return created;
  }
  const auto data = TextData(value.Text());
  return registry.SetValueEx(key.get(), name, kRegSz, data.data(), static_cast<std::uint32_t>(data.size()));
}

Variant GetStringValue(IRegistry& registry, RegHandle hive, std::string_view path,
                       std::string_view name, const Variant& defaultValue) {
  RegKey key;
  if (RegKey::Open(registry, hive, path, kKeyRead, key) != kErrorSuccess) return defaultValue;
  std::uint8_t buffer[kReadBufferSize];
  std::uint32_t size = sizeof buffer;
  std::uint32_t type = 0;
  if (registry.QueryValueEx(key.get(), name, &type, buffer, &size) != kErrorSuccess) {
    return defaultValue;
  }
  // The last byte is the terminating zero of every value we write; the type is
  // not looked at, so a REG_DWORD comes back as its raw bytes.
  const std::size_t length = size > 0 ? size - 1 : 0;
  return std::string(reinterpret_cast<const char*>(buffer), length);
}

long SaveSettingValue(IRegistry& registry, std::string_view path, std::string_view name,
                      const Variant& value) {
  return SetStringValue(registry, kHkeyLocalMachine, path, name, value);
}

Variant GetSettingValue(IRegistry& registry, std::string_view path, std::string_view name,
                        const Variant& defaultValue) {
  return GetStringValue(registry, kHkeyLocalMachine, path, name, defaultValue);
}

long SetTypedValue(IRegistry& registry, RegHandle hive, std::string_view path,
                   std::string_view name, std::uint32_t type, const Variant& value,
                   const Variant& deleteFlag) {
  const auto data = TypedData(type, value);
  if (!data) return kErrorInvalidParameter;
  RegKey key;
  // A removal creates nothing: a value whose key is missing is gone already,
  // and an undo that removes what an apply wrote must not leave its keys.
  if (deleteFlag.IsTrue() && (type == kRegSz || type == kRegDword)) {
    const long opened = RegKey::Open(registry, hive, path, kKeyTuningAccess, key);
    return opened != kErrorSuccess ? opened : registry.DeleteValue(key.get(), name);
  }
  const long created = RegKey::Create(registry, hive, path, kKeyTuningAccess, key);
  if (type != kRegSz && type != kRegDword) return kErrorSuccess;
  // A key that could not be created or opened is the cause to report, not
  // the bad handle a write would then meet.
  if (created != kErrorSuccess) return created;
  if (deleteFlag.IsTrue()) return registry.DeleteValue(key.get(), name);
  return registry.SetValueEx(key.get(), name, type, data->data(), static_cast<std::uint32_t>(data->size()));
}

std::optional<StoredValue> StoredByTypedValue(std::uint32_t type, const Variant& value, const Variant& deleteFlag) {
  if (deleteFlag.IsTrue()) return std::nullopt;
  auto data = TypedData(type, value);
  if (!data) return std::nullopt;
  return StoredValue{type, std::move(*data)};
}

}  // namespace tw

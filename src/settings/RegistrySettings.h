#pragma once
// The registry operations every other part of the program stores and reads
// through. They keep no state; each opens and closes its own key.
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Variant.h"
#include "platform/Registry.h"

namespace tw {

// Under HKEY_LOCAL_MACHINE. The build reads this line for the uninstaller,
// which removes the key: keep it one line.
inline constexpr std::string_view kSettingsRoot = "SOFTWARE\\Marlpit\\Tidewave";
inline constexpr std::string_view kMainSettingsKey = "\\Settings\\MainSettings";
inline constexpr std::string_view kNetPingerKey = "\\Settings\\NetPinger";
inline constexpr std::string_view kRamSettingsKey = "\\Settings\\RamSettings";

// Root + one of the sub-keys above.
std::string SettingsPath(std::string_view subKey);

// Writes the value's text as REG_SZ. Returns the system's status: the key's
// own when it could not be created or opened.
long SetStringValue(IRegistry& registry, RegHandle hive, std::string_view path,
                    std::string_view name, const Variant& value);

// Reads a REG_SZ as written by SetStringValue; the default, unchanged, when the
// key or value is missing or longer than 254 characters.
Variant GetStringValue(IRegistry& registry, RegHandle hive, std::string_view path,
                       std::string_view name, const Variant& defaultValue);

// The two above, under HKEY_LOCAL_MACHINE.
long SaveSettingValue(IRegistry& registry, std::string_view path, std::string_view name,
                      const Variant& value);
Variant GetSettingValue(IRegistry& registry, std::string_view path, std::string_view name,
                        const Variant& defaultValue);

// Writes (or, when deleteFlag holds boolean true, deletes) a REG_SZ (type 1) or
// REG_DWORD (type 4) value. Returns the system's status: the key's own when it
// could not be created or opened. A deletion creates no key: a missing key
// answers kErrorFileNotFound, as a missing value does. Any other type writes and deletes nothing
// and returns 0, but still creates the key when it is missing: the key is
// created before the type is looked at. A REG_DWORD that is no number or does
// not fit 32 bits writes and creates nothing and returns 87 (a parameter is
// not valid), whatever deleteFlag says.
long SetTypedValue(IRegistry& registry, RegHandle hive, std::string_view path,
                   std::string_view name, std::uint32_t type, const Variant& value,
                   const Variant& deleteFlag = Variant(false));

// A value as the registry holds it: its type and its bytes.
struct StoredValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool operator==(const StoredValue&) const = default;
};

// What a successful SetTypedValue with these arguments leaves in the value:
// nothing for a removal, or where SetTypedValue refuses the value.
// Compared with what the value held before the write (RegistryRead::Stored),
// it tells whether the write changes anything.
std::optional<StoredValue> StoredByTypedValue(std::uint32_t type, const Variant& value, const Variant& deleteFlag);

}  // namespace tw

#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Variant.h"
#include "platform/Registry.h"

namespace tw {

class CRegister {
 public:
  explicit CRegister(IRegistry& registry) : registry_(registry) {}

  // A value as a number: REG_SZ by its decimal text, any other type by its
  // bytes taken as an unsigned little-endian number. 0 for anything missing;
  // the default is not consulted. "*" names the key's default value, and one
  // leading and one trailing backslash of the path are ignored.
  double myREGGetSetting(RegHandle hive, std::string_view path, std::string_view name,
                         const Variant& defaultValue = Variant()) const;

  // The same value as plain decimal text, never an exponent: a REG_SZ that
  // starts with a plain decimal number keeps its digits, all of them (a double
  // would round "99999999999999999999"); anything else is the number above,
  // and a value that is no finite number (a long binary) is "0".
  std::string myREGGetSettingText(RegHandle hive, std::string_view path, std::string_view name) const;

  // The number above, or nothing when the key or value is missing, empty or
  // unreadable: what a stored 0 and a missing value differ in.
  std::optional<double> ReadIfSet(RegHandle hive, std::string_view path, std::string_view name) const;

  // True when Windows says the key or the value does not exist, or the value
  // holds no data at all (Windows acts on neither); a value that is there but
  // cannot be read is not missing.
  bool IsMissing(RegHandle hive, std::string_view path, std::string_view name) const;

 private:
  // The value's type and bytes; false when the key or value is missing,
  // empty or unreadable.
  bool Read(RegHandle hive, std::string_view path, std::string_view name, std::uint32_t& type,
            std::vector<std::uint8_t>& data) const;
  static double Number(std::uint32_t type, const std::vector<std::uint8_t>& data);

  IRegistry& registry_;
};

}  // namespace tw

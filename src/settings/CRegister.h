#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Variant.h"
#include "platform/Registry.h"
#include "settings/RegistrySettings.h"

namespace tw {

// A value as one reading found it. Every reader of the values the program
// tunes (the backup, the apply's count of what changed, the restore, the
// values shown beside the proposed ones) reads through CRegister::Read, so
// they all see one value the same way.
struct RegistryRead {
  long status = kErrorFileNotFound;  // of opening the key, else of the reading: kErrorSuccess when read
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;

  // Windows says the value or its key does not exist, or the value holds no
  // data at all (Windows acts on neither); a value that is there but cannot
  // be read is not missing.
  bool Missing() const;
  // A value read with data, as a number: REG_SZ by its decimal text, any other
  // type by its bytes taken as an unsigned little-endian number. Nothing for
  // anything missing, empty or unreadable.
  std::optional<double> Number() const;
  // The same number as plain decimal text, never an exponent: a REG_SZ that
  // starts with a plain decimal number keeps its digits, all of them (a double
  // would round "99999999999999999999"); a value that is no finite number (a
  // long binary) is "0", and so is anything missing, empty or unreadable.
  std::string Text() const;
  // Its type and bytes, as StoredByTypedValue describes a write; nothing
  // unless it was read.
  std::optional<StoredValue> Stored() const;
};

class CRegister {
 public:
  explicit CRegister(IRegistry& registry) : registry_(registry) {}

  // One value, one reading. "*" names the key's default value, and one
  // leading and one trailing backslash of the path are ignored. The key is
  // opened with full access, or for reading where that is refused.
  RegistryRead Read(RegHandle hive, std::string_view path, std::string_view name) const;

  // A value as a number: REG_SZ by its decimal text, any other type by its
  // bytes taken as an unsigned little-endian number. 0 for anything missing;
  // the default is not consulted. "*" names the key's default value, and one
  // leading and one trailing backslash of the path are ignored.
  double myREGGetSetting(RegHandle hive, std::string_view path, std::string_view name,
                         const Variant& defaultValue = Variant()) const;

 private:
  IRegistry& registry_;
};

}  // namespace tw

#pragma once
#include <string_view>

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

 private:
  IRegistry& registry_;
};

}  // namespace tw

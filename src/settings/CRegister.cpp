#include "settings/CRegister.h"

#include <string>
#include <vector>

#include "core/Numbers.h"

namespace tw {

double CRegister::myREGGetSetting(RegHandle hive, std::string_view path, std::string_view name,
                                  const Variant& /*defaultValue*/) const {
  if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);

  RegKey key;
  long status = RegKey::Open(registry_, hive, path, kKeyAllAccess, key);
  if (status == kErrorAccessDenied) status = RegKey::Open(registry_, hive, path, kKeyRead, key);
  if (status != kErrorSuccess) return 0;

  if (name == "*") name = {};
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (registry_.QueryValueEx(key.get(), name, &type, nullptr, &size) != kErrorSuccess || size == 0) {
    return 0;
  }
  std::vector<std::uint8_t> data(size);
  if (registry_.QueryValueEx(key.get(), name, &type, data.data(), &size) != kErrorSuccess) return 0;
  data.resize(size);

  if (type == kRegSz) {
    std::string text(data.begin(), data.end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return LeadingNumber(text);
  }
  double number = 0;
  double scale = 1;
  for (const std::uint8_t byte : data) {
    number += byte * scale;
    scale *= 256;
  }
  return number;
}

}  // namespace tw

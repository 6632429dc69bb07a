#include "settings/CRegister.h"

#include <string>
#include <vector>

#include "core/Numbers.h"

namespace tw {

bool CRegister::Read(RegHandle hive, std::string_view path, std::string_view name, std::uint32_t& type,
                     std::vector<std::uint8_t>& data) const {
  if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);

  RegKey key;
  long status = RegKey::Open(registry_, hive, path, kKeyAllAccess, key);
  if (status == kErrorAccessDenied) status = RegKey::Open(registry_, hive, path, kKeyRead, key);
  if (status != kErrorSuccess) return false;

  if (name == "*") name = {};
  std::uint32_t size = 0;
  if (registry_.QueryValueEx(key.get(), name, &type, nullptr, &size) != kErrorSuccess || size == 0) return false;
  data.resize(size);
  if (registry_.QueryValueEx(key.get(), name, &type, data.data(), &size) != kErrorSuccess) return false;
  data.resize(size);
  return true;
}

namespace {

std::string TextOf(const std::vector<std::uint8_t>& data) {
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

}  // namespace

double CRegister::Number(std::uint32_t type, const std::vector<std::uint8_t>& data) {
  if (type == kRegSz) return LeadingNumber(TextOf(data));
  double number = 0;
  double scale = 1;
  for (const std::uint8_t byte : data) {
    number += byte * scale;
    scale *= 256;
  }
  return number;
}

double CRegister::myREGGetSetting(RegHandle hive, std::string_view path, std::string_view name,
                                  const Variant& /*defaultValue*/) const {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  return Read(hive, path, name, type, data) ? Number(type, data) : 0;
}

std::optional<double> CRegister::ReadIfSet(RegHandle hive, std::string_view path, std::string_view name) const {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (!Read(hive, path, name, type, data)) return std::nullopt;
  return Number(type, data);
}

bool CRegister::IsMissing(RegHandle hive, std::string_view path, std::string_view name) const {
  if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  RegKey key;
  const long opened = RegKey::Open(registry_, hive, path, kKeyRead, key);
  if (opened != kErrorSuccess) return opened == kErrorFileNotFound;
  if (name == "*") name = {};
  std::uint32_t type = 0, size = 0;
  const long queried = registry_.QueryValueEx(key.get(), name, &type, nullptr, &size);
  return queried == kErrorFileNotFound || (queried == kErrorSuccess && size == 0);
}

std::string CRegister::myREGGetSettingText(RegHandle hive, std::string_view path, std::string_view name) const {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (!Read(hive, path, name, type, data)) return "0";
  if (type == kRegSz) {
    if (std::optional<std::string> digits = PlainDecimalPrefix(TextOf(data))) return *digits;
  }
  return FormatDecimal(Number(type, data));
}

}  // namespace tw

#include "settings/CRegister.h"

#include <string>
#include <vector>

#include "core/Numbers.h"

namespace tw {
namespace {

std::string TextOf(const std::vector<std::uint8_t>& data) {
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

}  // namespace

bool RegistryRead::Missing() const {
  return status == kErrorFileNotFound || (status == kErrorSuccess && data.empty());
}

std::optional<double> RegistryRead::Number() const {
  if (status != kErrorSuccess || data.empty()) return std::nullopt;
  if (type == kRegSz) return LeadingNumber(TextOf(data));
  double number = 0;
  double scale = 1;
  for (const std::uint8_t byte : data) {
    number += byte * scale;
    scale *= 256;
  }
  return number;
}

std::string RegistryRead::Text() const {
  const std::optional<double> number = Number();
  if (!number) return "0";
  if (type == kRegSz) {
    if (std::optional<std::string> digits = PlainDecimalPrefix(TextOf(data))) return *digits;
  }
  return FormatDecimal(*number);
}

std::optional<StoredValue> RegistryRead::Stored() const {
  if (status != kErrorSuccess) return std::nullopt;
  return StoredValue{type, data};
}

RegistryRead CRegister::Read(RegHandle hive, std::string_view path, std::string_view name) const {
  if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);

  RegistryRead read;
  RegKey key;
  read.status = RegKey::Open(registry_, hive, path, kKeyAllAccess, key);
  if (read.status == kErrorAccessDenied) read.status = RegKey::Open(registry_, hive, path, kKeyRead, key);
  if (read.status != kErrorSuccess) return read;

  if (name == "*") name = {};
  std::uint32_t size = 0;
  read.status = registry_.QueryValueEx(key.get(), name, &read.type, nullptr, &size);
  if (read.status != kErrorSuccess || size == 0) return read;
  read.data.resize(size);
  read.status = registry_.QueryValueEx(key.get(), name, &read.type, read.data.data(), &size);
  read.data.resize(read.status == kErrorSuccess ? size : 0);
  return read;
}

double CRegister::myREGGetSetting(RegHandle hive, std::string_view path, std::string_view name,
                                  const Variant& /*defaultValue*/) const {
  return Read(hive, path, name).Number().value_or(0);
}

}  // namespace tw

#include "platform/win32/Win32Registry.h"

#include <windows.h>

namespace tw {
namespace {

// Predefined roots are sign-extended 32-bit constants; everything else is a real handle.
HKEY ToHkey(RegHandle handle) {
  if (handle >= kHkeyClassesRoot && handle <= 0x80000006u) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(handle)));
  }
  return reinterpret_cast<HKEY>(handle);
}

RegHandle FromHkey(HKEY key) { return reinterpret_cast<RegHandle>(key); }

}  // namespace

long Win32Registry::CreateKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                                RegHandle& result) {
  result = 0;
  if (HoldsNul(subKey)) return kErrorInvalidName;  // whole or not at all
  HKEY key = nullptr;
  DWORD disposition = 0;
  const long status = RegCreateKeyExA(ToHkey(parent), std::string(subKey).c_str(), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, access, nullptr, &key, &disposition);
  result = status == ERROR_SUCCESS ? FromHkey(key) : 0;
  return status;
}

long Win32Registry::OpenKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                              RegHandle& result) {
  result = 0;
  if (HoldsNul(subKey)) return kErrorInvalidName;  // whole or not at all
  HKEY key = nullptr;
  const long status = RegOpenKeyExA(ToHkey(parent), std::string(subKey).c_str(), 0, access, &key);
  result = status == ERROR_SUCCESS ? FromHkey(key) : 0;
  return status;
}

long Win32Registry::QueryValueEx(RegHandle key, std::string_view name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) {
  if (HoldsNul(name)) return kErrorInvalidName;  // whole or not at all
  DWORD valueType = 0;
  DWORD valueSize = size != nullptr ? *size : 0;
  const long status = RegQueryValueExA(ToHkey(key), std::string(name).c_str(), nullptr, &valueType,
                                       data, size != nullptr ? &valueSize : nullptr);
  if (type != nullptr) *type = valueType;
  if (size != nullptr) *size = valueSize;
  return status;
}

long Win32Registry::SetValueEx(RegHandle key, std::string_view name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) {
  if (HoldsNul(name)) return kErrorInvalidName;  // whole or not at all
  return RegSetValueExA(ToHkey(key), std::string(name).c_str(), 0, type, data, size);
}

long Win32Registry::DeleteValue(RegHandle key, std::string_view name) {
  if (HoldsNul(name)) return kErrorInvalidName;  // whole or not at all
  return RegDeleteValueA(ToHkey(key), std::string(name).c_str());
}

long Win32Registry::DeleteKey(RegHandle parent, std::string_view subKey) {
  if (HoldsNul(subKey)) return kErrorInvalidName;  // whole or not at all
  return RegDeleteKeyA(ToHkey(parent), std::string(subKey).c_str());
}

long Win32Registry::EnumKeyEx(RegHandle key, std::uint32_t index, std::string& name) {
  char buffer[256];
  DWORD length = sizeof buffer;
  const long status =
      RegEnumKeyExA(ToHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  name.assign(status == ERROR_SUCCESS ? buffer : "", status == ERROR_SUCCESS ? length : 0);
  return status;
}

long Win32Registry::CloseKey(RegHandle key) { return RegCloseKey(ToHkey(key)); }

}  // namespace tw

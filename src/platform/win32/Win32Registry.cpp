#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include "platform/win32/WidePath.h"

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

// Key names on the NT platform are UTF-8 and reach the registry wide: a key
// (an adapter's) may be named in any script, and the single-byte functions
// hand back a best-fit spelling of what the code page lacks ("{\xC4-O}" for
// "{\xC4-\xCE\xA9}") that names another key, or none. The 9x family keeps its
// names in the code page and has no wide functions to take them.
bool WideKeyNames() {
  static const bool wide = NtPlatform();
  return wide;
}

}  // namespace

long Win32Registry::CreateKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                                RegHandle& result) {
  result = 0;
  if (HoldsNul(subKey)) return kErrorInvalidName;  // whole or not at all
  HKEY key = nullptr;
  DWORD disposition = 0;
  const long status =
      WideKeyNames() ? RegCreateKeyExW(ToHkey(parent), Utf8ToWide(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       access, nullptr, &key, &disposition)
                     : RegCreateKeyExA(ToHkey(parent), std::string(subKey).c_str(), 0, nullptr,
                                       REG_OPTION_NON_VOLATILE, access, nullptr, &key, &disposition);
  result = status == ERROR_SUCCESS ? FromHkey(key) : 0;
  return status;
}

long Win32Registry::OpenKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                              RegHandle& result) {
  result = 0;
  if (HoldsNul(subKey)) return kErrorInvalidName;  // whole or not at all
  HKEY key = nullptr;
  const long status = WideKeyNames() ? RegOpenKeyExW(ToHkey(parent), Utf8ToWide(subKey).c_str(), 0, access, &key)
                                     : RegOpenKeyExA(ToHkey(parent), std::string(subKey).c_str(), 0, access, &key);
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
  return WideKeyNames() ? RegDeleteKeyW(ToHkey(parent), Utf8ToWide(subKey).c_str())
                        : RegDeleteKeyA(ToHkey(parent), std::string(subKey).c_str());
}

long Win32Registry::EnumKeyEx(RegHandle key, std::uint32_t index, std::string& name) {
  if (WideKeyNames()) {
    wchar_t buffer[256];
    DWORD length = 256;
    const long status = RegEnumKeyExW(ToHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    name = status == ERROR_SUCCESS ? WideToUtf8(std::wstring_view(buffer, length)) : std::string();
    return status;
  }
  char buffer[256];
  DWORD length = sizeof buffer;
  const long status =
      RegEnumKeyExA(ToHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  name.assign(status == ERROR_SUCCESS ? buffer : "", status == ERROR_SUCCESS ? length : 0);
  return status;
}

long Win32Registry::EnumValue(RegHandle key, std::uint32_t index, std::string& name) {
  // Value names run to 16383 characters on NT, 255 on 9x.
  std::string buffer(16384, '\0');
  DWORD length = static_cast<DWORD>(buffer.size());
  const long status = RegEnumValueA(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
  name.assign(buffer.data(), status == ERROR_SUCCESS ? length : 0);
  return status;
}

long Win32Registry::CloseKey(RegHandle key) { return RegCloseKey(ToHkey(key)); }

long Win32Registry::SetStringValueW(RegHandle key, std::string_view name, std::string_view utf8Text) {
  if (HoldsNul(name)) return kErrorInvalidName;
  const std::wstring text = Utf8ToWide(utf8Text);
  return RegSetValueExW(ToHkey(key), Utf8ToWide(AnsiToUtf8(name)).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

long Win32Registry::QueryStringValueW(RegHandle key, std::string_view name, std::string& utf8Text) {
  utf8Text.clear();
  if (HoldsNul(name)) return kErrorInvalidName;
  const std::wstring wideName = Utf8ToWide(AnsiToUtf8(name));
  DWORD type = 0, size = 0;
  long status = RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &type, nullptr, &size);
  if (status != ERROR_SUCCESS) return status;
  if (type != REG_SZ) return ERROR_INVALID_DATA;
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  status = RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
  if (status != ERROR_SUCCESS) return status;
  text.resize(size / sizeof(wchar_t));
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  utf8Text = WideToUtf8(text);
  return ERROR_SUCCESS;
}

}  // namespace tw

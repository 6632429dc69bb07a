#pragma once
// The registry as the program sees it: the handful of advapi32 calls it makes,
// with the same arguments and the same status codes. Win32Registry forwards to
// the system; tests use an in-memory registry that gives the same answers.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ErrorCodes.h"

namespace tw {

using RegHandle = std::uintptr_t;

inline constexpr RegHandle kHkeyClassesRoot = 0x80000000u;
inline constexpr RegHandle kHkeyCurrentUser = 0x80000001u;
inline constexpr RegHandle kHkeyLocalMachine = 0x80000002u;
inline constexpr RegHandle kHkeyUsers = 0x80000003u;
// 95, 98 and ME only: the system's live performance statistics.
inline constexpr RegHandle kHkeyDynData = 0x80000006u;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
// Query, set, create sub-key, enumerate, notify, create link: what the tuning writes ask for.
inline constexpr std::uint32_t kKeyTuningAccess = 0x3F;

// A key path or value name the single-byte registry functions cannot take
// whole: they read a name up to its first NUL, so one holding a NUL would name
// another key or value than it says. Both registries refuse it with
// kErrorInvalidName, before anything is opened, created or written.
inline bool HoldsNul(std::string_view name) { return name.find('\0') != std::string_view::npos; }

class IRegistry {
 public:
  virtual ~IRegistry() = default;

  // RegCreateKeyExA: opens the key, creating it and any missing parent.
  virtual long CreateKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                           RegHandle& result) = 0;
  // RegOpenKeyExA.
  virtual long OpenKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                         RegHandle& result) = 0;
  // RegQueryValueExA. With data null only the type and size are returned; with a
  // buffer too small the answer is kErrorMoreData and *size the size needed.
  virtual long QueryValueEx(RegHandle key, std::string_view name, std::uint32_t* type,
                            std::uint8_t* data, std::uint32_t* size) = 0;
  // RegSetValueExA.
  virtual long SetValueEx(RegHandle key, std::string_view name, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) = 0;
  // RegDeleteValueA.
  virtual long DeleteValue(RegHandle key, std::string_view name) = 0;
  // RegDeleteKeyA: only a key without sub-keys.
  virtual long DeleteKey(RegHandle parent, std::string_view subKey) = 0;
  // RegEnumKeyExA: kErrorNoMoreItems past the last sub-key.
  virtual long EnumKeyEx(RegHandle key, std::uint32_t index, std::string& name) = 0;
  // RegEnumValueA, the name only: kErrorNoMoreItems past the last value.
  virtual long EnumValue(RegHandle key, std::uint32_t index, std::string& name) = 0;
  // RegCloseKey. Closing a predefined root key does nothing.
  virtual long CloseKey(RegHandle key) = 0;
  // RegSetValueExW of a REG_SZ: the text, given in UTF-8, reaches the
  // registry in UTF-16, as the NT family keeps every text, so no character is
  // lost to the code page. The 9x family does not implement it: NT only.
  virtual long SetStringValueW(RegHandle key, std::string_view name, std::string_view utf8Text) = 0;
  // RegQueryValueExW of a REG_SZ: its text in UTF-8, without the terminating zero.
  virtual long QueryStringValueW(RegHandle key, std::string_view name, std::string& utf8Text) = 0;
};

// An open key that closes itself. Move-only, so a key is never closed twice.
class RegKey {
 public:
  RegKey() = default;
  RegKey(IRegistry& registry, RegHandle handle) : registry_(&registry), handle_(handle) {}
  RegKey(RegKey&& other) noexcept : registry_(other.registry_), handle_(other.handle_) {
    other.handle_ = 0;
  }
  RegKey& operator=(RegKey&& other) noexcept {
    if (this != &other) {
      Close();
      registry_ = other.registry_;
      handle_ = other.handle_;
      other.handle_ = 0;
    }
    return *this;
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() { Close(); }

  // Each returns the system's status; on failure `key` is left closed.
  static long Create(IRegistry& registry, RegHandle parent, std::string_view path,
                     std::uint32_t access, RegKey& key);
  static long Open(IRegistry& registry, RegHandle parent, std::string_view path,
                   std::uint32_t access, RegKey& key);

  RegHandle get() const { return handle_; }
  explicit operator bool() const { return handle_ != 0; }
  void Close();

 private:
  IRegistry* registry_ = nullptr;
  RegHandle handle_ = 0;
};

// Deletes a key with everything below it (RegDeleteKeyA removes leaves only).
long DeleteKeyTree(IRegistry& registry, RegHandle parent, std::string_view path);

}  // namespace tw

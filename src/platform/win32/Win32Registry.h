#pragma once
#include "platform/Registry.h"

namespace tw {

// The real registry (advapi32, single-byte functions).
class Win32Registry final : public IRegistry {
 public:
  long CreateKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                   RegHandle& result) override;
  long OpenKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                 RegHandle& result) override;
  long QueryValueEx(RegHandle key, std::string_view name, std::uint32_t* type,
                    std::uint8_t* data, std::uint32_t* size) override;
  long SetValueEx(RegHandle key, std::string_view name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
  long DeleteValue(RegHandle key, std::string_view name) override;
  long DeleteKey(RegHandle parent, std::string_view subKey) override;
  long EnumKeyEx(RegHandle key, std::uint32_t index, std::string& name) override;
  long EnumValue(RegHandle key, std::uint32_t index, std::string& name) override;
  long CloseKey(RegHandle key) override;
  long SetStringValueW(RegHandle key, std::string_view name, std::string_view utf8Text) override;
  long QueryStringValueW(RegHandle key, std::string_view name, std::string& utf8Text) override;
};

}  // namespace tw

#pragma once
// A registry decorator that writes down every call and its outcome in one line
// of text each, then forwards to the registry it wraps. Handles are shown by
// the key path they were opened with, so recordings compare across runs and
// across the in-memory and the real registry.
#include <map>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace tw::test {

class RecordingRegistry final : public IRegistry {
 public:
  explicit RecordingRegistry(IRegistry& inner) : inner_(inner) {}

  long CreateKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                   RegHandle& result) override;
  long OpenKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                 RegHandle& result) override;
  long QueryValueEx(RegHandle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
  long SetValueEx(RegHandle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
  long DeleteValue(RegHandle key, std::string_view name) override;
  long DeleteKey(RegHandle parent, std::string_view subKey) override;
  long EnumKeyEx(RegHandle key, std::uint32_t index, std::string& name) override;
  long EnumValue(RegHandle key, std::uint32_t index, std::string& name) override {
    return inner_.EnumValue(key, index, name);
  }
  long CloseKey(RegHandle key) override;
  // Passed on unrecorded: only the Run entry is written so, and no recording is of it.
  long SetStringValueW(RegHandle key, std::string_view name, std::string_view text) override {
    return inner_.SetStringValueW(key, name, text);
  }
  long QueryStringValueW(RegHandle key, std::string_view name, std::string& text) override {
    return inner_.QueryStringValueW(key, name, text);
  }

  // Every call so far, e.g. "Set HKLM\Path\To\Key [MTU] dword 576 -> 0".
  const std::vector<std::string>& Calls() const { return calls_; }
  // Only the calls that change something: "Set ..." and "Delete ..." lines.
  std::vector<std::string> Changes() const;
  std::size_t CallCount() const { return calls_.size(); }
  void Clear() { calls_.clear(); }

 private:
  std::string Name(RegHandle key) const;
  void Remember(long status, RegHandle result, RegHandle parent, std::string_view subKey);

  IRegistry& inner_;
  std::map<RegHandle, std::string> paths_;
  std::vector<std::string> calls_;
};

}  // namespace tw::test

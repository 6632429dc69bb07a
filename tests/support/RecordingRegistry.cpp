#include "support/RecordingRegistry.h"

#include <cstring>


namespace tw::test {
namespace {

std::string Status(long status) { return " -> " + std::to_string(status); }

std::string Data(std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
  if (type == kRegDword && size == 4 && data != nullptr) {
    std::uint32_t word = 0;
    std::memcpy(&word, data, 4);
    return "dword " + std::to_string(word);
  }
  if (type == kRegSz && data != nullptr) {
    std::string text(reinterpret_cast<const char*>(data), size);
    // The terminating zero is shown, so a missing or doubled one shows too.
    std::string shown;
    for (char c : text) shown += c == '\0' ? std::string("\\0") : std::string(1, c);
    return "sz \"" + shown + "\"";
  }
  return "type " + std::to_string(type) + " size " + std::to_string(size);
}

}  // namespace

std::string RecordingRegistry::Name(RegHandle key) const {
  switch (key) {
    case kHkeyClassesRoot: return "HKCR";
    case kHkeyCurrentUser: return "HKCU";
    case kHkeyLocalMachine: return "HKLM";
    case kHkeyUsers: return "HKU";
    default: break;
  }
  const auto path = paths_.find(key);
  return path != paths_.end() ? path->second : "<handle " + std::to_string(key) + ">";
}

void RecordingRegistry::Remember(long status, RegHandle result, RegHandle parent, std::string_view subKey) {
  if (status == kErrorSuccess && result != 0) {
    paths_[result] = subKey.empty() ? Name(parent) : Name(parent) + "\\" + std::string(subKey);
  }
}

long RecordingRegistry::CreateKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                                    RegHandle& result) {
  const long status = inner_.CreateKeyEx(parent, subKey, access, result);
  Remember(status, result, parent, subKey);
  calls_.push_back("Create " + Name(parent) + "\\" + std::string(subKey) + Status(status));
  return status;
}

long RecordingRegistry::OpenKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                                  RegHandle& result) {
  const long status = inner_.OpenKeyEx(parent, subKey, access, result);
  Remember(status, result, parent, subKey);
  calls_.push_back("Open " + Name(parent) + "\\" + std::string(subKey) + Status(status));
  return status;
}

long RecordingRegistry::QueryValueEx(RegHandle key, std::string_view name, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* size) {
  const long status = inner_.QueryValueEx(key, name, type, data, size);
  calls_.push_back("Query " + Name(key) + " [" + std::string(name) + "]" + Status(status));
  return status;
}

long RecordingRegistry::SetValueEx(RegHandle key, std::string_view name, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t size) {
  const long status = inner_.SetValueEx(key, name, type, data, size);
  calls_.push_back("Set " + Name(key) + " [" + std::string(name) + "] " + Data(type, data, size) +
                   Status(status));
  return status;
}

long RecordingRegistry::DeleteValue(RegHandle key, std::string_view name) {
  const long status = inner_.DeleteValue(key, name);
  calls_.push_back("Delete " + Name(key) + " [" + std::string(name) + "]" + Status(status));
  return status;
}

long RecordingRegistry::DeleteKey(RegHandle parent, std::string_view subKey) {
  const long status = inner_.DeleteKey(parent, subKey);
  calls_.push_back("DeleteKey " + Name(parent) + "\\" + std::string(subKey) + Status(status));
  return status;
}

long RecordingRegistry::EnumKeyEx(RegHandle key, std::uint32_t index, std::string& name) {
  const long status = inner_.EnumKeyEx(key, index, name);
  calls_.push_back("Enum " + Name(key) + " #" + std::to_string(index) + Status(status));
  return status;
}

long RecordingRegistry::CloseKey(RegHandle key) {
  const std::string name = Name(key);
  const long status = inner_.CloseKey(key);
  paths_.erase(key);
  calls_.push_back("Close " + name + Status(status));
  return status;
}

std::vector<std::string> RecordingRegistry::Changes() const {
  std::vector<std::string> changes;
  for (const std::string& call : calls_) {
    if (call.rfind("Set ", 0) == 0 || call.rfind("Delete ", 0) == 0) changes.push_back(call);
  }
  return changes;
}

}  // namespace tw::test
